#include "support/lock_holder.h"

namespace km::test {

namespace {

const char* const k_holder = R"(
import fcntl, sys
f = open(sys.argv[1], 'r+b')
fcntl.lockf(f, fcntl.LOCK_EX | fcntl.LOCK_NB, int(sys.argv[3]), int(sys.argv[2]))
print('locked', flush=True)
sys.stdin.readline()
)";

}  // namespace

lock_holder::lock_holder(const QString& native_path) : lock_holder(native_path, 0, 0) {}

lock_holder::lock_holder(const QString& native_path, qint64 start, qint64 length) {
  process_.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(k_holder), native_path, QString::number(start),
                  QString::number(length)});
  locked_ = process_.waitForStarted(10000) && process_.waitForReadyRead(10000) &&
            process_.readLine().trimmed() == QByteArray("locked");
}

lock_holder::~lock_holder() { release(); }

bool lock_holder::release() {
  if (process_.state() == QProcess::NotRunning) return true;
  process_.write("\n");
  process_.closeWriteChannel();
  const bool ended = process_.waitForFinished(10000);
  if (!ended) process_.kill();
  locked_ = false;
  return ended;
}

}  // namespace km::test
