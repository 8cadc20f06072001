#pragma once
// Short settings files written in the platform's write form: one value per
// line, texts in double quotes, dates as #yyyy-mm-dd#, each line ended by
// CR LF. The file is written under a number from the record-file pool and
// put in place whole when it is closed, so a failure leaves the old file.

#include <vector>

#include "platform/value.h"

namespace km {

// Writes the values, one per line, to the Windows path (replacing the file).
// Throws platform::file_error when the file cannot be written; the number
// is given back to the pool in every case.
void write_form_lines(const QString& win_path, const std::vector<platform::Value>& lines);

}  // namespace km
