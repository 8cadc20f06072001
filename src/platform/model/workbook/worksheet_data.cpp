#include "platform/model/workbook/worksheet_data.h"

#include <QHashFunctions>
#include <stdexcept>
#include <utility>

namespace km::platform {

namespace {

void check_row(int row) {
  if (row < 1 || row > max_rows) throw std::out_of_range("worksheet row outside 1..1048576");
}
void check_column(int column) {
  if (column < 1 || column > max_columns) throw std::out_of_range("worksheet column outside 1..16384");
}

}  // namespace

size_t qHash(const cell_style& s, size_t seed) {
  const workbook_font& f = s.font;
  const unsigned flags = unsigned(f.bold) | unsigned(f.italic) << 1 | unsigned(f.underline) << 2 |
                         unsigned(f.strikethrough) << 3 | unsigned(s.filled) << 4 | unsigned(s.edges) << 5 |
                         unsigned(s.alignment) << 9;
  return qHashMulti(seed, f.name, f.size, f.colour, flags, s.rotation, s.fill);
}

cell_range ordered(const cell_range& range) {
  cell_range r = range;
  if (r.first_row > r.last_row) std::swap(r.first_row, r.last_row);
  if (r.first_column > r.last_column) std::swap(r.first_column, r.last_column);
  check_row(r.first_row);
  check_row(r.last_row);
  check_column(r.first_column);
  check_column(r.last_column);
  return r;
}

worksheet_data::worksheet_data() : styles{cell_style{}}, font_name(default_font_name()) {
  style_numbers.insert(styles.front(), 0);
}

sheet_row& worksheet_data::row_at(int row) {
  check_row(row);
  if (size_t(row) > rows.size()) rows.resize(row);
  return rows[row - 1];
}

sheet_cell& worksheet_data::cell_at(int row, int column) {
  check_column(column);
  std::vector<sheet_cell>& cells = row_at(row).cells;
  if (size_t(column) > cells.size()) cells.resize(column);
  return cells[column - 1];
}

const sheet_cell* worksheet_data::find_cell(int row, int column) const {
  if (row < 1 || size_t(row) > rows.size() || column < 1) return nullptr;
  const std::vector<sheet_cell>& cells = rows[row - 1].cells;
  return size_t(column) > cells.size() ? nullptr : &cells[column - 1];
}

sheet_column& worksheet_data::column_at(int column) {
  check_column(column);
  if (size_t(column) > columns.size()) columns.resize(column);
  return columns[column - 1];
}

const sheet_column* worksheet_data::find_column(int column) const {
  return column < 1 || size_t(column) > columns.size() ? nullptr : &columns[column - 1];
}

// Cells are mostly formatted one after another alike, going through the
// same few styles, so the styles found last are tried before the table.
int worksheet_data::style_number(const cell_style& style) {
  for (int number : recent_styles)
    if (styles[number] == style) return number;
  auto it = style_numbers.constFind(style);
  if (it == style_numbers.constEnd()) {
    styles.push_back(style);
    it = style_numbers.insert(style, int(styles.size()) - 1);
  }
  recent_styles[next_recent] = *it;
  next_recent = (next_recent + 1) % recent_styles.size();
  return *it;
}

}  // namespace km::platform
