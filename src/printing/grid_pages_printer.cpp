#include "printing/grid_pages_printer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/value.h"
#include "printing/column_autofit.h"
#include "printing/excel_export.h"
#include "printing/grid_cell_rendering.h"
#include "printing/grid_print_common.h"
#include "printing/print_drawing.h"
#include "printing/print_variables.h"

namespace km {

namespace {

using platform::flex_grid;
using platform::printer;
using platform::scale_unit;

constexpr int fit_above_columns = 5;
constexpr double page_full_share = 0.9;

// The whole grid into the workbook of an export under way, or into a new
// one that is saved at once. True when the grid went to Excel.
bool export_grid(flex_grid& grid, const grid_pages_options& options) {
  int heading_rows = 0;
  if (g_export_excel) {
    copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
    return true;
  }
  if (!options.export_to_excel) return false;
  begin_excel_export();
  if (current_excel_sheet() != nullptr) {  // not cancelled
    copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, true);
    save_excel_export();
  }
  return true;
}

void print_title(const QString& title, double left_offset) {
  if (trim_blanks(title).isEmpty()) return;
  platform::printer_object& p = printer();
  p.set_font_bold(true);
  p.set_font_size(8);
  p.set_current_x(std::max(p.scale_x(left_offset, scale_unit::twips, scale_unit::characters), 1.0));
  p.print(title, platform::print_end::stay);
  p.set_font_bold(false);
  p.set_current_y(p.current_y() + 1);
}

// One page of a grid: the table's geometry and the state of its rows.
class grid_page {
 public:
  grid_page(flex_grid& grid, grid_pages_options& options, double cell_margin)
      : grid_(grid), options_(options), cell_margin_(cell_margin) {}

  int print();

 private:
  void scale_rows();
  void draw_top_rule(int r);
  bool print_row(int r);
  void draw_vertical_rules(const grid_page_row& row);
  void remove_printed_rows(int last_printed);
  void draw_frame(double bottom);
  void restore_grid();

