#include <algorithm>

#include "platform/ui/workbook/worksheet_data.h"

namespace km::platform {

namespace {

bool overlap(const cell_range& a, const cell_range& b) {
  return a.first_row <= b.last_row && b.first_row <= a.last_row && a.first_column <= b.last_column &&
         b.first_column <= a.last_column;
}

cell_range bounding(const cell_range& a, const cell_range& b) {
  return {std::min(a.first_row, b.first_row), std::min(a.first_column, b.first_column),
          std::max(a.last_row, b.last_row), std::max(a.last_column, b.last_column)};
}

// A merge over cells already merged takes in the whole of the earlier merge,
// as a spreadsheet program widens it; the joined range may then reach
// further merges, so joining goes on until no two ranges share a cell.
std::vector<cell_range> join_overlapping(std::vector<cell_range> ranges) {
  std::vector<cell_range> joined;
  for (const cell_range& given : ranges) {
    cell_range r = given;
    for (bool grown = true; grown;) {
      grown = false;
      for (auto it = joined.begin(); it != joined.end(); ++it)
        if (overlap(*it, r)) {
          r = bounding(*it, r);
          joined.erase(it);
          grown = true;
          break;
        }
    }
    joined.push_back(r);
  }
  std::sort(joined.begin(), joined.end(), [](const cell_range& a, const cell_range& b) {
    return a.first_row != b.first_row ? a.first_row < b.first_row : a.first_column < b.first_column;
  });
  return joined;
}

}  // namespace

void worksheet::merge(const cell_range& range) { d_->merges.push_back(ordered(range)); }

std::vector<cell_range> worksheet::merges() const { return join_overlapping(d_->merges); }

}  // namespace km::platform
