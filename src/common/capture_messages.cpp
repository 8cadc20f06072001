#include "common/capture_messages.h"

#include <QStringList>

#include "common/language_text.h"

namespace km {

namespace {

const QString crlf = QStringLiteral("\r\n");

}  // namespace

QString undo_question() {
  return in_language(u"'UNDO' sal punte na vorige waardes herstel!",
                     u"'UNDO' reset marks to previous values!");
}

QString paste_warning(paste_wording wording) {
  const bool outcomes = wording == paste_wording::outcomes;
  const QStringList afrikaans{
      outcomes
          ? QStringLiteral(
                "Hierdie funksie sal blindelings enige inligting wat in die Windows 'clipboard' is")
          : QStringLiteral("Hierdie funksie sal blindweg enige inligting wat in die Windows 'clipboard' is"),
      QStringLiteral("as punte in die puntelêer 'paste'. Dit is UITERS belangrik dat"),
      QStringLiteral("u seker maak dat u nie hierdie funksie doen as die data in die 'clipboard' nie"),
      outcomes ? QStringLiteral("in PRESIES dieselfde volgorde as die leerders op die skerm is nie.")
               : QStringLiteral("in PRESIES dieselfde volgorde as die leerders op die skerm is."),
      QString(),
      QStringLiteral("Hierdie funksie het geen validasie nie en sal alle punte op die"),
      QStringLiteral("matriks OORSKRYF (oorweeg LEERDERVOLGORDE en VAKTOTAAL)"),
      QString(),
      QStringLiteral("WIL U DEFNITIEF VOORTGAAN ?")};
  const QStringList english{
      QStringLiteral("This function will indiscriminately paste any information from"),
      QStringLiteral("the Windows clipboard as marks in the marks file. It is of extreme"),
      QStringLiteral("importance not to execute this function if the data in the clipboard"),
      QStringLiteral("is not in EXACTLY the same sequence as the learners on the screen."),
      QString(),
      QStringLiteral("This function contains no validation and will overwrite any marks on"),
      QStringLiteral("the marks file (consider LEARNER SEQUENCE and SUBJECT TOTAL)"),
      QString(),
      QStringLiteral("DO YOU REALY WANT TO CONTINUE ?")};
  return in_language(afrikaans.join(crlf), english.join(crlf));
}

}  // namespace km
