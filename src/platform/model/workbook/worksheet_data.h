#pragma once
// What a worksheet holds, as its own code and the writer see it: rows of
// cells, each cell with a value and the number of its style in the sheet's
// style table, the columns' widths and number formats, the rows' heights,
// the merges as given and the sheet's font name.
//
// Styles are kept once per sheet and shared: a report of thousands of cells
// has a handful of styles, so a cell carries a small number and the writer
// makes one file format per style.

#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/model/workbook/workbook.h"

namespace km::platform {

// The edges of one cell, as bits of cell_style::edges. A worksheet keeps
// each cell's own four edges, as a spreadsheet program does; a line
// between two cells shows when either of them has it.
enum edge_bit : std::uint8_t { edge_top = 1, edge_bottom = 2, edge_left = 4, edge_right = 8, all_edges = 15 };

// The largest row and column numbers of the file format.
inline constexpr int max_rows = 1048576;
inline constexpr int max_columns = 16384;

// The range with its corners put in order; std::out_of_range when a corner
// lies outside the sheet.
cell_range ordered(const cell_range& range);

struct cell_style {
  workbook_font font{{}, default_font_size};  // an empty name: the sheet's font name
  horizontal_alignment alignment = horizontal_alignment::general;
  int rotation = 0;  // degrees
  bool filled = false;
  std::uint32_t fill = 0;  // 0x00BBGGRR, when filled
  std::uint8_t edges = 0;  // edge_bit
  bool operator==(const cell_style&) const = default;
};
size_t qHash(const cell_style& style, size_t seed = 0);

enum class cell_kind : std::uint8_t { empty, text, number };

struct sheet_cell {
  cell_kind kind = cell_kind::empty;
  int style = 0;  // into worksheet_data::styles; 0 is the default style
  double number = 0;
  QString text;
  // A cell with neither a value nor a format is not written.
  bool present() const { return kind != cell_kind::empty || style != 0; }
};

struct sheet_row {
  std::vector<sheet_cell> cells;  // column 1 first; as long as the last cell touched
  double height = -1;             // points; below 0 when never set
};

struct sheet_column {
  double width = -1;  // characters; below 0 when never set
  QString number_format;
};

struct worksheet_data {
  worksheet_data();

  std::vector<sheet_row> rows;  // row 1 first
  std::vector<sheet_column> columns;
  std::vector<cell_style> styles;  // styles[0] is the default
  QHash<cell_style, int> style_numbers;
  std::array<int, 4> recent_styles{};  // the styles style_number found last
  size_t next_recent = 0;
  std::vector<cell_range> merges;  // as given
  QString font_name;
  std::shared_ptr<text_metrics> metrics;  // nullptr: the program's

  // The cell, made when missing; std::out_of_range outside the sheet.
  sheet_cell& cell_at(int row, int column);
  // The row, made when missing; std::out_of_range outside the sheet.
  sheet_row& row_at(int row);
  // nullptr when never touched.
  const sheet_cell* find_cell(int row, int column) const;
  sheet_column& column_at(int column);
  const sheet_column* find_column(int column) const;
  int style_number(const cell_style& style);
  const cell_style& style_of(const sheet_cell* cell) const { return styles[cell ? cell->style : 0]; }

  // Gives a cell the style `change` makes of its present one.
  template <class Change>
  void restyle(int row, int column, Change change) {
    sheet_cell& c = cell_at(row, column);
    cell_style s = styles[c.style];
    change(s);
    c.style = style_number(s);
  }
  // The same for every cell of a range; each style met is changed once.
  template <class Change>
  void restyle(const cell_range& range, Change change) {
    const cell_range r = ordered(range);
    std::vector<int> changed;  // old style number -> new one + 1; 0 not yet known
    for (int row = r.first_row; row <= r.last_row; ++row)
      for (int column = r.first_column; column <= r.last_column; ++column) {
        sheet_cell& c = cell_at(row, column);
        if (size_t(c.style) >= changed.size()) changed.resize(c.style + 1, 0);
        if (!changed[c.style]) {
          cell_style s = styles[c.style];
          change(s);
          changed[c.style] = style_number(s) + 1;
        }
        c.style = changed[c.style] - 1;
      }
  }
};

}  // namespace km::platform
