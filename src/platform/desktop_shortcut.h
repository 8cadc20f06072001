#pragma once
// Desktop shortcuts to the suite's programs, as freedesktop launcher files
// "<name>.desktop" in the user's desktop folder.

#include <QString>

namespace km::platform {

// The user's desktop folder (native); "" when the user has none.
QString desktop_folder();
// For tests: a native folder in place of the user's desktop; "" puts the
// user's back.
void set_desktop_folder(const QString& native_folder);

// Writes (or replaces) "<name>.desktop" starting the program at the Windows
// path. Only a program that is there gets a shortcut: false, and nothing
// written, when the path does not lead to a file through the drive map, when
// there is no desktop folder or when the file cannot be written.
[[nodiscard]] bool write_desktop_shortcut(const QString& name, const QString& target_win_path);

// Deletes the file named exactly "<name>.desktop" when it is there. False
// when it was there and could not be deleted.
[[nodiscard]] bool remove_desktop_shortcut(const QString& name);

// The launcher file's text for a native program path.
QByteArray desktop_entry_text(const QString& name, const QString& native_program);

}  // namespace km::platform
