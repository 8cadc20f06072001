// Which cells a grid shows as one. Runs across a row come first; a cell
// that belongs to one is left out of the runs down a column, so the blocks
// never overlap (a view can only show rectangles).

#include <vector>

#include "platform/model/grid/flex_grid.h"
#include "platform/model/grid/flex_grid_cell_format.h"

namespace km::platform {

std::vector<grid_range> flex_grid::merged_ranges() const {
  std::vector<grid_range> blocks;
  if (merge_mode_ == merge_mode::never || rows() == 0 || cols() == 0) return blocks;
  const bool restrict_across =
      merge_mode_ == merge_mode::restrict_columns || merge_mode_ == merge_mode::restrict_all;
  const bool restrict_down =
      merge_mode_ == merge_mode::restrict_rows || merge_mode_ == merge_mode::restrict_all;
  const int nr = rows(), nc = cols();
  auto text = [&](int r, int c) -> const QString& { return rows_[r].cells[c].text; };
  // Whether two neighbouring cells may join: equal, non-empty, and on the
  // same side of the fixed edge.
  auto joinable = [&](int r1, int c1, int r2, int c2) {
    if ((r1 < fixed_rows_) != (r2 < fixed_rows_) || (c1 < fixed_cols_) != (c2 < fixed_cols_)) return false;
    return !text(r1, c1).isEmpty() && text(r1, c1) == text(r2, c2);
  };

  // joined_left[r][c]: cell (r, c) is one with (r, c - 1).
  std::vector<std::vector<char>> joined_left(nr, std::vector<char>(nc, 0));
  std::vector<std::vector<char>> in_row_run(nr, std::vector<char>(nc, 0));
  for (int r = 0; r < nr; ++r) {
    if (!rows_[r].merge) continue;
    for (int c = 1; c < nc; ++c) {
      if (!joinable(r, c - 1, r, c)) continue;
      if (restrict_across && r > 0 && !joined_left[r - 1][c]) continue;
      joined_left[r][c] = 1;
    }
    for (int c = 0; c < nc;) {
      int end = c + 1;
      while (end < nc && joined_left[r][end]) ++end;
      if (end - c > 1) {
        blocks.push_back({r, c, 1, end - c});
        for (int k = c; k < end; ++k) in_row_run[r][k] = 1;
      }
      c = end;
    }
  }

  // joined_up[r][c]: cell (r, c) is one with (r - 1, c).
  std::vector<std::vector<char>> joined_up(nr, std::vector<char>(nc, 0));
  for (int c = 0; c < nc; ++c) {
    if (!cols_[c].merge) continue;
    for (int r = 1; r < nr; ++r) {
      if (in_row_run[r][c] || in_row_run[r - 1][c] || !joinable(r - 1, c, r, c)) continue;
      if (restrict_down && c > 0 && !joined_up[r][c - 1]) continue;
      joined_up[r][c] = 1;
    }
    for (int r = 0; r < nr;) {
      int end = r + 1;
      while (end < nr && joined_up[end][c]) ++end;
      if (end - r > 1) blocks.push_back({r, c, end - r, 1});
      r = end;
    }
  }
  return blocks;
}

}  // namespace km::platform
