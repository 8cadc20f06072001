#include "markbook/report_grid_layout.h"

#include "common/shared_variables.h"
#include "common/text_routines.h"

namespace km {

bool row_named(const setup_rows& rows, int row) {
  return row >= 1 && row <= setup_row_count &&
         !trim_blanks(rows[std::size_t(row - 1)].task_project).isEmpty();
}

int last_named_row(const setup_rows& rows) {
  for (int r = setup_row_count; r >= 1; --r)
    if (row_named(rows, r)) return r;
  return 0;
}

void reset_report_grid(platform::flex_grid& grid, int cols) {
  grid.clear();
  grid.set_fixed_cols(0);
  grid.set_rows(2);
  grid.set_fixed_rows(1);
  grid.set_cols(cols);
  grid.set_font_size(6);
}

QString task_headings(const QString& leading, const setup_rows& rows) {
  const QString letter = g_language ? QStringLiteral("P") : QStringLiteral("M");
  QString format = leading;
  for (int r = 1; r <= last_named_row(rows); ++r)
    format += QStringLiteral("|<") + (row_named(rows, r) ? letter + QString::number(r) : QString());
  return format;
}

}  // namespace km
