#pragma once
// A seam in the file layer for tests: a hook that runs before each file step
// and may throw file_error, so that a test makes one step fail part way
// through a longer job as a full disk or a lost network share would; and a
// crash point that ends the process at once at the Nth file step, as a kill
// or a power cut would, so that a test can check what the next opening
// finds. Every step is counted, hook or not. The program sets neither.

#include <QString>
#include <cstdint>
#include <functional>

namespace km::platform {

enum class file_step {
  copy,          // one file copied (copy_file), named by its Windows destination
  table_rename,  // a file of a table renamed by the dBase engine's replacement, named
                 // by its native destination; a thrown file_error fails that rename:
                 // file_already_open as a server refuses it while another computer
                 // has the file open, permission_denied as access denied, any
                 // other kind as an input or output error
  text_write,    // one Print # / Write # on a numbered file open for output or append,
                 // named by its Windows path; a thrown file_error fails that write
  record_write,  // one Put of a record or of bytes on a numbered file (random or binary),
                 // named by its Windows path; a thrown file_error fails that write
  file_move,     // one file moved or renamed (move_file, replace_file), named by its Windows destination;
                 // a thrown file_error fails that move and leaves the source in place
  file_create,   // a numbered file opened under a name where no file is yet (any mode but
                 // input), named by its Windows path; a thrown file_error fails the open
  open_write,    // a file opened or made for writing, named by its native path
  write,         // bytes written to a file (or the file cut to a length), native path
  sync,          // a file's bytes flushed to the disk, native path
  rename,        // any other rename of a file, named by its native destination
  remove,        // a file removed, native path
  folder_sync,   // a folder's entries flushed to the disk, named by the folder's native path
};

using file_fault_hook = std::function<void(file_step step, const QString& path)>;

// An empty hook puts back the plain file layer.
void set_file_fault_hook(file_fault_hook hook);

// Counts the step, ends the process when it is the crash point, then runs
// the hook, when one is set, for the step on the file.
void check_file_fault(file_step step, const QString& path);

// The file steps counted since the last reset_file_step_count.
std::uint64_t file_steps_counted();
void reset_file_step_count();

// The exit status of a process ended at its crash point.
inline constexpr int crash_point_exit_status = 86;

// Ends the process with _exit(crash_point_exit_status), before the step is
// taken and without any clean-up, at the nth step counted from the last
// reset_file_step_count (numbered from 1); 0 sets no crash point.
void set_crash_point(std::uint64_t n);

}  // namespace km::platform
