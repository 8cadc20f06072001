#include "markbook/print_grid.h"

#include <algorithm>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/report_grid_layout.h"

namespace km {

void fill_print_grid(platform::flex_grid& grid, const setup_rows& rows, const platform::recordset& book) {
  const int cols = std::max(book.field_count() + 1, last_named_row(rows) + 3);
  reset_report_grid(grid, cols);
  grid.set_format_string(task_headings(
      g_language ? QStringLiteral("<NR|^  T.NR|<LEERDER") : QStringLiteral("<NO|^  A.NO|<LEARNER"), rows));
  grid.set_cols(cols);
  grid.set_col_width(2, 2500);
  for (int c = 3; c < cols; ++c) {
    const bool named = row_named(rows, c - 2);
    grid.set_col_width(c, named ? 300 : 0);
    if (named) grid.set_text_matrix(1, c, trim_blanks(rows[std::size_t(c - 3)].total));
  }
  for (qint64 p = 0; p < book.record_count(); ++p) {
    const int row = grid.rows();
    grid.set_rows(row + 1);
    grid.set_text_matrix(row, 0, QString::number(p + 1));
    for (int f = 1; f <= book.field_count() && f < cols; ++f)
      grid.set_text_matrix(row, f, clean_field_value(book.value_at(p, f - 1)));
  }
}

}  // namespace km
