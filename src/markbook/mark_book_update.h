#pragma once
// Bringing a mark book (marks<N>.dbf) into line with the learners of its
// combination (punte<N>.dbf): the book is made from the template when it is
// missing, duplicate learner numbers are cleared in both tables, learners
// new to the list get a record with blank marks, and the records of
// learners who left are deleted, after a copy of the book has been put in
// the data folder's "save" folder.
//
// Learners are added and leavers deleted only when the learner table was
// opened and read to its end and holds a learner with a number above 0: a
// learner table that is missing, busy or damaged must never read as "every
// learner left".
#include <QString>

#include "platform/dbase/data_control.h"

namespace km {

enum class learner_list_state { read, missing, in_use, read_only, damaged, read_failed, empty };

struct mark_book_update_result {
  learner_list_state learners = learner_list_state::missing;
  // Why the learner table could not be used ("" when it was read, missing
  // or empty).
  QString learner_message;
  // Why the mark book could not be brought into line ("" when it was).
  QString book_message;
  bool book_created = false;  // the template was copied to marks<N>.dbf
  bool book_missing = false;  // no book, and none could be made
  bool save_failed = false;   // no copy of the book could be kept, so no leaver was deleted
  int learners_cleared = 0;   // duplicate numbers set to 0 in the learner table
  int records_cleared = 0;    // duplicate numbers cleared in the book (their marks stay)
  int added = 0;
  int deleted = 0;
};

// Works through the window's two data controls (learner table and book),
// which are closed at the end.
mark_book_update_result update_mark_book(platform::data_control& learner_control,
                                         platform::data_control& book_control, const QString& data_folder,
                                         int n, const QString& program_folder);
// The same with data controls of its own.
mark_book_update_result update_mark_book(const QString& data_folder, int n, const QString& program_folder);

}  // namespace km
