#include "support/cups_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <stdexcept>

namespace km::test {

namespace {

const QString system_server_bin = QStringLiteral("/usr/lib/cups");

bool write_file(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    return false;
  file.close();
  return file.setPermissions(permissions);
}

constexpr QFile::Permissions readable =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions runnable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

QByteArray files_conf(const QString& root) {
  const QByteArray r = QFile::encodeName(root);
  return "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nTempDir " + r + "/spool/tmp\nCacheDir " + r +
         "/cache\nStateDir " + r + "/state\nServerBin " + r + "/bin\nDataDir /usr/share/cups\nAccessLog " +
         r + "/log/access_log\nErrorLog " + r + "/log/error_log\nPageLog " + r + "/log/page_log\n";
}

QByteArray server_conf(int port) {
  return "Listen 127.0.0.1:" + QByteArray::number(port) +
         "\nServerName 127.0.0.1\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
         "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
         "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
         "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
}

}  // namespace

cups_server::cups_server() {
  if (!folder_.isValid()) throw std::runtime_error("no temporary folder for the CUPS scheduler");
  const QString root = folder_.path();
  // The scheduler's filters run as its own user: the folders must be open
  // to it, the temporary folder writable.
  QFile::setPermissions(root, runnable);
  QDir dir(root);
  for (const char* sub : {"spool/tmp", "cache", "state", "log", "ppd", "bin/backend"}) dir.mkpath(sub);
  QFile::setPermissions(dir.filePath("spool"), runnable);
  QFile::setPermissions(dir.filePath("spool/tmp"), runnable | QFile::WriteGroup | QFile::WriteOther);
  // CUPS wants a sticky temporary folder; Qt cannot set that bit.
  QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("1777"), dir.filePath("spool/tmp")});
  for (const char* sub : {"filter", "daemon", "notifier", "monitor", "cgi-bin", "driver"})
    QFile::link(system_server_bin + u'/' + QLatin1String(sub), dir.filePath(QStringLiteral("bin/") + sub));
  // The PDF writer's backend, copied with its own rights (it runs as root).
  const QString pdf_backend = system_server_bin + QStringLiteral("/backend/cups-pdf");
  if (!QFile::copy(pdf_backend, dir.filePath("bin/backend/cups-pdf")))
    throw std::runtime_error("the cups-pdf backend (package printer-driver-cups-pdf) is not installed");
  QFile::setPermissions(dir.filePath("bin/backend/cups-pdf"), QFile(pdf_backend).permissions());
  if (!write_file(dir.filePath("cups-files.conf"), files_conf(root), readable))
    throw std::runtime_error("the CUPS scheduler's configuration could not be written");

  // A free port: a few tries in the high range, apart for each process.
  QString why;
  const int first = 40000 + int(QCoreApplication::applicationPid() % 20000);
  for (int attempt = 0; attempt < 6; ++attempt)
    if (start_on(first + attempt * 97 % 20000, why)) return;
  throw std::runtime_error("the CUPS scheduler (package cups) did not start: " + why.toStdString());
}

cups_server::~cups_server() { stop(); }

namespace {

// The scheduler and its tools speak the C locale, whatever the test runs
// under: the start is known by lpstat's English "is running".
QProcessEnvironment c_locale_environment() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
  env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
  env.remove(QStringLiteral("LANGUAGE"));
  return env;
}

}  // namespace

bool cups_server::start_on(int port, QString& why) {
  const QString root = folder_.path();
  if (!write_file(root + QStringLiteral("/cupsd.conf"), server_conf(port), readable)) {
    why = QStringLiteral("cupsd.conf could not be written");
    return false;
  }
  cupsd_ = std::make_unique<QProcess>();
  cupsd_->setProcessChannelMode(QProcess::MergedChannels);
  cupsd_->setProcessEnvironment(c_locale_environment());
  cupsd_->start(QStringLiteral("/usr/sbin/cupsd"),
                {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                 QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
  if (!cupsd_->waitForStarted(5000)) {
    why = cupsd_->errorString();
    cupsd_.reset();
    return false;
  }
  address_ = QStringLiteral("127.0.0.1:%1").arg(port);
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 15000) {
    if (cupsd_->state() != QProcess::Running) break;
    QProcess ask;
    ask.setProcessEnvironment(c_locale_environment());
    ask.start(QStringLiteral("lpstat"), {QStringLiteral("-h"), address_, QStringLiteral("-r")});
    if (ask.waitForFinished(5000) && ask.readAllStandardOutput().contains("is running")) return true;
    QThread::msleep(100);
  }
  why = QString::fromLocal8Bit(cupsd_->readAll()) + error_log();
  stop();
  return false;
}

void cups_server::stop() {
  if (!cupsd_) return;
  cupsd_->terminate();
  if (!cupsd_->waitForFinished(10000)) {
    cupsd_->kill();
    cupsd_->waitForFinished(5000);
  }
  cupsd_.reset();
}

void cups_server::add_backend(const QString& name, const QByteArray& script) {
  if (!write_file(folder_.filePath(QStringLiteral("bin/backend/") + name), script, runnable))
    throw std::runtime_error("the backend " + name.toStdString() + " could not be written");
}

void cups_server::command(const QString& program, QStringList arguments) const {
  arguments.prepend(address_);
  arguments.prepend(QStringLiteral("-h"));
  QProcess run;
  run.setProcessChannelMode(QProcess::MergedChannels);
  run.setProcessEnvironment(c_locale_environment());
  run.start(program, arguments);
  if (!run.waitForFinished(30000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
    throw std::runtime_error((program + u' ' + arguments.join(u' ') + QStringLiteral(" failed: ") +
                              QString::fromLocal8Bit(run.readAll()))
                                 .toStdString());
}

QString cups_server::error_log() const {
  QFile log(folder_.filePath(QStringLiteral("log/error_log")));
  return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

}  // namespace km::test
