#include "platform/sync_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "platform/file_error.h"
#include "platform/win_path.h"

namespace km::platform {

void sync_file(const QString& win_path) {
  const QByteArray native = QFile::encodeName(to_native_path(win_path));
  const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw file_error(file_error::kind::other, win_path, QString::fromLocal8Bit(std::strerror(errno)));
  const bool synced = ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  if (!synced)
    throw file_error(file_error::kind::other, win_path, QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace km::platform
