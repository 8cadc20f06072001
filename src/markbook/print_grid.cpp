#include "markbook/print_grid.h"

#include <algorithm>

#include "common/shared_variables.h"
#include "common/text_routines.h"

namespace km {

void fill_print_grid(platform::flex_grid& grid, const setup_rows& rows, const platform::recordset& book) {
  int last_named = 0;
  for (int r = 1; r <= setup_row_count; ++r)
    if (!trim_blanks(rows[std::size_t(r - 1)].task_project).isEmpty()) last_named = r;
  const int cols = std::max(book.field_count() + 1, last_named + 3);

  grid.clear();
  grid.set_fixed_cols(0);
  grid.set_rows(2);
  grid.set_fixed_rows(1);
  grid.set_cols(cols);
  grid.set_font_size(6);
  QString format =
      g_language ? QStringLiteral("<NR|^  T.NR|<LEERDER") : QStringLiteral("<NO|^  A.NO|<LEARNER");
  const QString letter = g_language ? QStringLiteral("P") : QStringLiteral("M");
  for (int r = 1; r <= last_named; ++r) {
    const bool named = !trim_blanks(rows[std::size_t(r - 1)].task_project).isEmpty();
    format += QStringLiteral("|<") + (named ? letter + QString::number(r) : QString());
  }
  grid.set_format_string(format);
  grid.set_cols(cols);
  grid.set_col_width(2, 2500);
  for (int c = 3; c < cols; ++c) {
    const int r = c - 2;
    const bool named = r <= setup_row_count && !trim_blanks(rows[std::size_t(r - 1)].task_project).isEmpty();
    grid.set_col_width(c, named ? 300 : 0);
    if (named) grid.set_text_matrix(1, c, trim_blanks(rows[std::size_t(r - 1)].total));
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
