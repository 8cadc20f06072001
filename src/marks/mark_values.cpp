#include "marks/mark_values.h"

#include "common/text_routines.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

QString plain_number(double x) { return platform::single_text(float(x)); }

QString mark_to_input_total(const QString& mark, double subject_total, double input_total) {
  if (is_uncounted_mark(mark) || !(subject_total > 0)) return mark;
  return platform::format_number(platform::val(trim_blanks(mark)) / subject_total * input_total,
                                 QStringLiteral("###.0"));
}

QString mark_to_subject_total(const QString& mark, double input_total, double subject_total) {
  if (is_uncounted_mark(mark) || !(subject_total > 0) || !(input_total > 0)) return mark;
  return mark_text(platform::val(trim_blanks(mark)) / input_total * subject_total);
}

typed_mark check_typed_mark(const QString& typed, double input_total) {
  const mark_check check = validate_mark(typed, plain_number(input_total));
  if (!check.accepted) return {};
  if (is_uncounted_mark(check.stored)) return {true, check.stored, std::nullopt};
  return {true, check.stored, platform::val(check.stored)};
}

std::optional<double> input_total_answer(const QString& answer, bool cancelled, double subject_total) {
  if (cancelled || trim_blanks(answer).isEmpty()) return subject_total;
  const std::optional<double> total = plain_decimal(answer);
  if (!total || !(*total > 0)) return std::nullopt;
  return total;
}

std::optional<double> new_average_answer(const QString& answer, bool cancelled) {
  if (cancelled) return std::nullopt;
  return plain_decimal(answer);
}

average_figures compute_average(double marks_sum, int marks_count, double input_total) {
  average_figures f;
  // A count of marks that are all 0 still shows "0.0"; with no numeric mark
  // (the sum then 0 too) the labels keep what they show.
  if (input_total == 0 || (marks_count <= 0 && !(marks_sum > 0))) return f;
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
