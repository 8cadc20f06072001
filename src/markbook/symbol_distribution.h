#pragma once
// The symbol distribution of a mark book: for every named task row, how
// many learners' percentages fall within each symbol's bounds (both
// inclusive, the first symbol in table order winning), and the row's
// average percentage. Each named row keeps the column of its row number;
// the columns of unnamed rows are hidden. The symbol column is 1000 twips
// wide, a task column 300.
#include <QString>
#include <vector>

#include "markbook/mark_totals.h"
#include "markbook/pboek_setup_line.h"
#include "platform/model/grid/flex_grid.h"

namespace km {

struct symbol_range {
  QString symbol;  // trimmed
  QString lower;   // the bounds as their trimmed texts
  QString upper;
};

// Fills the report grid from the set-up, the symbols (blank symbols are
// left out by the caller) and the book's records.
void fill_symbol_distribution(platform::flex_grid& grid, const setup_rows& rows,
                              const std::vector<symbol_range>& symbols,
                              const std::vector<mark_record>& records);

}  // namespace km
