#include "platform/file_hold.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/folder_listing_cache.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

int open_native(const QString& native, int flags) {
  int fd;
  do {
    fd = ::open(QFile::encodeName(native).constData(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

file_hold::file_hold(const QString& win_path) {
  const QString native = to_native_path(win_path);
  const bool exists = !native.isEmpty() && QFileInfo::exists(native);
  if (!exists) check_file_fault(file_step::file_create, win_path);
  fd_ = native.isEmpty() ? -1 : open_native(native, O_RDWR | O_CREAT);
  if (fd_ < 0)
    throw file_error(errno == ENOSPC ? file_error::kind::disk_full : file_error::kind::permission_denied,
                     win_path, QString::fromLocal8Bit(std::strerror(errno)));
  if (!exists) folder_listing::note_created(native);
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    throw file_error(file_error::kind::file_already_open, win_path, QStringLiteral("held by another"));
  }
}

file_hold::~file_hold() {
  if (fd_ >= 0) ::close(fd_);
}

bool file_is_held(const QString& win_path) {
  const QString native = to_native_path(win_path);
  if (native.isEmpty() || !QFileInfo::exists(native)) return false;
  const int fd = open_native(native, O_RDONLY);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

}  // namespace km::platform
