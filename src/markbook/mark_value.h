#pragma once
// The marks of a mark book as text, and the checks and sums on them that
// the capture window, the totals and the column operations share. A mark
// is blank ("" or blanks), "A" or "a" (absent), or a number from 0 to its
// column's total written "##0.0".
#include <QString>
#include <optional>

namespace km {

// Blank, "A" or "a": a mark that counts in no sum or average.
bool is_uncounted_mark(const QString& stored);

// x rounded to one decimal, halves away from zero (on its 15-digit form).
double round_one_decimal(double x);
// x written "##0.0".
QString mark_text(double x);

struct mark_check {
  bool accepted = false;
  QString stored;  // what goes into the field when accepted
};

// A typed mark against its column's total text: "A" and "a" as typed;
// blanks as the empty mark; digits with at most one point (at least one
// digit) from 0 to the total, written "##0.0". A column whose total is
// blank or not above 0 takes only the empty mark and the letters.
mark_check validate_mark(const QString& typed, const QString& total_text);

// "Marks can only be ' ', 'A', 'a' or 0-" & total, in the chosen language.
QString mark_refusal_message(const QString& total_text);

// The quick running sum a typed mark leaves in its row's result column:
// the result field's new text, from the old mark (as it was stored), the
// new stored mark and the result field (nullopt when Null).
QString running_sum(const QString& old_mark, const QString& new_mark, const std::optional<QString>& target);

}  // namespace km
