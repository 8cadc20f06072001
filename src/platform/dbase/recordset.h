#pragma once
// The record set of a data control: a cursor over the live records of one
// table (deleted records are never seen or counted), with fields read by
// position or by name (case-insensitive) and the edit buffer of Edit and
// AddNew written by Update.
//
// Positions run 0 .. record_count() - 1; before the first record BOF is
// true, after the last EOF; an empty set is at both. Moving while editing
// drops the edit. After AddNew and Update the new record is current. After
// Delete there is no current record until the cursor moves: MoveNext goes
// to the record that followed the deleted one.
//
// Failures are dbf_error with the engine's numbers: no current record
// (3021), a field that does not exist (3265), Update or a field assignment
// outside Edit / AddNew (3020), a value that does not fit its field (3349,
// 3163, 3421), Edit / AddNew / Delete on a read-only set (3027), and the
// disk errors of the table.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/dbase/dbf_table.h"
#include "platform/dbase/live_records.h"
#include "platform/value.h"

namespace km::platform {

class recordset {
 public:
  enum class edit_mode { none, editing, adding };

  explicit recordset(std::unique_ptr<dbf_table> table);
  ~recordset();
  recordset(const recordset&) = delete;
  recordset& operator=(const recordset&) = delete;

  const dbf_table& table() const { return *table_; }
  bool updatable() const { return table_->writable(); }

  // The number of live records.
  qint64 record_count() const { return live_.size(); }
  bool bof() const { return live_.empty() || pos_ < 0; }
  bool eof() const { return live_.empty() || pos_ >= record_count(); }
  // The current record's position from 0; -1 when there is none.
  qint64 absolute_position() const;
  // Makes the record at that position current (3021 when out of range).
  void set_absolute_position(qint64 position);
  // The current record's number in the file, from 0.
  std::uint32_t record_number() const;

  void move_first();
  void move_last();
  void move_next();
  void move_previous();
  // Moves rows records on (back when negative) from the current record;
  // past either end the set stands at BOF or EOF.
  void move(qint64 rows);

  int field_count() const { return table_->field_count(); }
  // The field at a position (3265 when there is none).
  const dbf_field& field(int index) const {
    if (index < 0 || index >= field_count()) no_such_field(index);
    return table_->fields()[std::size_t(index)];
  }
  // The position of a field by name, case-insensitive; -1 when none.
  int field_index(const QString& name) const { return table_->field_index(name); }
  QString field_name(int index) const { return field(index).name; }
  char field_type(int index) const { return field(index).type; }
  int field_size(int index) const { return field(index).width; }

  // The current record's value (the edit buffer's while editing).
  Value value(int index) const;
  Value value(const QString& name) const;
  // The value of a field of the record at a position, without moving the
  // cursor (what is stored, not the edit buffer); 3021 out of range.
  Value value_at(qint64 position, int index) const;
  // Sets a field of the edit buffer.
  void set_value(int index, const Value& v);
  void set_value(const QString& name, const Value& v);

  // How many characters of the texts set since the last Edit or AddNew had
  // no byte in Windows-1252 and are stored as their base letter or '?'
  // (a field set again counts as set last), so a window can tell the user
  // after Update what its last write changed.
  int replaced_characters() const;

  edit_mode mode() const { return mode_; }
  void edit();
  void add_new();
  // Writes the edit buffer: only the fields that changed for Edit, a new
  // record for AddNew. On a failure the edit stays open.
  void update();
  void cancel_update();
  // Marks the current record deleted.
  void delete_current();

  // The changes of many records, written all or nothing: each entry sets
  // fields of the record at a position (or of a new record, position -1,
  // appended in the order given) as Edit / AddNew, set_value and Update
  // would, but the table is written anew in one replacement
  // (dbf_table::replace_records), so a crash or a failed write leaves it
  // as it was or with every change. Every value is encoded before anything
  // is written (a value that does not fit throws as set_value does); a
  // record given twice takes both entries in turn. A record whose bytes
  // stay the same is not written, and nothing is when no record changes. Memo fields are not taken. Any edit
  // is dropped; the record of the last entry is then current, as after its Update.
  struct record_change {
    qint64 position = -1;
    std::vector<std::pair<int, Value>> values;  // field -> value
  };
  void write_records(const std::vector<record_change>& changes);

 private:
  [[noreturn]] void no_such_field(int index) const;
  void require_current() const;
  void require_updatable() const;
  void leave_edit();
  int index_of(const QString& name) const;
  void store_pending_memos();

  std::unique_ptr<dbf_table> table_;
  live_records live_;
  qint64 pos_ = -1;
  bool on_deleted_ = false;  // the current record was deleted; pos_ is the one after it
  edit_mode mode_ = edit_mode::none;
  QByteArray original_;  // the record as it was when Edit began
  QByteArray buffer_;
  std::map<int, QString> pending_memos_;
  std::map<int, int> replaced_;  // field -> characters replaced in the text set there
};

}  // namespace km::platform
