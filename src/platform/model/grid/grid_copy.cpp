// A whole grid copied into another, for a routine that must work on a grid
// without changing the one the user sees (printing removes rows as it goes).
#include <memory>

#include "platform/model/grid/flex_grid.h"
#include "platform/model/grid/flex_grid_cell_format.h"

namespace km::platform {

void flex_grid::copy_from(const flex_grid& other) {
  if (&other == this) return;
  std::vector<row_data> rows;
  rows.reserve(other.rows_.size());
  for (const row_data& from : other.rows_) {
    row_data to;
    to.height = from.height;
    to.merge = from.merge;
    to.cells.reserve(from.cells.size());
    for (const cell& c : from.cells)
      to.cells.push_back(cell{c.text, c.format ? std::make_unique<cell_format>(*c.format) : nullptr});
    rows.push_back(std::move(to));
  }
  rows_ = std::move(rows);
  cols_ = other.cols_;
  fixed_rows_ = other.fixed_rows_;
  fixed_cols_ = other.fixed_cols_;
  row_ = other.row_;
  col_ = other.col_;
  row_sel_ = other.row_sel_;
  col_sel_ = other.col_sel_;
  fill_style_ = other.fill_style_;
  merge_mode_ = other.merge_mode_;
  font_ = other.font_;
  format_string_ = other.format_string_;
  tag_ = other.tag_;
  metrics_ = other.metrics_;
  if (may_notify()) observer_->grid_reset();
}

}  // namespace km::platform
