#pragma once
// The set-up file setup_<key>.txt of a mark book: 200 lines, five a task
// row, each one value between double quotes followed by CR LF, in
// Windows-1252. Row r (1..40) of the set-up names field r + 1 of the
// mark-book table, so the file decides which mark column is which task.
#include <QString>

#include "markbook/pboek_setup_line.h"

namespace km {

// Writes the 40 rows. The text goes to a temporary file that replaces the
// old one only when it is complete, so a failure leaves the old file whole.
// Throws platform::file_error.
void write_setup_file(const QString& win_path, const setup_rows& rows);

struct setup_file_read {
  setup_rows rows;
  // All 200 values were there; a short file gives the rows it held.
  bool complete = false;
};

// Reads 200 values with Input #, so a file that holds the five quoted values
// of a row on one line reads the same; whatever follows the 200th value is
// ignored. Throws platform::file_error when the file cannot be opened.
setup_file_read read_setup_file(const QString& win_path);

}  // namespace km
