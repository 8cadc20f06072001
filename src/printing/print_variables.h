#pragma once
// The state of printing and export: what the printer-choice window hands
// back, the page set-up's measures, the open Excel export and the parameter
// block of the export file dialog. Every variable starts at 0, false or the
// empty text, and reset_print_variables() puts them all back (tests call it
// between cases).
//
// The page measures and the document flag that windows outside printing
// also read live with the shared variables (common/shared_variables.h):
// g_print_new_document, g_excel_file_name, g_print_page_columns,
// g_print_line_length and g_print_page_lines.

#include <QString>
#include <cstdint>
#include <memory>

#include "platform/model/workbook/workbook.h"

namespace km {

// The print job and its page set-up.
#define KM_PV_PRINT_JOB(X)                                                                       \
  X(QString, g_print_title)               /* title of the report being printed or exported */    \
  X(QString, g_print_job_name)            /* the choice window's caption: a copy of the title */ \
  X(bool, g_print_go)                     /* the choice window's answer: print */                \
  X(bool, g_export_excel)                 /* an Excel export is chosen and under way */          \
  X(bool, g_print_colour)                 /* colour (true) or black (false) printing */          \
  X(std::int16_t, g_print_font_size)      /* report font size: 10 portrait, 8 landscape */       \
  X(std::int16_t, g_print_chars_per_line) /* character columns across the page */                \
  X(float, g_print_header_rule_y)         /* line of the rule under the page header */

// The rest of the choice window's hand-back and the open Excel export.
#define KM_PV_EXPORT(X)                                                                \
  X(QString, g_excel_folder)           /* folder of the Excel export, ending in "\" */ \
  X(bool, g_excel_new_sheet)           /* the next grid goes to a new worksheet */     \
  X(std::int32_t, g_excel_row)         /* last used row of the current worksheet */    \
  X(std::int16_t, g_excel_sheet_count) /* number of the worksheet being written */     \
  X(std::int32_t, g_excel_sheet)       /* the current worksheet's number; 0: none */   \
  X(bool, g_export_html)               /* the HTML choice was made */                  \
  X(QString, g_html_folder)            /* folder of the HTML page, without a "\" */    \
  X(QString, g_html_file_name)         /* file name of the HTML page */

// The export file dialog's parameter block (choose_export_file).
#define KM_PV_FILE_DIALOG(X)                                                                \
  X(QString, g_file_dialog_title)     /* in: the dialog's title */                          \
  X(QString, g_file_dialog_folder)    /* in: starting folder; out: the chosen folder */     \
  X(bool, g_file_dialog_mode)         /* in: false the save dialog, true the open dialog */ \
  X(QString, g_file_dialog_file_name) /* in: proposed name; out: the chosen name */         \
  X(QString, g_file_dialog_filter)    /* in: file-type filter, "" for none */               \
  X(bool, g_file_dialog_cancelled)    /* out: the user cancelled the dialog */

#define KM_PV_ALL(X) \
  KM_PV_PRINT_JOB(X) \
  KM_PV_EXPORT(X)    \
  KM_PV_FILE_DIALOG(X)

#define KM_PV_DECLARE(type, name) extern type name;
KM_PV_ALL(KM_PV_DECLARE)
#undef KM_PV_DECLARE

// The workbook of the open Excel export; empty when none is open.
extern std::unique_ptr<platform::workbook> g_excel_workbook;

// Puts every variable above back to its start value and drops the workbook
// (reset_for_tests does too).
void reset_print_variables();

}  // namespace km
