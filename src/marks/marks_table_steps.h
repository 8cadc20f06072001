#pragma once
// The steps a capture window takes on a combination's administration marks
// tables: the backup made when a combination opens, the rewrite that puts
// the records in name order, the undo that puts the backup back, the bulk
// write of a mark column and the copy of every mark into the other table
// of the combination. Each takes its controls, table names and fields as
// arguments, so the cycle-marks and the outcomes-based windows share them.
// No step asks or shows anything: a step that cannot be done leaves the
// tables as they were and gives the text to tell the teacher. The steps
// that write a table write it whole, under a temporary name renamed over
// the old file, so a crash part-way leaves the old table or the new one.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace km {

namespace platform {
class data_control;
class flex_grid;
class recordset;
}  // namespace platform

struct table_step {
  bool ok = true;
  QString message;  // what to tell the teacher when not ok
};

// A field of a table, by position or by name (case-insensitive).
struct field_ref {
  int position = -1;
  QString name;
  static field_ref at(int p) { return {p, {}}; }
  static field_ref named(const QString& n) { return {-1, n}; }
};
// The field's position in the set; -1 when the set has no such field.
int field_position(const platform::recordset& rs, const field_ref& field);

// Copies data_folder\table over data_folder\backup, through a checked copy
// beside it, so an old backup is replaced only by a whole one. A table or
// backup that cannot be copied gives backup_failed_message(backup).
table_step make_backup(const QString& data_folder, const QString& table, const QString& backup);

// Puts the live records of the control's table in ascending order of the
// name field: the names and record numbers go into sort_grid (hidden, one
// row a record), which sorts them generic ascending (equal names keep their
// order); the records' bytes are then moved into that order through a
// temporary file renamed over the table, deleted records staying in their
// places. A table already in that order is not written. The control is
// closed around the rewrite and refreshed after it, first record current
// (reading the names moves its cursor, so a table left as it was has its
// first record current too). progress(done, total) is called as records
// are placed.
struct sort_result {
  bool ok = true;
  bool rewritten = false;
  QString message;  // why the rewrite failed (table unchanged): the in-use or held-open
                    // message for a table open elsewhere, else the engine's text
};
sort_result sort_table_by_name(platform::data_control& control, platform::flex_grid& sort_grid,
                               const field_ref& name_field,
                               const std::function<void(int done, int total)>& progress = {});

// Undo: closes the control, copies data_folder\backup over data_folder\table
// (through a checked copy) and refreshes the control. A missing backup gives
// no_backup_message(backup) and changes nothing; a copy that fails leaves
// the table as it was, gives the file error's text and the control is
// refreshed on the old table.
table_step restore_backup(platform::data_control& control, const QString& data_folder, const QString& table,
                          const QString& backup);

// Writes a whole mark column: texts[i] (none: leave the record) into the
// field of the i-th live record. Every text is checked against the field's
// width first; one that does not fit gives
// mark_does_not_fit_message(text, field name) and nothing is written; a
// text for a record past the last is refused the same way, with the
// engine's text. Only records whose text differs from what is stored are
// changed, all in one rewrite of the table (recordset::write_records): a
// crash or a full disk leaves every mark or none, and a write that fails
// gives the engine's text with the table as it was. The set goes on with
// the new table.
table_step write_mark_column(platform::recordset& rs, const field_ref& mark_field,
                             const std::vector<std::optional<QString>>& texts);

// Copies every mark of `from` into the record of `to` with the same learner
// number (the number read from the field as a double; the first record of a
// number counts). Blank, "A" and "a" go as they are, any other mark as
// "##0.0" of its number. A learner with no record in `to` gets one with only
// the number and the mark set, and a number met again later updates that
// record. Records whose number is not above 0 are not copied. Every text is
// checked to fit before anything is written, and every change is written
// in one rewrite of `to` (recordset::write_records): a crash or a full disk
// leaves every learner copied or none, and a failure gives the engine's
// text with `to` as it was (nothing counted as updated or added). Copying
// again gives the same tables and writes nothing. The numbers of `to` as
// they were before the copy come back in `numbers`, in record order.
struct copy_result {
  bool ok = true;
  QString message;              // the engine's text when a write failed
  std::vector<double> numbers;  // learner numbers of `to` before the copy
  int updated = 0;
  int added = 0;
};
copy_result copy_marks(platform::recordset& from, const field_ref& from_number, const field_ref& from_mark,
                       platform::recordset& to, const field_ref& to_number, const field_ref& to_mark);

}  // namespace km
