#pragma once
// A job's hold on a file of its own, such as the temporary file a
// conversion or an upgrade is writing: a lock on the open file for as long
// as the hold lives, which another process (or another hold in this one)
// meets. The next opening removes a leftover of a job that was stopped only
// when nobody holds it, never the file of a job still at work elsewhere.

#include <QString>

namespace km::platform {

class file_hold {
 public:
  // Creates the file when it is missing (a file_create step of the fault
  // hook) and takes the lock. Throws file_error when the file cannot be
  // made or opened, or (file_already_open) when another holds it.
  explicit file_hold(const QString& win_path);
  ~file_hold();
  file_hold(const file_hold&) = delete;
  file_hold& operator=(const file_hold&) = delete;

 private:
  int fd_ = -1;
};

// True when the file is there and another hold has it.
bool file_is_held(const QString& win_path);

}  // namespace km::platform
