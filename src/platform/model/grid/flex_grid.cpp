#include "platform/model/grid/flex_grid.h"

#include <algorithm>
#include <cmath>

#include "platform/model/grid/flex_grid_cell_format.h"
#include "platform/model/print/text_metrics.h"
#include "platform/model/screen_twips.h"

namespace km::platform {

namespace {

int clamp_index(int value, int count) { return count == 0 ? 0 : std::clamp(value, 0, count - 1); }

}  // namespace

QColor grid_qcolor(flex_grid::color value) {
  if (value & 0x80000000u) return QColor();
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

flex_grid::flex_grid() {
  font_.name = QStringLiteral("MS Sans Serif");
  font_.size = 8.25;
  cols_.resize(2);
  rows_.push_back(make_row());
  rows_.push_back(make_row());
}

flex_grid::~flex_grid() {
  if (observer_) observer_->grid_destroyed();
}

flex_grid::row_data flex_grid::make_row() const {
  row_data r;
  r.cells.resize(cols_.size());
  return r;
}

// --- Checks ---------------------------------------------------------------

void flex_grid::check_cell(int row, int col) const {
  if (row < 0 || row >= rows() || col < 0 || col >= cols())
    throw grid_error(grid_error::kind::subscript_out_of_range);
}

void flex_grid::check_row_index(int row) const {
  if (row < 0 || row >= rows()) throw grid_error(grid_error::kind::subscript_out_of_range);
}

void flex_grid::check_col_index(int col) const {
  if (col < 0 || col >= cols()) throw grid_error(grid_error::kind::subscript_out_of_range);
}

const flex_grid::cell& flex_grid::current_cell() const {
  check_cell(row_, col_);
  return rows_[row_].cells[col_];
}

const flex_grid::cell_format* flex_grid::format_of(int row, int col) const {
  return rows_[row].cells[col].format.get();
}

flex_grid::cell_format& flex_grid::format_for_write(int row, int col) {
  auto& f = rows_[row].cells[col].format;
  if (!f) f = std::make_unique<cell_format>();
  return *f;
}

// --- Size and fixed part ----------------------------------------------------

void flex_grid::set_rows(int count) {
  if (count < 0 || count < fixed_rows_) throw grid_error(grid_error::kind::invalid_value);
  const int old = rows();
  if (count == old) return;
  if (count > old) {
    rows_.reserve(count);
    while (rows() < count) rows_.push_back(make_row());
    if (may_notify()) observer_->grid_rows_inserted(old, count - old);
  } else {
    rows_.erase(rows_.begin() + count, rows_.end());
    if (may_notify()) observer_->grid_rows_removed(count, old - count);
  }
  clamp_current();
}

void flex_grid::set_cols(int count) {
  if (count < 0 || count < fixed_cols_) throw grid_error(grid_error::kind::invalid_value);
  if (count == cols()) return;
  cols_.resize(count);
  for (auto& r : rows_) r.cells.resize(count);
  clamp_current();
  if (may_notify()) observer_->grid_reset();
}

void flex_grid::set_fixed_rows(int count) {
  if (count < 0 || count > rows()) throw grid_error(grid_error::kind::invalid_value);
  if (count == fixed_rows_) return;
  fixed_rows_ = count;
  if (may_notify()) observer_->grid_reset();
}

void flex_grid::set_fixed_cols(int count) {
  if (count < 0 || count > cols()) throw grid_error(grid_error::kind::invalid_value);
  if (count == fixed_cols_) return;
  fixed_cols_ = count;
  if (may_notify()) observer_->grid_reset();
}

void flex_grid::clamp_current() {
  const int r = clamp_index(row_, rows()), rs = clamp_index(row_sel_, rows());
  const int c = clamp_index(col_, cols()), cs = clamp_index(col_sel_, cols());
  if (r == row_ && rs == row_sel_ && c == col_ && cs == col_sel_) return;
  row_ = r;
  row_sel_ = rs;
  col_ = c;
  col_sel_ = cs;
  if (may_notify()) observer_->grid_current_changed();
}

// --- Current cell and selection ---------------------------------------------

void flex_grid::set_row(int row) {
  if (row < 0 || row >= rows()) throw grid_error(grid_error::kind::invalid_row);
  row_ = row_sel_ = row;
  if (may_notify()) observer_->grid_current_changed();
}

void flex_grid::set_col(int col) {
  if (col < 0 || col >= cols()) throw grid_error(grid_error::kind::invalid_col);
  col_ = col_sel_ = col;
  if (may_notify()) observer_->grid_current_changed();
}

void flex_grid::set_row_sel(int row) {
  if (row < 0 || row >= rows()) throw grid_error(grid_error::kind::invalid_row);
  row_sel_ = row;
  if (may_notify()) observer_->grid_current_changed();
}

void flex_grid::set_col_sel(int col) {
  if (col < 0 || col >= cols()) throw grid_error(grid_error::kind::invalid_col);
  col_sel_ = col;
  if (may_notify()) observer_->grid_current_changed();
}

grid_range flex_grid::selection() const {
  const int top = std::min(row_, row_sel_), bottom = std::max(row_, row_sel_);
  const int left = std::min(col_, col_sel_), right = std::max(col_, col_sel_);
  return {top, left, bottom - top + 1, right - left + 1};
}

grid_range flex_grid::write_target() const {
  check_cell(row_, col_);
  if (fill_style_ == fill_style::single) return {row_, col_, 1, 1};
  grid_range sel = selection();
  // The selection end may lie outside a grid that shrank since; keep to
  // the cells that exist.
  sel.rows = std::min(sel.rows, rows() - sel.row);
  sel.cols = std::min(sel.cols, cols() - sel.col);
  return sel;
}

template <class F>
void flex_grid::write_cells(F&& write) {
  const grid_range target = write_target();
  for (int r = target.row; r < target.row + target.rows; ++r)
    for (int c = target.col; c < target.col + target.cols; ++c) write(r, c);
  if (may_notify()) observer_->grid_cells_changed(target);
}

// --- Texts ------------------------------------------------------------------

QString flex_grid::text_matrix(int row, int col) const {
  check_cell(row, col);
  return rows_[row].cells[col].text;
}

void flex_grid::set_text_matrix(int row, int col, const QString& text) {
  check_cell(row, col);
  rows_[row].cells[col].text = text;
  if (may_notify()) observer_->grid_cells_changed({row, col, 1, 1});
}

QString flex_grid::text() const { return current_cell().text; }

void flex_grid::set_text(const QString& text) {
  write_cells([&](int r, int c) { rows_[r].cells[c].text = text; });
}

// --- Geometry -----------------------------------------------------------------

int flex_grid::col_width(int col) const {
  check_col_index(col);
  const int w = cols_[col].width;
  return w < 0 ? default_col_width : w;
}

void flex_grid::set_col_width(int col, int twips) {
  check_col_index(col);
  if (twips < -1) throw grid_error(grid_error::kind::invalid_value);
  if (cols_[col].width == twips) return;
  cols_[col].width = twips;
  if (may_notify()) observer_->grid_layout_changed();
}

int flex_grid::row_height(int row) const {
  check_row_index(row);
  const int h = rows_[row].height;
  return h < 0 ? default_row_height() : h;
}

void flex_grid::set_row_height(int row, int twips) {
  check_row_index(row);
  if (twips < -1) throw grid_error(grid_error::kind::invalid_value);
  if (rows_[row].height == twips) return;
  rows_[row].height = twips;
  if (may_notify()) observer_->grid_layout_changed();
}

int flex_grid::default_row_height() const {
  // The font's line on a 96-dpi screen with a little room above and below:
  // 8.25 points give 16 pixels.
  const double font_pixels = font_.size * 96.0 / 72.0 * 1.15;
  const int pixels = static_cast<int>(std::ceil(font_pixels - 1e-9)) + 3;
  return pixels * twips_per_pixel;
}

grid_alignment flex_grid::col_alignment(int col) const {
  check_col_index(col);
  return cols_[col].alignment;
}

void flex_grid::set_col_alignment(int col, grid_alignment alignment) {
  check_col_index(col);
  cols_[col].alignment = alignment;
  if (may_notify()) observer_->grid_layout_changed();
}

// --- Grid font ------------------------------------------------------------------

void flex_grid::set_font(const print_font& font) {
  if (font.size <= 0) throw grid_error(grid_error::kind::invalid_value);
  font_ = font;
  if (may_notify()) observer_->grid_layout_changed();
}

void flex_grid::set_font_name(const QString& name) {
  print_font f = font_;
  f.name = name;
  set_font(f);
}

void flex_grid::set_font_size(double points) {
  print_font f = font_;
  f.size = points;
  set_font(f);
}

void flex_grid::set_font_bold(bool on) {
  print_font f = font_;
  f.bold = on;
  set_font(f);
}

// --- Cell properties ----------------------------------------------------------

grid_alignment flex_grid::cell_alignment() const {
  current_cell();
  const cell_format* f = format_of(row_, col_);
  return f && f->alignment ? *f->alignment : cols_[col_].alignment;
}

void flex_grid::set_cell_alignment(grid_alignment alignment) {
  write_cells([&](int r, int c) { format_for_write(r, c).alignment = alignment; });
}

flex_grid::color flex_grid::cell_back_color() const {
  current_cell();
  const cell_format* f = format_of(row_, col_);
  return f && f->back ? *f->back : 0;
}

void flex_grid::set_cell_back_color(color value) {
  write_cells([&](int r, int c) { format_for_write(r, c).back = value; });
}

flex_grid::color flex_grid::cell_fore_color() const {
  current_cell();
  const cell_format* f = format_of(row_, col_);
  return f && f->fore ? *f->fore : 0;
}

void flex_grid::set_cell_fore_color(color value) {
  write_cells([&](int r, int c) { format_for_write(r, c).fore = value; });
}

QString flex_grid::cell_font_name() const { return style_at(row_, col_).font.name; }

void flex_grid::set_cell_font_name(const QString& name) {
  write_cells([&](int r, int c) { format_for_write(r, c).font_name = name; });
}

double flex_grid::cell_font_size() const { return style_at(row_, col_).font.size; }

void flex_grid::set_cell_font_size(double points) {
  if (points <= 0) throw grid_error(grid_error::kind::invalid_value);
  write_cells([&](int r, int c) { format_for_write(r, c).font_size = points; });
}

bool flex_grid::cell_font_bold() const { return style_at(row_, col_).font.bold; }

void flex_grid::set_cell_font_bold(bool on) {
  write_cells([&](int r, int c) { format_for_write(r, c).bold = on; });
}

bool flex_grid::cell_font_italic() const { return style_at(row_, col_).font.italic; }

void flex_grid::set_cell_font_italic(bool on) {
  write_cells([&](int r, int c) { format_for_write(r, c).italic = on; });
}

bool flex_grid::cell_font_underline() const { return style_at(row_, col_).font.underline; }

void flex_grid::set_cell_font_underline(bool on) {
  write_cells([&](int r, int c) { format_for_write(r, c).underline = on; });
}

bool flex_grid::cell_font_strikethrough() const { return style_at(row_, col_).font.strikethrough; }

void flex_grid::set_cell_font_strikethrough(bool on) {
  write_cells([&](int r, int c) { format_for_write(r, c).strikethrough = on; });
}

QImage flex_grid::cell_picture() const {
  current_cell();
  const cell_format* f = format_of(row_, col_);
  return f ? f->picture : QImage();
}

void flex_grid::set_cell_picture(const QImage& picture) {
  write_cells([&](int r, int c) { format_for_write(r, c).picture = picture; });
}

grid_cell_style flex_grid::style_at(int row, int col) const {
  check_cell(row, col);
  grid_cell_style s;
  s.font = font_;
  s.alignment = cols_[col].alignment;
  const cell_format* f = format_of(row, col);
  if (!f) return s;
  if (f->font_name) s.font.name = *f->font_name;
  if (f->font_size) s.font.size = *f->font_size;
  if (f->bold) s.font.bold = *f->bold;
  if (f->italic) s.font.italic = *f->italic;
  if (f->underline) s.font.underline = *f->underline;
  if (f->strikethrough) s.font.strikethrough = *f->strikethrough;
  if (f->alignment) s.alignment = *f->alignment;
  s.has_back_color = f->back.has_value();
  s.back_color = f->back.value_or(0);
  s.has_fore_color = f->fore.has_value();
  s.fore_color = f->fore.value_or(0);
  s.picture = f->picture;
  return s;
}

// --- Merge settings -------------------------------------------------------------

void flex_grid::set_merge_cells(merge_mode mode) {
  if (mode == merge_mode_) return;
  merge_mode_ = mode;
  if (may_notify()) observer_->grid_layout_changed();
}

bool flex_grid::merge_row(int row) const {
  check_row_index(row);
  return rows_[row].merge;
}

void flex_grid::set_merge_row(int row, bool on) {
  check_row_index(row);
  if (rows_[row].merge == on) return;
  rows_[row].merge = on;
  if (may_notify()) observer_->grid_layout_changed();
}

bool flex_grid::merge_col(int col) const {
  check_col_index(col);
  return cols_[col].merge;
}

void flex_grid::set_merge_col(int col, bool on) {
  check_col_index(col);
  if (cols_[col].merge == on) return;
  cols_[col].merge = on;
  if (may_notify()) observer_->grid_layout_changed();
}

// --- Rows -------------------------------------------------------------------------

void flex_grid::add_item(const QString& item, std::optional<int> index) {
  const int at = index.value_or(rows());
  if (at < 0 || at > rows()) throw grid_error(grid_error::kind::subscript_out_of_range);
  row_data r = make_row();
  const QStringList parts = item.split(QLatin1Char('\t'));
  const int n = std::min<int>(parts.size(), cols());
  for (int c = 0; c < n; ++c) r.cells[c].text = parts[c];
  rows_.insert(rows_.begin() + at, std::move(r));
  if (may_notify()) observer_->grid_rows_inserted(at, 1);
}

void flex_grid::remove_item(int index) {
  if (index < 0 || index >= rows()) throw grid_error(grid_error::kind::subscript_out_of_range);
  if (index < fixed_rows_) throw grid_error(grid_error::kind::invalid_value);
  if (rows() - fixed_rows_ <= 1) throw grid_error(grid_error::kind::last_row);
  rows_.erase(rows_.begin() + index);
  if (may_notify()) observer_->grid_rows_removed(index, 1);
  clamp_current();
}

void flex_grid::clear() {
  for (auto& r : rows_)
    for (auto& c : r.cells) {
      c.text.clear();
      c.format.reset();
    }
  if (rows() > 0 && cols() > 0 && may_notify()) observer_->grid_cells_changed({0, 0, rows(), cols()});
}

// --- Redraw and notification --------------------------------------------------------

void flex_grid::set_redraw(bool on) {
  if (on == redraw_) return;
  redraw_ = on;
  if (!observer_) return;
  if (on && pending_) {
    pending_ = false;
    observer_->grid_reset();
  }
  observer_->grid_redraw_changed(on);
}

void flex_grid::refresh() {
  if (rows() > 0 && cols() > 0 && may_notify()) observer_->grid_cells_changed({0, 0, rows(), cols()});
}

void flex_grid::set_text_metrics(std::shared_ptr<text_metrics> metrics) { metrics_ = std::move(metrics); }

double flex_grid::text_width(const print_font& font, const QString& text) const {
  if (!metrics_) return default_text_metrics()->width(font, text);
  return metrics_->width(font, text);
}

bool flex_grid::may_notify() {
  if (!observer_) return false;
  if (redraw_) return true;
  pending_ = true;
  return false;
}

}  // namespace km::platform
