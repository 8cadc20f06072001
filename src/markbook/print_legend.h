#pragma once
// The legend printed below a mark-book print and a symbol distribution:
// "M" (or "P") with the row number, a blank and the task name of every
// named row, each entry padded to a quarter of the print width, four
// entries a line.
#include <QStringList>

#include "markbook/pboek_setup_line.h"

namespace km {

// The entries unpadded, in row order.
QStringList legend_entries(const setup_rows& rows);

// The entries padded (or cut) to entry_width characters, four a line.
QStringList legend_lines(const setup_rows& rows, int entry_width);

}  // namespace km
