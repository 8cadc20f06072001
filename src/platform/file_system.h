#pragma once
// The file-system object of the platform: tests and steps on files and
// folders named by Windows paths (resolved through the drive map).
// Tests answer true/false; steps throw file_error when they fail.

#include <QString>
#include <QStringList>

#include "platform/file_error.h"
#include "platform/win_path.h"

namespace km::platform {

bool file_exists(const QString& win_path);
bool folder_exists(const QString& win_path);

// "C", "c:", "C:\", "\\server\share": mapped and its folder present.
bool drive_exists(const QString& drive);

// Creates one folder. Throws file_already_exists when a file or folder of
// that name is there, path_not_found when the parent folder is missing.
void create_folder(const QString& win_path);
// Creates the folder and any missing parents; true when it exists after.
[[nodiscard]] bool ensure_folder(const QString& win_path);

// Copies a file. The source's last name may hold wildcards: every matching
// file is copied into the destination folder (file_not_found when none
// matches). A destination ending in "\" is a folder to copy into. Refuses
// (file_already_exists) an existing destination unless overwrite, and
// (permission_denied) a read-only destination, a destination that is a
// folder, and a copy onto itself. Each copy is written to a temporary file
// in the target folder, checked, and renamed into place; the modification
// time is kept.
void copy_file(const QString& source, const QString& destination, bool overwrite = true);

// True when a native file lacks its owner's write permission.
bool read_only_native(const QString& native);

// Deletes a file, or every file matching a wildcard name (file_not_found
// when none). A read-only file is refused unless force.
void delete_file(const QString& win_path, bool force = false);

// Moves or renames a file (wildcards as for copy_file). Throws
// file_already_exists when the destination exists, except a rename that
// only changes the letter case of the same file.
void move_file(const QString& source, const QString& destination);

// Puts source in destination's place in one rename, as a whole: a reader
// sees the old file or the new one, never a mix. Both must be in the same
// folder or file system. Refuses (permission_denied) a read-only
// destination and a destination that is a folder. A step of the fault hook
// (file_move, named by the destination).
void replace_file(const QString& source, const QString& destination);

// Removes what whole-file writes of the file that never finished (the
// program killed part way) left beside it: their temporaries and kept-aside
// copies that no process holds any more. Failures are passed over.
void remove_write_leftovers(const QString& win_path);

// Names (not paths) of the files in a folder whose names match the
// pattern, sorted by name under the case rule of names (name_case.h).
// A missing folder gives an empty list.
QStringList list_files(const QString& folder, const QString& pattern = QStringLiteral("*"));
// The same for sub-folders.
QStringList list_folders(const QString& folder, const QString& pattern = QStringLiteral("*"));

// Length in bytes; throws file_not_found / path_not_found.
qint64 file_length(const QString& win_path);
// Last modification as a date value (days since 1899-12-30, local time);
// throws file_not_found / path_not_found.
double file_date(const QString& win_path);

// The read-only attribute (no write permission for the owner).
bool is_read_only(const QString& win_path);
void set_read_only(const QString& win_path, bool read_only);

}  // namespace km::platform
