#pragma once
// The Excel export of report grids: a report sent to EXCEL is copied into
// the worksheets of an in-memory workbook instead of being printed, and the
// workbook is saved as one .xlsx file at the end.
//
// An export is opened either by the printer-choice window's EXCEL button or
// by begin_excel_export; the report header moves it to a fresh worksheet per
// report; copy_flexgrid_to_excel_sheet copies each report grid below the
// rows already used; save_excel_export (or the end of the print job) writes
// the file.

#include <QString>

namespace km::platform {
class flex_grid;
class worksheet;
}  // namespace km::platform

namespace km {

// The opening of an export that the printer-choice window and
// begin_excel_export share: removes "/" from g_excel_file_name, asks the
// folder and name (the last Excel folder offered), keeps the folder,
// sets g_excel_folder (ending in "\") and g_excel_file_name (without the
// folder and without a typed .xls or .xlsx) and opens a new workbook with
// the worksheet and row counters at 0. False, with nothing opened, when the
// dialog was cancelled. Export mode is the caller's.
bool open_excel_export();

// Asks folder and name (choose_export_file), opens a new workbook in
// g_excel_workbook, g_excel_sheet_count = 0, g_excel_row = 0, export mode
// on. Cancelled: nothing is opened.
void begin_excel_export();

// Copies the grid into the current worksheet from g_excel_row on: texts,
// fonts, colours, alignment, rotated "~~R~~" headings, merged runs, hidden
// columns, borders, a grey heading band of `heading_rows` rows and a rule
// after every `group_rows` rows; then fits the columns. Hidden rows are left
// out. `opened_here` (the caller opened the export itself) changes nothing.
// A grid wider than the worksheet format allows is not copied: the user is
// told and the worksheet is left as it was.
void copy_flexgrid_to_excel_sheet(platform::flex_grid& grid, int& heading_rows, int group_rows,
                                  bool opened_here);

// "A" for 1 ... "ZZ" for 702, "AAA" for 703 ... "XFD" for 16384; "" outside
// 1 to 16384.
QString get_excel_column_letters(int column);

// Saves g_excel_workbook to g_excel_folder + g_excel_file_name + ".xlsx"
// (temporary file + rename), drops it and leaves export mode. False after
// showing the critical message that names the file and the reason.
bool save_excel_export();

// The worksheet an export writes into now (sheet max(g_excel_sheet_count,
// 1)); nullptr when no export is open.
platform::worksheet* current_excel_sheet();

}  // namespace km
