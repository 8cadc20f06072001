#include "platform/model/workbook/worksheet_data.h"

namespace km::platform {

namespace {

// Clears an edge of a cell outside a range, where the cell exists.
void clear_edge(worksheet_data& d, int row, int column, std::uint8_t edge) {
  if (!d.find_cell(row, column)) return;
  d.restyle(row, column, [&](cell_style& s) { s.edges &= std::uint8_t(~edge); });
}

}  // namespace

// Every cell of the range gets (or loses) all four edges. Lines removed are
// removed from the neighbours around the range as well, so that no line
// shows along the range's outline afterwards.
void worksheet::set_borders(const cell_range& range, bool on) {
  const cell_range r = ordered(range);
  d_->restyle(r, [&](cell_style& s) { s.edges = on ? all_edges : 0; });
  if (on) return;
  for (int column = r.first_column; column <= r.last_column; ++column) {
    if (r.first_row > 1) clear_edge(*d_, r.first_row - 1, column, edge_bottom);
    if (r.last_row < max_rows) clear_edge(*d_, r.last_row + 1, column, edge_top);
  }
  for (int row = r.first_row; row <= r.last_row; ++row) {
    if (r.first_column > 1) clear_edge(*d_, row, r.first_column - 1, edge_right);
    if (r.last_column < max_columns) clear_edge(*d_, row, r.last_column + 1, edge_left);
  }
}

// The line between rows r and r + 1 is the bottom edge of the one and the
// top edge of the other: both go.
void worksheet::clear_inside_horizontal(const cell_range& range) {
  const cell_range r = ordered(range);
  if (r.first_row == r.last_row) return;
  d_->restyle({r.first_row, r.first_column, r.first_row, r.last_column},
              [](cell_style& s) { s.edges &= std::uint8_t(~edge_bottom); });
  if (r.last_row - r.first_row > 1)
    d_->restyle({r.first_row + 1, r.first_column, r.last_row - 1, r.last_column},
                [](cell_style& s) { s.edges &= std::uint8_t(~(edge_top | edge_bottom)); });
  d_->restyle({r.last_row, r.first_column, r.last_row, r.last_column},
              [](cell_style& s) { s.edges &= std::uint8_t(~edge_top); });
}

worksheet::edges worksheet::borders(int row, int column) const {
  auto has = [&](int r, int c, std::uint8_t edge) {
    const sheet_cell* cell = d_->find_cell(r, c);
    return cell && (d_->styles[cell->style].edges & edge) != 0;
  };
  return {has(row, column, edge_top) || has(row - 1, column, edge_bottom),
          has(row, column, edge_bottom) || has(row + 1, column, edge_top),
          has(row, column, edge_left) || has(row, column - 1, edge_right),
          has(row, column, edge_right) || has(row, column + 1, edge_left)};
}

}  // namespace km::platform
