#include "platform/dbase/dbf_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <map>
#include <mutex>
#include <utility>

#include "platform/dbase/dbf_error.h"
#include "platform/services.h"

namespace km::platform {

namespace {

using file_key = std::pair<unsigned long long, unsigned long long>;

struct held_lock {
  int fd = -1;      // a duplicate of the first writer's descriptor: it keeps the lock
  bool ofd = true;  // open-file-description lock, else a classic process lock
  int writers = 0;
};

std::mutex& registry_mutex() {
  static std::mutex m;
  return m;
}
std::map<file_key, held_lock>& registry() {
  static std::map<file_key, held_lock> r;
  return r;
}

file_key key_of(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return {};
  return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

struct flock byte_range(short type, qint64 start, qint64 length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = off_t(start);
  fl.l_len = off_t(length);
  return fl;
}

// Sets a lock on one byte, preferring the lock of the open file description
// (which closing another descriptor of the file in this process does not
// drop, and which meets the locks of other open files in this process).
int set_lock(int fd, short type, qint64 offset, bool& ofd) {
  struct flock fl = byte_range(type, offset, 1);
  int r;
#ifdef F_OFD_SETLK
  if (ofd) {
    do {
      r = ::fcntl(fd, F_OFD_SETLK, &fl);
    } while (r < 0 && errno == EINTR);
    if (r == 0 || errno != EINVAL) return r;
    ofd = false;
  }
#else
  ofd = false;
#endif
  do {
    r = ::fcntl(fd, F_SETLK, &fl);
  } while (r < 0 && errno == EINTR);
  return r;
}

bool refused_as_held(int e) { return e == EAGAIN || e == EACCES; }

// True when a lock of another open file or process covers any of the bytes
// (a write lock is asked about, so read locks count too).
bool bytes_locked(int fd, qint64 start, qint64 length) {
  struct flock fl = byte_range(F_WRLCK, start, length);
  bool asked = false;
#ifdef F_OFD_GETLK
  asked = ::fcntl(fd, F_OFD_GETLK, &fl) == 0;
#endif
  if (!asked) {
    fl = byte_range(F_WRLCK, start, length);
    if (::fcntl(fd, F_GETLK, &fl) != 0) return false;  // no answer: nothing known to be in the way
  }
  return fl.l_type != F_UNLCK;
}

dbf_lock_request& lock_request() {
  static dbf_lock_request request;
  return request;
}

// A test's lock refusal never outlives the test.
const reset_step drop_lock_request_at_reset{reset_stage::values, [] { lock_request() = {}; }};

// Asks for the write lock on the descriptor: 0 or the errno of the refusal.
int request_write_lock(int fd, bool& ofd) {
  if (lock_request()) return lock_request()(fd);
  return set_lock(fd, F_WRLCK, dbf_table_lock_offset, ofd) == 0 ? 0 : errno;
}

}  // namespace

void set_dbf_lock_request(dbf_lock_request request) { lock_request() = std::move(request); }

dbf_write_lock& dbf_write_lock::operator=(dbf_write_lock&& o) noexcept {
  if (this != &o) {
    release();
    key_ = std::exchange(o.key_, {});
  }
  return *this;
}

dbf_write_lock::~dbf_write_lock() { release(); }

dbf_write_lock dbf_write_lock::acquire(const dbf_io::file_handle& file, const QString& what) {
  const file_key key = key_of(file.fd());
  dbf_write_lock lock;
  if (key == file_key{}) throw dbf_locks_refused(what);
  std::lock_guard guard(registry_mutex());
  auto& reg = registry();
  if (auto it = reg.find(key); it != reg.end()) {
    ++it->second.writers;
    lock.key_ = key;
    return lock;
  }
  held_lock h;
  h.fd = ::fcntl(file.fd(), F_DUPFD_CLOEXEC, 0);
  if (h.fd < 0) throw dbf_locks_refused(what);
  if (const int e = request_write_lock(h.fd, h.ofd); e != 0) {
    ::close(h.fd);
    if (refused_as_held(e))
      throw dbf_error(
          dbf_error_kind::in_use,
          QStringLiteral("Table '%1' is in use: another program has it open for writing").arg(what));
    throw dbf_locks_refused(what);  // ENOLCK, EOPNOTSUPP and the like
  }
  h.writers = 1;
  reg.emplace(key, h);
  lock.key_ = key;
  return lock;
}

void dbf_write_lock::release() {
  if (!held()) return;
  std::lock_guard guard(registry_mutex());
  auto& reg = registry();
  if (auto it = reg.find(key_); it != reg.end() && --it->second.writers == 0) {
    set_lock(it->second.fd, F_UNLCK, dbf_table_lock_offset, it->second.ofd);
    ::close(it->second.fd);
    reg.erase(it);
  }
  key_ = {};
}

bool dbf_locked_by_other_process(const QString& native_path) {
  const QByteArray path = QFile::encodeName(native_path);
  struct stat st {};
  if (::stat(path.constData(), &st) != 0) return false;
  {
    // A lock this process holds is not another process's; and opening and
    // closing the file here must not disturb it.
    std::lock_guard guard(registry_mutex());
    if (registry().count(
            {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)}))
      return false;
  }
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool locked = bytes_locked(fd, dbf_table_lock_offset, 1);
  ::close(fd);
  return locked;
}

dbf_lock_result try_table_lock(int fd) {
  bool ofd = true;
  if (set_lock(fd, F_WRLCK, dbf_table_lock_offset, ofd) == 0) return dbf_lock_result::locked;
  return refused_as_held(errno) ? dbf_lock_result::held_by_another : dbf_lock_result::refused;
}

dbf_record_lock::dbf_record_lock(const dbf_io::file_handle& file, std::uint32_t record, qint64 data_start,
                                 qint64 length, const QString& what)
    : offset_(dbf_record_lock_offset(record)) {
  const auto in_use = [&] {
    return dbf_error(dbf_error_kind::in_use,
                     QStringLiteral("Table '%1' is in use: another program holds record %2 locked")
                         .arg(what)
                         .arg(qint64(record) + 1));
  };
  if (set_lock(file.fd(), F_WRLCK, offset_, ofd_) == 0)
    fd_ = file.fd();
  else if (refused_as_held(errno))
    throw in_use();
  if (bytes_locked(file.fd(), data_start, length)) {
    if (fd_ >= 0) set_lock(fd_, F_UNLCK, offset_, ofd_);  // no destructor runs for a throwing constructor
    throw in_use();
  }
}

dbf_record_lock::~dbf_record_lock() {
  if (fd_ >= 0) set_lock(fd_, F_UNLCK, offset_, ofd_);
}

namespace {

// A test ends holding no table lock, even one a lost table object still
// counts on (its release then finds nothing to do).
void release_every_lock() {
  std::lock_guard guard(registry_mutex());
  for (auto& entry : registry()) {
    bool ofd = entry.second.ofd;
    set_lock(entry.second.fd, F_UNLCK, dbf_table_lock_offset, ofd);
    ::close(entry.second.fd);
  }
  registry().clear();
}
const reset_step release_every_lock_at_reset{reset_stage::open_files, release_every_lock};

}  // namespace

}  // namespace km::platform
