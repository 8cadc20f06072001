#pragma once
// Asking the file system to put a file's bytes, or a folder's entries, on
// the disk before the next step relies on them: a new file is synced
// before it takes an old one's place, and its folder after the rename, so
// that a power cut can neither leave the new name on an empty file nor
// bring the old file back. The dBase engine syncs through these too.

#include <QString>

namespace km::platform {

// Flushes the bytes of the file open on fd to the disk: a `sync` step of
// the file-fault hook, named by native_path. Throws what the hook throws
// for the step, or file_error (disk_full when the disk is full, else
// other) when the flush fails.
void sync_open_file(int fd, const QString& native_path);

// Flushes the file named by its native path to the disk (a file of a table
// another part of the program has open included). Throws file_error
// (other) when the file cannot be opened, else as sync_open_file.
void sync_native_file(const QString& native_path);

// Flushes the file named by its Windows path to the disk. Throws file_error
// (other) when the file cannot be opened, else as sync_open_file.
void sync_file(const QString& win_path);

// Flushes the entries of the folder holding native_file to the disk (a
// folder_sync step named by the folder), so that a rename or a new file
// there outlasts a power cut. Passed over when it fails: the rename it
// makes lasting is done, and the file is in place for every reader.
void sync_folder_of(const QString& native_file);

}  // namespace km::platform
