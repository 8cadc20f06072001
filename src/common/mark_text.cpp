#include "common/mark_text.h"

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

bool is_uncounted_mark(const QString& stored) {
  const QString t = trim_blanks(stored);
  return t.isEmpty() || t == QStringLiteral("A") || t == QStringLiteral("a");
}

QString mark_text(double x) { return platform::format_number(x, QStringLiteral("##0.0")); }

std::optional<double> plain_decimal(const QString& text) {
  const QString t = trim_blanks(text);
  int digits = 0;
  int points = 0;
  for (const QChar c : t) {
    if (c == QLatin1Char('.'))
      ++points;
    else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      ++digits;
    else
      return std::nullopt;
  }
  if (digits == 0 || points > 1) return std::nullopt;
  return platform::val(t);
}

mark_check validate_mark(const QString& typed, const QString& total_text) {
  const QString t = trim_blanks(typed);
  if (t == QStringLiteral("A") || t == QStringLiteral("a")) return {true, t};
  if (t.isEmpty()) return {true, QString()};
  const double total = platform::val(total_text);
  const std::optional<double> mark = plain_decimal(t);
  if (total <= 0 || !mark || *mark > total) return {};
  return {true, mark_text(*mark)};
}

QString mark_refusal_message(const QString& total_text) {
  if (g_language)
    return QStringLiteral("Punte kan slegs ' ', 'A', 'a' of 0-") + total_text + QStringLiteral(" wees");
  return QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-") + total_text;
}

}  // namespace km
