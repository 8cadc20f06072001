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

struct flock whole_file(short type) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 0;
  return fl;
}

// Sets a lock, preferring the lock of the open file description (which
// closing another descriptor of the file in this process does not drop).
int set_lock(int fd, short type, bool& ofd) {
  struct flock fl = whole_file(type);
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

dbf_lock_request& lock_request() {
  static dbf_lock_request request;
  return request;
}

// A test's lock refusal never outlives the test.
const reset_step drop_lock_request_at_reset{reset_stage::values, [] { lock_request() = {}; }};

// Asks for the write lock on the descriptor: 0 or the errno of the refusal.
int request_write_lock(int fd, bool& ofd) {
  if (lock_request()) return lock_request()(fd);
  return set_lock(fd, F_WRLCK, ofd) == 0 ? 0 : errno;
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
    if (e == EAGAIN || e == EACCES)
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
    set_lock(it->second.fd, F_UNLCK, it->second.ofd);
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
  struct flock fl = whole_file(F_WRLCK);
  bool asked = false;
#ifdef F_OFD_GETLK
  asked = ::fcntl(fd, F_OFD_GETLK, &fl) == 0;
#endif
  if (!asked) {
    fl = whole_file(F_WRLCK);
    if (::fcntl(fd, F_GETLK, &fl) != 0) fl.l_type = F_UNLCK;
  }
  ::close(fd);
  return fl.l_type != F_UNLCK;
}

namespace {

// A test ends holding no table lock, even one a lost table object still
// counts on (its release then finds nothing to do).
void release_every_lock() {
  std::lock_guard guard(registry_mutex());
  for (auto& entry : registry()) {
    bool ofd = entry.second.ofd;
    set_lock(entry.second.fd, F_UNLCK, ofd);
    ::close(entry.second.fd);
  }
  registry().clear();
}
const reset_step release_every_lock_at_reset{reset_stage::open_files, release_every_lock};

}  // namespace

}  // namespace km::platform
