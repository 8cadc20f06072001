#include "smb_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace km::test {

namespace {

constexpr const char* k_smbd = "/usr/sbin/smbd";
constexpr const char* k_smbclient = "/usr/bin/smbclient";

// A port of the loopback address that nothing listens on now (the kernel's
// choice of a free one).
int free_port() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return 0;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0)
    port = ntohs(a.sin_port);
  ::close(s);
  return port;
}

bool accepts(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return false;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

QString configuration(const QString& root, int port) {
  QString text = QStringLiteral(
      "[global]\n"
      "  netbios name = KMSHARETEST\n"
      "  workgroup = WORKGROUP\n"
      "  server role = standalone server\n"
      "  interfaces = 127.0.0.1\n"
      "  bind interfaces only = yes\n"
      "  smb ports = %2\n"
      "  disable netbios = yes\n"
      "  server min protocol = SMB2_02\n"
      "  private dir = %1/private\n"
      "  lock directory = %1/lock\n"
      "  state directory = %1/state\n"
      "  cache directory = %1/cache\n"
      "  pid directory = %1/pid\n"
      "  ncalrpc dir = %1/ncalrpc\n"
      "  log file = %1/log/smbd.log\n"
      "  passdb backend = tdbsam:%1/private/passdb.tdb\n"
      "  map to guest = Bad User\n"
      "  rpc start on demand helpers = no\n"
      "  load printers = no\n"
      "  printcap name = /dev/null\n"
      "  disable spoolss = yes\n"
      "[data]\n"
      "  path = %1/data\n"
      "  read only = no\n"
      "  guest ok = yes\n"
      "  force user = root\n");
  return text.arg(root).arg(port);
}

}  // namespace

smb_server::smb_server() {
  const QString root = dir_.path();
  for (const char* sub : {"data", "private", "lock", "state", "cache", "pid", "ncalrpc", "log"})
    QDir(root).mkpath(QLatin1String(sub));
  if (!QFile::exists(QLatin1String(k_smbd))) {
    failure_ = QStringLiteral("%1 is missing: install samba (scripts/install-deps.sh)").arg(k_smbd);
    return;
  }
  port_ = free_port();
  QFile conf(root + QStringLiteral("/smb.conf"));
  if (port_ == 0 || !conf.open(QIODevice::WriteOnly)) {
    failure_ = QStringLiteral("no free port or no configuration file");
    return;
  }
  conf.write(configuration(root, port_).toUtf8());
  conf.close();
  smbd_.setProcessChannelMode(QProcess::MergedChannels);
  // smbd makes a session of its own (no --no-process-group): when it stops
  // it signals its whole process group, which must not be the test's.
  smbd_.start(QLatin1String(k_smbd),
              {QStringLiteral("--foreground"), QStringLiteral("--debug-stdout"),
               QStringLiteral("--debuglevel=1"), QStringLiteral("--configfile=") + conf.fileName()});
  if (!smbd_.waitForStarted(10000)) {
    failure_ = QStringLiteral("smbd did not start: %1").arg(smbd_.errorString());
    return;
  }
  const QDeadlineTimer deadline(15000);
  while (!deadline.hasExpired() && smbd_.state() == QProcess::Running) {
    if (accepts(port_)) {
      running_ = true;
      return;
    }
    QThread::msleep(50);
  }
  smbd_.waitForFinished(100);
  failure_ = QStringLiteral("smbd does not accept connections on port %1:\n%2")
                 .arg(port_)
                 .arg(QString::fromLocal8Bit(smbd_.readAll()));
}

smb_server::~smb_server() {
  if (smbd_.state() == QProcess::NotRunning) return;
  smbd_.terminate();
  if (!smbd_.waitForFinished(10000)) {
    smbd_.kill();
    smbd_.waitForFinished(5000);
  }
}

QString smb_server::folder() const { return dir_.path() + QStringLiteral("/data"); }

QString smb_server::path(const QString& name) const { return folder() + QLatin1Char('/') + name; }

smb_server::fetched smb_server::smbclient_get(const QString& name, const QString& protocol) const {
  fetched f;
  const QString target = dir_.path() + QStringLiteral("/fetched");
  QFile::remove(target);
  QProcess client;
  client.setProcessChannelMode(QProcess::MergedChannels);
  client.start(
      QLatin1String(k_smbclient),
      {QStringLiteral("//127.0.0.1/data"), QStringLiteral("--no-pass"), QStringLiteral("--port"),
       QString::number(port_), QStringLiteral("--configfile=") + dir_.path() + QStringLiteral("/smb.conf"),
       QStringLiteral("--option=client max protocol=") + protocol, QStringLiteral("--command"),
       QStringLiteral("get %1 %2").arg(name, target)});
  if (!client.waitForFinished(30000)) {
    client.kill();
    client.waitForFinished();
  }
  f.output = QString::fromLocal8Bit(client.readAll());
  QFile got(target);
  f.ok = client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0 &&
         got.open(QIODevice::ReadOnly) && !f.output.contains(QLatin1String("NT_STATUS_"));
  if (f.ok) f.bytes = got.readAll();
  return f;
}

smb_client::smb_client(const smb_server& server) {
  process_.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(KM_SOURCE_DIR "/tests/network_share/smb_client.py"),
                  QString::number(server.port()), QStringLiteral("data")});
  ready_ = process_.waitForStarted(10000) && command(QString()) == QLatin1String("ok ready");
}

smb_client::~smb_client() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.write("quit\n");
  process_.closeWriteChannel();
  if (!process_.waitForFinished(10000)) {
    process_.kill();
    process_.waitForFinished();
  }
}

QString smb_client::command(const QString& line) {
  if (!line.isEmpty()) process_.write((line + QLatin1Char('\n')).toUtf8());
  const QDeadlineTimer deadline(30000);
  while (!process_.canReadLine()) {
    if (deadline.hasExpired() || !process_.waitForReadyRead(int(deadline.remainingTime())))
      return QStringLiteral("no answer: ") + QString::fromLocal8Bit(process_.readAllStandardError());
  }
  return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

}  // namespace km::test
