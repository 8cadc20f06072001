// The cells of one row of the grid report printer: rotated headings, cell
// pictures and texts with their fills, split-cell diagonals, fonts and
// alignment.

#include <QImage>
#include <algorithm>
#include <cmath>

#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/cell_text_fit.h"
#include "printing/grid_report_layout.h"
#include "printing/print_drawing.h"
#include "printing/rotated_text.h"
#include "printing/wys_druk_vordering.h"

namespace km::grid_report {

namespace {

using platform::flex_grid;
using platform::print_end;
using platform::printer_object;

const QString line_break = QStringLiteral("\r\n");
// Turned headings shorter than this grow the row to 0.75 of their width,
// longer ones to 0.55.
constexpr int long_heading = 30;

// The first rotated heading of a call drops the pictures of earlier calls
// and makes its row tall enough for the turned texts of the row.
void grow_rotated_row(call_state& call, row_state& row) {
  flex_grid& grid = call.grid;
  reset_progress_window();
  double height = grid.row_height(row.row);
  for (int k = 0; k < grid.cols(); ++k) {
    const QString text = rotated_heading_text(grid.text_matrix(row.row, k));
    const double factor = text.size() < long_heading ? 0.75 : 0.55;
    height = std::max(height, measure_heading_text(text + QStringLiteral("  ")) * factor);
  }
  grid.set_row_height(row.row, int(std::lround(height)));
  row.height = grid.row_height(row.row);
  if (row.row == 0) call.first_height = int(row.height);
}

void print_rotated_heading(call_state& call, row_state& row, int col, const QString& cell) {
  flex_grid& grid = call.grid;
  if (!call.rotated_seen) {
    call.rotated_seen = true;
    grow_rotated_row(call, row);
  }
  row.rotated = true;
  const std::uint32_t back = grid.cell_back_color();
  const double w = measure_heading_text(QStringLiteral("W"));
  const QString text = rotated_heading_text(cell);
  const auto paint = [&](const QString& line, double x) {
    const QImage picture = print_rotated_text(line + QStringLiteral("  "), grid, back);
    grid.set_cell_picture(picture);
    call.printer.paint_picture(picture, x, row.cells_top);
  };
  if (!text.contains(line_break)) {
    const double centre = call.left_margin + call.columns.centres[col];
    paint(text, std::max(centre - w / 2, row.text_x));
    return;
  }
  const QStringList lines = text.split(line_break);
  const qsizetype last = lines.size() - 1;
  for (qsizetype j = 0; j < last; ++j) paint(lines.at(j), row.text_x + call.pad + 2.0 * double(j) * w);
  paint(lines.at(last), row.text_x + 2.0 * double(last) * w);
}

// A picture's own size in twips (a picture without a resolution counts as
// a screen picture of 96 dots per inch).
double natural_twips(int pixels, int dots_per_meter) {
  const double dpi = dots_per_meter > 0 ? dots_per_meter * 0.0254 : 96.0;
  return pixels * platform::twips_per_inch / dpi;
}

// A cell picture scaled, keeping its proportions, into the cell less its
// margins, and centred in it.
void print_cell_picture(call_state& call, row_state& row, int col, const QImage& picture) {
  call.has_pictures = true;
  row.rotated = true;
  double w = natural_twips(picture.width(), picture.dotsPerMeterX());
  double h = natural_twips(picture.height(), picture.dotsPerMeterY());
  const double max_h = row.height - 2 * call.vpad;
  const double max_w = call.width[col] - 2 * call.pad;
  if (h > max_h && h > 0) {
    w = w * max_h / h;
    h = max_h;
  }
  if (w > max_w && w > 0) {
    h = h * max_w / w;
    w = max_w;
  }
  if (w <= 0 || h <= 0) return;
  const double x = row.text_x + call.pad + (call.width[col] - w) / 2;
  call.printer.paint_picture(picture, x, row.cells_top + (row.height - h) / 2, w, h);
}

// The fill of a coloured cell, or the diagonal of a split cell.
void print_fill_or_diagonal(call_state& call, const row_state& row, int col, const QString& trimmed) {
  flex_grid& grid = call.grid;
  printer_object& p = call.printer;
  if (call.options.no_frame || grid.merge_col(col)) return;
  const double x = p.current_x(), y = p.current_y();
  const double left = row.text_x - call.pad;
  const double w = call.width[col];
  const flex_grid::color back = grid.cell_back_color();
  if (back != 0 && col >= grid.fixed_cols()) {
    p.line(left + call.pad / 2, row.row_top + call.vpad / 2, left + w + 1.5 * call.pad,
           row.row_top + row.height + 2 * call.vpad, platform::line_shape::filled_box,
           platform::color_from_bgr(back));
  } else if (col >= 1 && grid.cols() >= 2 && is_split_cell(trimmed)) {
    print_line(left, row.row_top + row.height + call.vpad, left + w + 2 * call.pad, row.row_top);
  }
  p.set_current_x(x);
  p.set_current_y(y);
}

// The split cell's two small letters: one in the upper left triangle, one
// in the lower right.
void print_split_letters(call_state& call, const row_state& row, int col) {
  printer_object& p = call.printer;
  const double size = p.font_size();
  const double y = p.current_y();
  p.set_font_size(size * 0.75);
  p.set_current_x(row.text_x);
  p.set_current_y(row.row_top + call.vpad / 3);
  p.print(QStringLiteral("a"), print_end::stay);
  p.set_current_x(row.text_x + call.width[col] - call.pad);
  p.set_current_y(row.row_top + row.height - call.vpad);
  p.print(QStringLiteral("a"), print_end::stay);
  p.set_font_size(size);
  p.set_current_y(y);
}

void print_text_cell(call_state& call, row_state& row, int col, const QString& text) {
  printer_object& p = call.printer;
  const platform::grid_cell_style style = call.grid.style_at(row.row, col);
  const double x = row.text_x + call.pad;
  const double w = call.width[col];
  p.set_current_x(x);
  const QString trimmed = trim_blanks(text);
  print_fill_or_diagonal(call, row, col, trimmed);
  apply_cell_font(style);
  if (trimmed.isEmpty()) return;
  if (style.back_color != 0) p.set_font_transparent(true);
  move_to_row_text_line(row.text_y, row.height, style.font.size);
  if (is_split_cell(trimmed)) {
    print_split_letters(call, row, col);
    return;
  }
  const double y = p.current_y();
  const cell_placement placement = cell_text_placement(style, call.grid.col_alignment(col));
  if (placement == cell_placement::general && text.contains(line_break)) {
    QString lines = text;
    print_multiline_cell(x, lines, w);
  } else {
    print_placed_cell_text(x, text, w, call.pad, placement);
  }
  if (!call.options.tall_rows) p.set_current_y(y);
}

void plain_style(printer_object& p) {
  platform::print_font font = p.font();
  font.bold = font.underline = font.strikethrough = font.italic = false;
  p.set_font(font);
  p.set_font_transparent(false);
}

}  // namespace

void print_row_cells(call_state& call, row_state& row) {
  flex_grid& grid = call.grid;
  grid.set_row(row.row);
  for (int col = 0; col < grid.cols(); ++col) {
    if (call.width[col] <= 0) continue;  // hidden or merged away: no room taken
    grid.set_col(col);
    const QString text = grid.text_matrix(row.row, col);
    if (is_rotated_heading(trim_blanks(text))) {
      print_rotated_heading(call, row, col, text);
    } else if (const QImage picture = grid.cell_picture(); !picture.isNull()) {
      print_cell_picture(call, row, col, picture);
    } else {
      print_text_cell(call, row, col, text);
    }
    row.text_x += call.width[col] + 2 * call.pad;
    plain_style(call.printer);
  }
}

}  // namespace km::grid_report
