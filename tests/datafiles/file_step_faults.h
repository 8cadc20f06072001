#pragma once
// Jobs stopped or failed at one file step. A job first runs under a counter
// of its file steps; then, for every step N, a fresh copy of the folder
// runs it again with step N (and every step after it) stopped, as a kill
// stops the program, or failed as a full disk fails it. The stop is an
// exception no handler of the program takes for its own, so no clean-up of
// the job runs after it.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "platform/file_faults.h"

namespace km::test {

// What a stopped step throws: deliberately no std::exception.
struct stopped_at_step {};

enum class step_fault {
  none,       // count the steps only
  stop,       // step N and every later step throw stopped_at_step
  disk_full,  // step N throws file_error (disk_full); later steps run
  read_only,  // step N and every later step throw file_error (permission_denied), but
              // for the opening of a file already there for writing
};

// The steps of a run, in order: the path each was named by and its kind.
struct counted_steps {
  QStringList paths;
  std::vector<platform::file_step> kinds;
};

// Installs the file-fault hook for its lifetime.
class file_step_faults {
 public:
  explicit file_step_faults(step_fault fault = step_fault::none, int at = 0);
  ~file_step_faults();
  file_step_faults(const file_step_faults&) = delete;
  file_step_faults& operator=(const file_step_faults&) = delete;

  // The steps the job has come to (the failed or stopped one included).
  int steps() const { return steps_; }
  // The Windows (or native) path of each step reached, in order.
  const QStringList& paths() const { return paths_; }
  // The path and kind of each step reached.
  counted_steps counted() const { return {paths_, kinds_}; }

 private:
  int steps_ = 0;
  QStringList paths_;
  std::vector<platform::file_step> kinds_;
};

// A failure of this kind of step the file layer passes over (the flush of
// a folder's entries after a rename that is done): the job goes on as
// though the step had run, and nothing is told.
inline bool failure_passed_over(platform::file_step step) { return step == platform::file_step::folder_sync; }

// Every file below a native folder (sub-folders included), by its path
// relative to the folder, with its bytes.
using folder_state = std::map<QString, QByteArray>;
folder_state state_of_folder(const QString& native_folder);
// The state as text, one file a line with its length and a hash of its
// bytes, for readable failure messages.
std::string describe(const folder_state& state);

// Copies a native folder (sub-folders included) to a new native folder.
void copy_native_folder(const QString& from, const QString& to);

}  // namespace km::test
