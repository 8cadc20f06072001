#pragma once
// The export of one task row of a mark book into the administration
// program's marks tables of the same folder: one record per learner
// appended to punte<N>.dbf (number, name, mark) and to obe_p<N>.dbf
// (number, name, EO_PUNT), each mark converted to the subject total.
//
// Other programs of the suite read those tables, so the export is all or
// nothing: every table is opened and every check made before the first
// append, and a write that fails part way marks deleted again every record
// this export appended. A journal in the folder records the export while
// it runs (common/step_journal.h), so that a crash part way is undone by
// the next opening of either table. The book itself is only read (opened read-only, so
// a capture window keeps its write lock).
#include <QString>
#include <functional>

#include "platform/dbase/data_control.h"

namespace km {

// The three data controls the export points at its tables.
struct mark_export_tables {
  platform::data_control& punte;  // punte<N>.dbf
  platform::data_control& book;   // marks<N>.dbf, read-only
  platform::data_control& obe;    // obe_p<N>.dbf
};

struct mark_export_request {
  QString folder;  // Windows form, "C:\DATA"
  int combination = 0;
  int setup_row = 0;  // 1..40; the mark is book field setup_row + 1
  double task_total = 0;
  double subject_total = 0;
  QString task;  // the task's name, as a message about this export names it
};

enum class mark_export_outcome {
  exported,
  refused,  // a table or a check said no before anything was appended
  failed,   // a write failed; what had been appended was removed again
};

struct mark_export_result {
  mark_export_outcome outcome = mark_export_outcome::refused;
  // What to tell the user (critical); "" when exported.
  QString message;
  // Learners appended to each table.
  int exported = 0;
};

struct mark_export_hooks {
  // (0, book records) before the first learner, then (learners handled,
  // book records) after each.
  std::function<void(qint64 handled, qint64 count)> progress;
  // Called before each write of an appended record, numbered from 1 over
  // both tables in the order written; a dbf_error thrown here counts as a
  // failed write. For tests that make a write fail.
  std::function<void(int append)> before_write;
  // Called before each appended record is marked deleted again after a
  // failure; a dbf_error thrown here counts as a failed removal.
  std::function<void()> before_remove;
};

mark_export_result export_mark_row(const mark_export_tables& tables, const mark_export_request& request,
                                   const mark_export_hooks& hooks = {});

// "DATASTEL " & folder\table & " ONTBREEK OF KAN NIE OOPGEMAAK WORD NIE ..."
QString missing_dataset_message(const QString& folder, const QString& table);
// A numeric mark, a subject total that is not 0 and a task total that is
// not above 0.
QString task_total_message();
// "UITVOER HET MISLUK: " & reason & " ... GEEN PUNTE IS UITGEVOER NIE"
QString export_failed_message(const QString& reason);
// The failure of a write whose appended records could not all be removed
// again.
QString export_half_done_message(const QString& reason);

}  // namespace km
