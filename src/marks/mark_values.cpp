#include "marks/mark_values.h"

#include "common/language_text.h"
#include "common/text_routines.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

std::optional<double> plain_decimal(const QString& text) {
  const QString t = trim_blanks(text);
  int digits = 0;
  int points = 0;
  for (const QChar c : t) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      ++digits;
    else if (c == QLatin1Char('.'))
      ++points;
    else
      return std::nullopt;
  }
  if (digits == 0 || points > 1) return std::nullopt;
  return platform::val(t);
}

bool is_numeric_mark(const QString& cleaned) {
  const QString t = trim_blanks(cleaned);
  return !t.isEmpty() && t != QStringLiteral("A") && t != QStringLiteral("a");
}

QString plain_number(double x) { return platform::single_text(float(x)); }

QString mark_to_input_total(const QString& mark, double subject_total, double input_total) {
  if (!is_numeric_mark(mark) || !(subject_total > 0)) return mark;
  return platform::format_number(platform::val(trim_blanks(mark)) / subject_total * input_total,
                                 QStringLiteral("###.0"));
}

QString mark_to_subject_total(const QString& mark, double input_total, double subject_total) {
  if (!is_numeric_mark(mark) || !(subject_total > 0) || !(input_total > 0)) return mark;
  return platform::format_number(platform::val(trim_blanks(mark)) / input_total * subject_total,
                                 QStringLiteral("##0.0"));
}

typed_mark check_typed_mark(const QString& typed, double input_total) {
  const QString t = trim_blanks(typed);
  if (!is_numeric_mark(t)) return {true, t, std::nullopt};
  const std::optional<double> number = plain_decimal(t);
  if (!number || *number > input_total) return {};
  const QString stored = platform::format_number(*number, QStringLiteral("##0.0"));
  return {true, stored, platform::val(stored)};
}

QString refused_mark_message(double input_total) {
  return in_language(u"Punte kan slegs ' ', 'A', 'a' of 0-", u"Marks can only be ' ', 'A', 'a' or 0-") +
         plain_number(input_total) + in_language(u" wees", u"");
}

std::optional<double> input_total_answer(const QString& answer, bool cancelled, double subject_total) {
  if (cancelled || trim_blanks(answer).isEmpty()) return subject_total;
  const std::optional<double> total = plain_decimal(answer);
  if (!total || !(*total > 0)) return std::nullopt;
  return total;
}

average_figures compute_average(double marks_sum, int marks_count, double input_total) {
  average_figures f;
  if (input_total == 0 || !(marks_sum > 0)) return f;
  f.total_label = platform::format_number(marks_sum, QStringLiteral("####0.0"));
  if (marks_count > 0) {
    const double sum = platform::val(platform::single_text(float(marks_sum)));
    const double average = platform::round_half_even(sum / marks_count, 4);
    f.average_percent = platform::round_half_even(average / input_total * 100, 4);
    f.average_label = platform::format_number(*f.average_percent, QStringLiteral("##0.0"));
  }
  return f;
}

}  // namespace km
