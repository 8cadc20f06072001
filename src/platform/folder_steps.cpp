#include "platform/folder_steps.h"

#include <QDir>
#include <QFileInfo>

#include "platform/dbase/dbf_file_io.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/folder_listing_cache.h"
#include "platform/win_path.h"

namespace km::platform {

using kind = file_error::kind;

void copy_folder(const QString& source, const QString& destination, bool overwrite) {
  if (!folder_exists(source)) throw file_error(kind::path_not_found, source);
  if (file_exists(destination)) throw file_error(kind::file_already_exists, destination);
  if (!ensure_folder(destination)) throw file_error(kind::path_not_found, destination);
  for (const QString& name : list_files(source))
    copy_file(join_win_path(source, name), join_win_path(destination, name), overwrite);
  for (const QString& name : list_folders(source))
    copy_folder(join_win_path(source, name), join_win_path(destination, name), overwrite);
}

namespace {

// Removes a folder left under its temporary name, with all it holds; true
// when none is left.
[[nodiscard]] bool remove_partial_copy(const QString& win_path) {
  const QString native = to_native_path(win_path);
  if (native.isEmpty() || !QFileInfo(native).isDir()) return true;
  if (!QDir(native).removeRecursively()) return false;
  folder_listing::note_removed(native);
  return true;
}

}  // namespace

void copy_folder_whole(const QString& source, const QString& destination) {
  if (!folder_exists(source)) throw file_error(kind::path_not_found, source);
  QString target = destination;
  while (target.endsWith(QLatin1Char('\\'))) target.chop(1);
  if (folder_exists(target) || file_exists(target)) throw file_error(kind::file_already_exists, destination);
  const QString partial = target + QStringLiteral(".partial");
  if (!remove_partial_copy(partial))
    throw file_error(kind::permission_denied, partial, QStringLiteral("an earlier partial copy stays"));
  try {
    copy_folder(source, partial);
    rename_folder(partial, target);
  } catch (const file_error&) {
    // A partial copy that cannot be removed keeps its temporary name, which
    // nothing reads, and goes at the start of the next copy.
    (void)remove_partial_copy(partial);
    throw;
  }
}

void rename_folder(const QString& source, const QString& destination) {
  if (!folder_exists(source)) throw file_error(kind::path_not_found, source);
  if (!folder_exists(parent_folder_name(full_win_path(destination))))
    throw file_error(kind::path_not_found, destination);
  if (folder_exists(destination) || file_exists(destination))
    throw file_error(kind::file_already_exists, destination);
  const QString from = to_native_path(source);
  const QString to = to_native_path(destination);
  if (from.isEmpty() || to.isEmpty()) throw file_error(kind::path_not_found, destination);
  check_file_fault(file_step::rename, to);
  if (!QDir().rename(from, to)) throw file_error(kind::permission_denied, destination);
  folder_listing::note_removed(from);
  folder_listing::note_created(to);
  dbf_io::sync_folder_of(to);  // the folder holding the renamed one
}

}  // namespace km::platform
