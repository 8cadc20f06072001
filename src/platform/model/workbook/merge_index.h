#pragma once
// The merges of a sheet looked up by cell, for the writer and the auto-fits
// that visit every cell: each row keeps the merges that touch it.

#include <QHash>
#include <vector>

#include "platform/model/workbook/workbook.h"

namespace km::platform {

class merge_index {
 public:
  // The merges as they are written (joined; a merge of one cell is none).
  explicit merge_index(const std::vector<cell_range>& merges);
  // The merge that holds the cell; nullptr when none does.
  const cell_range* find(int row, int column) const;
  // True when the cell lies in a merge but is not its top-left cell: a
  // merged range shows that cell's value only.
  bool covered(int row, int column) const;

 private:
  std::vector<cell_range> merges_;
  QHash<int, std::vector<int>> by_row_;  // row -> numbers of the merges touching it
  // The rows the merges span, so that the many cells outside them (a
  // report merges only its headings) are answered without the table.
  int first_row_ = 0;
  int last_row_ = -1;
};

}  // namespace km::platform
