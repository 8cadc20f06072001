#pragma once
// The language of the dialogs' own texts: the buttons of message and input
// boxes, the labels and buttons of the folder and file dialogs, and the
// messages those dialogs give. The program tells the dialog layer where its
// language setting lives; without that the dialogs speak English.

#include <QString>
#include <functional>

#include "platform/dialogs.h"

namespace km::platform {

enum class dialog_language { english, afrikaans };

dialog_language current_dialog_language();
// The source is asked each time a dialog is shown; nullptr: English.
void set_dialog_language_source(std::function<dialog_language()> source);

// The caption of a message box's button: "&Yes" / "&Ja", "Cancel" / "Kanselleer" ...
QString button_text(msg_answer button, dialog_language language);

// The text of one language or the other.
inline QString in_language(dialog_language language, const QString& afrikaans, const QString& english) {
  return language == dialog_language::afrikaans ? afrikaans : english;
}

}  // namespace km::platform