  flex_grid& grid_;
  grid_pages_options& options_;
  double cell_margin_;
  double row_margin_ = 60.0;
  double left_ = 0.0;
  double table_top_ = 0.0;
  grid_columns columns_;
  grid_page_call call_;
  std::vector<int> saved_heights_;  // each remaining row's height as found, in row order
};

// Every row's height as found is kept, then scaled as asked.
void grid_page::scale_rows() {
  saved_heights_.clear();
  saved_heights_.reserve(std::size_t(grid_.rows()));
  double factor = 1.0;
  if (options_.enlarge_rows) {
    factor = 1.25;
    row_margin_ = 70.0;
  }
  if (options_.compact_rows) {
    factor = options_.enlarge_rows ? 1.25 * 0.8 : 0.8;
    row_margin_ = 35.0;
  }
  for (int r = 0; r < grid_.rows(); ++r) {
    const int height = grid_.row_height(r);
    saved_heights_.push_back(height);
    if (factor != 1.0) grid_.set_row_height(r, int(platform::round_half_even(height * factor)));
  }
}

void grid_page::draw_top_rule(int r) {
  const double y = printer().current_y();
  if (options_.single_rule) {
    if (r == options_.single_rule_row && r > 0) print_line(left_, y, columns_.table_right, y);
    return;
  }
  if (options_.group_rules) {
    if (r < 1) return;
    for (int c = 1; c < grid_.cols(); ++c) {
      const QString text = grid_.text_matrix(r, c);
      const bool same = text == grid_.text_matrix(r - 1, c);
      if (!same || !(grid_.merge_col(c) && trim_blanks(text).isEmpty()))
        print_line(columns_.right_edges[std::size_t(c - 1)], y, columns_.right_edges[std::size_t(c)], y);
    }
    return;
  }
  if (r > 0) print_line(left_, y, columns_.table_right, y);
}

// Vertical rules between the columns of the row (none after a column merged
// away or beyond the table's right edge), from the row's top down to where
// the next row starts, so that the rules of one row meet those of the next
// whatever the row's height; the widths merging changed go back.
void grid_page::draw_vertical_rules(const grid_page_row& row) {
  platform::printer_object& p = printer();
  const double y = p.current_y();
  for (int c = 0; c < grid_.cols(); ++c) {
    const double x = c >= 1 ? columns_.right_edges[std::size_t(c - 1)] : 0.0;
    if (c >= 1 && grid_.col_width(c) >= 1 && !options_.single_rule && x <= columns_.table_right)
      print_line(x, row.top, x, y);
    grid_.set_col_width(c, columns_.widths[std::size_t(c)]);
  }
  p.set_current_y(y);
}

// Prints row r. False when the row was a forced page break (nothing of it
// printed beyond its top rule and fills).
bool grid_page::print_row(int r) {
  platform::printer_object& p = printer();
  draw_top_rule(r);
  grid_page_row row;
  row.row = r;
  row.top = p.current_y();
  row.height = grid_.row_height(r);
  row.row_margin = row_margin_;
  row.cell_margin = cell_margin_;
  row.left_offset = left_;
  row.enlarge_rows = options_.enlarge_rows;

  p.set_current_y(row.top + row_margin_);
  p.set_current_x(left_);
  const double text_x = left_;
  const double text_y = p.current_y();
  row.fill_bottom = text_y + row.height - row_margin_;
  const bool usual_height = row.height == call_.reference_height;
  if (options_.enlarge_rows && !usual_height) row.fill_bottom += 2.0 * row_margin_;
  if (!options_.enlarge_rows && usual_height) row.fill_bottom += row_margin_;

  fill_grid_row(grid_, row);
  merge_grid_row(grid_, row, options_.merge_span);
  p.set_current_x(text_x);
  p.set_current_y(text_y);

  // A forced page break: its rule and fills are drawn, nothing more (the
  // widths a merge changed come back with the rest of the grid).
  if (r >= grid_.fixed_rows() && trim_blanks(grid_.text_matrix(r, 0)) == QStringLiteral("<PAGE>"))
    return false;

  const grid_row_text found = print_grid_row_texts(grid_, row, call_);
  row.height = grid_.row_height(r);  // a heading on its side may have made it taller

  // On to the next row.
  const double below = std::max(p.current_y(), found.multiline_bottom);
  p.set_current_y(below + (found.picture_row ? row.height : row_margin_));
  if (row.height != call_.reference_height)
    p.set_current_y(std::max(p.current_y(), found.multiline_bottom) + row.height - row_margin_);
  else
    p.print();
  draw_vertical_rules(row);
  return true;
}

// Removes the body rows up to and including `last_printed` (from row 0 when
// the grid has no heading rows), so that the next page starts with the
// heading rows and the first row not yet printed.
void grid_page::remove_printed_rows(int last_printed) {
  const int first = grid_.fixed_rows();
  if (last_printed < first) return;
  if (last_printed >= grid_.rows() - 1) {
    grid_.set_rows(first);  // every body row is printed: only the heading rows stay
  } else {
    for (int i = first; i <= last_printed; ++i) grid_.remove_item(first);
  }
  saved_heights_.erase(
      saved_heights_.begin() + first,
      saved_heights_.begin() + std::min<std::size_t>(saved_heights_.size(), last_printed + 1));
}

void grid_page::draw_frame(double bottom) {
  printer().set_draw_width(1);
  const double right = columns_.table_right;
  print_line(left_, table_top_, right, table_top_);
  print_line(right, table_top_, right, bottom);
  print_line(left_, bottom, right, bottom);
  print_line(left_, table_top_, left_, bottom);
}

void grid_page::restore_grid() {
  for (int r = 0; r < grid_.rows() && r < int(saved_heights_.size()); ++r)
    if (grid_.row_height(r) != saved_heights_[std::size_t(r)])
      grid_.set_row_height(r, saved_heights_[std::size_t(r)]);
  for (int c = 0; c < grid_.cols() && c < int(columns_.widths.size()); ++c)
    grid_.set_col_width(c, columns_.widths[std::size_t(c)]);
}

int grid_page::print() {
  platform::printer_object& p = printer();
  grid_.set_redraw(false);
  call_.reference_height = grid_.row_height(0);

  left_ = options_.left_offset;
  if (options_.centre_table) left_ = centred_left_offset(grid_, cell_margin_);
  columns_ = measure_grid_columns(grid_, left_, cell_margin_, hidden_column_room::margins);
  call_.centres = columns_.centres;
  p.set_current_y(p.current_y() + options_.space_above);
  table_top_ = p.current_y();
  scale_rows();

  // A page ends early only after it has printed at least one body row, so
  // that every page uses up part of the grid.
  int result = 0;
  bool body_printed = false;
  for (int r = 0;; ++r) {
    if (r >= grid_.rows()) {  // the rows after the last one printed are hidden
      result = -1;
      break;
    }
    if (grid_.row_height(r) == 0) continue;
    const bool last = r == grid_.rows() - 1;
    // A row taller than the first that would reach further past the
    // page-full line than a row of the first row's height may starts the
    // next page, so that the table and the continuation mark below it stay
    // inside the page frame.
    if (body_printed &&
        p.current_y() + grid_.row_height(r) > page_full_share * p.scale_height() + call_.reference_height) {
      remove_printed_rows(r - 1);
      result = 0;
      break;
    }
    if (!print_row(r)) {  // a forced page break
      if (last) {
        result = -1;
      } else {
        remove_printed_rows(r);
        result = 0;
      }
      break;
    }
    if (r >= grid_.fixed_rows()) body_printed = true;
    if (r >= grid_.fixed_rows() && p.current_y() >= page_full_share * p.scale_height()) {
      if (last && grid_.fixed_rows() == 0) {
        result = -1;  // nothing is left for another page
      } else {
        remove_printed_rows(r);
        result = 0;
      }
      break;
    }
    if (last) {
      result = -1;
      break;
    }
  }

  const double bottom = p.current_y();
  if (!options_.no_frame) draw_frame(bottom);
  restore_grid();
  if (options_.set_page_measures) {
    if (g_print_page_columns == 0) g_print_page_columns = std::int16_t(std::lround(p.scale_width()));
    if (g_print_page_lines == 0) g_print_page_lines = float(p.scale_height());
  }
  grid_.set_redraw(true);
  p.set_current_y(bottom);
  return result;
}

}  // namespace

int print_flexgrid_pages(flex_grid& grid, grid_pages_options& options) {
  if (export_grid(grid, options)) return -1;

  platform::printer_object& p = printer();
  const double cell_margin = grid_cell_margin(options.no_cell_margin);
  if (!options.auto_fit) options.auto_fit = true;
  if (grid.cols() > fit_above_columns && *options.auto_fit)
    autofit_flexgrid_columns(grid, cell_margin, options.left_offset, grid.cols());
  options.merge_span = std::max(options.merge_span, 1);
  grid.refresh();

  p.set_font_size(grid.font().size);
  p.set_font_name(grid.font().name);
  p.set_font_size(grid.font().size);
  p.set_scale_mode(scale_unit::characters);
  p.set_font_transparent(false);
  print_title(options.title, options.left_offset);

  int result = 0;
  if (grid.rows() > 0) {
    p.set_scale_mode(scale_unit::twips);
    result = grid_page(grid, options, cell_margin).print();
  }
  p.set_scale_mode(scale_unit::characters);
  p.set_font_bold(false);
  p.set_font_underline(false);
  p.set_font_italic(false);
  return result;
}

}  // namespace km
