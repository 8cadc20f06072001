#pragma once
// Messages of the mark-book windows that more than one window shows.
#include <QString>

#include "platform/file_error.h"

namespace km {

// A mark-book table without room for 40 mark sets (fewer than 42 fields):
// two lines.
QString too_few_mark_sets_message();

// An insert would push the task of row 40, or the marks of its field, out
// of the book.
QString line_40_in_use_message();

// No copy of a file could be kept in the "save" folder, so the step that
// needed it was not taken.
QString save_copy_failed_message(const QString& file_path, const platform::file_error& e);

// The symbol distribution found no symbols in the data folder: where they
// are looked for, and that only the averages print.
QString no_symbol_table_message(const QString& data_folder);

}  // namespace km
