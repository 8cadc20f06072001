#pragma once
// A headless grid of text cells, the list and report grid of the program's
// windows. It has fixed (heading) rows at the top and fixed columns at the
// left, column widths and row heights in twips, per-column and per-cell
// alignment, per-cell fonts, colours and pictures, merged runs of equal
// cells, sorting, and the clip text of a selection. A window shows one
// through flex_grid_view; the report printers and the workbook export read
// and change it directly.
//
// The current cell (row(), col()) is the target of text() and of every
// cell_* property. set_row() and set_col() also move the other end of the
// selection (row_sel(), col_sel()) onto the current cell; with
// fill_style::repeat a write to text() or a cell_* property reaches every
// cell of the selection. Every index outside the grid raises grid_error.

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/model/grid/grid_error.h"
#include "platform/model/print/print_types.h"

namespace km::platform {

class text_metrics;

// Cell and column alignment; the values are the ones the report printers
// and the workbook export compare with (4 centre, 7 right, 2 left bottom).
// `general` puts numbers to the right and other text to the left.
enum class grid_alignment : int {
  left_top = 0,
  left_center = 1,
  left_bottom = 2,
  center_top = 3,
  center_center = 4,
  center_bottom = 5,
  right_top = 6,
  right_center = 7,
  right_bottom = 8,
  general = 9,
};

// Whether a write to a cell property reaches the current cell only or the
// whole selection.
enum class fill_style { single = 0, repeat = 1 };

// When equal neighbouring cells are shown as one. Rows whose merge_row()
// flag is set merge across columns, columns whose merge_col() flag is set
// merge down rows. The restricting modes merge a run only where the run
// before it (the row above, or the column to the left) is merged as well.
enum class merge_mode {
  never = 0,
  free = 1,
  restrict_rows = 2,     // a vertical run needs the column to its left merged alongside
  restrict_columns = 3,  // a horizontal run needs the row above merged alongside
  restrict_all = 4,
};

// How sort() orders the rows. Generic compares two numbers as numbers and
// anything else as text without regard to case; numeric compares the
// leading number of each text (a text without one counts as 0); string
// compares the texts by character code, with or without regard to case.
// Rows with equal keys keep their order.
enum class sort_order {
  none = 0,
  generic_ascending = 1,
  generic_descending = 2,
  numeric_ascending = 3,
  numeric_descending = 4,
  string_no_case_ascending = 5,
  string_no_case_descending = 6,
  string_ascending = 7,
  string_descending = 8,
};

// A block of cells: first row and column, and how many of each.
struct grid_range {
  int row = 0;
  int col = 0;
  int rows = 1;
  int cols = 1;
  bool operator==(const grid_range&) const = default;
};

// Everything that decides how one cell looks, with the grid's defaults
// filled in where the cell has none of its own.
struct grid_cell_style {
  print_font font;
  std::uint32_t back_color = 0;  // 0: none of its own
  std::uint32_t fore_color = 0;  // 0: none of its own
  bool has_back_color = false;
  bool has_fore_color = false;
  grid_alignment alignment = grid_alignment::general;  // the cell's own, else its column's
  QImage picture;
};

// Told about changes so that a view can follow the grid. Nothing is told
// while redraw() is off; switching it on again reports one grid_reset().
class flex_grid_observer {
 public:
  virtual ~flex_grid_observer() = default;
  // Anything may have changed: counts, texts, layout.
  virtual void grid_reset() = 0;
  virtual void grid_rows_inserted(int first, int count) = 0;
  virtual void grid_rows_removed(int first, int count) = 0;
  // Texts or cell formats of the block changed.
  virtual void grid_cells_changed(const grid_range& block) = 0;
  // Widths, heights, alignment, merge settings or the grid font changed.
  virtual void grid_layout_changed() = 0;
  // The current cell or the selection moved.
  virtual void grid_current_changed() = 0;
  virtual void grid_redraw_changed(bool on) = 0;
  // The grid is going away; the observer must not touch it any more.
  virtual void grid_destroyed() = 0;
};

class flex_grid {
 public:
  // Colours as the program writes them: 0x00BBGGRR.
  using color = std::uint32_t;
  static constexpr color rgb(int red, int green, int blue) {
    return color(red & 0xFF) | color(green & 0xFF) << 8 | color(blue & 0xFF) << 16;
  }

