#include "printing/closing_line.h"

#include <algorithm>

#include "platform/model/workbook/workbook.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/excel_export.h"
#include "printing/print_variables.h"

namespace km {

int take_export_row() {
  const int row = std::max<int>(g_excel_row, 1);
  g_excel_row = row + 1;
  return row;
}

void print_closing_line(const QString& text) {
  if (!g_export_excel) {
    platform::printer().print(text);
    return;
  }
  if (platform::worksheet* sheet = current_excel_sheet()) sheet->set_text(take_export_row(), 1, text);
}

}  // namespace km
