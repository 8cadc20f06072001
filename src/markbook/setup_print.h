#pragma once
// Printing (or exporting) the set-up grid of the set-up window as a titled
// report, page by page.
#include "platform/model/grid/flex_grid.h"

namespace km {

// Sets the title and export name, asks the printer choice and prints a copy
// of the grid, so that the grid the teacher edits keeps every row (the
// printer removes the rows it has printed from the grid it is given).
// Column 1 of the grid on screen becomes 4500 twips wide and stays so. A
// failure is shown as "Print Error = " and its number.
void print_setup_grid(platform::flex_grid& setup_grid);

}  // namespace km
