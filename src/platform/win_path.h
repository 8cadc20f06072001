#pragma once
// Windows paths as the program writes them ("C:\OSKAVEN\ADMIN",
// "\\server\share\x", "\kleur_drukker.txt", "setup.txt"), and their
// translation to and from native paths through the drive map.
//
// Windows rules kept here: "\" and "/" both separate; doubled separators
// collapse; "." and ".." are resolved (".." stops at the root); trailing dots
// and blanks of a name are dropped; the text ends at a NUL; names match
// without regard to case (the rule of name_case.h), an exact spelling first,
// else the one name that differs only in case, so that a new file never
// becomes a second file differing only in case.

#include <QString>
#include <QStringList>

namespace km::platform {

// A Windows path taken apart.
struct win_path_parts {
  QString root;            // "C:" (upper-case letter) or "\\server\share"; "" when invalid
  QStringList components;  // the names below the root, resolved
};

// Resolves against the current drive and directory: "setup.txt",
// "\x.txt" (root of the current drive), "D:x" (drive-relative), "C:\a\\b\..\c".
// An invalid path (empty, "\\server" without share) gives an empty root.
win_path_parts resolve_win_path(const QString& path);

// The resolved path as text: "C:\A\B", "C:\" for a root, "\\server\share\x";
// "" when invalid.
QString full_win_path(const QString& path);

// True when no name of the path holds a character Windows refuses in names
// (< > : " | ? * and control characters) and the path resolves.
bool is_valid_win_path(const QString& path);

// The native path of a Windows path through the drive map; "" when the
// path is invalid, its drive or share is not mapped, or the mapped folder
// is missing. Every file routine treats "" as "path not found".
QString to_native_path(const QString& win_path);

// What a Windows path names on this machine: the native path as
// to_native_path gives it, and what is there.
struct native_lookup {
  enum class what { nothing, file, folder, other };
  QString path;
  what found = what::nothing;
};
native_lookup look_up_native(const QString& win_path);

// The Windows path of a native path (a dialog's answer), through the same
// map; the longest matching native root wins. "" when no root holds it.
QString to_windows_path(const QString& native_path);

// Text-only parts of a Windows path, as the file-system object gives them
// (nothing is resolved):
// "C:\a\b.txt" -> "C:" (spelling kept), "\\srv\sh\x" -> "\\srv\sh",
// a relative or rooted path -> "".
QString drive_name(const QString& path);
// "C:\a\b.txt" -> "C:\a", "C:\a" -> "C:\", "C:\" -> "", "a\b" -> "a", "b" -> "".
QString parent_folder_name(const QString& path);
// The last name: "C:\a\b.txt" -> "b.txt"; "" for a root.
QString file_name_part(const QString& path);
// folder & "\" & name, without doubling the separator.
QString join_win_path(const QString& folder, const QString& name);

}  // namespace km::platform
