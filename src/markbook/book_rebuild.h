#pragma once
// The rebuild every opening of a mark book makes: the records of learners
// with a number above 0, in name order, copied field by field into a fresh
// copy of the template, written through a temporary file and renamed over
// the book, so that a failure at any step leaves the book as it was. A
// dropped record that holds a mark (a duplicate the set-up update cleared)
// sends the old book into the "save" folder first.
#include <QString>

namespace km {

enum class rebuild_outcome { rebuilt, no_template, in_use, failed };

struct rebuild_result {
  rebuild_outcome outcome = rebuild_outcome::failed;
  QString message;  // what to tell the user when not rebuilt
  int kept = 0;
  int dropped = 0;
  bool copy_kept = false;  // the old book went into "save"
};

rebuild_result rebuild_mark_book(const QString& data_folder, int n, const QString& program_folder);

// "TEMPLATE MRK_BOOK.ORG IS MISSING OR INCOMPLETE ..." in the chosen language.
QString template_missing_message();

}  // namespace km
