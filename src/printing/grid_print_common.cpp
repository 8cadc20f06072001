#include "printing/grid_print_common.h"

#include <algorithm>

#include "common/text_routines.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/cell_text_fit.h"

namespace km {

namespace {

using platform::grid_alignment;
using platform::printer;
using platform::scale_unit;

constexpr double landscape_cell_margin = 15.0;
constexpr double portrait_cell_margin = 60.0;

}  // namespace

double grid_cell_margin(bool no_cell_margin) {
  if (no_cell_margin) return 0.0;
  return printer().orientation() == platform::page_orientation::landscape ? landscape_cell_margin
                                                                          : portrait_cell_margin;
}

double one_character_width() { return printer().scale_x(1.0, scale_unit::characters, scale_unit::twips); }

grid_columns measure_grid_columns(const platform::flex_grid& grid, double left_offset, double cell_margin,
                                  hidden_column_room hidden) {
  grid_columns columns;
  const int count = grid.cols();
  columns.widths.reserve(std::size_t(count));
  columns.right_edges.reserve(std::size_t(count));
  columns.centres.reserve(std::size_t(count));
  double x = left_offset;
  for (int c = 0; c < count; ++c) {
    const int width = grid.col_width(c);
    if (width >= 1 || hidden == hidden_column_room::margins) x += width + 2.0 * cell_margin;
    columns.widths.push_back(width);
    columns.right_edges.push_back(x);
    if (c == 0) {
      columns.centres.push_back(width / 2.0 + cell_margin);
    } else {
      const int before = columns.widths[std::size_t(c - 1)];
      columns.centres.push_back(columns.centres.back() + before / 2.0 + width / 2.0 +
                                (before > 0 ? 2.0 * cell_margin : 0.0));
    }
  }
  columns.table_right = std::min(x, printer().scale_width() - one_character_width());
  return columns;
}

double centred_left_offset(const platform::flex_grid& grid, double cell_margin) {
  double total = 0.0;
  for (int c = 0; c < grid.cols(); ++c) total += grid.col_width(c) + 2.0 * cell_margin;
  return std::max((printer().scale_width() - total) / 2.0, one_character_width());
}

bool is_rotated_heading(const QString& trimmed_text) {
  return trimmed_text.startsWith(QStringView(rotated_heading_marker));
}

bool is_split_cell(const QString& trimmed_text) { return trimmed_text == QStringLiteral("a\u00A6a"); }

QString rotated_heading_text(const QString& text) {
  return trim_blanks(QString(text).remove(QStringView(rotated_heading_marker).toString()));
}

void apply_cell_font(const platform::grid_cell_style& style) {
  platform::printer_object& p = printer();
  p.set_font_size(style.font.size);
  p.set_font_name(style.font.name);
  p.set_font_bold(style.font.bold);
  p.set_font_italic(style.font.italic);
  p.set_font_underline(style.font.underline);
  p.set_font_strikethrough(style.font.strikethrough);
  p.set_fore_color(platform::color_from_bgr(style.fore_color));
}

void move_to_row_text_line(double& row_text_y, double row_height, double font_size_points) {
  platform::printer_object& p = printer();
  if (row_text_y == -1.0) {
    p.set_current_y(p.current_y() + row_height - p.scale_y(font_size_points, scale_unit::points));
    row_text_y = p.current_y();
  } else {
    p.set_current_y(row_text_y);
  }
}

cell_placement cell_text_placement(const platform::grid_cell_style& style, grid_alignment column_alignment) {
  const auto is = [&](grid_alignment code) { return style.alignment == code || column_alignment == code; };
  if (is(grid_alignment::center_center)) return cell_placement::centre;
  if (is(grid_alignment::right_center)) return cell_placement::right;
  if (is(grid_alignment::left_bottom)) return cell_placement::left;
  return cell_placement::general;
}

void print_placed_cell_text(double text_x, const QString& text, double column_width, double cell_margin,
                            cell_placement placement) {
  platform::printer_object& p = printer();
  double x = text_x;
  switch (placement) {
    case cell_placement::centre:
      x += (column_width - p.text_width(trim_trailing_blanks(text))) / 2.0;
      break;
    case cell_placement::right:
      x += column_width - p.text_width(trim_trailing_blanks(text)) - right_aligned_gap;
      break;
    case cell_placement::left:
      break;
    case cell_placement::general:
      if (p.text_width(text) > column_width) x -= cell_margin;
      break;
  }
  p.set_current_x(x);
  p.print(fit_text_to_width(text, column_width), platform::print_end::stay);
}

}  // namespace km
