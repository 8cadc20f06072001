#pragma once
// The marks of a mark book as text, and the checks and sums on them that
// the capture window, the totals and the column operations share. A mark
// is blank ("" or blanks), "A" or "a" (absent), or a number from 0 to its
// column's total written "##0.0".
#include <QString>
#include <optional>

#include "common/mark_text.h"

namespace km {

// x rounded to one decimal, halves away from zero (on its 15-digit form).
double round_one_decimal(double x);

// The quick running sum a typed mark leaves in its row's result column:
// the result field's new text, from the old mark (as it was stored), the
// new stored mark and the result field (nullopt when Null).
QString running_sum(const QString& old_mark, const QString& new_mark, const std::optional<QString>& target);

}  // namespace km
