#pragma once
// Asking the file system to put a file's bytes on the disk before the next
// step relies on them: a new file is synced before it takes an old one's
// place, so that a power cut cannot leave the new name on an empty file.

#include <QString>

namespace km::platform {

// Flushes the file named by its Windows path to the disk. Throws file_error
// (other) when the file cannot be opened or the flush fails.
void sync_file(const QString& win_path);

}  // namespace km::platform
