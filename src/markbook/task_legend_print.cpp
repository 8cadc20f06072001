#include "markbook/task_legend_print.h"

#include <algorithm>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/print_legend.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/workbook/workbook.h"
#include "printing/excel_export.h"
#include "printing/print_variables.h"

namespace km {

void print_task_legend(const setup_rows& rows) {
  if (g_export_excel) {
    platform::worksheet* sheet = current_excel_sheet();
    if (!sheet) return;
    // g_excel_row is the first row after the grid: leave one empty row. The
    // entries are padded to the longest, so nothing is cut.
    int width = 0;
    for (const QString& entry : legend_entries(rows)) width = std::max(width, int(entry.size()) + 2);
    int row = std::max<int>(g_excel_row, 1) + 1;
    for (const QString& line : legend_lines(rows, width)) sheet->set_text(row++, 1, trim_blanks(line));
    g_excel_row = row;
    return;
  }
  platform::printer_object& printer = platform::printer();
  printer.set_current_y(printer.current_y() + 2);
  printer.set_current_x(0);
  const double quarter = (printer.scale_width() - 4) / 4;
  const double character = printer.text_width(QStringLiteral("0"));
  const int width = character > 0 ? std::max(1, int(quarter / character)) : 1;
  for (const QString& line : legend_lines(rows, width)) printer.print(line);
}

}  // namespace km
