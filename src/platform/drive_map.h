#pragma once
// The drive map: where each Windows drive letter and network share of the
// program's paths lives on this machine, and the virtual current drive and
// directory against which relative and rooted paths are resolved.
//
// The map is read from drives.ini in the program's config folder:
//
//   [drives]
//   C=/home/teacher/korva/C
//   D=/mnt/school
//   [shares]
//   \\server\share=/mnt/server-share
//
// Without that file, C: is the folder "C" in the program's data location
// (created when missing). Tests set their own map with set_drive_map.

#include <QChar>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <optional>

namespace km::platform {

struct drive_map {
  // Upper-case drive letter -> native folder.
  QMap<QChar, QString> drives;
  // "\\server\share" (as written in the map) -> native folder.
  QList<QPair<QString, QString>> shares;

  void set_drive(QChar letter, const QString& native_folder);
  void set_share(const QString& unc_root, const QString& native_folder);
  // The native folder of a root: "C:" (any case) or "\\server\share"
  // (matched case-insensitively); "" when the root is not mapped.
  QString native_root(const QString& root) const;
};

// Reads a drives.ini; relative native folders count from the file's folder
// and "~/" from the home folder. A missing or unreadable file gives an
// empty map.
drive_map read_drive_map_file(const QString& ini_path);

// The map the program starts with: drives.ini of the config folder, or C:
// as the folder "C" of the data location (created) when there is none.
drive_map default_drive_map();

// The map in use; the default map is loaded on first use.
const drive_map& active_drive_map();
void set_drive_map(const drive_map& map);

// The virtual current directory as a Windows path ("C:\" at start, "C:\" for
// a drive root, "C:\OSKAVEN\ADMIN" otherwise).
QString current_directory();
// ChDir and ChDrive together: resolves the path (relative to the current
// directory) and makes it current. Throws file_error path_not_found when the
// folder does not exist.
void set_current_directory(const QString& win_path);
// The drive of the current directory: "C:" or "\\server\share".
QString current_drive();
// ChDrive: the current directory becomes the root of that drive when the
// drive differs from the current one. Throws path_not_found when the drive
// does not exist.
void set_current_drive(const QString& drive);

// The whole path state, for fixtures that change it and put it back.
struct path_state {
  std::optional<drive_map> map;  // empty: the default map was not loaded
  QString current_directory;
};
path_state save_path_state();
void restore_path_state(const path_state& state);

}  // namespace km::platform
