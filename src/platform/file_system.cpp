#include "platform/file_system.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/date_time.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/drive_map.h"
#include "platform/file_faults.h"
#include "platform/folder_listing_cache.h"
#include "platform/name_case.h"
#include "platform/sync_file.h"
#include "platform/wildcard.h"

namespace km::platform {

using kind = file_error::kind;

namespace {

// Why a path names no file: a bad name, a missing folder or drive, or
// a missing file in a folder that is there.
kind missing_kind(const QString& win_path) {
  if (!is_valid_win_path(win_path)) return kind::bad_file_name;
  const QString native = to_native_path(win_path);
  if (native.isEmpty() || !QFileInfo(QFileInfo(native).absolutePath()).isDir()) return kind::path_not_found;
  return kind::file_not_found;
}

// The native path of an existing file, or the matching failure.
QString existing_file(const QString& win_path) {
  const QString native = to_native_path(win_path);
  if (native.isEmpty() || !QFileInfo(native).isFile()) throw file_error(missing_kind(win_path), win_path);
  return native;
}

// The native path of a file to be made: its folder must be there.
QString new_file_place(const QString& win_path) {
  const QString native = to_native_path(win_path);
  if (native.isEmpty()) throw file_error(missing_kind(win_path), win_path);
  if (!QFileInfo(QFileInfo(native).absolutePath()).isDir()) throw file_error(kind::path_not_found, win_path);
  return native;
}

bool same_file(const QString& a, const QString& b) {
  const QString ca = QFileInfo(a).canonicalFilePath();
  return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool ends_with_separator(const QString& path) {
  return path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/'));
}

// The folder and last name of a path whose last name may hold wildcards.
struct split_path {
  QString folder;
  QString name;
};
split_path split(const QString& win_path) {
  const QString full = full_win_path(win_path);
  return {parent_folder_name(full), file_name_part(full)};
}

void copy_one(const QString& source, const QString& destination, bool overwrite) {
  check_file_fault(file_step::copy, destination);
  const QString from = existing_file(source);
  const QString to = new_file_place(destination);
  const QFileInfo target(to);
  if (target.isDir()) throw file_error(kind::permission_denied, destination, QStringLiteral("a folder"));
  if (target.exists()) {
    if (same_file(from, to))
      throw file_error(kind::permission_denied, destination, QStringLiteral("same file"));
    if (!overwrite) throw file_error(kind::file_already_exists, destination);
    if (read_only_native(to)) throw file_error(kind::permission_denied, destination);
  }

  QFile in(from);
  if (!in.open(QIODevice::ReadOnly)) throw file_error(kind::permission_denied, source);
  const QByteArray bytes = in.readAll();
  if (in.error() != QFileDevice::NoError) throw file_error(kind::other, source, in.errorString());
  if (bytes.size() != in.size()) throw file_error(kind::other, source, QStringLiteral("short read"));
  const qint64 copied = bytes.size();
  // Written whole under a locked temporary name beside the target and
  // renamed into place, as a table is; what killed writes left beside the
  // source and the target goes first.
  dbf_io::remove_stale_temporaries(from);
  dbf_io::remove_stale_temporaries(to);
  try {
    dbf_io::replace_files({{to, bytes}});
  } catch (const dbf_error& e) {
    throw file_error(e.kind() == dbf_error_kind::disk_error ? kind::disk_full : kind::permission_denied,
                     destination, e.text());
  }
  folder_listing::note_created(to);

  // A copy keeps the source's time and read-only state, as on Windows. Both
  // are passed over when the file system refuses them: the bytes, checked
  // below, are what the copy is for.
  QFile copy(to);
  if (copy.open(QIODevice::ReadWrite)) {
    (void)copy.setFileTime(QFileInfo(from).lastModified(), QFileDevice::FileModificationTime);
    copy.close();
  }
  (void)QFile::setPermissions(to, QFile::permissions(from));
  if (QFileInfo(to).size() != copied)
    throw file_error(kind::other, destination, QStringLiteral("copy differs"));
}

void move_one(const QString& source, const QString& destination) {
  check_file_fault(file_step::file_move, destination);
  const QString from = existing_file(source);
  QString to = new_file_place(destination);
  if (QFileInfo(to).isDir()) throw file_error(kind::file_already_exists, destination);
  if (QFileInfo::exists(to)) {
    if (!same_file(from, to)) throw file_error(kind::file_already_exists, destination);
    // The same file under another spelling: a change of letter case.
    const QString spelled =
        QFileInfo(to).absolutePath() + QLatin1Char('/') + file_name_part(full_win_path(destination));
    if (spelled == from) return;
    to = spelled;
  }
  check_file_fault(file_step::rename, to);
  if (!QFile::rename(from, to)) throw file_error(kind::permission_denied, destination);
  folder_listing::note_removed(from);
  folder_listing::note_created(to);
  sync_folder_of(to);
  if (QFileInfo(from).absolutePath() != QFileInfo(to).absolutePath()) sync_folder_of(from);
}

void replace_one(const QString& source, const QString& destination) {
  check_file_fault(file_step::file_move, destination);
  const QString from = existing_file(source);
  const QString to = new_file_place(destination);
  const QFileInfo target(to);
  if (target.isDir()) throw file_error(kind::permission_denied, destination, QStringLiteral("a folder"));
  if (target.exists() && read_only_native(to)) throw file_error(kind::permission_denied, destination);
  if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
    throw file_error(errno == ENOSPC ? kind::disk_full : kind::permission_denied, destination,
                     QString::fromLocal8Bit(std::strerror(errno)));
  folder_listing::note_removed(from);
  folder_listing::note_created(to);
  // The replace outlasts a power cut only once the folder's entries are on
  // the disk too.
  sync_folder_of(to);
  if (QFileInfo(from).absolutePath() != QFileInfo(to).absolutePath()) sync_folder_of(from);
}

// The files of a wildcard source; throws when the folder or every match is missing.
QStringList matches_of(const split_path& source, const QString& win_path) {
  if (!folder_exists(source.folder)) throw file_error(kind::path_not_found, win_path);
  const QStringList names = list_files(source.folder, source.name);
  if (names.isEmpty()) throw file_error(kind::file_not_found, win_path);
  return names;
}

QStringList list_entries(const QString& folder, const QString& pattern, QDir::Filters filter) {
  const QString native = to_native_path(folder);
  if (native.isEmpty() || !QFileInfo(native).isDir()) return {};
  const QString wanted = pattern.isEmpty() ? QStringLiteral("*") : pattern;
  QStringList names;
  const QStringList entries =
      QDir(native).entryList(filter | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
  for (const QString& entry : entries)
    if (wildcard_match(wanted, entry)) names.append(entry);
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return compare_names(a, b) < 0; });
  return names;
}

}  // namespace

bool read_only_native(const QString& native) {
  return !(QFile::permissions(native) & QFileDevice::WriteOwner);
}

bool file_exists(const QString& win_path) {
  if (has_wildcards(file_name_part(win_path))) return false;
  return look_up_native(win_path).found == native_lookup::what::file;
}

bool folder_exists(const QString& win_path) {
  return look_up_native(win_path).found == native_lookup::what::folder;
}

bool drive_exists(const QString& drive) {
  QString text = drive.trimmed();
  if (text.size() == 1) text += QLatin1Char(':');
  const QString name = drive_name(text);
  if (name.isEmpty()) return false;
  const QString root = active_drive_map().native_root(name);
  return !root.isEmpty() && QFileInfo(root).isDir();
}

void create_folder(const QString& win_path) {
  const QString native = new_file_place(win_path);
  if (QFileInfo::exists(native)) throw file_error(kind::file_already_exists, win_path);
  if (!QDir().mkdir(native)) throw file_error(kind::permission_denied, win_path);
  folder_listing::note_created(native);
}

bool ensure_folder(const QString& win_path) {
  const QString native = to_native_path(win_path);
  if (native.isEmpty()) return false;
  if (QFileInfo(native).isDir()) return true;
  QStringList missing;  // the folders made here, the deepest first
  for (QString p = native; !QFileInfo::exists(p); p = QFileInfo(p).path()) missing.append(p);
  QDir().mkpath(native);
  for (const QString& made : missing)
    if (QFileInfo(made).isDir()) folder_listing::note_created(made);
  return QFileInfo(native).isDir();
}

void copy_file(const QString& source, const QString& destination, bool overwrite) {
  const split_path from = split(source);
  if (has_wildcards(from.name)) {
    for (const QString& name : matches_of(from, source))
      copy_one(join_win_path(from.folder, name), join_win_path(destination, name), overwrite);
    return;
  }
  const QString target =
      ends_with_separator(destination) ? join_win_path(destination, from.name) : destination;
  copy_one(source, target, overwrite);
}

void delete_file(const QString& win_path, bool force) {
  const split_path place = split(win_path);
  QStringList natives;
  if (has_wildcards(place.name)) {
    for (const QString& name : matches_of(place, win_path))
      natives.append(existing_file(join_win_path(place.folder, name)));
  } else {
    natives.append(existing_file(win_path));
  }
  for (const QString& native : natives) {
    if (read_only_native(native)) {
      if (!force) throw file_error(kind::permission_denied, win_path, QStringLiteral("read-only"));
      QFile::setPermissions(native,
                            QFile::permissions(native) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    }
    check_file_fault(file_step::remove, native);
    if (!QFile::remove(native)) throw file_error(kind::permission_denied, win_path);
    folder_listing::note_removed(native);
  }
}

void move_file(const QString& source, const QString& destination) {
  const split_path from = split(source);
  if (has_wildcards(from.name)) {
    if (!folder_exists(destination)) throw file_error(kind::path_not_found, destination);
    for (const QString& name : matches_of(from, source))
      move_one(join_win_path(from.folder, name), join_win_path(destination, name));
    return;
  }
  const QString target =
      ends_with_separator(destination) ? join_win_path(destination, from.name) : destination;
  move_one(source, target);
}

void replace_file(const QString& source, const QString& destination) { replace_one(source, destination); }

void remove_write_leftovers(const QString& win_path) {
  const QString native = to_native_path(win_path);
  if (!native.isEmpty()) dbf_io::remove_stale_temporaries(native);
}

QStringList list_files(const QString& folder, const QString& pattern) {
  return list_entries(folder, pattern, QDir::Files);
}

QStringList list_folders(const QString& folder, const QString& pattern) {
  return list_entries(folder, pattern, QDir::Dirs);
}

qint64 file_length(const QString& win_path) { return QFileInfo(existing_file(win_path)).size(); }

double file_date(const QString& win_path) {
  const QDateTime when = QFileInfo(existing_file(win_path)).lastModified();
  const QDate d = when.date();
  const QTime t = when.time();
  return join_date_time(make_date(d.year(), d.month(), d.day()).value_or(0.0),
                        make_time(t.hour(), t.minute(), t.second()).value_or(0.0));
}

bool is_read_only(const QString& win_path) {
  const QString native = to_native_path(win_path);
  return !native.isEmpty() && QFileInfo::exists(native) && read_only_native(native);
}

void set_read_only(const QString& win_path, bool read_only) {
  const QString native = existing_file(win_path);
  const QFileDevice::Permissions writes =
      QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  QFileDevice::Permissions p = QFile::permissions(native);
  p = read_only ? (p & ~writes) : (p | QFileDevice::WriteOwner | QFileDevice::WriteUser);
  if (!QFile::setPermissions(native, p)) throw file_error(kind::permission_denied, win_path);
}

}  // namespace km::platform
