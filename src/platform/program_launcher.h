#pragma once
// Starting another program of the suite by its Windows-style path, as a new
// process that runs on its own (nothing waits for it). Tests install a
// recording stand-in with set_program_launcher.

#include <QString>

namespace km::platform {

class program_launcher {
 public:
  virtual ~program_launcher() = default;
  // Starts the program at a Windows-style path (resolved through the drive
  // map) with a normal, focused window. Returns whether it was started.
  virtual bool start(const QString& win_path) = 0;
};

// The launcher in use: the operating system's unless a test installed another.
program_launcher& launcher();
// Installs a launcher and returns the one it replaces; nullptr puts the
// operating system's in place. The caller keeps ownership and must put the
// previous one back before the launcher dies.
program_launcher* set_program_launcher(program_launcher* replacement);

}  // namespace km::platform
