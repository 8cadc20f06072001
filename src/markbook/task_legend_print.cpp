#include "markbook/task_legend_print.h"

#include <algorithm>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/print_legend.h"
#include "platform/model/workbook/workbook.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/cell_text_fit.h"
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
  // Four even columns between the page frame's edges, one character in
  // from each; an entry is cut where it would reach the next column. Blanks
  // cannot line entries up in the grid's proportional font, so each entry
  // is placed at its column.
  platform::printer_object& printer = platform::printer();
  printer.set_current_y(printer.current_y() + 2);
  const double left = 1.0;
  const double right = std::min<double>(g_print_page_columns, printer.scale_width()) - 1.0;
  const double quarter = (right - left) / 4;
  const double gap = printer.text_width(QStringLiteral("0"));
  const QStringList entries = legend_entries(rows);
  for (qsizetype i = 0; i < entries.size(); ++i) {
    const int column = int(i % 4);
    printer.set_current_x(left + column * quarter);
    const QString shown = fit_text_to_width(entries[i], quarter - gap);
    const bool line_ends = column == 3 || i + 1 == entries.size();
    printer.print(shown, line_ends ? platform::print_end::line_end : platform::print_end::stay);
  }
}

}  // namespace km
