#pragma once
// A seam in the file layer for tests: a hook that runs before each file step
// and may throw file_error, so that a test makes one step fail part way
// through a longer job as a full disk or a lost network share would. The
// program sets no hook.

#include <QString>
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
};

using file_fault_hook = std::function<void(file_step step, const QString& path)>;

// An empty hook puts back the plain file layer.
void set_file_fault_hook(file_fault_hook hook);

// Runs the hook, when one is set, for the step on the file.
void check_file_fault(file_step step, const QString& path);

}  // namespace km::platform