  // A column's width when none is set, in twips.
  static constexpr int default_col_width = 960;
  // Added to the measured heading text when a format string sets a width.
  static constexpr int format_string_padding = 120;

  flex_grid();
  ~flex_grid();
  flex_grid(const flex_grid&) = delete;
  flex_grid& operator=(const flex_grid&) = delete;

  // --- Size and fixed part. A new grid has 2 rows, 2 columns, 1 fixed row
  // and 1 fixed column, and its current cell is (1, 1).
  int rows() const { return static_cast<int>(rows_.size()); }
  // Growing adds empty rows at the end, shrinking drops the last rows;
  // the other cells keep their texts and formats. Fewer rows than fixed
  // rows: invalid_value.
  void set_rows(int count);
  int cols() const { return static_cast<int>(cols_.size()); }
  void set_cols(int count);
  int fixed_rows() const { return fixed_rows_; }
  // More fixed rows than rows: invalid_value.
  void set_fixed_rows(int count);
  int fixed_cols() const { return fixed_cols_; }
  void set_fixed_cols(int count);
  bool is_fixed(int row, int col) const { return row < fixed_rows_ || col < fixed_cols_; }

  // --- Current cell and selection.
  int row() const { return row_; }
  void set_row(int row);  // also row_sel = row
  int col() const { return col_; }
  void set_col(int col);  // also col_sel = col
  int row_sel() const { return row_sel_; }
  void set_row_sel(int row);
  int col_sel() const { return col_sel_; }
  void set_col_sel(int col);
  // The selection as a block (the current cell and the selection end in
  // any order).
  grid_range selection() const;

  // --- Texts.
  QString text_matrix(int row, int col) const;
  void set_text_matrix(int row, int col, const QString& text);
  // The current cell's text; a write with fill_style::repeat fills the
  // whole selection.
  QString text() const;
  void set_text(const QString& text);

  // --- Geometry, in twips. A width or height of -1 goes back to the
  // default; 0 hides the column or row.
  int col_width(int col) const;
  void set_col_width(int col, int twips);
  int row_height(int row) const;
  void set_row_height(int row, int twips);
  // The height of a row without a height of its own, from the grid font.
  int default_row_height() const;

  grid_alignment col_alignment(int col) const;
  void set_col_alignment(int col, grid_alignment alignment);

  // "<Name|^ Total|>Mark;|row 1|row 2": each text between "|" is the
  // heading of one column in row 0; a leading "<", "^" or ">" makes the
  // column left, centre or right aligned; each column becomes as wide as
  // its heading in the grid font plus format_string_padding. After ";"
  // come the texts of column 0 in rows 0, 1, 2 ... (an empty first one
  // leaves row 0 alone), and column 0 is made wide enough for them. The
  // grid grows to hold every text; it never shrinks.
  QString format_string() const { return format_string_; }
  void set_format_string(const QString& format);

  // --- The grid font, the default of every cell.
  const print_font& font() const { return font_; }
  void set_font(const print_font& font);
  void set_font_name(const QString& name);
  void set_font_size(double points);
  void set_font_bold(bool on);

  // --- Properties of the current cell (writes: of the selection with
  // fill_style::repeat). A cell without a font of its own reads the grid
  // font; without a colour of its own it reads 0; without an alignment of
  // its own, its column's alignment.
  grid_alignment cell_alignment() const;
  void set_cell_alignment(grid_alignment alignment);
  color cell_back_color() const;
  void set_cell_back_color(color value);
  color cell_fore_color() const;
  void set_cell_fore_color(color value);
  QString cell_font_name() const;
  void set_cell_font_name(const QString& name);
  double cell_font_size() const;
  void set_cell_font_size(double points);
  bool cell_font_bold() const;
  void set_cell_font_bold(bool on);
  bool cell_font_italic() const;
  void set_cell_font_italic(bool on);
  bool cell_font_underline() const;
  void set_cell_font_underline(bool on);
  bool cell_font_strikethrough() const;
  void set_cell_font_strikethrough(bool on);
  // A null image means no picture.
  QImage cell_picture() const;
  void set_cell_picture(const QImage& picture);

  fill_style fill() const { return fill_style_; }
  void set_fill_style(fill_style style) { fill_style_ = style; }

  // A cell's look without moving the current cell.
  grid_cell_style style_at(int row, int col) const;

