#pragma once
// Where a job's pages go besides the chosen printer. The HTML choice lends
// the printer an HTML page device for one job; the end of the job (or the
// next print start) gives the printer its own device back.

#include <QString>
#include <memory>

#include "platform/ui/printer/print_device.h"

namespace km {

// Puts `device` in the printer's place for the job in hand, keeping the
// printer's own device to give back. A device already lent is replaced; the
// printer's own device stays the one kept.
void lend_printer_device(std::shared_ptr<platform::print_device> device);
// Gives the printer its own device back; nothing when none is lent.
void return_printer_device();
bool printer_device_lent();

// The HTML page of the HTML choice: g_html_folder, "\" and g_html_file_name,
// with ".html" added when the name has no extension.
QString html_export_path();

// True when the last name of a path ends in an extension: a "." followed by
// one or more characters, none of them a blank, after the first character.
bool has_file_extension(const QString& name);

}  // namespace km
