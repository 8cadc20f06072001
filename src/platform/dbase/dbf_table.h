#pragma once
// A dBase III table opened from a native path: the header is read and
// checked when the table opens (so that a damaged table fails at once), the
// records are read from the file through a window of about 64 KB as they
// are asked for (the memory a table takes does not grow with it), a field
// is decoded only when its value is asked for, and every change is written
// straight to the file.
//
// Writing keeps what other programs rely on: an edit writes only the bytes
// of the fields that changed (memo pointers and fields of unknown types stay
// as they are); an append writes the record and the end marker 0x1A, then
// the record count and the date of the last update (from the program clock);
// a deletion sets the deletion byte '*'. While a table is open for writing
// this process holds the table's lock, and while a record is written that
// record's lock; a record whose bytes another program holds locked is not
// written ("in use"). The locks lie beyond the end of the table, never on
// its data (dbf_lock.h).

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
  const QByteArray& header_bytes() const { return header_bytes_; }
  const std::vector<dbf_field>& fields() const { return header_.fields; }
  int field_count() const { return int(header_.fields.size()); }
  // The field of that name, matched without regard to ASCII case; -1 when none.
  int field_index(const QString& name) const;

  // Records in the file, deleted ones included.
  std::uint32_t record_count() const { return header_.record_count; }
  bool is_deleted(std::uint32_t record) const { return record_data(record)[0] == '*'; }
  // The bytes of a record (record_length of them), valid until another
  // record is asked for. Throws dbf_error when the file cannot be read.
  const char* record_data(std::uint32_t record) const {
    if (record - window_first_ < window_count_)
      return window_.constData() + qint64(record - window_first_) * header_.record_length;
    return load_window(record);
  }
  // The numbers of the deleted records, ascending (the table is read
  // through once).
  std::vector<std::uint32_t> deleted_records() const;
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
  // differs from `original` (both whole records). Throws read_only,
  // in_use (another program holds the record locked: nothing is written)
  // or disk_error.
  void write_changes(std::uint32_t record, const QByteArray& original, const QByteArray& bytes);
  // Appends a record (whole record bytes) and returns its number. Records
  // another writer of this process appended meanwhile are taken in first.
  [[nodiscard]] std::uint32_t append(const QByteArray& bytes);
  void set_deleted(std::uint32_t record, bool deleted);
  // Writes many records at once, all or nothing: the records named in
  // `changed` get their new bytes and the `appended` records follow the
  // last (whole record bytes each). The table is written anew beside
  // itself, synced and renamed over the old file (dbf_io::replace_files),
  // so a crash or a failed write leaves either the old table or the new
  // one, never a part. The header keeps its bytes but for the record count
  // and, when records are appended, the date of the last update (from the
  // program clock); the memo file is not touched, as the records keep
  // their memo pointers. The table then goes on with the new file, its lock
  // held. Records another writer of this process appended meanwhile are
  // taken in first. Returns the number of the first appended record.
  // Where the table cannot be replaced because another computer has it
  // open (a network share refuses the rename), the records are written in
  // place one by one instead, as write_changes and append write them.
  // Throws read_only, in_use (another program holds a changed record or
  // the end of the table locked: nothing is written), other (a record of
  // another length, or past the last, before anything is written), or
  // disk_error (the table as it was).
  std::uint32_t replace_records(const std::vector<std::pair<std::uint32_t, QByteArray>>& changed,
                                const std::vector<QByteArray>& appended);
  // Writes a memo text to the memo file and returns the field bytes that
  // point at it (blanks for an empty text).
  [[nodiscard]] QByteArray store_memo(int field, const QString& text);

 private:
  void require_writable() const;
  // The records of replace_records written in place; returns the number of
  // the first appended record.
  std::uint32_t write_in_place(const std::vector<std::pair<std::uint32_t, QByteArray>>& changed,
                               const std::vector<QByteArray>& appended);
  void check_memo_pointers() const;
  void take_in_new_records();
  const char* load_window(std::uint32_t record) const;
  // Keeps the window in step with bytes written to a record.
  void patch_window(std::uint32_t record, int offset, const char* bytes, int n);

  QString path_;
  QString name_;
  bool writable_ = false;
  dbf_io::file_handle file_;
  dbf_write_lock lock_;
  dbf_header header_;
  QByteArray header_bytes_;
  // Records window_first_ .. window_first_ + window_count_ - 1, as read.
  mutable QByteArray window_;
  mutable std::uint32_t window_first_ = 0;
  mutable std::uint32_t window_count_ = 0;
  std::uint32_t window_capacity_ = 1;
  std::unique_ptr<dbt_memo> memo_;
  QHash<QByteArray, int> names_;  // upper-cased ASCII name -> field
};

}  // namespace km::platform
