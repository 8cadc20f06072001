#pragma once
// The texts that printing and export show the user, in the language of
// g_language.

#include <QString>

#include "platform/dialogs.h"
#include "platform/model/print/print_types.h"

namespace km {

// The progress window's heading while a report without a title prints.
QString print_busy_text();
// "PAGE : " / "BLADSY : " before the page number of a report header.
QString page_label_text();
// The end of a printed job: "PRINTING COMPLETE (3 pages)". A job written
// to a PDF file (in place of paper) names the file on a second line, as the
// file manager shows it, so the user knows where to find it.
QString printing_complete_message(int pages, const QString& pdf_file = QString());
// A job the printer or the PDF writer could not take or the print system
// could not print, with the reason; a job left waiting in a printer's queue
// is told as waiting, not as failed.
QString printing_failed_message(const platform::print_error& error);
// The icon of that message: critical for a failure, exclamation for a wait.
platform::msg_icon printing_failed_icon(const platform::print_error& error);
// The reason alone, in the user's language.
QString print_error_reason(const platform::print_error& error);
// The end of an export: the name, and the folder followed by the name.
QString export_complete_message(const QString& name, const QString& folder_and_name);
// An export that could not be written, with the reason.
QString export_failed_message(const QString& name, const QString& folder_and_name, const QString& reason);
// The reason of an export that ends without a workbook.
QString no_workbook_open_text();
// A report table wider than a worksheet: it is left out of the export.
QString too_many_columns_message(int columns, int most_columns);

}  // namespace km
