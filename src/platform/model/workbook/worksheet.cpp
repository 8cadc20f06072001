#include <algorithm>

#include "platform/model/workbook/worksheet_data.h"
#include "platform/value.h"

namespace km::platform {

QString default_font_name() { return QStringLiteral("Calibri"); }

worksheet::worksheet() : d_(std::make_unique<worksheet_data>()) {}
worksheet::~worksheet() = default;
worksheet::worksheet(worksheet&&) noexcept = default;
worksheet& worksheet::operator=(worksheet&&) noexcept = default;

// An empty text leaves the cell empty, as a spreadsheet program takes it.
void worksheet::set_text(int row, int column, const QString& text) {
  sheet_cell& c = d_->cell_at(row, column);
  c.kind = text.isEmpty() ? cell_kind::empty : cell_kind::text;
  c.text = text;
  c.number = 0;
}

void worksheet::set_number(int row, int column, double value) {
  sheet_cell& c = d_->cell_at(row, column);
  c.kind = cell_kind::number;
  c.text.clear();
  c.number = value;
}

void worksheet::set_empty(int row, int column) {
  sheet_cell& c = d_->cell_at(row, column);
  c.kind = cell_kind::empty;
  c.text.clear();
  c.number = 0;
}

QString worksheet::text(int row, int column) const {
  const sheet_cell* c = d_->find_cell(row, column);
  if (!c) return {};
  switch (c->kind) {
    case cell_kind::text:
      return c->text;
    case cell_kind::number:
      return number_text(c->number);
    case cell_kind::empty:
      break;
  }
  return {};
}

bool worksheet::is_number(int row, int column) const {
  const sheet_cell* c = d_->find_cell(row, column);
  return c && c->kind == cell_kind::number;
}

void worksheet::set_font(int row, int column, const workbook_font& font) {
  d_->restyle(row, column, [&](cell_style& s) { s.font = font; });
}

workbook_font worksheet::font(int row, int column) const {
  workbook_font f = d_->style_of(d_->find_cell(row, column)).font;
  if (f.name.isEmpty()) f.name = d_->font_name;
  return f;
}

void worksheet::set_horizontal_alignment(int row, int column, horizontal_alignment alignment) {
  d_->restyle(row, column, [&](cell_style& s) { s.alignment = alignment; });
}

void worksheet::set_horizontal_alignment(const cell_range& range, horizontal_alignment alignment) {
  d_->restyle(range, [&](cell_style& s) { s.alignment = alignment; });
}

void worksheet::set_rotation(int row, int column, int degrees) {
  d_->restyle(row, column, [&](cell_style& s) { s.rotation = degrees; });
}

void worksheet::set_fill(int row, int column, std::uint32_t colour) {
  set_fill(cell_range{row, column, row, column}, colour);
}

void worksheet::set_fill(const cell_range& range, std::uint32_t colour) {
  d_->restyle(range, [&](cell_style& s) {
    s.filled = true;
    s.fill = colour & 0xFFFFFF;
  });
}

void worksheet::set_column_number_format(int column, const QString& format) {
  d_->column_at(column).number_format = format;
}

void worksheet::set_column_width(int column, double characters) {
  d_->column_at(column).width = std::max(characters, 0.0);
}

double worksheet::column_width(int column) const {
  const sheet_column* c = d_->find_column(column);
  return c && c->width >= 0 ? c->width : default_column_width;
}

void worksheet::set_row_height(int row, double points) { d_->row_at(row).height = std::max(points, 0.0); }

double worksheet::row_height(int row) const {
  if (row < 1 || size_t(row) > d_->rows.size() || d_->rows[row - 1].height < 0) return default_row_height;
  return d_->rows[row - 1].height;
}

// As a spreadsheet program sets the font name of every cell of a sheet:
// names given to single cells before are replaced too. No name at all
// puts back the workbook's default font.
void worksheet::set_font_name(const QString& name) {
  d_->font_name = name.trimmed().isEmpty() ? default_font_name() : name;
  std::vector<int> renamed(d_->styles.size(), -1);
  for (sheet_row& row : d_->rows)
    for (sheet_cell& c : row.cells) {
      if (renamed[c.style] < 0) {
        cell_style s = d_->styles[c.style];
        s.font.name.clear();
        renamed[c.style] = d_->style_number(s);
      }
      c.style = renamed[c.style];
    }
}

QString worksheet::font_name() const { return d_->font_name; }

int worksheet::last_row() const {
  for (size_t r = d_->rows.size(); r > 0; --r)
    for (const sheet_cell& c : d_->rows[r - 1].cells)
      if (c.present()) return int(r);
  return 0;
}

int worksheet::last_column() const {
  int last = 0;
  for (const sheet_row& row : d_->rows)
    for (size_t c = row.cells.size(); c > size_t(last); --c)
      if (row.cells[c - 1].present()) {
        last = int(c);
        break;
      }
  return last;
}

void worksheet::set_text_metrics(std::shared_ptr<text_metrics> metrics) { d_->metrics = std::move(metrics); }

}  // namespace km::platform
