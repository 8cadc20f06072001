#include "printing/excel_export.h"

namespace km {

namespace {

// The last column of the worksheet format: "XFD".
constexpr int last_worksheet_column = 16384;
constexpr int letters = 26;

}  // namespace

void begin_excel_export() {}

void copy_flexgrid_to_excel_sheet(platform::flex_grid&, int&, int, bool) {}

QString get_excel_column_letters(int column) {
  if (column < 1 || column > last_worksheet_column) return {};
  QString result;
  // Bijective base 26: A..Z, AA..ZZ, AAA..
  for (int n = column; n > 0; n = (n - 1) / letters) result.prepend(QChar(u'A' + (n - 1) % letters));
  return result;
}

bool save_excel_export() { return false; }

platform::worksheet* current_excel_sheet() { return nullptr; }

}  // namespace km
