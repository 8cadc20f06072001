#include "printing/excel_export.h"

#include <QStringList>
#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <vector>

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "platform/dialogs.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/workbook/workbook.h"
#include "printing/excel_cell_value.h"
#include "printing/export_file_dialog.h"
#include "printing/grid_print_common.h"
#include "printing/print_choice_files.h"
#include "printing/print_messages.h"
#include "printing/print_variables.h"

namespace km {

namespace {

using platform::cell_range;
using platform::horizontal_alignment;
using platform::worksheet;

// The last column of the worksheet format: "XFD".
constexpr int last_worksheet_column = 16384;
constexpr int letters = 26;
// The first worksheet row of a report's table, below the heading rows.
constexpr int first_table_row = 6;
// The smallest font a worksheet cell is written with.
constexpr double smallest_font_size = 8.0;
// The grey of the heading band and of cells with a back colour.
constexpr std::uint32_t grey_fill = platform::flex_grid::rgb(247, 247, 247);
const QString id_number_format = QStringLiteral("0000000000000");

// A name typed with the workbook extension (old or new) keeps only one.
QString without_workbook_extension(QString name) {
  for (const QString& extension : {QStringLiteral(".xlsx"), QStringLiteral(".xls")}) {
    if (name.size() > extension.size() && name.endsWith(extension, Qt::CaseInsensitive)) {
      name.chop(extension.size());
      break;
    }
  }
  return name;
}

QString without_trailing_blanks(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1].isSpace()) --end;
  return text.left(end);
}

// A text or a number, as worksheet_number decides. A leading "'" marks a
// text that is to stay text: it is not shown, as in a spreadsheet program.
void write_value(worksheet& sheet, int row, int column, const QString& text) {
  if (const auto number = worksheet_number(text)) {
    sheet.set_number(row, column, *number);
    return;
  }
  sheet.set_text(row, column, text.startsWith(u'\'') ? text.mid(1) : text);
}

// The text colour of a cell; the system colours (top bit set) mean the
// default, black.
std::uint32_t text_colour(std::uint32_t colour) { return (colour & 0x80000000u) ? 0u : colour; }

platform::workbook_font cell_font(const platform::grid_cell_style& style) {
  platform::workbook_font font;
  font.name = style.font.name;
  font.size = std::max(style.font.size, smallest_font_size);
  font.bold = style.font.bold;
  font.italic = style.font.italic;
  font.underline = style.font.underline;
  font.strikethrough = style.font.strikethrough;
  font.colour = text_colour(style.fore_color);
  return font;
}

// The value and alignment of a plain cell: the grid cell's or the grid
// column's alignment decides (centre, right, left bottom), else the text
// goes in untrimmed and to the left.
void write_plain_cell(worksheet& sheet, int row, int column, const QString& text,
                      platform::grid_alignment cell, platform::grid_alignment col) {
  using platform::grid_alignment;
  const auto either = [&](grid_alignment a) { return cell == a || col == a; };
  horizontal_alignment alignment = horizontal_alignment::left;
  QString value = without_trailing_blanks(text);
  if (either(grid_alignment::center_center))
    alignment = horizontal_alignment::centre;
  else if (either(grid_alignment::right_center))
    alignment = horizontal_alignment::right;
  else if (!either(grid_alignment::left_bottom))
    value = text;
  write_value(sheet, row, column, value);
  sheet.set_horizontal_alignment(row, column, alignment);
}

// The widths and redraw state of a grid, put back when the copy ends.
class grid_state_keeper {
 public:
  explicit grid_state_keeper(platform::flex_grid& grid) : grid_(grid), redraw_(grid.redraw()) {
    widths_.reserve(std::size_t(grid.cols()));
    for (int c = 0; c < grid.cols(); ++c) widths_.push_back(grid.col_width(c));
    grid.set_redraw(false);
  }
  ~grid_state_keeper() {
    try {
      for (int c = 0; c < int(widths_.size()) && c < grid_.cols(); ++c) grid_.set_col_width(c, widths_[c]);
      grid_.set_redraw(redraw_);
    } catch (const std::exception&) {
      // The grid changed shape under the copy; what it has now stands.
    }
  }
  grid_state_keeper(const grid_state_keeper&) = delete;
  grid_state_keeper& operator=(const grid_state_keeper&) = delete;

 private:
  platform::flex_grid& grid_;
  bool redraw_;
  std::vector<int> widths_;
};

// Copies one grid row into worksheet row `row`; true when it held a
// rotated heading.
bool copy_row(platform::flex_grid& grid, int r, worksheet& sheet, int row) {
  bool rotated = false;
  for (int c = 0; c < grid.cols(); ++c) {
    const int column = c + 1;
    if (grid.col_width(c) == 0) {
      sheet.set_column_width(column, 0);
      continue;
    }
    const QString text = grid.text_matrix(r, c);
    const QString trimmed = text.trimmed();
    const platform::grid_cell_style style = grid.style_at(r, c);
    if (wants_id_number_format(text)) sheet.set_column_number_format(column, id_number_format);
    sheet.set_font(row, column, cell_font(style));
    if (trimmed.contains(QStringView(rotated_heading_marker))) {
      write_value(sheet, row, column,
                  QString(trimmed).remove(QStringView(rotated_heading_marker).toString()));
      sheet.set_horizontal_alignment(row, column, horizontal_alignment::centre);
      sheet.set_rotation(row, column, 90);
      rotated = true;
    } else if (!style.picture.isNull()) {
      sheet.set_empty(row, column);  // a picture has no value a worksheet cell can hold
    } else {
      if (!trimmed.isEmpty())
        write_plain_cell(sheet, row, column, text, style.alignment, grid.col_alignment(c));
      if (style.back_color != 0) sheet.set_fill(row, column, grey_fill);
    }
  }
  if (grid.merge_row(r)) {
    for (int c = 0; c + 1 < grid.cols(); ++c) {
      if (grid.col_width(c) > 0 && grid.col_width(c + 1) > 0 &&
          grid.text_matrix(r, c) == grid.text_matrix(r, c + 1)) {
        const cell_range pair{row, c + 1, row, c + 2};
        sheet.merge(pair);
        sheet.set_horizontal_alignment(pair, horizontal_alignment::centre);
      }
    }
  }
  return rotated;
}

