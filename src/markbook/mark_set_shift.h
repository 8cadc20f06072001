#pragma once
// Moving the mark sets of every record of a mark book when the set-up gets
// a row inserted or deleted, so that each mark stays under its task. The
// book is rewritten whole (a new file renamed over the old one, records in
// their order) or not at all: a book left half shifted would put marks
// under the wrong tasks.
#include <QString>

namespace km {

enum class shift_outcome { shifted, no_book, too_few_fields, failed };

struct shift_result {
  shift_outcome outcome = shift_outcome::failed;
  // What to tell the user when the book was not shifted ("" for shifted and
  // no_book: a book not yet made has nothing to shift).
  QString reason;
};

// The marks of rows line..39 move to rows line + 1..40; row line is blank.
shift_result insert_mark_set(const QString& data_folder, int n, int line);

// The marks of rows row + 1..40 move to rows row..39; row 40 is blank. The
// book and the set-up file (setup_file_name in the data folder, when it is
// there) are first copied into the data folder's "save" folder.
shift_result delete_mark_set(const QString& data_folder, int n, int row, const QString& setup_file_name);

// True when some record of the book holds a mark for row 40.
bool last_mark_set_used(const QString& data_folder, int n);

}  // namespace km
