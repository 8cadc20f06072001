#include "platform/instance_lock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

std::unique_ptr<QLockFile> g_lock;

// A test's lock goes with the test.
const reset_step release_lock{reset_stage::open_files, [] { g_lock.reset(); }};

// The lock lies at the root of the machine's C: drive, so every copy that
// runs on the same drive map sees it; without a C: drive, in the user's
// runtime folder.
QString lock_path() {
  if (const QString& chosen = services().instance_lock_file; !chosen.isEmpty()) return chosen;
  QString folder = to_native_path(QStringLiteral("C:\\"));
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(QStringLiteral(".korva-marks.lock"));
}

}  // namespace

bool another_instance_running() {
  if (g_lock) return false;
  auto lock = std::make_unique<QLockFile>(lock_path());
  // A lock left by a copy that died is stale at once: its process is gone.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) {
    g_lock = std::move(lock);
    return false;
  }
  // Only a lock held by a living process counts; a lock file that cannot be
  // made at all (no writable folder) must not keep the program from running.
  return lock->error() == QLockFile::LockFailedError;
}

void set_instance_lock_file(const QString& native_path) {
  g_lock.reset();
  services().instance_lock_file = native_path;
}

}  // namespace km::platform
