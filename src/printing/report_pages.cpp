#include "printing/report_pages.h"

#include <QStringList>
#include <algorithm>
#include <utility>

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/dialogs.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/workbook/workbook.h"
#include "platform/platform_error.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/column_autofit.h"
#include "printing/excel_export.h"
#include "printing/grid_print_common.h"
#include "printing/grid_report_printer.h"
#include "printing/print_variables.h"
#include "printing/report_header.h"

namespace km {

report_page_style framed_page_style(continuation_mark mark, std::vector<int> widen) {
  report_page_style style;
  style.mark = mark;
  style.within_frame = true;
  style.widen = std::move(widen);
  return style;
}

void close_page_with_continuation_mark(continuation_mark mark) {
  platform::printer_object& printer = platform::printer();
  printer.set_font_name(QStringLiteral("Lucida Console"));
  printer.set_font_size(10);
  printer.print();
  printer.set_current_x(g_print_line_length - 8);
  const QString next = QString::number(printer.page() + 1);
  const QString dots = QStringLiteral(".../");
  printer.print(mark == continuation_mark::number_first ? next + dots : dots + next);
  printer.new_page();
  g_print_new_document = true;
}

void print_report_pages(platform::flex_grid& grid, const QString& title, const QString& paper,
                        const report_page_style& style) {
  for (;;) {
    QString header_title = title;
    const double top = print_report_header(header_title, nullptr, paper);
    if (!g_export_excel) platform::printer().set_current_y(top);
    if (style.within_frame && !g_export_excel) {
      // The frame's right edge, half a column inside it.
      const double right = (double(g_print_page_columns) - 0.5) * one_character_width();
      fit_columns_within(grid, style.widen, grid_cell_margin(false), style.left_margin, right);
    }
    grid_report_options options;
    options.left_margin = style.left_margin;
    if (print_flexgrid(grid, options) == -1) return;
    if (g_export_excel) return;  // the export took the whole grid
    close_page_with_continuation_mark(style.mark);
  }
}

void report_print_error(const platform::platform_error& e) {
  platform::message_box(in_language(u"Drukfout = ", u"Print Error = ") + QString::number(e.number()));
}

void step_below_report() {
  if (g_export_excel) return;
  platform::printer_object& printer = platform::printer();
  printer.set_current_y(printer.current_y() + 2);
}

void print_line_below_report(const QString& line, double left_margin) {
  if (g_export_excel) {
    platform::worksheet* sheet = current_excel_sheet();
    if (!sheet) return;
    const int row = std::max<int>(g_excel_row, 1) + 1;
    sheet->set_text(row, 1, line);
    g_excel_row = row;
    return;
  }
  step_below_report();
  // Not where the last cell's text ended: the line stands on its own under
  // the table.
  platform::printer_object& printer = platform::printer();
  printer.set_current_x(printer.scale_x(left_margin, platform::scale_unit::twips));
  printer.print(line);
}

}  // namespace km
