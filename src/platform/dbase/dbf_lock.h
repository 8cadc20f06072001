#pragma once
// The write lock on a table file: while a table is open for writing, this
// process holds a POSIX advisory write lock on the whole .dbf, so another
// process that wants to write it learns the table is in use. Writers within
// this process share one lock (counted), as one program may open the same
// table through several data controls.

#include <QString>
#include <functional>
#include <utility>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"

namespace km::platform {

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

  // Takes the lock on the open file, or shares the one this process holds.
  // Throws dbf_error in_use when another process holds a lock on it, and
  // dbf_locks_refused when the file system refuses locks: a table is never
  // written without its lock.
  static dbf_write_lock acquire(const dbf_io::file_handle& file, const QString& what);

  bool held() const { return key_.first != 0 || key_.second != 0; }
  void release();

 private:
  std::pair<unsigned long long, unsigned long long> key_{};  // device, inode
};

// The request for a whole-file write lock on a descriptor: 0 when it is
// granted, else the errno value of the refusal. Tests put in one that
// answers as a file system without locks does; an empty function puts back
// the real request.
using dbf_lock_request = std::function<int(int fd)>;
void set_dbf_lock_request(dbf_lock_request request);

// True when a process other than this one holds a lock on the file at the
// native path (false when the file cannot be opened).
bool dbf_locked_by_other_process(const QString& native_path);

}  // namespace km::platform
