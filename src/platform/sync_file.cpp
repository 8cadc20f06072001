#include "platform/sync_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

QString errno_text(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

void sync_open_file(int fd, const QString& native_path) {
  check_file_fault(file_step::sync, native_path);
  if (::fsync(fd) == 0) return;
  const int error = errno;
  throw file_error(error == ENOSPC ? file_error::kind::disk_full : file_error::kind::other, native_path,
                   errno_text(error));
}

namespace {

void sync_named(const QString& native, const QString& named) {
  const int fd = ::open(QFile::encodeName(native).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw file_error(file_error::kind::other, named, errno_text(errno));
  try {
    sync_open_file(fd, native);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
}

}  // namespace

void sync_native_file(const QString& native_path) { sync_named(native_path, native_path); }

void sync_file(const QString& win_path) { sync_named(to_native_path(win_path), win_path); }

void sync_folder_of(const QString& native_file) {
  const QString folder = QFileInfo(native_file).absolutePath();
  try {
    check_file_fault(file_step::folder_sync, folder);
  } catch (const file_error&) {
    return;
  }
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  static_cast<void>(::fsync(fd));
  ::close(fd);
}

}  // namespace km::platform
