#include "shell/idle_timeout_answer.h"

#include <QRegularExpression>

#include "common/shared_variables.h"
#include "platform/value.h"

namespace km {

namespace {

// Val's leading number: a sign, then a digit or a point and a digit, or an
// &H / &O number. Blanks, tabs and line feeds are skipped first, as Val
// skips them.
bool starts_with_number(const QString& answer) {
  static const QRegularExpression leading(QStringLiteral("^([+-]?(\\d|\\.\\d)|&[Hh][0-9A-Fa-f]|&[Oo][0-7])"));
  QString packed = answer;
  packed.remove(QRegularExpression(QStringLiteral("[ \\t\\n]")));
  return leading.match(packed).hasMatch();
}

}  // namespace

std::optional<float> parse_idle_timeout_minutes(const QString& answer) {
  if (!starts_with_number(answer)) return std::nullopt;
  double minutes = 0.0;
  try {
    minutes = platform::val(answer);
  } catch (const platform::value_error&) {
    return std::nullopt;  // beyond any number: out of range
  }
  if (!(minutes >= 0.0) || minutes > longest_idle_timeout_minutes) return std::nullopt;
  return float(minutes);
}

QString idle_timeout_minutes_text() { return platform::single_text(g_idle_timeout / 60.0f); }

QString idle_timeout_changed_text() {
  return g_language ? QStringLiteral("TYDSDUUR VERANDER NA ") + idle_timeout_minutes_text() +
                          QStringLiteral(" MINUTE ...")
                    : QStringLiteral("TIME DURATION CHANGED TO ") + idle_timeout_minutes_text() +
                          QStringLiteral(" MINUTES ...");
}

QString idle_timeout_refused_text(const QString& answer) {
  const QString longest = platform::single_text(longest_idle_timeout_minutes);
  return g_language ? QStringLiteral("TYDSDUUR NIE VERANDER NIE: \"") + answer.trimmed() +
                          QStringLiteral("\" IS NIE 'N GETAL MINUTE VAN 0 TOT ") + longest +
                          QStringLiteral(" NIE.\r\nDIE TYDSDUUR BLY ") + idle_timeout_minutes_text() +
                          QStringLiteral(" MINUTE ...")
                    : QStringLiteral("TIME DURATION NOT CHANGED: \"") + answer.trimmed() +
                          QStringLiteral("\" IS NOT A NUMBER OF MINUTES FROM 0 TO ") + longest +
                          QStringLiteral(".\r\nTHE TIME OUT STAYS ") + idle_timeout_minutes_text() +
                          QStringLiteral(" MINUTES ...");
}

}  // namespace km