  // --- Merging.
  merge_mode merge_cells() const { return merge_mode_; }
  void set_merge_cells(merge_mode mode);
  bool merge_row(int row) const;
  void set_merge_row(int row, bool on);
  bool merge_col(int col) const;
  void set_merge_col(int col, bool on);
  // The blocks shown as one cell under the merge settings: runs of equal,
  // non-empty texts; a run never crosses from fixed to scrolling cells.
  std::vector<grid_range> merged_ranges() const;

  // --- Rows.
  // Adds one row whose cells take the tab-separated parts of `item` from
  // column 0 on (parts beyond the last column are dropped), at the end or
  // before row `index` (0 to rows()).
  void add_item(const QString& item, std::optional<int> index = std::nullopt);
  // Removes one row below the fixed rows. The only such row cannot be
  // removed (last_row); a fixed row or an index outside the grid cannot
  // either.
  void remove_item(int index);
  // Empties every cell: texts, pictures and cell formats. Rows, columns,
  // widths, heights, alignments and merge settings stay.
  void clear();

  // Sorts whole rows: rows row() to row_sel(), or every row below the
  // fixed rows when they are the same row, on the columns col() to
  // col_sel() from left to right.
  void sort(sort_order order);

  // The selection's texts, cells joined by tabs and rows by carriage
  // returns.
  QString clip() const;
  // Spreads text over the selection from its top-left cell: lines (ended by
  // CR LF, CR or LF) fill successive rows and tab-separated parts
  // successive columns; what falls outside the selection is dropped and
  // cells the text does not reach keep their texts.
  void set_clip(const QString& text);

  // Makes this grid a copy of another: cells with their texts and formats,
  // rows, columns, widths, heights, alignments, fixed rows and columns, the
  // current cell, FormatString, font, merge settings and Tag. Its own view
  // (observer) stays and is told that everything changed.
  void copy_from(const flex_grid& other);

  // --- Other properties.
  QString tag() const { return tag_; }
  void set_tag(const QString& tag) { tag_ = tag; }
  // While off, views are not told of changes; switching on brings them up
  // to date at once.
  bool redraw() const { return redraw_; }
  void set_redraw(bool on);
  // Brings views up to date (when redraw is on).
  void refresh();

  // How heading texts are measured for set_format_string(); the printer's
  // default metrics unless replaced (tests give fixed metrics).
  void set_text_metrics(std::shared_ptr<text_metrics> metrics);
  // Text width in the given font, in twips.
  double text_width(const print_font& font, const QString& text) const;

  // One observer (a view's model) at a time; nullptr detaches.
  void set_observer(flex_grid_observer* observer) {
    observer_ = observer;
    pending_ = false;
  }
  flex_grid_observer* observer() const { return observer_; }

 private:
  struct cell_format;
  struct cell {
    QString text;
    std::unique_ptr<cell_format> format;
  };
  struct row_data {
    std::vector<cell> cells;
    int height = -1;
    bool merge = false;
  };
  struct col_data {
    int width = -1;
    grid_alignment alignment = grid_alignment::general;
    bool merge = false;
  };

  void check_cell(int row, int col) const;
  void check_row_index(int row) const;
  void check_col_index(int col) const;
  const cell& current_cell() const;
  const cell_format* format_of(int row, int col) const;
  cell_format& format_for_write(int row, int col);
  // The cells a cell_* write reaches: the selection or the current cell.
  grid_range write_target() const;
  template <class F>
  void write_cells(F&& write);
  row_data make_row() const;
  void clamp_current();

  // True when the observer is to be told now; while redraw is off the
  // change is only remembered.
  bool may_notify();

  std::vector<row_data> rows_;
  std::vector<col_data> cols_;
  int fixed_rows_ = 1;
  int fixed_cols_ = 1;
  int row_ = 1;
  int col_ = 1;
  int row_sel_ = 1;
  int col_sel_ = 1;
  fill_style fill_style_ = fill_style::single;
  merge_mode merge_mode_ = merge_mode::never;
  print_font font_;
  QString format_string_;
  QString tag_;
  bool redraw_ = true;
  bool pending_ = false;
  std::shared_ptr<text_metrics> metrics_;
  flex_grid_observer* observer_ = nullptr;
};

// A platform colour as a QColor (an invalid QColor for the system colour
// values with the top bit set, which mean "the default").
QColor grid_qcolor(flex_grid::color value);

}  // namespace km::platform
