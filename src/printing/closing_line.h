#pragma once
// Lines a report prints below its grid (a count, an average, a signature
// line). While an Excel export is open they belong in the worksheet, below
// the rows the grid left there, and never on the printer.

#include <QString>

namespace km {

// Prints `text` as one line at the printer's print position; during an
// Excel export writes it into column 1 of the next free row of the current
// worksheet instead (g_excel_row, which moves on by one).
void print_closing_line(const QString& text);

// The next free row of the current worksheet for a line of an export (at
// least row 1); g_excel_row moves on past it.
int take_export_row();

}  // namespace km
