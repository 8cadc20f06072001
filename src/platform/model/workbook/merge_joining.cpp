#include <QHash>
#include <algorithm>

#include "platform/model/workbook/merge_index.h"
#include "platform/model/workbook/worksheet_data.h"

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
// Ranges are found through the rows they touch, so a report that merges in
// many rows costs no more per merge than one that merges in few.
std::vector<cell_range> join_overlapping(const std::vector<cell_range>& ranges) {
  std::vector<cell_range> joined;
  std::vector<bool> alive;
  QHash<int, std::vector<int>> by_row;
  auto overlapping = [&](const cell_range& r) {
    for (int row = r.first_row; row <= r.last_row; ++row) {
      auto it = by_row.constFind(row);
      if (it == by_row.constEnd()) continue;
      for (int i : *it)
        if (alive[i] && overlap(joined[i], r)) return i;
    }
    return -1;
  };
  for (const cell_range& given : ranges) {
    cell_range r = given;
    for (int i = overlapping(r); i >= 0; i = overlapping(r)) {
      alive[i] = false;
      r = bounding(joined[i], r);
    }
    joined.push_back(r);
    alive.push_back(true);
    for (int row = r.first_row; row <= r.last_row; ++row) by_row[row].push_back(int(joined.size()) - 1);
  }
  std::vector<cell_range> result;
  for (size_t i = 0; i < joined.size(); ++i)
    if (alive[i]) result.push_back(joined[i]);
  std::sort(result.begin(), result.end(), [](const cell_range& a, const cell_range& b) {
    return a.first_row != b.first_row ? a.first_row < b.first_row : a.first_column < b.first_column;
  });
  return result;
}

}  // namespace

void worksheet::merge(const cell_range& range) { d_->merges.push_back(ordered(range)); }

std::vector<cell_range> worksheet::merges() const { return join_overlapping(d_->merges); }

merge_index::merge_index(const std::vector<cell_range>& merges) {
  for (const cell_range& m : merges) {
    if (m.single_cell()) continue;
    merges_.push_back(m);
    first_row_ = merges_.size() == 1 ? m.first_row : std::min(first_row_, m.first_row);
    last_row_ = std::max(last_row_, m.last_row);
    for (int row = m.first_row; row <= m.last_row; ++row) by_row_[row].push_back(int(merges_.size()) - 1);
  }
}

const cell_range* merge_index::find(int row, int column) const {
  if (row < first_row_ || row > last_row_) return nullptr;
  auto it = by_row_.constFind(row);
  if (it == by_row_.constEnd()) return nullptr;
  for (int i : *it)
    if (merges_[i].contains(row, column)) return &merges_[i];
  return nullptr;
}

bool merge_index::covered(int row, int column) const {
  const cell_range* m = find(row, column);
  return m && (row != m->first_row || column != m->first_column);
}

}  // namespace km::platform
