#pragma once
// Which row a task row's mark is carried into. The result-row cell counts
// only when it holds a whole number from 1 to 40 that is not the row's own
// number; "", "0" and anything else mean the row is not carried.
#include <QString>
#include <array>
#include <optional>

#include "markbook/pboek_setup_line.h"

namespace km {

// The 1-based row that row `row` is carried into, or none.
std::optional<int> result_target(int row, const QString& text);

// [r - 1] is true when some named row (a task name that is not blank) is
// carried into row r: the rows whose name cell the set-up window marks.
std::array<bool, setup_row_count> carried_into_rows(const setup_rows& rows);

}  // namespace km
