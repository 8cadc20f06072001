#pragma once
// The grid the mark-book print window prints: the learners of a book with
// their number, name and the mark of every named task row, under headings
// "M1", "M2" ... ("P" in Afrikaans) and a row of the tasks' totals. Each
// named row keeps the column of its own row number (row r in column
// r + 2), so a gap in the set-up never puts marks under another task's
// heading; the columns of unnamed rows are hidden.
#include "markbook/pboek_setup_line.h"
#include "platform/dbase/recordset.h"
#include "platform/model/grid/flex_grid.h"

namespace km {

void fill_print_grid(platform::flex_grid& grid, const setup_rows& rows, const platform::recordset& book);

}  // namespace km
