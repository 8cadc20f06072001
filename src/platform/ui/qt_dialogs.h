#pragma once
// The dialog service of the running program: Qt's message box, input
// dialog, file and folder dialogs, printer and font dialogs, the system
// beep and the clipboard. Paths go through the drive map both ways.

#include "platform/dialogs.h"

namespace km::platform {

class qt_dialogs : public dialog_service {
 public:
  msg_answer message_box(const message_request& request) override;
  input_answer input_box(const input_request& request) override;
  void beep() override;
  std::optional<QString> browse_folder(const folder_request& request) override;
  std::optional<QString> file_dialog(const file_request& request) override;
  std::optional<printer_choice> printer_dialog(const printer_request& request) override;
  std::optional<font_choice> font_dialog(const font_request& request) override;
  QString clipboard_text() override;
  void set_clipboard_text(const QString& text) override;
  int open_prompts() const override;
  void dismiss_open_prompts() override;
};

// Installs one Qt service for the life of the program.
void use_qt_dialogs();

// "Text files|*.txt;*.csv|All|*.*" -> "Text files (*.txt *.csv);;All (*.*)".
QString qt_name_filters(const QString& filter);

}  // namespace km::platform
