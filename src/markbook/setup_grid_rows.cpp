#include "markbook/setup_grid_rows.h"

#include "common/shared_variables.h"
#include "markbook/result_row.h"
#include "platform/number_format.h"

namespace km {

namespace {

constexpr platform::flex_grid::color carried_colour = platform::flex_grid::rgb(255, 255, 192);
constexpr platform::flex_grid::color plain_colour = platform::flex_grid::rgb(255, 255, 255);

}  // namespace

setup_rows rows_of_setup_grid(const platform::flex_grid& grid, int name_column) {
  setup_rows rows;
  for (int r = 1; r <= setup_row_count && r < grid.rows(); ++r)
    for (int c = 1; c <= setup_column_count && c + name_column - 1 < grid.cols(); ++c)
      rows[std::size_t(r - 1)].cell(c) = grid.text_matrix(r, c + name_column - 1);
  return rows;
}

void put_rows_in_setup_grid(platform::flex_grid& grid, const setup_rows& rows, int name_column) {
  for (int r = 1; r <= setup_row_count && r < grid.rows(); ++r)
    for (int c = 1; c <= setup_column_count && c + name_column - 1 < grid.cols(); ++c)
      grid.set_text_matrix(r, c + name_column - 1, rows[std::size_t(r - 1)].cell(c));
}

void lay_out_setup_grid(platform::flex_grid& grid) {
  grid.clear();
  grid.set_rows(setup_row_count + 1);
  grid.set_cols(setup_column_count + 1);
  grid.set_fixed_rows(1);
  grid.set_fixed_cols(1);
  grid.set_format_string(
      g_language
          ? QStringLiteral("NR.|< TAAK/PROJEK             |^ TOTAAL |^ VERWERK NA |^ UIT TOT |< SIKLUSNAAM ")
          : QStringLiteral(
                "NO.|< TASK/PROJECT            |^ TOTAL  |^   RESULT   |^ OUT  OF |< CYCLE NAME "));
  for (int r = 1; r <= setup_row_count; ++r) grid.set_text_matrix(r, 0, platform::str_number(r));
}

void highlight_carried_rows(platform::flex_grid& grid, int name_column) {
  const auto carried = carried_into_rows(rows_of_setup_grid(grid, name_column));
  const int row = grid.row();
  const int col = grid.col();
  for (int r = 1; r <= setup_row_count && r < grid.rows(); ++r) {
    grid.set_row(r);
    grid.set_col(name_column);
    grid.set_cell_back_color(carried[std::size_t(r - 1)] ? carried_colour : plain_colour);
  }
  grid.set_row(row);
  grid.set_col(col);
}

}  // namespace km
