#pragma once
// What the mark-book print and the symbol distribution lay out alike: an
// empty report grid of two rows (one fixed heading row) in font size 6,
// and the headings of the named task rows, "M" or "P" with the row number,
// each over the column of its own row number (the column of an unnamed
// row gets an empty heading).
#include <QString>

#include "markbook/pboek_setup_line.h"
#include "platform/model/grid/flex_grid.h"

namespace km {

// The last named row (0 when none).
int last_named_row(const setup_rows& rows);
bool row_named(const setup_rows& rows, int row);

void reset_report_grid(platform::flex_grid& grid, int cols);

// The FormatString: the leading headings, then "|<M1|<M2|<|<M4" ... up to
// the last named row.
QString task_headings(const QString& leading, const setup_rows& rows);

}  // namespace km
