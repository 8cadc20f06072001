#include "printing/marks_report.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/workbook/workbook.h"
#include "platform/number_format.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/closing_line.h"
#include "printing/excel_export.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_header.h"

namespace km {

namespace {

using platform::print_tab;
using platform::printer;
using platform::Value;

// Print columns of the line's parts (counted from 1). A line starts one
// column in, clear of the page frame's left rule, where the closing labels
// start too; its marks follow right after the number, code and name.
constexpr int line_column = 2;
constexpr int head_width = 3 + 1 + 6 + 1 + 42;
constexpr int marks_column = line_column + head_width;
constexpr int label_column = line_column;
constexpr int count_column = 50;
constexpr int sum_column = 55;
constexpr int field_width = 5;
constexpr int total_width = 10;
// A page is full when the print position is this many lines from its foot.
constexpr double foot_lines = 4.0;

const QChar broken_bar(0x00A6);

// A total as a number: a text is replaced by the number it starts with,
// and anything that is no number counts as 0.
double total_number(Value& total) {
  if (total.is_text()) total = Value(platform::val(total.as_text()));
  if (total.is_empty() || total.is_null()) return 0.0;
  try {
    return total.to_double();
  } catch (const platform::value_error&) {
    return 0.0;
  }
}

// The running totals of the marks read so far.
struct mark_tally {
  double sum = 0.0;
  int count = 0;
  void add(const summary_mark& mark) {
    if (mark.what != summary_mark::kind::number) return;
    sum += mark.value;
    ++count;
  }
};

// The page set-up of the summary, made at the start and again after each
// page header (whose own set-up puts the character scale and the report
// font back).
void apply_summary_page(const summary_page& page) {
  platform::printer_object& p = printer();
  if (g_print_new_document)
    p.set_orientation(page.portrait ? platform::page_orientation::portrait
                                    : platform::page_orientation::landscape);
  g_print_chars_per_line = std::int16_t(page.chars_per_line);
  g_print_font_size = std::int16_t(page.font_size);
  p.set_font_size(page.font_size);
  p.set_scale_width(page.scale_width);
  g_print_page_columns = platform::cint(p.scale_width() - 2.0);
  g_print_line_length = g_print_page_columns;
  g_print_header_rule_y = float(p.scale_height() / 12.0);
  p.set_draw_width(1);
}

QString paper_of(const summary_page& page) { return page.portrait ? paper_a4_portrait : paper_a4_landscape; }

// The continuation mark of a full page and the header of the next one;
// the header of the first page without the mark.
void next_page(QString& subtitle, const summary_page& page) {
  platform::printer_object& p = printer();
  if (!g_print_new_document) {
    p.print();
    p.print({print_tab{g_print_page_columns - 6}, QStringLiteral(".../") + QString::number(p.page() + 1)});
  }
  print_report_header(g_print_title, &subtitle, paper_of(page));
  apply_summary_page(page);
}

// The printed line of grid row `row`, numbered `number`: the head (number,
// code and name) and the marks part that starts at the marks column.
struct summary_line {
  QString head;
  QString marks;
};

summary_line compose_line(int number, const platform::flex_grid& grid, int row,
                          const std::vector<summary_mark>& marks) {
  summary_line line;
  line.head = left_justify(Value(number), 3) + u' ' + right_justify(Value(grid.text_matrix(row, 0)), 6) +
              u' ' + left_justify(Value(grid.text_matrix(row, 1)), 42);
  line.marks = broken_bar;
  for (const summary_mark& mark : marks) line.marks += summary_mark_field(mark) + broken_bar;
  return line;
}

std::vector<summary_mark> row_marks(const platform::flex_grid& grid, int row, double new_total,
                                    double old_total) {
  std::vector<summary_mark> marks;
  for (int col = 2; col < grid.cols(); ++col)
    marks.push_back(read_summary_mark(grid.text_matrix(row, col), new_total, old_total));
  return marks;
}

QString totals_label() { return in_language(u"TOTALE LEERDERS/PUNTE", u"TOTAL NUMBER OF LEARNERS/MARKS"); }
QString average_label() { return in_language(u"GEMIDDELD", u"AVERAGE"); }

QString average_text(double value) {
  return right_justify(Value(platform::format_number(value, QStringLiteral("####.0"))), total_width);
}

// The averages of the closing lines: the average as a percentage of the new
// total (the plain average when there is no new total), then the plain
// average. None without a positive sum, so a count of 0 never divides.
struct summary_averages {
  double shown = 0.0;
  double plain = 0.0;
};

std::optional<summary_averages> averages_of(const mark_tally& tally, double new_total) {
  if (tally.sum <= 0.0) return std::nullopt;
  const double average = tally.sum / tally.count;
  return summary_averages{new_total > 0.0 ? average / new_total * 100.0 : average, average};
}

void print_closing(const mark_tally& tally, double new_total) {
  platform::printer_object& p = printer();
  p.print();
  p.print({print_tab{label_column}, totals_label(), print_tab{count_column},
           platform::number_text(tally.count), print_tab{sum_column},
           right_justify(Value(tally.sum), total_width)});
  const std::optional<summary_averages> averages = averages_of(tally, new_total);
  if (!averages) return;
  p.print();
  p.print({print_tab{label_column}, average_label(), print_tab{sum_column}, average_text(averages->shown)});
  p.print({print_tab{sum_column}, average_text(averages->plain)});
}

void print_summary(QString& subtitle, double new_total, double old_total, const platform::flex_grid& grid) {
  platform::printer_object& p = printer();
  begin_print_job(QString(), 1.0);
  const summary_page page = summary_page_for(grid.cols());
  apply_summary_page(page);

  mark_tally tally;
  for (int row = 0; row < grid.rows(); ++row) {
    if (p.current_y() >= p.scale_height() - foot_lines || g_print_new_document) next_page(subtitle, page);
    const std::vector<summary_mark> marks = row_marks(grid, row, new_total, old_total);
    for (const summary_mark& mark : marks) tally.add(mark);
    const summary_line line = compose_line(row + 1, grid, row, marks);
    p.set_font_underline(true);
    p.print({print_tab{line_column}, line.head, print_tab{marks_column}, line.marks});
    p.set_font_underline(false);
  }
  print_closing(tally, new_total);
}

// A value as the printed line shows it, with one decimal.
double shown_value(double x) { return platform::val(platform::format_number(x, QStringLiteral("0.0"))); }

// Worksheet columns of an exported line: the line number, the code, the
// name, then one per mark; the closing lines put their figures under
// the first two mark columns.
constexpr int number_cell = 1;
constexpr int code_cell = 2;
constexpr int name_cell = 3;
constexpr int first_mark_cell = 4;
constexpr int count_cell = 4;
constexpr int sum_cell = 5;

void write_summary_row(platform::worksheet& sheet, int number, const platform::flex_grid& grid, int row,
                       const std::vector<summary_mark>& marks) {
  const int at = take_export_row();
  sheet.set_number(at, number_cell, number);
  sheet.set_text(at, code_cell, trim_blanks(grid.text_matrix(row, 0)));
  sheet.set_text(at, name_cell, trim_trailing_blanks(grid.text_matrix(row, 1)));
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const int col = first_mark_cell + int(i);
    if (marks[i].what == summary_mark::kind::number)
      sheet.set_number(at, col, shown_value(marks[i].value));
    else if (marks[i].what == summary_mark::kind::absent)
      sheet.set_text(at, col, marks[i].absent_text);
  }
}

void write_closing(platform::worksheet& sheet, const mark_tally& tally, double new_total) {
  take_export_row();  // the empty line
  const int totals = take_export_row();
  sheet.set_text(totals, name_cell, totals_label());
  sheet.set_number(totals, count_cell, tally.count);
  sheet.set_number(totals, sum_cell, tally.sum);
  const std::optional<summary_averages> averages = averages_of(tally, new_total);
  if (!averages) return;
  take_export_row();
  const int shown = take_export_row();
  sheet.set_text(shown, name_cell, average_label());
  sheet.set_number(shown, sum_cell, shown_value(averages->shown));
  sheet.set_number(take_export_row(), sum_cell, shown_value(averages->plain));
}

// The summary into the export's worksheet: the header moves the export to
// a fresh worksheet and fills its heading rows; the lines follow below.
void export_summary(QString& subtitle, double new_total, double old_total, const platform::flex_grid& grid) {
  print_report_header(g_print_title, &subtitle);
  platform::worksheet* sheet = current_excel_sheet();
  if (!sheet) return;
  mark_tally tally;
  for (int row = 0; row < grid.rows(); ++row) {
    const std::vector<summary_mark> marks = row_marks(grid, row, new_total, old_total);
    for (const summary_mark& mark : marks) tally.add(mark);
    write_summary_row(*sheet, row + 1, grid, row, marks);
  }
  write_closing(*sheet, tally, new_total);
}

}  // namespace

