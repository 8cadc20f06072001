#include "platform/folder_steps.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
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

const QString partial_suffix = QStringLiteral(".partial");

// A copy's hold on its partial copy: a lock on the folder, which the
// removal of leftovers meets and a process that ends gives up.
class folder_hold {
 public:
  explicit folder_hold(const QString& native)
      : fd_(::open(QFile::encodeName(native).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~folder_hold() {
    if (fd_ >= 0) ::close(fd_);
  }
  folder_hold(const folder_hold&) = delete;
  folder_hold& operator=(const folder_hold&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

// Removes a folder left under its temporary name, with all it holds, unless
// a copy at work holds it; true when none is left.
[[nodiscard]] bool remove_partial_copy_native(const QString& native) {
  if (native.isEmpty() || !QFileInfo(native).isDir()) return true;
  {
    const folder_hold ours(native);
    if (!ours.held()) return false;  // another copy is writing it
  }
  if (!QDir(native).removeRecursively()) return false;
  folder_listing::note_removed(native);
  return true;
}

[[nodiscard]] bool remove_partial_copy(const QString& win_path) {
  return remove_partial_copy_native(to_native_path(win_path));
}

}  // namespace

void remove_partial_copies(const QString& folder) {
  const QString native = to_native_path(folder);
  if (native.isEmpty() || !QFileInfo(native).isDir()) return;
  for (const QString& name : QDir(native).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
    if (name.endsWith(partial_suffix, Qt::CaseInsensitive))
      static_cast<void>(remove_partial_copy_native(native + QLatin1Char('/') + name));
  }
}

void copy_folder_whole(const QString& source, const QString& destination) {
  if (!folder_exists(source)) throw file_error(kind::path_not_found, source);
  QString target = destination;
  while (target.endsWith(QLatin1Char('\\'))) target.chop(1);
  if (folder_exists(target) || file_exists(target)) throw file_error(kind::file_already_exists, destination);
  const QString partial = target + partial_suffix;
  if (!remove_partial_copy(partial))
    throw file_error(kind::permission_denied, partial, QStringLiteral("an earlier partial copy stays"));
  try {
    if (!ensure_folder(partial)) throw file_error(kind::path_not_found, destination);
    const folder_hold hold(to_native_path(partial));
    copy_folder(source, partial);
    rename_folder(partial, target);
  } catch (const file_error&) {
    // A partial copy that cannot be removed keeps its temporary name, which
    // nothing reads, and goes at the next opening of its folder.
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
