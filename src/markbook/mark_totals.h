#pragma once
// RECALCULATE TOTALS for one learner: every total column (a row that a
// named row carries into) is rebuilt from its members as the set-up says,
// and the columns of unnamed rows are emptied.
//
// Rows are taken in dependency order (each row after every row carried into
// it; rows on a loop of results last, in row order). A member adds its mark,
// scaled from its TOTAL to its OUT OF, to its result row; a total row is then
// scaled from the sum of its counted members' OUT OF marks to its own TOTAL
// (absent and blank members are left out in proportion), and the value it
// carried on is corrected by what that scaling changed. Blank and absent
// marks count nowhere; a total with no counted member stays blank.
#include <QString>
#include <array>
#include <optional>

#include "markbook/pboek_setup_line.h"

namespace km {

// Fields 0..41 of a mark-book record (nullopt for Null); 2..41 are the
// marks of rows 1..40.
using mark_record = std::array<std::optional<QString>, 42>;

mark_record recalculate_totals(const setup_rows& rows, const mark_record& record);

}  // namespace km
