#pragma once
// The legend under the printed mark book and symbol distribution.
#include "markbook/pboek_setup_line.h"

namespace km {

// The legend of the named task rows below the grid just printed: four
// entries a line, each a quarter of the usable width in characters of the
// font the grid left behind. In an export the lines go into the worksheet,
// starting two rows below the grid.
void print_task_legend(const setup_rows& rows);

}  // namespace km
