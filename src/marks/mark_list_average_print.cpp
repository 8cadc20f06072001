#include "marks/mark_list_average_print.h"

#include <algorithm>

#include "marks/mark_list_rows.h"
#include "platform/model/workbook/workbook.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/excel_export.h"
#include "printing/print_variables.h"
#include "printing/report_pages.h"

namespace km {

namespace {

constexpr int label_column = 5;
constexpr int figure_column = 20;
// The worksheet columns: the first, and that of the marks (grid column 3).
constexpr int label_cell = 1;
constexpr int figure_cell = 4;

}  // namespace

void print_mark_list_average(const mark_list_average& lines) {
  if (g_export_excel) {
    platform::worksheet* sheet = current_excel_sheet();
    if (!sheet) return;
    const int row = std::max<int>(g_excel_row, 1) + 1;
    sheet->set_text(row, label_cell, lines.label);
    sheet->set_text(row, figure_cell, lines.average);
    sheet->set_text(row + 1, figure_cell, lines.percentage);
    g_excel_row = row + 1;
    return;
  }
  using platform::print_tab;
  step_below_report();
  platform::printer_object& printer = platform::printer();
  printer.print({print_tab{label_column}, lines.label, print_tab{figure_column}, lines.average});
  printer.print({print_tab{figure_column}, lines.percentage});
}

}  // namespace km
