#pragma once
// The start of every printed report and Excel export: the printer choice,
// the page set-up with the progress window, and the report's default font.
//
// A print button sets g_print_title (and g_excel_file_name for an export),
// calls choose_printer, and goes on only when it answers true. After the
// page set-up the printer works in the character scale (120 twips a column
// across, 240 twips a line down) and the page measures are in
// g_print_page_columns, g_print_line_length, g_print_page_lines and
// g_print_header_rule_y.

#include <QString>

namespace km {

// The paper names the callers pass; any text but portrait means landscape.
inline const QString paper_a4_portrait = QStringLiteral("A4_portrait");
inline const QString paper_a4_landscape = QStringLiteral("A4_landscape");

// Shows the printer-choice window kies_drukker for the job in g_print_title.
// True when the user chose to print (the page set-up has been made, the
// progress window is up and a new document is pending) or chose an Excel
// export (the workbook is open, nothing is set up); false when the user
// cancelled, closed the window, or cancelled an export's file dialog. The
// argument is not read.
bool choose_printer(const QString& unused = QString());

// The page set-up: shows the progress window, sets the character scale,
// the orientation (only while g_print_new_document is true: portrait for
// "A4_portrait", landscape for anything else), the report font and the page
// measures, and reloads g_print_colour from kleur_drukker.txt. A height
// factor other than 1 makes the page count that many times more units
// down. Does nothing during an Excel export.
void begin_print_job(const QString& paper = paper_a4_portrait, double height_factor = 1.0);

// Ends the printer's document (EndDoc). A document that could not be
// written is reported with the printing-failed message; false then.
bool end_document_or_report();

// The report's default text: Lucida Console 10, black, upright, plain.
void set_print_font();

}  // namespace km
