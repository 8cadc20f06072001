#include "markbook/mark_value.h"

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

namespace {

// Digits with at most one point and at least one digit.
bool is_plain_decimal(const QString& t) {
  int digits = 0;
  int points = 0;
  for (const QChar c : t) {
    if (c == QLatin1Char('.'))
      ++points;
    else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      ++digits;
    else
      return false;
  }
  return digits > 0 && points <= 1;
}

}  // namespace

bool is_uncounted_mark(const QString& stored) {
  const QString t = trim_blanks(stored);
  return t.isEmpty() || t == QStringLiteral("A") || t == QStringLiteral("a");
}

double round_one_decimal(double x) {
  return std::stod(platform::fixed_decimal_text(x, 1, platform::rounding::half_away_from_zero));
}

QString mark_text(double x) { return platform::format_number(x, QStringLiteral("##0.0")); }

mark_check validate_mark(const QString& typed, const QString& total_text) {
  const QString t = trim_blanks(typed);
  if (t == QStringLiteral("A") || t == QStringLiteral("a")) return {true, t};
  if (t.isEmpty()) return {true, QString()};
  const double total = platform::val(total_text);
  if (total <= 0 || !is_plain_decimal(t)) return {};
  const double mark = platform::val(t);
  if (mark < 0 || mark > total) return {};
  return {true, mark_text(mark)};
}

QString mark_refusal_message(const QString& total_text) {
  if (g_language)
    return QStringLiteral("Punte kan slegs ' ', 'A', 'a' of 0-") + total_text + QStringLiteral(" wees");
  return QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-") + total_text;
}

QString running_sum(const QString& old_mark, const QString& new_mark, const std::optional<QString>& target) {
  double sum = target ? platform::val(*target) : 0.0;
  const double old_value = platform::val(old_mark);
  if (old_value > 0) sum -= old_value;
  return mark_text(sum + platform::val(new_mark));
}

}  // namespace km
