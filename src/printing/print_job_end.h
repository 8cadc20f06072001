#pragma once
// The end of every report that choose_printer opened.
//
// Printing: an optional footer with the report title on the last page, the
// document handed to its device, the progress window put away, and the
// outcome told: "PRINTING COMPLETE (n pages)", the file of an HTML page, or
// why the document could not be written.
//
// Excel export: any printer document is thrown away, the workbook is saved
// as g_excel_folder, g_excel_file_name and ".xlsx" (save_excel_export), the
// export is closed, the user is told where the file went (or why it could
// not be written), and export mode ends.

namespace km {

// `footer`: print the title half a line above the bottom of the last page,
// when that page holds more than its header (the print position is below
// line 5). The second flag is accepted and prints nothing.
void end_print_job(bool footer = true, bool unused = true);

}  // namespace km
