#pragma once
// Tables written whole: a new empty table, a table rebuilt on a template
// with the records it is to keep, and the packing of deleted records. Each
// is written to temporary files in the table's folder and renamed over the
// old files, so a failure leaves the old table as it was.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/dbase/dbf_header.h"
#include "platform/value.h"

namespace km::platform {

class dbf_table;

// One cell of a row given to a rebuild: a value, or a field of a record of
// another table as it is stored there. A stored field goes into a field of
// the same type, width and decimals byte for byte, so a value that reads
// fine is never changed or refused by writing it again; into a field of
// another definition it is read (a damaged number is then an error) and
// written as a value.
class dbf_cell {
 public:
  dbf_cell() = default;
  dbf_cell(Value v) : value_(std::move(v)) {}  // NOLINT: rows of values stay rows

  // Field `field` of record `record` of the table (a memo field is taken
  // as its text: its block number belongs to the other memo file).
  static dbf_cell stored(const dbf_table& table, std::uint32_t record, int field);

  // The bytes for a field of the new table (not a memo field).
  QByteArray bytes_for(const dbf_field& target) const;
  // The value of the cell (a stored field decoded).
  Value value() const;

 private:
  Value value_;
  std::optional<dbf_field> source_;  // set for a stored field
  QByteArray stored_;
};

// Creates an empty table of these fields (name, type, width, decimals) at
// the native path, with an empty memo file beside it when a field is a
// memo, replacing files of those names. Throws dbf_error: other for a field
// list a table cannot hold, disk_error / read_only when writing fails.
void create_dbf_table(const QString& native_path, const std::vector<dbf_field>& fields);

// Rebuilds the table at table_path as a copy of the template table (its
// layout and live records) followed by one record per row: cell k goes to
// field k (see dbf_cell), cells beyond the template's fields are dropped,
// missing cells stay blank. The template's memo file is template_memo_path, or its own
// .dbt when that is empty. Another process holding the old table open for
// writing makes it in_use; a cell that does not fit its field throws before
// anything is written. The date of the last update comes from the program
// clock.
void rebuild_dbf_table(const QString& table_path, const QString& template_path,
                       const std::vector<std::vector<dbf_cell>>& rows,
                       const QString& template_memo_path = {});

// The same for rows that are whole records of the template's layout
// (deletion byte first, record_length bytes each), written as they are.
// Throws dbf_error other for a row of another length, before anything is
// written.
void rebuild_dbf_table_from_records(const QString& table_path, const QString& template_path,
                                    const std::vector<QByteArray>& records);

// Rewrites the table whole with its live records in their order, each
// record's bytes (deletion byte first) passed through change when one is
// given; deleted records are left out and the memo file is kept as it is.
// A change that throws leaves the table as it was.
using dbf_record_change = std::function<void(const dbf_table& table, QByteArray& record)>;
void rewrite_dbf_records(const QString& native_path, const dbf_record_change& change);

// Removes the deleted records of the table (its memo file is kept as it is).
void pack_dbf_table(const QString& native_path);

// Puts the live records of the table in another order: the slots the live
// records hold, taken in file order, receive the bytes of the records
// live_order names (record numbers from 0, every live record once), while
// deleted records keep their slots and bytes. The header stays as it was
// but for the date of the last update (from the program clock); the memo
// file is not touched, as the records keep their memo pointers. An order
// that is not a permutation of the live records throws dbf_error other
// before anything is written. progress(placed, total) is told as the live
// records are placed.
using dbf_reorder_progress = std::function<void(std::uint32_t placed, std::uint32_t total)>;
void reorder_dbf_records(const QString& native_path, const std::vector<std::uint32_t>& live_order,
                         const dbf_reorder_progress& progress = {});

}  // namespace km::platform
