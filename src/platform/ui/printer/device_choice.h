#pragma once
// Which device prints: the printers of the system (through CUPS) and the
// PDF writer, which stands in where the machine has no printer.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/ui/printer/print_device.h"

namespace km::platform {

// The name under which the PDF writer is offered among the printers.
QString pdf_printer_name();

// The system's printers, then the PDF writer.
QStringList available_printer_names();

// The system's default printer, or the PDF writer when there is none.
QString default_printer_name();

// The device for a printer name: the PDF writer for its own name, for an
// empty name and when the system has no printer of that name.
std::shared_ptr<print_device> make_printer_device(const QString& name);

// Where the PDF writer puts its files: the folder KORVA-MARKS in the user's
// documents folder, unless a folder was set with set_pdf_folder (tests).
QString default_pdf_folder();
void set_pdf_folder(const QString& folder);  // empty: back to the documents folder

// The file name of a printed job: the job name (characters a file name
// cannot hold become "_") followed by the date and time, ".pdf".
// `now` is a date: days since 1899-12-30, the fraction the time of day.
QString pdf_file_name(const QString& job_name, double now);

}  // namespace km::platform