summary_mark read_summary_mark(const QString& cell, double new_total, double old_total) {
  summary_mark mark;
  const QString trimmed = trim_blanks(cell);
  if (trimmed.isEmpty()) return mark;
  if (upper_case_afrikaans(trimmed) == QStringLiteral("A")) {
    mark.what = summary_mark::kind::absent;
    mark.absent_text = trimmed;
    return mark;
  }
  if (!platform::is_number_text(cell)) return mark;
  double x = Value(cell).to_double();
  if (new_total != 0.0 && old_total != 0.0) x = x / old_total * new_total;
  mark.what = summary_mark::kind::number;
  mark.value = x;
  return mark;
}

QString summary_mark_field(const summary_mark& mark) {
  switch (mark.what) {
    case summary_mark::kind::number:
      return right_justify(Value(platform::format_number(mark.value, QStringLiteral("###.0"))), field_width);
    case summary_mark::kind::absent:
      return right_justify(Value(mark.absent_text), field_width);
    case summary_mark::kind::blank:
      break;
  }
  return QString(field_width, u' ');
}

summary_page summary_page_for(int grid_cols) {
  const int width = (grid_cols - 2) * 6 + 38;
  summary_page page;
  if (width > 96) {
    page.portrait = false;
    page.chars_per_line = 110;
    page.font_size = 7;
  }
  page.scale_width = std::max(width, page.chars_per_line);
  return page;
}

void print_marks_report(QString& subtitle, Value& new_total, Value& old_total,
                        const platform::flex_grid& grid) {
  const double to_total = total_number(new_total);
  const double from_total = total_number(old_total);
  if (g_export_excel)
    export_summary(subtitle, to_total, from_total, grid);
  else
    print_summary(subtitle, to_total, from_total, grid);
  end_print_job();
}

}  // namespace km
