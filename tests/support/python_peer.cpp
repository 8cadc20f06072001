#include "support/python_peer.h"

#include <QHash>
#include <QProcess>

namespace km::test {

python_result run_python(const QString& script, const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
  python_result r;
  if (!p.waitForStarted(10000)) return r;
  p.closeWriteChannel();
  if (!p.waitForFinished(30000)) {
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.exit_code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

bool python_module_available(const QString& module) {
  static QHash<QString, bool> known;
  auto it = known.constFind(module);
  if (it == known.constEnd())
    it = known.insert(module, run_python(QStringLiteral("import ") + module).exit_code == 0);
  return *it;
}

}  // namespace km::test
