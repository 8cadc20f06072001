#pragma once
// Another program holding a table open for writing: a python process that
// takes the exclusive lock on the file and keeps it until release() or the
// end of the object.
#include <QProcess>
#include <QString>

namespace km::test {

class lock_holder {
 public:
  // Starts the holder on a native path; locked() tells whether it got the lock.
  explicit lock_holder(const QString& native_path);
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
