#pragma once
// The working values of one call of the grid report printer, shared by its
// row machine (grid_report_printer.cpp) and its cell drawing
// (grid_report_cells.cpp). Lengths are twips.

#include <vector>

#include "printing/grid_print_common.h"
#include "printing/grid_report_printer.h"

namespace km::platform {
class flex_grid;
class printer_object;
}  // namespace km::platform

namespace km::grid_report {

struct call_state {
  call_state(platform::flex_grid& g, grid_report_options& o, platform::printer_object& p)
      : grid(g), options(o), printer(p), left_margin(o.left_margin) {}

  platform::flex_grid& grid;
  grid_report_options& options;
  platform::printer_object& printer;

  // The options the caller passes by value, as this call uses them.
  double left_margin = 0;  // replaced when the grid is centred
  int heading_rows = 0;    // at least the grid's fixed rows
  int rule_every = 1;      // at least 1

  double pad = 0;   // horizontal cell margin
  double vpad = 0;  // vertical cell margin

  // Column geometry from the widths as found; hidden columns take no room.
  grid_columns columns;
  double top = 0;  // the table's top

  // The widths of the row in hand: merged runs widen their first column
  // and leave the others at 0.
  std::vector<double> width;

  int first_height = 0;  // row 0's height, or its height grown for rotated headings
  bool rotated_seen = false;
  bool has_pictures = false;
};

// What the cell drawing needs of the row in hand and tells back.
struct row_state {
  int row = 0;
  double height = 0;     // the row's height as printed
  double row_top = 0;    // y of the rule above the row
  double cells_top = 0;  // y where the row's cells begin (below the vertical margin)
  double text_x = 0;     // left edge of the current column plus the margin
  double text_y = -1;    // the y all texts of the row stand on; -1 until the first text
  bool rotated = false;  // a rotated heading or a picture is in the row
};

// Draws the cells of one row, left to right.
void print_row_cells(call_state& call, row_state& row);

}  // namespace km::grid_report
