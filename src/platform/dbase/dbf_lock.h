#pragma once
// The engine's locks on a table file. They lie far beyond the end of any
// table, never on a byte of its header or records, so that no lock of ours
// ever stops another program, or another computer reading the table over a
// network share, from reading or writing data it is allowed to (a file
// server checks every read and write against the byte-range locks that
// cover the bytes asked for):
//
//   dbf_table_lock_offset (1 000 000 000): the table lock, one byte. A
//     process of this program holds it, as a write lock, for as long as it
//     has the table open for writing (or replaces the file), so that a
//     second writer of this program, on this computer or another one
//     reaching the same file over a share, is refused as "in use". Writers
//     within this process share one lock (counted), as one program may
//     open the same table through several data controls. A replacement's
//     temporary file carries the same lock while it exists.
//   dbf_table_lock_offset + n: the lock of record n (counted from 1), one
//     byte, held only while the engine writes that record.
//
// Before a record is written the engine also makes sure that no other
// program holds a lock on the record's own bytes (as a program that locks
// the data it edits does): such a record is "in use", and nothing of it is
// written. Tables of this program stay far below a gigabyte, so the two
// ranges never meet the data.

#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"

namespace km::platform {

constexpr qint64 dbf_table_lock_offset = 1'000'000'000;
// The lock of a record, numbered from 0 as the engine counts records.
constexpr qint64 dbf_record_lock_offset(std::uint32_t record) { return dbf_table_lock_offset + 1 + record; }

// The file system refuses locks on the table (a share mounted without lock
// support): the table is "in use" for writing, as no lock can keep other
// writers out. A caller that can go on reading opens it read-only instead.
class dbf_locks_refused : public dbf_error {
 public:
  explicit dbf_locks_refused(const QString& what)
      : dbf_error(dbf_error_kind::in_use,
                  QStringLiteral("Table '%1' cannot be locked: its file system refuses locks").arg(what)) {}
};

class dbf_write_lock {
 public:
  dbf_write_lock() = default;
  dbf_write_lock(dbf_write_lock&& o) noexcept : key_(std::exchange(o.key_, {})) {}
  dbf_write_lock& operator=(dbf_write_lock&& o) noexcept;
  dbf_write_lock(const dbf_write_lock&) = delete;
  dbf_write_lock& operator=(const dbf_write_lock&) = delete;
  ~dbf_write_lock();

  // Takes the table lock on the open file, or shares the one this process
  // holds. Throws dbf_error in_use when another process holds it, and
  // dbf_locks_refused when the file system refuses locks: a table is never
  // written without its lock.
  static dbf_write_lock acquire(const dbf_io::file_handle& file, const QString& what);

  bool held() const { return key_.first != 0 || key_.second != 0; }
  void release();

 private:
  std::pair<unsigned long long, unsigned long long> key_{};  // device, inode
};

// The lock of one record while the engine writes it: acquire throws
// dbf_error in_use, without waiting, when another program holds the
// record's lock or a lock on any of the bytes about to be written
// (data_start, length). A file system that refuses locks refuses nothing
// here: the table lock already decided that the table may be written.
class dbf_record_lock {
 public:
  dbf_record_lock(const dbf_io::file_handle& file, std::uint32_t record, qint64 data_start, qint64 length,
                  const QString& what);
  ~dbf_record_lock();
  dbf_record_lock(const dbf_record_lock&) = delete;
  dbf_record_lock& operator=(const dbf_record_lock&) = delete;

 private:
  int fd_ = -1;
  qint64 offset_ = 0;
  bool ofd_ = true;
};

// The request for the table lock on a descriptor: 0 when it is granted,
// else the errno value of the refusal. Tests put in one that answers as a
// file system without locks does; an empty function puts back the real
// request.
using dbf_lock_request = std::function<int(int fd)>;
void set_dbf_lock_request(dbf_lock_request request);

// The table lock taken directly on a descriptor, without waiting and
// outside the counted writers (a replacement's temporary file, a leftover
// being settled): locked, held by another (process or open file), or
// refused by the file system. The lock goes with the descriptor.
enum class dbf_lock_result { locked, held_by_another, refused };
dbf_lock_result try_table_lock(int fd);

// True when a process other than this one holds the table lock of the file
// at the native path (false when the file cannot be opened).
bool dbf_locked_by_other_process(const QString& native_path);

}  // namespace km::platform
