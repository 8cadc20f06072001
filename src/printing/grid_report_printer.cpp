#include "printing/grid_report_printer.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/column_autofit.h"
#include "printing/excel_export.h"
#include "printing/grid_report_layout.h"
#include "printing/print_drawing.h"
#include "printing/print_variables.h"

namespace km {

namespace {

using grid_report::call_state;
using grid_report::row_state;
using platform::flex_grid;
using platform::printer;
using platform::printer_object;
using platform::scale_unit;

constexpr int done = -1;
constexpr int page_full = 0;

// The whole grid into the export: the one opened by the printer choice, or
// a workbook of its own that is saved at once.
int export_grid(flex_grid& grid, const grid_report_options& o) {
  int heading_rows = o.heading_rows;
  if (g_export_excel) {
    copy_flexgrid_to_excel_sheet(grid, heading_rows, o.rule_every, false);
    return done;
  }
  begin_excel_export();
  if (!g_export_excel) return done;  // the user cancelled the file dialog
  copy_flexgrid_to_excel_sheet(grid, heading_rows, o.rule_every, true);
  (void)save_excel_export();  // a failure has been told to the user
  return done;
}

void print_title(const grid_report_options& o, double left_margin) {
  printer_object& p = printer();
  p.set_scale_mode(scale_unit::characters);
  p.set_font_transparent(false);
  if (trim_blanks(o.title).isEmpty()) return;
  p.set_font_bold(true);
  p.set_font_size(8);
  p.set_current_x(std::max(p.scale_x(left_margin, scale_unit::twips, scale_unit::characters), 2.0));
  p.print(o.title, platform::print_end::stay);
  p.set_font_bold(false);
  p.set_current_y(p.current_y() + 1);
}

// The widths of row r: a merged row joins each run of equal neighbours of
// merged columns into its first column.
void merge_row_widths(call_state& call, int r) {
  const flex_grid& grid = call.grid;
  call.width.assign(call.columns.widths.begin(), call.columns.widths.end());
  if (!grid.merge_row(r)) return;
  for (int c = grid.cols() - 1; c >= 1; --c) {
    if (!grid.merge_col(c) || call.width[c - 1] <= 0 || call.width[c] <= 0) continue;
    if (grid.text_matrix(r, c) != grid.text_matrix(r, c - 1)) continue;
    call.width[c - 1] += call.width[c] + 2 * call.pad;
    call.width[c] = 0;
  }
}

void print_rule_above(call_state& call, int r) {
  const grid_report_options& o = call.options;
  if (r == 0 || r % call.rule_every != 0) return;
  const bool grouped = o.rule_group > 0;
  double start = call.left_margin;
  if (o.rule_start_col >= 0 && o.rule_start_col < call.grid.cols() && grouped && r % o.rule_group != 0)
    start = call.columns.right_edges[o.rule_start_col] - call.columns.widths[o.rule_start_col] - 2 * call.pad;
  const bool thick = grouped && o.thick_group_rules && r % o.rule_group == 0;
  const double y = call.printer.current_y();
  print_line(start, y, call.columns.table_right, y, thick);
}

// The advance below a printed row.
void advance_past_row(call_state& call, const row_state& row) {
  printer_object& p = call.printer;
  p.set_current_y(p.current_y() + (row.rotated ? row.height : call.vpad));
  if (call.options.row_gap != 0)
    p.set_current_y(p.current_y() + call.options.row_gap - call.vpad);
  else if (row.height != call.first_height && !call.has_pictures)
    p.set_current_y(std::max(p.current_y(), p.current_y() + row.height - call.vpad));
  else
    p.print();
}

void print_frame(call_state& call, double bottom) {
  const grid_report_options& o = call.options;
  const flex_grid& grid = call.grid;
  call.printer.set_draw_width(1);
  const double left = call.left_margin, right = call.columns.table_right, top = call.top;
  print_line(left, top, right, top);
  print_line(right, top, right, bottom);
  print_line(left, bottom, right, bottom);
  print_line(left, top, left, bottom);
  // A separator right of each column within the frame; a merged column
  // gets one only where the last row's merge ended a run there.
  for (int c = 0; c + 1 < grid.cols(); ++c) {
    if (o.rule_start_col >= 0 && c < o.rule_start_col) continue;
    const double x = call.columns.right_edges[c];
    const bool wanted = grid.merge_col(c) ? call.width[c] == 0 : call.columns.widths[c] >= 1;
    if (x > 0 && x <= right && wanted) print_line(x, top, x, bottom);
  }
}

void print_page_frame() {
  printer_object& p = printer();
  p.set_scale_mode(scale_unit::characters);
  if (g_print_page_columns == 0) g_print_page_columns = platform::cint(p.scale_width());
  if (g_print_page_lines == 0) g_print_page_lines = float(p.scale_height());
  print_box(0.25, 0.25, g_print_page_columns, g_print_page_lines, true);
}

// The last row that will print: visible, and not a blank row left out.
int last_printed_row(const flex_grid& grid, const grid_report_options& o) {
  for (int r = grid.rows() - 1; r >= 0; --r) {
    if (grid.row_height(r) == 0) continue;
    if (o.skip_blank_rows && trim_blanks(grid.text_matrix(r, 0)).isEmpty()) continue;
    return r;
  }
  return -1;
}

// Removes the printed rows below the heading rows, `first` to `last`.
void remove_printed_rows(flex_grid& grid, int first, int last) {
  for (int i = first; i <= last; ++i) {
    try {
      grid.remove_item(first);
    } catch (const platform::grid_error&) {
      return;
    }
  }
}

// Prints the rows that fit. The last row printed when the page ended
// before the grid did; nothing when every row has been printed.
std::optional<int> print_rows(call_state& call) {
  flex_grid& grid = call.grid;
  grid_report_options& o = call.options;
  printer_object& p = call.printer;
  const double limit = p.scale_height() * (o.short_page ? 0.85 : 0.9);
  // Rows from here on are body rows: printed once and removed at a page end.
  const int first_body = call.heading_rows;
  const int last = last_printed_row(grid, o);
  int body_rows = 0;
  bool keep_break = false;
  for (int r = 0; r <= last; ++r) {
    row_state row;
    row.row = r;
    row.height = grid.row_height(r);
    if (row.height == 0) continue;
    if (o.skip_blank_rows && trim_blanks(grid.text_matrix(r, 0)).isEmpty()) continue;

    if (!o.no_row_rules) print_rule_above(call, r);
    row.row_top = std::max(p.current_y(), call.top);
    if (!o.no_row_rules || r == 0) p.set_current_y(p.current_y() + call.vpad);
    row.cells_top = p.current_y();
    row.text_x = call.left_margin + call.pad;
    merge_row_widths(call, r);
    grid_report::print_row_cells(call, row);
    advance_past_row(call, row);
    if (r >= first_body) ++body_rows;
    if (r == last) return std::nullopt;

    if (!o.no_keep_check && o.keep_rows > 0 && (r + 1) % o.keep_rows == 0 &&
        p.current_y() + (row.height + 2 * call.vpad) * o.keep_rows > limit)
      keep_break = true;
    if (o.no_page_break || body_rows == 0) continue;  // a page end needs a printed body row
    if (((r + 1) % call.rule_every == 0 || keep_break) && (p.current_y() >= limit || keep_break)) {
      if (keep_break) g_print_new_document = true;
      return r;
    }
  }
  return std::nullopt;
}

// The saved row heights, scaled for tall or short rows.
std::vector<int> scale_rows(flex_grid& grid, const grid_report_options& o) {
  std::vector<int> heights(std::size_t(grid.rows()));
  for (int r = 0; r < grid.rows(); ++r) {
    heights[r] = grid.row_height(r);
    if (o.tall_rows) grid.set_row_height(r, int(std::lround(heights[r] * 1.2)));
    if (o.short_rows) grid.set_row_height(r, int(std::lround(grid.row_height(r) * 0.8)));
  }
  return heights;
}

int print_grid(flex_grid& grid, grid_report_options& o) {
  printer_object& p = printer();
  call_state call(grid, o, p);
  call.pad = grid_cell_margin(o.no_cell_margin);
  if (grid.cols() > 5 && o.fit_columns) {
    if (!o.last_fit_col) o.last_fit_col = grid.cols();
    autofit_flexgrid_columns(grid, call.pad, call.left_margin, *o.last_fit_col);
  }
  // Heading rows are never fewer than the fixed rows, which cannot be removed.
  call.heading_rows = std::max(o.heading_rows == 0 ? grid.fixed_rows() : o.heading_rows, grid.fixed_rows());
  call.rule_every = std::max(o.rule_every, 1);
  if (!o.last_fit_col) o.last_fit_col = grid.cols();
  call.vpad = o.short_rows ? 35 : o.tall_rows ? 70 : 45;
  if (grid.rows() == 0) return done;  // nothing is drawn, not even the title

  grid.refresh();
  p.set_font_size(grid.font().size);
  p.set_font_name(grid.font().name);
  print_title(o, call.left_margin);
  p.set_scale_mode(scale_unit::twips);
  if (grid.cols() > 1) o.skip_blank_rows = false;
  grid.set_redraw(false);
  call.first_height = grid.row_height(0);
  if (o.centre_grid) call.left_margin = centred_left_offset(grid, call.pad);
  call.columns = measure_grid_columns(grid, call.left_margin, call.pad, hidden_column_room::none);
  if (o.start_y == 0)
    p.set_current_y(p.current_y() + o.top_gap);
  else
    p.set_current_y(o.start_y);
  call.top = p.current_y();
  const std::vector<int> heights = scale_rows(grid, o);

  const std::optional<int> page_end = print_rows(call);
  const double bottom = p.current_y();
  if (!o.no_frame) print_frame(call, bottom);
  // The caller's geometry comes back before any row goes.
  for (int r = 0; r < grid.rows(); ++r)
    if (grid.row_height(r) != heights[r]) grid.set_row_height(r, heights[r]);
  if (page_end) remove_printed_rows(grid, call.heading_rows, *page_end);
  if (o.page_frame) print_page_frame();
  p.set_scale_mode(scale_unit::characters);
  p.set_current_y(bottom / platform::twips_per_character_y);
  grid.set_redraw(true);
  return page_end ? page_full : done;
}

}  // namespace

int print_flexgrid(flex_grid& grid, grid_report_options& options) {
  if (g_export_excel || options.to_excel) return export_grid(grid, options);
  return print_grid(grid, options);
}

}  // namespace km
