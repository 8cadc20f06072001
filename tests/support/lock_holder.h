#pragma once
// Another program holding a lock on a table: a python process that takes
// an exclusive lock on the whole file (as a writer that locks the whole
// table) or on a range of its bytes (as a program that locks the record it
// edits) and keeps it until release() or the end of the object.
#include <QProcess>
#include <QString>

namespace km::test {

class lock_holder {
 public:
  // Starts the holder on a native path; locked() tells whether it got the lock.
  explicit lock_holder(const QString& native_path);
  // The lock on length bytes from start only.
  lock_holder(const QString& native_path, qint64 start, qint64 length);
  ~lock_holder();
  lock_holder(const lock_holder&) = delete;
  lock_holder& operator=(const lock_holder&) = delete;

  bool locked() const { return locked_; }
  // Gives the lock back and waits for the process to end; true when it did.
  bool release();

 private:
  QProcess process_;
  bool locked_ = false;
};

}  // namespace km::test
