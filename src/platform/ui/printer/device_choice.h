#pragma once
// Which device prints: the printers of the system (through CUPS) and the
// PDF writer, which stands in where the machine has no printer.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/dialogs.h"
#include "platform/ui/printer/print_device.h"

namespace km::platform {

// The name under which the PDF writer is offered among the printers.
QString pdf_printer_name();

// The system's print queues, looked up afresh, then the PDF writer.
QStringList available_printer_names();

// The printer a job goes to unless the user picks another: the system's
// default queue; with queues but none marked default, the first; the PDF
// writer only where the system has no queue at all.
QString default_printer_name();

// The device for a printer name: a queue of the system with the paper
// handling given, or the PDF writer for its own name. An empty name, or a
// name that is not an installed queue, gets the PDF writer standing in for
// a printer.
std::shared_ptr<print_device> make_printer_device(const QString& name, const paper_handling& paper = {});

// The device the printer choice offers as it opens, from the queues as they
// are now: the device in hand while it can still print (a queue still
// installed, a PDF file the user chose, a device of the program's own);
// otherwise, for a queue that has gone or the PDF writer standing in for a
// missing printer, the device of default_printer_name().
std::shared_ptr<print_device> current_printer_device(std::shared_ptr<print_device> held);

// Where the PDF writer puts its files: the folder KORVA-MARKS in the user's
// documents folder, unless a folder was set with set_pdf_folder (tests).
QString default_pdf_folder();
void set_pdf_folder(const QString& folder);  // empty: back to the documents folder

// The file name of a printed job: the job name (characters a file name
// cannot hold become "_") followed by the date and time, ".pdf".
// `now` is a date: days since 1899-12-30, the fraction the time of day.
QString pdf_file_name(const QString& job_name, double now);

}  // namespace km::platform
