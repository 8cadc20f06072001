#include "printing/grid_cell_rendering.h"

#include <QStringList>
#include <algorithm>

#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/value.h"
#include "printing/cell_text_fit.h"
#include "printing/grid_print_common.h"
#include "printing/print_drawing.h"
#include "printing/rotated_text.h"
#include "printing/wys_druk_vordering.h"

namespace km {

namespace {

using platform::flex_grid;
using platform::print_end;
using platform::printer;

const QString cell_line_break = QStringLiteral("\r\n");

// The size of a picture a cell holds, as printed.
constexpr double cell_picture_width = 375.0;
constexpr double cell_picture_height = 495.0;

// Line feeds without their carriage return get one.
QString with_full_line_breaks(const QString& text) {
  if (!text.contains(u'\n')) return text;
  QString result;
  result.reserve(text.size() + 8);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i) == u'\n' && (i == 0 || text.at(i - 1) != u'\r')) result += u'\r';
    result += text.at(i);
  }
  return result;
}

// The first heading on its side in a call makes its row tall enough for
// the widest heading text of the row.
void fit_heading_row_height(flex_grid& grid, const grid_page_row& row, grid_page_call& call) {
  reset_progress_window();
  int height = grid.row_height(row.row);
  for (int k = 1; k < grid.cols(); ++k)
    height =
        std::max(height, int(platform::round_half_even(measure_heading_text(grid.text_matrix(row.row, k)))));
  grid.set_row_height(row.row, height);
  if (row.row == 0) call.reference_height = height;
}

// A heading on its side: each line (split at CR LF, every line kept) gets a
// picture of its own, painted two "W" further right than the line before.
void print_rotated_heading(flex_grid& grid, const QString& text, double x, double column) {
  const QString heading = rotated_heading_text(text);
  const double w = measure_heading_text(QStringLiteral("W"));
  const flex_grid::color back = grid.cell_back_color();
  const double y = printer().current_y();
  if (!heading.contains(cell_line_break)) {
    const QImage picture = print_rotated_text(QStringLiteral("  ") + heading, grid, back);
    grid.set_cell_picture(picture);
    printer().paint_picture(picture, std::max(column - w / 2.0, x), y);
    return;
  }
  const QStringList lines = heading.split(cell_line_break);
  for (qsizetype n = 0; n < lines.size(); ++n) {
    const QImage picture = print_rotated_text(QStringLiteral("  ") + lines.at(n), grid, back);
    grid.set_cell_picture(picture);
    printer().paint_picture(picture, x + 2.0 * double(n) * w, y);
  }
}

// The split cell "a¦a": a small "a" in its upper left and its lower right
// half.
void print_split_cell(const grid_page_row& row, double x, double width, double font_size) {
  platform::printer_object& p = printer();
  const double y = p.current_y();
  p.set_current_x(x + row.cell_margin);
  p.set_current_y(row.top + row.row_margin / 2.0);
  p.set_font_size(font_size * 0.75);
  p.print(QStringLiteral("a"), print_end::line_end);
  p.set_current_x(x + width - 1.5 * row.cell_margin);
  p.set_current_y(row.top + row.height - row.row_margin / 2.0);
  p.print(QStringLiteral("a"), print_end::line_end);
  p.set_current_y(y);
  p.set_font_size(font_size);
}

// A cell holding text (or nothing): its font, its text on the row's line.
void print_text_cell(flex_grid& grid, const grid_page_row& row, int col, double x, double& row_text_y,
                     grid_row_text& found) {
  platform::printer_object& p = printer();
  const platform::grid_cell_style style = grid.style_at(row.row, col);
  const double width = grid.col_width(col);
  apply_cell_font(style);
  p.set_current_x(x + row.cell_margin);
  QString text = grid.text_matrix(row.row, col);
  const QString trimmed = trim_blanks(text);
  if (!trimmed.isEmpty()) {
    const QString full = with_full_line_breaks(text);
    if (full != text) {
      grid.set_text_matrix(row.row, col, full);
      text = full;
    }
    move_to_row_text_line(row_text_y, row.height, style.font.size);
    if (style.back_color != 0) p.set_font_transparent(true);
    const double y = p.current_y();
    if (is_split_cell(trimmed)) {
      print_split_cell(row, x, width, style.font.size);
    } else {
      const cell_placement placement = cell_text_placement(style, grid.col_alignment(col));
      if (placement == cell_placement::general && text.contains(QStringLiteral("~NL~")))
        found.multiline_bottom = print_multiline_cell(p.current_x(), text, width);
      else
        print_placed_cell_text(p.current_x(), text, width, row.cell_margin, placement);
      if (!row.enlarge_rows) p.set_current_y(y);
    }
  }
  p.set_font_bold(false);
  p.set_font_underline(false);
  p.set_font_strikethrough(false);
  p.set_font_italic(false);
  p.set_font_transparent(false);
}

}  // namespace

void fill_grid_row(flex_grid& grid, const grid_page_row& row) {
  double left = row.left_offset;
  for (int c = 0; c < grid.cols(); ++c) {
    const double right = left + grid.col_width(c) + 2.0 * row.cell_margin;
    const platform::grid_cell_style style = grid.style_at(row.row, c);
    if (style.back_color != 0 && c >= grid.fixed_cols())
      printer().line(left, row.top + row.row_margin / 2.0, right, row.fill_bottom,
                     platform::line_shape::filled_box, platform::color_from_bgr(style.back_color));
    if (is_split_cell(trim_blanks(grid.text_matrix(row.row, c))))
      print_line(left, row.top + row.height + row.row_margin, right, row.top);
    left = right;
  }
}

void merge_grid_row(flex_grid& grid, const grid_page_row& row, int merge_span) {
  if (!grid.merge_row(row.row)) return;
  for (int c = grid.cols() - 1; c >= 1; --c) {
    const QString text = grid.text_matrix(row.row, c);
    const QString before = grid.text_matrix(row.row, c - 1);
    if (grid.col_width(c) >= 1 && grid.col_width(c - 1) >= 1 && text == before) {
      grid.set_col_width(c - 1, int(grid.col_width(c - 1) + grid.col_width(c) + 2.0 * row.cell_margin));
      grid.set_col_width(c, 0);
    }
    if (merge_span != 1 && !text.isEmpty() && !before.isEmpty()) c -= merge_span - 1;
  }
}

grid_row_text print_grid_row_texts(flex_grid& grid, grid_page_row row, grid_page_call& call) {
  grid_row_text found;
  double x = row.left_offset;
  double row_text_y = -1.0;
  for (int c = 0; c < grid.cols(); ++c) {
    const int width = grid.col_width(c);
    if (width == 0) continue;
    grid.set_row(row.row);
    grid.set_col(c);
    const QString text = grid.text_matrix(row.row, c);
    if (is_rotated_heading(trim_blanks(text))) {
      found.picture_row = true;
      if (!call.rotated_heading_seen) {
        call.rotated_heading_seen = true;
        fit_heading_row_height(grid, row, call);
        row.height = grid.row_height(row.row);
      }
      print_rotated_heading(grid, text, x, call.centres.at(std::size_t(c)));
    } else if (const QImage picture = grid.cell_picture(); !picture.isNull()) {
      printer().paint_picture(picture, x, printer().current_y(), cell_picture_width, cell_picture_height);
      found.picture_row = true;
    } else {
      print_text_cell(grid, row, c, x, row_text_y, found);
    }
    x += width + 2.0 * row.cell_margin;
  }
  return found;
}

}  // namespace km
