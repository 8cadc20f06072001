#pragma once
// A dBase III table opened from a native path: the records are read into
// memory when the table opens (and checked, so that a damaged table fails at
// once and is never read in part), values are decoded on demand, and every
// change is written straight to the file.
//
// Writing keeps what other programs rely on: an edit writes only the bytes
// of the fields that changed (memo pointers and fields of unknown types stay
// as they are); an append writes the record and the end marker 0x1A, then
// the record count and the date of the last update (from the program clock);
// a deletion sets the deletion byte '*'. While a table is open for writing
// this process holds a write lock on it (dbf_lock.h).

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_header.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/dbase/dbt_memo.h"
#include "platform/value.h"

namespace km::platform {

class dbf_table {
 public:
  enum class access { read_only, read_write };

  // Opens and checks the table and its memo file (memo_path, or when that
  // is empty the file of the same base name with extension .dbt, matched
  // case-insensitively). What unfinished replacements left beside the
  // table is settled first (dbf_io::remove_stale_temporaries). Throws dbf_error: not_found, unreadable,
  // bad_format (damaged table, missing memo file, a memo pointer past the
  // memo file), in_use, read_only, disk_error.
  dbf_table(const QString& native_path, access mode, const QString& memo_path = {});
  ~dbf_table();
  dbf_table(const dbf_table&) = delete;
  dbf_table& operator=(const dbf_table&) = delete;

  const QString& path() const { return path_; }
  // The memo file ("" when the table has no memo fields).
  QString memo_path() const { return memo_ ? memo_->path() : QString(); }
  // The file name, as the reasons of errors give it.
  const QString& name() const { return name_; }
  bool writable() const { return writable_; }

  const dbf_header& header() const { return header_; }
  // The header bytes as in the file (header_length of them).
  QByteArray header_bytes() const { return data_.left(header_.header_length); }
  const std::vector<dbf_field>& fields() const { return header_.fields; }
  int field_count() const { return int(header_.fields.size()); }
  // The field of that name, matched without regard to ASCII case; -1 when none.
  int field_index(const QString& name) const;

  // Records in the file, deleted ones included.
  std::uint32_t record_count() const { return header_.record_count; }
  bool is_deleted(std::uint32_t record) const { return record_data(record)[0] == '*'; }
  const char* record_data(std::uint32_t record) const {
    return data_.constData() + header_.header_length + qint64(record) * header_.record_length;
  }
  QByteArray record_bytes(std::uint32_t record) const {
    return QByteArray(record_data(record), header_.record_length);
  }

  // The value of a field of a record (see dbf_field_codec.h; a memo field
  // gives its text, Null when it has none). A damaged value throws
  // dbf_error bad_format naming the table and the record.
  Value value(std::uint32_t record, int field) const;
  // The same for record bytes held elsewhere (an edit buffer).
  Value decode(const char* record, int field) const;

  // A record of blanks, not deleted.
  QByteArray blank_record() const { return QByteArray(header_.record_length, ' '); }

  // Writes into record `record` the bytes of each field where `bytes`
  // differs from `original` (both whole records). Throws read_only or
  // disk_error.
  void write_changes(std::uint32_t record, const QByteArray& original, const QByteArray& bytes);
  // Appends a record (whole record bytes) and returns its number. Records
  // another writer of this process appended meanwhile are taken in first.
  std::uint32_t append(const QByteArray& bytes);
  void set_deleted(std::uint32_t record, bool deleted);
  // Writes a memo text to the memo file and returns the field bytes that
  // point at it (blanks for an empty text).
  QByteArray store_memo(int field, const QString& text);

 private:
  void require_writable() const;
  void check_memo_pointers() const;
  void take_in_new_records();

  QString path_;
  QString name_;
  bool writable_ = false;
  dbf_io::file_handle file_;
  dbf_write_lock lock_;
  dbf_header header_;
  QByteArray data_;  // header and records, up to the end of the last record
  std::unique_ptr<dbt_memo> memo_;
  QHash<QByteArray, int> names_;  // upper-cased ASCII name -> field
};

}  // namespace km::platform
