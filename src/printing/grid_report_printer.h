#pragma once
// The grid report printer: one page of a filled report grid printed below
// whatever the caller already put on the page, or the whole grid handed to
// the Excel export instead.
//
// Paging works by consumption. Each call prints rows from the top of the
// grid until the page is full, removes the rows it printed (all but the
// heading rows, which so print again at the top of every page) and answers
// 0; the caller starts a new page, prints its page header and calls again,
// until a call answers -1: the last row has been printed, the grid is empty
// or it went to Excel. The printer never starts a page, never prints a page
// header and never ends the job.
//
// Cell texts: a text starting with "~~R~~" is a heading turned on its side;
// "a¦a" is a cell split by a diagonal with a small "a" in each half; a CR LF
// breaks the line (and "~NL~" too in a cell that also holds a CR LF). A
// cell picture is scaled into its cell. Lengths are twips.

#include <QString>
#include <optional>

namespace km::platform {
class flex_grid;
}

namespace km {

// The options of a call. The defaults are what every report passes; the
// caller sets left_margin. Only the members marked "written back" are
// changed by the call; the others keep the caller's values, so one options
// value serves every page of a report.
struct grid_report_options {
  double left_margin = 0;  // left edge of the grid; centre_grid replaces it for the call
  double top_gap = 0;      // added below the print position before the first row when start_y is 0
  QString title;           // printed bold above the grid when not blank
  bool tall_rows = false;  // rows 1.2 times as high, vertical cell margin 70
  int heading_rows = 0;    // rows kept on every page; 0: the grid's fixed rows (never fewer than those)
  bool centre_grid = false;
  bool no_row_rules = false;
  int rule_every = 1;   // a rule above every n-th row, and the rows the page-full test waits for; 0 acts as 1
  int rule_group = -1;  // with rule_start_col: shortened rules between groups; with thick_group_rules: thick
                        // ones at them; -1 off
  int rule_start_col =
      -1;                // column the shortened rules start at, and the first column with a separator; -1 off
  int keep_rows = 9999;  // rows kept together on one page; 0 or less: no keep-together test
  bool no_cell_margin = false;   // horizontal cell margin 0
  bool no_frame = false;         // no fills, diagonals, frame or column separators
  bool short_rows = false;       // rows 0.8 times as high, vertical cell margin 35
  double start_y = 0;            // y of the first row; 0: the print position plus top_gap
  bool skip_blank_rows = false;  // leave out rows whose first cell is blank; written back false for a grid of
                                 // more than one column
  bool no_page_break = false;    // print every row in one call
  double row_gap = 0;            // when not 0, the advance after each row
  bool no_keep_check = false;    // skip the keep-together test
  bool thick_group_rules = false;  // see rule_group
  std::optional<int>
      last_fit_col;          // last column the auto-fit fits; written back: the column count when missing
  bool page_frame = false;   // a bold frame around the whole page
  bool short_page = false;   // the page is full at 85 % of its height instead of 90 %
  bool fit_columns = false;  // fit the columns to their texts first (grids of more than 5 columns)
  bool to_excel = false;     // export the grid to a new workbook instead of printing
};

// Prints one page of the grid; 0 when the page is full and rows remain
// (the printed rows are gone from the grid), -1 when done. Every answer 0
// has printed and removed at least one row below the heading rows. The
// printer is left in the character scale with its print position just
// below the grid.
int print_flexgrid(platform::flex_grid& grid, grid_report_options& options);

}  // namespace km
