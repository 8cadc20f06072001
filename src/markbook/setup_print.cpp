#include "markbook/setup_print.h"

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "platform/dialogs.h"
#include "platform/platform_error.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/grid_pages_printer.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_header.h"
#include "printing/report_pages.h"

namespace km {

namespace {

void print_pages(platform::flex_grid& grid) {
  grid_pages_options options;
  options.centre_table = true;
  options.auto_fit = false;
  for (;;) {
    QString title = g_print_title;
    print_report_header(title);
    if (print_flexgrid_pages(grid, options) == -1) break;
    close_page_with_continuation_mark();
  }
  platform::printer_object& printer = platform::printer();
  printer.set_current_y(printer.current_y() + 2);
  end_print_job();
}

}  // namespace

void print_setup_grid(platform::flex_grid& setup_grid) {
  try {
    g_print_title = in_language(u"PUNTEBOEK OPSTELLING", u"MARK BOOK SETUP");
    g_excel_file_name = g_print_title;
    g_print_new_document = true;
    if (!choose_printer()) return;
    setup_grid.set_col_width(1, 4500);
    platform::flex_grid copy;
    copy.copy_from(setup_grid);
    print_pages(copy);
  } catch (const platform::platform_error& e) {
    report_print_error(e);
  }
}

}  // namespace km
