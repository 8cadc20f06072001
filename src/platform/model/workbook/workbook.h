#pragma once
// A workbook held in memory the way a spreadsheet program holds one while a
// report is written into it: worksheets of cells with values and formats,
// merged ranges, borders, column widths and row heights. It is written once,
// as an .xlsx file, when it is saved.
//
// Rows and columns count from 1 as worksheet addresses do (row 1, column 1
// is A1). Colours are 0x00BBGGRR longs (255 is red), as the grid holds them.
// Column widths are in characters of the workbook's default font (Calibri
// 11), the unit a spreadsheet program shows; row heights are in points.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace km::platform {

class text_metrics;
struct worksheet_data;

// Inclusive on every side.
struct cell_range {
  int first_row, first_column, last_row, last_column;
  bool operator==(const cell_range&) const = default;
  bool contains(int row, int column) const {
    return row >= first_row && row <= last_row && column >= first_column && column <= last_column;
  }
  bool single_cell() const { return first_row == last_row && first_column == last_column; }
};

enum class horizontal_alignment { general, left, centre, right };

struct workbook_font {
  QString name;        // empty: the worksheet's font name
  double size = 10.0;  // points
  bool bold = false, italic = false, underline = false, strikethrough = false;
  std::uint32_t colour = 0;  // 0x00BBGGRR
  bool operator==(const workbook_font&) const = default;
};

// The measures of a worksheet that was never given one.
inline constexpr double default_column_width = 8.43;  // characters
inline constexpr double default_row_height = 15.0;    // points
inline constexpr double default_font_size = 11.0;     // points, of a cell never given a font
QString default_font_name();

class worksheet {
 public:
  worksheet();
  ~worksheet();
  worksheet(worksheet&&) noexcept;
  worksheet& operator=(worksheet&&) noexcept;

  void set_text(int row, int column, const QString& text);
  void set_number(int row, int column, double value);
  void set_empty(int row, int column);      // no value, formats kept
  QString text(int row, int column) const;  // a number's text for a number cell; "" when empty
  void set_font(int row, int column, const workbook_font& font);
  void set_horizontal_alignment(int row, int column, horizontal_alignment alignment);
  void set_horizontal_alignment(const cell_range& range, horizontal_alignment alignment);
  void set_rotation(int row, int column, int degrees);  // 90 = reads upwards
  void set_fill(int row, int column, std::uint32_t colour);
  void set_fill(const cell_range& range, std::uint32_t colour);
  void set_column_number_format(int column, const QString& format);  // e.g. "0000000000000"
  void set_column_width(int column, double characters);              // 0 hides the column
  double column_width(int column) const;                             // default width when never set
  void set_row_height(int row, double points);
  double row_height(int row) const;  // default height when never set
  // Overlapping merges are joined into one, as the file format forbids
  // merges that overlap (X X X merged 1-2 and 2-3 becomes one merge 1-3).
  void merge(const cell_range& range);
  std::vector<cell_range> merges() const;  // as they will be written (joined, non-overlapping)
  // Every edge of every cell in the range (outline and inside), as a
  // thin continuous line; off takes away every line around those cells.
  void set_borders(const cell_range& range, bool on);
  // Removes the horizontal edges between rows inside the range.
  void clear_inside_horizontal(const cell_range& range);
  void set_font_name(const QString& name);  // the whole sheet's font name
  // Widths from the font metrics of the cell texts (the printer's metrics);
  // merged cells and hidden columns are left out (autofit.cpp has the units).
  void autofit_columns(int first_column, int last_column);
  void autofit_row(int row);  // height from the tallest cell (rotated text: its text width)
  int last_row() const;       // 0 when empty
  int last_column() const;

  // Added to the shared interface: what the tests and the writer read back.
  QString font_name() const;  // the sheet's font name (Calibri until set)
  // The font a cell's text is shown in, its name resolved against the
  // sheet's font name.
  workbook_font font(int row, int column) const;
  bool is_number(int row, int column) const;
  // The four edges of a cell as they show: an edge shared by two cells
  // shows when either cell has it.
  struct edges {
    bool top = false, bottom = false, left = false, right = false;
    bool operator==(const edges&) const = default;
  };
  edges borders(int row, int column) const;
  // The measures used by the auto-fits; the program's font metrics unless
  // a test gives others (nullptr puts those back).
  void set_text_metrics(std::shared_ptr<text_metrics> metrics);

  const worksheet_data& data() const { return *d_; }

 private:
  std::unique_ptr<worksheet_data> d_;
};

class workbook {
 public:
  workbook();  // one empty worksheet
  ~workbook();
  int sheet_count() const;
  worksheet& add_sheet();        // after the last one
  worksheet& sheet(int number);  // 1-based; std::out_of_range outside 1..sheet_count()
  const worksheet& sheet(int number) const;
  // Writes .xlsx to a temporary file in the target's folder and renames it
  // over `win_path` only when complete; false with a reason in `error` (the
  // old file untouched) when it could not.
  [[nodiscard]] bool save(const QString& win_path, QString& error) const;

 private:
  std::vector<std::unique_ptr<worksheet>> sheets_;
};

}  // namespace km::platform
