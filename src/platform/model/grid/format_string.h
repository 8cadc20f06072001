#pragma once
// The parts of a grid format string: "<Name|^ Total|>Mark;|row 1|row 2".
// Texts between "|" are column headings, a leading "<", "^" or ">" sets the
// column's alignment (left, centre, right); after ";" come the headings of
// the rows, in column 0.

#include <QString>
#include <optional>
#include <vector>

#include "platform/model/grid/flex_grid.h"

namespace km::platform {

struct format_column {
  QString text;
  std::optional<grid_alignment> alignment;  // none when no sign leads the text
  bool operator==(const format_column&) const = default;
};

struct parsed_format {
  std::vector<format_column> columns;  // empty when nothing stands before ";"
  std::vector<QString> row_headings;   // rows 0, 1, 2 ... of column 0
};

parsed_format parse_format_string(const QString& format);

}  // namespace km::platform
