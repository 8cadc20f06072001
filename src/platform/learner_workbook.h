#pragma once
// Reading the learner list a school keeps as a workbook: the cells of
// columns A and B of the first worksheet, from row 2 (row 1 is a heading)
// to its last row. The kind of file is told by its first bytes, never by
// its name: an old .xls workbook (D0 CF 11 E0 A1 B1 1A E1) or a zip
// container (.xlsx, 50 4B 03 04).
#include <QString>
#include <optional>
#include <vector>

#include "platform/value.h"

namespace km::platform {

struct learner_cells {
  // Empty, a number, a text or a Boolean; null for a cell that cannot be
  // read (an error value, a formula without its stored result, a text the
  // file lost). A formula cell gives the result the workbook stored with it.
  Value a;
  Value b;
};

// Rows 2, 3, ... of the first worksheet (a missing row reads as two empty
// cells); nullopt for a file that is not a workbook this reader knows, or
// is damaged. Dates come as their serial number.
std::optional<std::vector<learner_cells>> read_learner_workbook(const QString& win_path);

}  // namespace km::platform
