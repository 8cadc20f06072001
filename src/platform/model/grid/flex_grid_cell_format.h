#pragma once
// The formats a grid cell can carry of its own; a missing value means the
// grid's (or the column's) default. Shared by the grid's source files only.

#include <QImage>
#include <QString>
#include <optional>

#include "platform/model/grid/flex_grid.h"

namespace km::platform {

struct flex_grid::cell_format {
  std::optional<color> back;
  std::optional<color> fore;
  std::optional<QString> font_name;
  std::optional<double> font_size;
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<bool> strikethrough;
  std::optional<grid_alignment> alignment;
  QImage picture;
};

}  // namespace km::platform
