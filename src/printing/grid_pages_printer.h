#pragma once
// The paged grid report printer: prints one page of a report grid below the
// page header the caller has printed, or hands the whole grid to the Excel
// export. It stops at a forced page break (a body row whose first cell
// reads "<PAGE>") or when the page is 90 % full (a tall row that would run
// far past that line goes to the next page), removes the body rows it
// printed, and says whether the grid is finished. The caller repeats: page
// header, print_flexgrid_pages, continuation mark and new page, until the
// result is -1.

#include <QString>
#include <optional>

namespace km::platform {
class flex_grid;
}  // namespace km::platform

namespace km {

struct grid_pages_options {
  double left_offset = 0.0;   // x of the table's left edge in twips (replaced when centred, not written back)
  double space_above = 0.0;   // twips added to the printer's y before the table
  QString title;              // printed above the table when not blank
  bool enlarge_rows = false;  // rows x 1.25, row margin 70
  bool centre_table = false;  // centre the table on the page
  bool group_rules = false;   // a column's top rule only where its value changes
  bool single_rule = false;   // one rule above single_rule_row only, no vertical rules
  int single_rule_row = 0;
  bool no_frame = false;
  bool compact_rows = false;       // rows x 0.8, row margin 35 (wins over enlarge_rows)
  int merge_span = 0;              // group size of merged neighbours; raised to at least 1 and written back
  bool no_cell_margin = false;     // cell margin 0
  bool set_page_measures = false;  // at the end, page measures still 0 take the printable size in twips
  std::optional<bool> auto_fit;    // missing: true (written back); fits grids of more than 5 columns
  bool export_to_excel = false;    // export the whole grid to a new workbook instead
};

// Prints one page of the grid (or exports it). Returns -1 when the grid is
// finished (its last row printed, or exported) and 0 when the page ended
// before it (forced break or full page), or when the grid has no rows.
// Every page that ends early has used up at least one body row. The printer
// is left in its character scale with its y below the table.
int print_flexgrid_pages(platform::flex_grid& grid, grid_pages_options& options);

}  // namespace km
