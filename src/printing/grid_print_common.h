#pragma once
// What the two report grid printers (the paged printer and the report
// printer) do alike: the cell margin from the page's orientation, the
// columns' geometry, centring the table, the cell markers, the printer font
// of a cell, the line all texts of a row stand on, and the placement of a
// cell text by its alignment. Lengths are twips; the printer is expected in
// its twips scale.

#include <QString>
#include <vector>

#include "platform/model/grid/flex_grid.h"

namespace km {

// The gap between a right-aligned text and its column's right edge, in
// every orientation and whatever the cell margin.
inline constexpr double right_aligned_gap = 60.0;

// The horizontal space on each side of every column: 15 twips on a
// landscape page, 60 on a portrait one, 0 when the caller wants none.
double grid_cell_margin(bool no_cell_margin);

// One character of the character scale, in twips.
double one_character_width();

// How a hidden column (width 0) counts in the column edges: with its two
// margins, or not at all.
enum class hidden_column_room { margins, none };

struct grid_columns {
  std::vector<int> widths;          // the column widths as found
  std::vector<double> right_edges;  // x of each column's right edge, margins included
  // The centre of each column measured from the table's left edge without
  // the left offset; the margins between two columns count only after a
  // visible column.
  std::vector<double> centres;
  // The last right edge, but no further than the printable width less one
  // character: a wider table's rules and frame stop there.
  double table_right = 0.0;
};

// The geometry of the grid's columns for a table whose left edge is at
// `left_offset`.
grid_columns measure_grid_columns(const platform::flex_grid& grid, double left_offset, double cell_margin,
                                  hidden_column_room hidden);

// The left offset that centres the table (every column with its margins)
// on the page; at least one character.
double centred_left_offset(const platform::flex_grid& grid, double cell_margin);

// Cell markers, tested on the trimmed text: a heading printed on its side
// begins with "~~R~~"; a split cell is exactly "a¦a".
inline constexpr char16_t rotated_heading_marker[] = u"~~R~~";
bool is_rotated_heading(const QString& trimmed_text);
bool is_split_cell(const QString& trimmed_text);
// A rotated heading's text: every marker removed, then trimmed.
QString rotated_heading_text(const QString& text);

// The printer's font and fore colour from the cell's style.
void apply_cell_font(const platform::grid_cell_style& style);

// All printed texts of a row share one line, placed by the first: for it
// (row_text_y still -1) the printer's y moves down by the row height less
// the font size and row_text_y takes that y; every later cell moves the
// printer's y to row_text_y.
void move_to_row_text_line(double& row_text_y, double row_height, double font_size_points);

// Where a cell's text goes in its column, from the cell's alignment or its
// column's (either one matching is enough; centre is tried first, then
// right, then left bottom).
enum class cell_placement { centre, right, left, general };
cell_placement cell_text_placement(const platform::grid_cell_style& style,
                                   platform::grid_alignment column_alignment);

// Prints the text, fitted to `column_width`, at the printer's current y in
// a column whose text area starts at `text_x`: centred, ending
// right_aligned_gap before the column's end, at `text_x`, or (general) at
// `text_x` moved left by the cell margin when the text is wider than the
// column. The centred and right placements measure the text without its
// trailing blanks. No line feed.
void print_placed_cell_text(double text_x, const QString& text, double column_width, double cell_margin,
                            cell_placement placement);

}  // namespace km
