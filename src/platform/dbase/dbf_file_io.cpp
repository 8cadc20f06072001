#include "platform/dbase/dbf_file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/folder_listing_cache.h"
#include "platform/name_case.h"
#include "platform/sync_file.h"

namespace km::platform::dbf_io {

namespace {

QString errno_text(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

QByteArray native(const QString& path) { return QFile::encodeName(path); }

bool access_refused(int e) { return e == EACCES || e == EPERM; }

[[noreturn]] void fail(dbf_error_kind kind, const QString& what, const QString& doing, int e) {
  throw dbf_error(kind, QStringLiteral("%1 '%2': %3").arg(doing, what, errno_text(e)));
}

// Runs the file layer's fault seam for one step (platform/file_faults.h);
// false, with errno set to fault_errno, when a test makes the step fail.
bool step_allowed(file_step step, const QString& path, int fault_errno) {
  try {
    check_file_fault(step, path);
  } catch (const file_error&) {
    errno = fault_errno;
    return false;
  }
  return true;
}

// A file made here gets read and write for everyone the umask lets through,
// as any new file of the program does.
int open_raw(const QString& path, int flags) {
  if ((flags & O_ACCMODE) != O_RDONLY && !step_allowed(file_step::open_write, path, EIO)) return -1;
  int fd;
  do {
    fd = ::open(native(path).constData(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

file_handle& file_handle::operator=(file_handle&& o) noexcept {
  if (this != &o) {
    static_cast<void>(close());  // as in the destructor
    fd_ = std::exchange(o.fd_, -1);
  }
  return *this;
}

// A failure to close is passed over here: the writes that matter were
// checked when made (and flushed where a file is replaced whole).
file_handle::~file_handle() { static_cast<void>(close()); }

bool file_handle::close() {
  const bool closed = fd_ < 0 || ::close(fd_) == 0;
  fd_ = -1;
  return closed;
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
  if (!step_allowed(file_step::write, what, ENOSPC))
    fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot write"), ENOSPC);
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

void sync_file(const file_handle& f, const QString& what) {
  try {
    platform::sync_open_file(f.fd(), what);
  } catch (const file_error& e) {
    fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot write"),
         e.which() == file_error::kind::disk_full ? ENOSPC : EIO);
  }
}

void sync_folder_of(const QString& native_file) { platform::sync_folder_of(native_file); }

void truncate_to(const file_handle& f, qint64 size, const QString& what) {
  if (!step_allowed(file_step::write, what, ENOSPC) || ::ftruncate(f.fd(), off_t(size)) != 0)
    fail(dbf_error_kind::disk_error, what, QStringLiteral("Cannot write"), errno);
}

namespace {

// 0 on success, -1 with errno set on failure, as ::rename; a fault a test
// injects through the file layer's hook fails it as an I/O error. Our own
// renames and removals are told to the listings the name lookup keeps, so
// a lookup sees them at once, even when the folder's time does not show
// them (a change within one tick of the file system's clock).
[[nodiscard]] int rename_file(const QString& from, const QString& to) {
  try {
    check_file_fault(file_step::table_rename, to);
  } catch (const file_error& e) {
    // The refusals a file server gives to the rename of a file another
    // client has open, as the system reports them; anything else is an
    // input or output error.
    errno = e.which() == file_error::kind::file_already_open   ? EBUSY
            : e.which() == file_error::kind::permission_denied ? EACCES
                                                               : EIO;
    return -1;
  }
  if (::rename(native(from).constData(), native(to).constData()) != 0) return -1;
  folder_listing::note_removed(from);
  folder_listing::note_created(to);
  return 0;
}

// Removes a file the engine made or replaced; a failure is passed over by
// every caller (the file is a leftover that the next opening settles).
void remove_file(const QString& path) {
  if (step_allowed(file_step::remove, path, EIO) && ::unlink(native(path).constData()) == 0)
    folder_listing::note_removed(path);
}

QString random_tag() {
  return QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

QString tagged(const QString& path, const QString& tag, const char* suffix) {
  return path + QLatin1Char('.') + tag + QLatin1Char('.') + QLatin1String(suffix);
}

bool exists(const QString& path) {
  struct stat st {};
  return ::lstat(native(path).constData(), &st) == 0;
}

// The new bytes of one file, written under a temporary name beside it.
struct staged_file {
  QString target;
  QString temp;
  QString aside;  // the old file kept under this name until the last rename ("": none kept)
  file_handle handle;
};

// Creates the temporary files of one replacement, all named with one tag,
// so that the files of one replacement can be told from those of another,
// and locks them. Returns false when a name was taken or a file could not
// be locked (the caller tries another tag).
bool create_temporaries(std::vector<staged_file>& staged, const QString& tag) {
  for (staged_file& s : staged) {
    const QString temp = tagged(s.target, tag, "tmp");
    const int fd = open_raw(temp, O_RDWR | O_CREAT | O_EXCL);
    if (fd < 0) {
      const int e = errno;
      if (e == EEXIST) return false;
      fail(access_refused(e) || e == EROFS ? dbf_error_kind::read_only : dbf_error_kind::disk_error, s.target,
           QStringLiteral("Cannot write a temporary file beside"), e);
    }
    file_handle h(fd);
    // The temporary is locked for as long as it exists, so a cleaner leaves
    // it alone (where the file system refuses locks, no cleaner can take it
    // either). A cleaner may have taken it between its creation and the
    // lock (it then removes it): that name is given up.
    struct stat st {};
    if (try_table_lock(fd) == dbf_lock_result::held_by_another || ::fstat(fd, &st) != 0 || st.st_nlink == 0)
      return false;
    folder_listing::note_created(temp);
    s.temp = temp;
    s.handle = std::move(h);
  }
  return true;
}

void write_temporary(const staged_file& s, const QByteArray& bytes) {
  struct stat old {};
  // Passed over when it fails: the new file then has the permissions of
  // any new file of the program, and its bytes are written all the same.
  if (::stat(native(s.target).constData(), &old) == 0)
    static_cast<void>(::fchmod(s.handle.fd(), old.st_mode & 07777));
  write_at(s.handle, 0, bytes.constData(), bytes.size(), s.target);
  sync_file(s.handle, s.target);
}

// Keeps the present file under the aside name (a second link to it, or a
// copy where the file system has no links), so it can be put back.
void keep_aside(staged_file& s, const QString& tag) {
  if (!exists(s.target)) return;
  const QString aside = tagged(s.target, tag, "old");
  if (!step_allowed(file_step::rename, aside, EIO) ||
      ::link(native(s.target).constData(), native(aside).constData()) != 0) {
    const file_handle old = open_existing(s.target, false, s.target);
    const QByteArray bytes = read_all(old, s.target);
    const int fd = open_raw(aside, O_RDWR | O_CREAT | O_EXCL);
    if (fd < 0) fail(dbf_error_kind::disk_error, s.target, QStringLiteral("Cannot keep a copy of"), errno);
    folder_listing::note_created(aside);
    s.aside = aside;  // from here on it is removed with the others
    const file_handle copy(fd);
    write_at(copy, 0, bytes.constData(), bytes.size(), s.target);
    sync_file(copy, s.target);
    return;
  }
  folder_listing::note_created(aside);
  s.aside = aside;
}

// Undoes a replacement that failed before the renamed files were all in
// place: each renamed file gets its old file back (or goes, when there was
// none), every temporary goes, and so does every aside name whose file is
// back in place (an old file that cannot be put back keeps its aside name).
// False when an old file could not be put back.
bool roll_back(std::vector<staged_file>& staged, std::size_t renamed) {
  bool restored = true;
  for (std::size_t i = 0; i < staged.size(); ++i) {
    staged_file& s = staged[i];
    if (!s.temp.isEmpty()) remove_file(s.temp);
    if (i < renamed && !s.aside.isEmpty()) {
      if (rename_file(s.aside, s.target) != 0) {
        restored = false;
        continue;
      }
    } else if (i < renamed) {
      remove_file(s.target);
    } else if (!s.aside.isEmpty()) {
      remove_file(s.aside);
    }
    s.temp.clear();
    s.aside.clear();
    static_cast<void>(s.handle.close());  // the temporary is gone: nothing of it is kept
  }
  return restored;
}

// A rename refused because another program (on a share: another computer)
// has the file open: a server refuses it with a sharing violation or
// access denied, which the system reports as these.
bool refused_as_open_elsewhere(int e) { return e == EBUSY || e == ETXTBSY || e == EACCES; }

}  // namespace

file_handle create_temporary_beside(const QString& native_target, QString& temp_path) {
  std::vector<staged_file> staged(1);
  staged[0].target = native_target;
  for (int attempt = 0; attempt <= 20; ++attempt) {
    if (create_temporaries(staged, random_tag())) {
      temp_path = staged[0].temp;
      return std::move(staged[0].handle);
    }
    roll_back(staged, 0);
  }
  fail(dbf_error_kind::disk_error, native_target, QStringLiteral("Cannot write a temporary file beside"),
       EEXIST);
}

void replace_files(const std::vector<std::pair<QString, QByteArray>>& files, file_handle* last_file) {
  std::vector<staged_file> staged(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) staged[i].target = files[i].first;
  QString tag;
  for (int attempt = 0;; ++attempt) {
    tag = random_tag();
    bool created = false;
    try {
      created = create_temporaries(staged, tag);
    } catch (const dbf_error&) {
      static_cast<void>(roll_back(staged, 0));
      throw;
    }
    if (created) break;
    static_cast<void>(roll_back(staged, 0));  // nothing was renamed: nothing to put back
    if (attempt == 20)
      fail(dbf_error_kind::disk_error, files.front().first,
           QStringLiteral("Cannot write a temporary file beside"), EEXIST);
  }
  std::size_t renamed = 0;
  try {
    for (std::size_t i = 0; i < files.size(); ++i) write_temporary(staged[i], files[i].second);
    // Every file but the last is kept aside until the last is in place: a
    // failure between the renames puts them back, so a table is never left
    // with a memo file of another generation.
    for (std::size_t i = 0; i + 1 < staged.size(); ++i) keep_aside(staged[i], tag);
    for (; renamed < staged.size(); ++renamed) {
      if (rename_file(staged[renamed].temp, staged[renamed].target) == 0) continue;
      const int e = errno;
      if (refused_as_open_elsewhere(e)) throw dbf_file_held_open(staged[renamed].target);
      fail(dbf_error_kind::disk_error, staged[renamed].target, QStringLiteral("Cannot replace"), e);
    }
    for (const staged_file& s : staged) sync_folder_of(s.target);
  } catch (const dbf_file_held_open&) {
    // "Nothing was changed" holds only when every file is back as it was.
    if (roll_back(staged, renamed)) throw;
    fail(dbf_error_kind::disk_error, staged[renamed].target, QStringLiteral("Cannot replace"), EBUSY);
  } catch (const dbf_error&) {
    static_cast<void>(roll_back(staged, renamed));
    throw;
  }
  if (last_file) *last_file = std::move(staged.back().handle);
  // An aside that cannot be removed is settled when the table is next
  // opened (its table is in place, so it goes then).
  for (const staged_file& s : staged)
    if (!s.aside.isEmpty()) remove_file(s.aside);
}

namespace {

// A file left by a replacement beside a table: "<owner>.<tag>.tmp" (a
// temporary) or "<owner>.<tag>.old" (an old file kept aside).
struct leftover {
  QString path;
  bool aside = false;
  bool of_table = false;  // the owner is the table (else its memo file)
  QString owner_path;
};

bool is_hex_tag(const QString& t) {
  if (t.size() != 8) return false;
  for (QChar c : t)
    if (!c.isDigit() && !(c >= QLatin1Char('a') && c <= QLatin1Char('f'))) return false;
  return true;
}

// The leftovers beside the table, by tag.
std::map<QString, std::vector<leftover>> leftovers_beside(const QString& folder, const QString& table,
                                                          const QString& memo) {
  std::map<QString, std::vector<leftover>> by_tag;
  DIR* dir = ::opendir(native(folder).constData());
  if (!dir) return by_tag;
  while (const dirent* e = ::readdir(dir)) {
    const QString name = QFile::decodeName(e->d_name);
    const bool aside = name.endsWith(QLatin1String(".old"));
    if (!aside && !name.endsWith(QLatin1String(".tmp"))) continue;
    if (name.size() < 14 || name[name.size() - 13] != QLatin1Char('.')) continue;
    const QString tag = name.mid(name.size() - 12, 8);
    const QString owner = name.left(name.size() - 13);
    const bool of_table = names_equal(owner, table);
    if (!is_hex_tag(tag) || (!of_table && !names_equal(owner, memo))) continue;
    by_tag[tag].push_back(
        {folder + QLatin1Char('/') + name, aside, of_table, folder + QLatin1Char('/') + owner});
  }
  ::closedir(dir);
  return by_tag;
}

bool same_file(int fd, const QString& path) {
  struct stat a {
  }, b{};
  return ::fstat(fd, &a) == 0 && ::stat(native(path).constData(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

// Settles the leftovers of one replacement that no process holds any more:
// a memo file kept aside goes back in place when the table's temporary is
// still there (the table was never replaced, so its old memo belongs to
// it), else it goes; temporaries go. Failures are passed over: a leftover
// that cannot be removed is clutter, and the table opens all the same.
void settle(const std::vector<leftover>& files) {
  std::vector<file_handle> held;
  for (const leftover& f : files) {
    file_handle h(open_raw(f.path, O_RDWR));
    if (!h.is_open() || try_table_lock(h.fd()) != dbf_lock_result::locked || !same_file(h.fd(), f.path))
      return;
    held.push_back(std::move(h));
  }
  const bool table_replaced =
      std::none_of(files.begin(), files.end(), [](const leftover& f) { return !f.aside && f.of_table; });
  for (const leftover& f : files) {
    if (!f.aside || table_replaced) {
      remove_file(f.path);
    } else {
      struct stat a {
      }, b{};
      const bool still_there = ::stat(native(f.path).constData(), &a) == 0 &&
                               ::stat(native(f.owner_path).constData(), &b) == 0 && a.st_dev == b.st_dev &&
                               a.st_ino == b.st_ino;
      if (still_there)
        remove_file(f.path);
      else  // when this fails, the old memo file stays kept under its aside name
        static_cast<void>(rename_file(f.path, f.owner_path));
    }
  }
}

}  // namespace

void remove_stale_temporaries(const QString& dbf_path) {
  const QFileInfo info(dbf_path);
  const QString memo = info.completeBaseName() + QStringLiteral(".dbt");
  for (const auto& [tag, files] : leftovers_beside(info.absolutePath(), info.fileName(), memo)) settle(files);
}

QString sibling_path(const QString& dbf_path, const QString& ext) {
  const QFileInfo info(dbf_path);
  const QString wanted = info.completeBaseName() + QLatin1Char('.') + ext;
  const QString exact = info.absolutePath() + QLatin1Char('/') + wanted;
  if (QFileInfo::exists(exact)) return exact;
  const QDir dir(info.absolutePath());
  const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& n : names)
    if (names_equal(n, wanted)) return dir.filePath(n);
  return exact;
}

}  // namespace km::platform::dbf_io
