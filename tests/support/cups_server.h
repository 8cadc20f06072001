#pragma once
// A CUPS scheduler of the tests' own: cupsd started in a temporary folder
// (its own configuration, spool, cache and logs) listening on 127.0.0.1 at a
// free high port, with the backends of the system and any the test adds.
// Queues are set up with the system's lpadmin against this scheduler only.
// The scheduler stops and its folder goes when the object goes.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace km::test {

class cups_server {
 public:
  // Starts cupsd; throws std::runtime_error saying why when it cannot.
  cups_server();
  ~cups_server();
  cups_server(const cups_server&) = delete;
  cups_server& operator=(const cups_server&) = delete;

  // "127.0.0.1:<port>", as CUPS_SERVER and the -h option take it.
  QString address() const { return address_; }

  // A backend of the test's own: a shell script under `name`, which the
  // device URI "<name>:/" reaches.
  void add_backend(const QString& name, const QByteArray& script);
  // Runs a CUPS command (lpadmin, cupsdisable, cupsreject ...) against this
  // scheduler; throws std::runtime_error with its output when it fails.
  void command(const QString& program, QStringList arguments) const;
  // The scheduler's error log, for a failing test's message.
  QString error_log() const;

 private:
  bool start_on(int port, QString& why);
  void stop();

  QTemporaryDir folder_;
  std::unique_ptr<QProcess> cupsd_;
  QString address_;
};

}  // namespace km::test
