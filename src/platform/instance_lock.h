#pragma once
// The check for a second running copy of the program: the first copy holds
// a lock file for as long as it runs; a copy that finds it held by a living
// process is the second one.

#include <QString>

namespace km::platform {

// True when another running copy holds the lock. The first call of a copy
// that finds the lock free takes it and keeps it until the process ends.
bool another_instance_running();

// The native lock file to use ("" = ".korva-marks.lock" at the root of
// the C: drive of the drive map); forgets a lock this process took.
void set_instance_lock_file(const QString& native_path);

}  // namespace km::platform
