#pragma once
// Opening a table of a mark book's data folder (the mark book itself or the
// learner table) on a data control, with what went wrong said in the words
// the table opener uses, and no other step taken: the mark-book windows
// must leave a table they cannot open exactly as it is.
#include <QString>
#include <vector>

#include "markbook/mark_totals.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"

namespace km {

enum class table_state { open, missing, in_use, read_only, damaged, failed };

struct table_opening {
  table_state state = table_state::failed;
  // What to tell the user; "" for open and missing.
  QString message;
};

// Opens folder\table_file ("marks3.dbf") on the control, for writing unless
// read_only.
table_opening open_book_table(platform::data_control& control, const QString& folder,
                              const QString& table_file, bool read_only = false);

// Runs step with each record of the set current, from the first to the end;
// an empty set has none.
template <class Step>
void for_each_record(platform::recordset& rs, Step step) {
  if (rs.record_count() == 0) return;
  for (rs.move_first(); !rs.eof(); rs.move_next()) step();
}

// The first 42 fields of every record as clean text; a Null field is
// missing. Fields a short table lacks are missing too.
std::vector<mark_record> read_mark_records(const platform::recordset& rs);

// The state and message for a failure of the engine on that table.
table_opening table_failure(const QString& folder, const QString& table_file, int error_number);
// The same for the engine's failure itself: a file of the table that
// another computer held open when it was to be replaced is named as such.
table_opening table_failure(const QString& folder, const QString& table_file, const platform::dbf_error& e);

}  // namespace km
