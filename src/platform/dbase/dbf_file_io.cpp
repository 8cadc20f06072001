#include "platform/dbase/dbf_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

#include "platform/dbase/dbf_error.h"

namespace km::platform::dbf_io {

namespace {

QString errno_text(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

QByteArray native(const QString& path) { return QFile::encodeName(path); }

bool access_refused(int e) { return e == EACCES || e == EPERM; }

[[noreturn]] void fail(dbf_error_kind kind, const QString& what, const QString& doing, int e) {
  throw dbf_error(kind, QStringLiteral("%1 '%2': %3").arg(doing, what, errno_text(e)));
}

// A file made here gets read and write for everyone the umask lets through,
// as any new file of the program does.
int open_raw(const QString& path, int flags) {
  int fd;
  do {
    fd = ::open(native(path).constData(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

file_handle& file_handle::operator=(file_handle&& o) noexcept {
  if (this != &o) {
    close();
    fd_ = std::exchange(o.fd_, -1);
  }
  return *this;
}

file_handle::~file_handle() { close(); }

void file_handle::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

file_handle open_existing(const QString& path, bool for_writing, const QString& what) {
  const int fd = open_raw(path, for_writing ? O_RDWR : O_RDONLY);
  if (fd >= 0) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      throw dbf_error(dbf_error_kind::not_found, QStringLiteral("'%1' is a folder, not a table").arg(what));
    }
    return file_handle(fd);
  }
  const int e = errno;
  if (e == ENOENT || e == ENOTDIR)
    throw dbf_error(dbf_error_kind::not_found, QStringLiteral("'%1' not found").arg(what));
  if (e == EISDIR)
    throw dbf_error(dbf_error_kind::not_found, QStringLiteral("'%1' is a folder, not a table").arg(what));
  if (for_writing && (access_refused(e) || e == EROFS || e == ETXTBSY)) {
    const int r = open_raw(path, O_RDONLY);
    if (r >= 0) {
      ::close(r);
      fail(dbf_error_kind::read_only, what, QStringLiteral("Cannot write"), e);
    }
    if (access_refused(errno)) fail(dbf_error_kind::in_use, what, QStringLiteral("Access refused to"), errno);
    fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot open"), errno);
  }
  if (access_refused(e)) fail(dbf_error_kind::in_use, what, QStringLiteral("Access refused to"), e);
  fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot open"), e);
}

qint64 file_size(const file_handle& f, const QString& what) {
  struct stat st {};
  if (::fstat(f.fd(), &st) != 0) fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot read"), errno);
  return qint64(st.st_size);
}

QByteArray read_all(const file_handle& f, const QString& what) {
  const qint64 size = file_size(f, what);
  QByteArray out(size, Qt::Uninitialized);
  qint64 got = 0;
  while (got < size) {
    const ssize_t n = ::pread(f.fd(), out.data() + got, size_t(size - got), off_t(got));
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot read"), errno);
    }
    if (n == 0) break;  // the file shrank while being read
    got += n;
  }
  out.truncate(got);
  return out;
}

void read_at(const file_handle& f, qint64 offset, char* buffer, qint64 n, const QString& what) {
  qint64 got = 0;
  while (got < n) {
    const ssize_t r = ::pread(f.fd(), buffer + got, size_t(n - got), off_t(offset + got));
    if (r < 0) {
      if (errno == EINTR) continue;
      fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot read"), errno);
    }
    if (r == 0)
      throw dbf_error(dbf_error_kind::bad_format,
                      QStringLiteral("Table '%1' is damaged: the file ends at %2, expected %3 bytes")
                          .arg(what)
                          .arg(offset + got)
                          .arg(offset + n));
    got += r;
  }
}

void write_at(const file_handle& f, qint64 offset, const char* data, qint64 n, const QString& what) {
  qint64 done = 0;
  while (done < n) {
    const ssize_t w = ::pwrite(f.fd(), data + done, size_t(n - done), off_t(offset + done));
    if (w < 0) {
      if (errno == EINTR) continue;
      fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot write"), errno);
    }
    if (w == 0) fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot write"), ENOSPC);  // never spin
    done += w;
  }
}

void truncate_to(const file_handle& f, qint64 size, const QString& what) {
  if (::ftruncate(f.fd(), off_t(size)) != 0)
    fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot write"), errno);
}

void replace_files(const std::vector<std::pair<QString, QByteArray>>& files) {
  std::vector<QString> temps;
  auto discard = [&temps] {
    for (const auto& t : temps) ::unlink(native(t).constData());
  };
  for (const auto& [path, bytes] : files) {
    const QFileInfo info(path);
    QString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
      temp = info.absolutePath() + QLatin1Char('/') + info.fileName() +
             QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
      fd = open_raw(temp, O_RDWR | O_CREAT | O_EXCL);
      if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
      const int e = errno;
      discard();
      fail(access_refused(e) || e == EROFS ? dbf_error_kind::read_only : dbf_error_kind::disk_error, path,
           QStringLiteral("Cannot write a temporary file beside"), e);
    }
    temps.push_back(temp);
    file_handle h(fd);
    struct stat old {};
    if (::stat(native(path).constData(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    try {
      write_at(h, 0, bytes.constData(), bytes.size(), path);
    } catch (...) {
      discard();
      throw;
    }
    if (::fsync(fd) != 0) {
      const int e = errno;
      discard();
      fail(dbf_error_kind::disk_error, path, QStringLiteral("Cannot write"), e);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (::rename(native(temps[i]).constData(), native(files[i].first).constData()) != 0) {
      const int e = errno;
      for (std::size_t j = i; j < temps.size(); ++j) ::unlink(native(temps[j]).constData());
      fail(dbf_error_kind::disk_error, files[i].first, QStringLiteral("Cannot replace"), e);
    }
  }
}

QString sibling_path(const QString& dbf_path, const QString& ext) {
  const QFileInfo info(dbf_path);
  const QString wanted = info.completeBaseName() + QLatin1Char('.') + ext;
  const QString exact = info.absolutePath() + QLatin1Char('/') + wanted;
  if (QFileInfo::exists(exact)) return exact;
  const QDir dir(info.absolutePath());
  const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& n : names)
    if (n.compare(wanted, Qt::CaseInsensitive) == 0) return dir.filePath(n);
  return exact;
}

}  // namespace km::platform::dbf_io
