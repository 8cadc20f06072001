#pragma once
// The texts that printing and export show the user, in the language of
// g_language.

#include <QString>

#include "platform/ui/printer/print_types.h"

namespace km {

// The progress window's heading while a report without a title prints.
QString print_busy_text();
// "PAGE : " / "BLADSY : " before the page number of a report header.
QString page_label_text();
// The end of a printed job: "PRINTING COMPLETE (3 pages)".
QString printing_complete_message(int pages);
// A job the printer or the PDF writer could not take, with the reason.
QString printing_failed_message(const platform::print_error& error);
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
