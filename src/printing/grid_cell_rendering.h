#pragma once
// The drawing of one row of a report grid by the paged grid printer, in
// three passes over its columns: the fill pass (cell back colours and the
// diagonal of split cells), the merge pass (equal neighbour cells of a merge
// row joined into one for this row) and the text pass (fonts, alignment,
// multi-line texts, headings on their side and cell pictures). Lengths are
// twips; the printer is in its twips scale.

#include <vector>

namespace km::platform {
class flex_grid;
}  // namespace km::platform

namespace km {

// The geometry of the row being printed.
struct grid_page_row {
  int row = 0;
  double top = 0.0;          // y of the row's top rule
  double height = 0.0;       // the row's height as it now stands
  double row_margin = 60.0;  // vertical space above and below the text
  double cell_margin = 60.0;
  double left_offset = 0.0;  // x of the table's left edge
  double fill_bottom = 0.0;  // lower edge of cell fills
  bool enlarge_rows = false;
};

// What lasts for one call of the paged printer.
struct grid_page_call {
  // Column centres measured from the table's left edge without the offset.
  std::vector<double> centres;
  bool rotated_heading_seen = false;  // the first one measures the heading row
  double reference_height = 0.0;      // the height rows are compared with
};

// What the text pass found out about the row.
struct grid_row_text {
  bool picture_row = false;       // a heading on its side or a cell picture was painted
  double multiline_bottom = 0.0;  // y of the last line of the row's last multi-line cell; 0: none
};

// Fills the cells that have a back colour (fixed columns excepted) and
// draws the diagonal of split cells. Hidden columns still take their
// margins.
void fill_grid_row(platform::flex_grid& grid, const grid_page_row& row);

// In a merge row, joins each run of equal neighbour texts into its first
// column (the others get width 0); with merge_span above 1 the comparison
// jumps on merge_span columns after each pair. The caller puts the widths
// back after the row.
void merge_grid_row(platform::flex_grid& grid, const grid_page_row& row, int merge_span);

// Prints the row's cells from the printer's current y (the row's text
// start): texts on one shared line, headings on their side, pictures. The
// printer's y is left on the row's text line (unchanged when nothing was
// printed). The first heading on its side of the call makes its row taller
// (the caller reads the row's height again afterwards).
grid_row_text print_grid_row_texts(platform::flex_grid& grid, grid_page_row row, grid_page_call& call);

}  // namespace km
