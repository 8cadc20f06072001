#include "platform/dialog_language.h"

#include "platform/services.h"

namespace km::platform {

namespace {

std::function<dialog_language()> g_language_source;

// A test that sets a language leaves English behind it.
const reset_step english_at_reset{reset_stage::values, [] { g_language_source = nullptr; }};

}  // namespace

dialog_language current_dialog_language() {
  return g_language_source ? g_language_source() : dialog_language::english;
}

void set_dialog_language_source(std::function<dialog_language()> source) {
  g_language_source = std::move(source);
}

QString button_text(msg_answer button, dialog_language language) {
  const auto pick = [language](const char16_t* afrikaans, const char16_t* english) {
    return in_language(language, QString::fromUtf16(afrikaans), QString::fromUtf16(english));
  };
  switch (button) {
    case msg_answer::ok:
      return QStringLiteral("OK");
    case msg_answer::cancel:
      return pick(u"Kanselleer", u"Cancel");
    case msg_answer::abort:
      return pick(u"&Staak", u"&Abort");
    case msg_answer::retry:
      return pick(u"&Probeer weer", u"&Retry");
    case msg_answer::ignore:
      return pick(u"&Ignoreer", u"&Ignore");
    case msg_answer::yes:
      return pick(u"&Ja", u"&Yes");
    case msg_answer::no:
      return pick(u"&Nee", u"&No");
  }
  return QString();
}

}  // namespace km::platform