// Borders round every cell of the table and of the row below it, a grey
// heading band without inside rules, and rules only between row groups.
void draw_table_rules(worksheet& sheet, int start, int end, int last_column, int heading_rows,
                      int group_rows) {
  sheet.set_borders({start, 1, end, last_column}, true);
  if (heading_rows != 0) {
    const cell_range band{start, 1, start + heading_rows - 1, last_column};
    sheet.clear_inside_horizontal(band);
    sheet.set_fill(band, grey_fill);
  }
  // A group never reaches past the bordered rows, so the table keeps its
  // closing rule.
  for (int r = start + heading_rows; r <= end; r += group_rows)
    sheet.clear_inside_horizontal({r, 1, std::min(r + group_rows - 1, end), last_column});
}

}  // namespace

bool open_excel_export() {
  g_excel_file_name.remove(u'/');
  if (!ask_export_file(excel_folder_file_path(),
                       in_language(u"GIDSADRES VIR EXCEL-UITVOER", u"FOLDER ADDRESS FOR EXCEL EXPORT"),
                       g_excel_file_name))
    return false;

  g_excel_folder = g_file_dialog_folder;
  if (!g_excel_folder.endsWith(u'\\')) g_excel_folder = g_excel_folder.trimmed() + u'\\';
  QString name = g_file_dialog_file_name.trimmed();
  if (!g_file_dialog_folder.isEmpty()) name.remove(g_file_dialog_folder, Qt::CaseSensitive);
  g_excel_file_name = without_workbook_extension(name);

  g_excel_workbook = std::make_unique<platform::workbook>();
  g_excel_sheet = 0;
  g_excel_sheet_count = 0;
  g_excel_row = 0;
  return true;
}

void begin_excel_export() {
  if (open_excel_export()) g_export_excel = true;
}

platform::worksheet* current_excel_sheet() {
  if (!g_excel_workbook) return nullptr;
  const int number = std::max<int>(g_excel_sheet_count, 1);
  if (number > g_excel_workbook->sheet_count()) return nullptr;
  return &g_excel_workbook->sheet(number);
}

void copy_flexgrid_to_excel_sheet(platform::flex_grid& grid, int& heading_rows, int group_rows, bool) {
  grid.refresh();
  worksheet* sheet = current_excel_sheet();
  if (!sheet) return;
  const int last_column = grid.cols();
  if (last_column > last_worksheet_column) {
    platform::message_box(too_many_columns_message(last_column, last_worksheet_column),
                          platform::msg_buttons::ok, platform::msg_icon::exclamation);
    return;
  }
  sheet->set_font_name(grid.font().name);
  g_excel_row = std::max<int>(g_excel_row, first_table_row);
  const int start = g_excel_row;
  if (grid.rows() == 0) return;

  int rotated_row = 0;
  std::vector<int> hidden_columns;
  {
    const grid_state_keeper keep(grid);
    for (int c = 0; c < grid.cols(); ++c)
      if (grid.col_width(c) == 0) hidden_columns.push_back(c + 1);
    for (int r = 0; r < grid.rows(); ++r) {
      if (grid.row_height(r) == 0) continue;  // a hidden row takes no worksheet row
      if (copy_row(grid, r, *sheet, g_excel_row)) rotated_row = g_excel_row;
      ++g_excel_row;
    }
    draw_table_rules(*sheet, start, g_excel_row, last_column, heading_rows, std::max(group_rows, 1));
  }
  sheet->autofit_columns(1, last_column);
  for (const int column : hidden_columns) sheet->set_column_width(column, 0);
  if (rotated_row != 0) sheet->autofit_row(rotated_row);
}

QString get_excel_column_letters(int column) {
  if (column < 1 || column > last_worksheet_column) return {};
  QString result;
  // Bijective base 26: A..Z, AA..ZZ, AAA..XFD.
  for (int n = column; n > 0; n = (n - 1) / letters) result.prepend(QChar(u'A' + (n - 1) % letters));
  return result;
}

bool save_excel_export() {
  const QString name = g_excel_file_name;
  const QString target = g_excel_folder + name;
  const bool exporting = g_export_excel;
  QString reason;
  bool saved = false;
  if (!g_excel_workbook) {
    reason = no_workbook_open_text();
  } else {
    try {
      saved = g_excel_workbook->save(target + QStringLiteral(".xlsx"), reason);
    } catch (const std::exception& e) {
      saved = false;
      reason = QString::fromUtf8(e.what());
    }
  }
  const bool opened = g_excel_workbook != nullptr;
  g_excel_workbook.reset();
  g_excel_sheet = 0;
  g_export_excel = false;
  // An export whose dialog was cancelled opened nothing: there is nothing
  // to report.
  if (!saved && (opened || exporting))
    platform::message_box(export_failed_message(name, target, reason), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
  return saved;
}

}  // namespace km
