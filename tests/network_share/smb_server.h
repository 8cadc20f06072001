#pragma once
// A real SMB server for the tests of a data folder on a network share:
// Debian's smbd, started by the test on the loopback address and a free
// high port, sharing a temporary data folder as "data" to guests (who act
// as the folder's owner). Its configuration, private, lock, state, cache
// and pid folders and its log all lie in a temporary folder: no file of the
// system is read or touched. The server stops when the object goes.
//
// Two other computers reach it: smbclient (get a whole file, SMB2 or SMB3)
// and an SMB2 client process (smb_client.py, python3-impacket) that holds
// files open and byte ranges locked as a Windows program does.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace km::test {

class smb_server {
 public:
  smb_server();
  ~smb_server();
  smb_server(const smb_server&) = delete;
  smb_server& operator=(const smb_server&) = delete;

  // True when smbd runs and accepts connections; else failure() says why.
  bool running() const { return running_; }
  const QString& failure() const { return failure_; }

  // The shared folder (a native path) and a file in it.
  QString folder() const;
  QString path(const QString& name) const;
  int port() const { return port_; }

  struct fetched {
    bool ok = false;
    QByteArray bytes;
    QString output;  // smbclient's own words (its NT status on a refusal)
  };
  // The whole file as smbclient gets it with the protocol ("SMB2", "SMB3").
  fetched smbclient_get(const QString& name, const QString& protocol) const;

 private:
  QTemporaryDir dir_;
  QProcess smbd_;
  int port_ = 0;
  bool running_ = false;
  QString failure_;
};

// The SMB2 client process (smb_client.py) connected to the server's share.
class smb_client {
 public:
  explicit smb_client(const smb_server& server);
  ~smb_client();
  smb_client(const smb_client&) = delete;
  smb_client& operator=(const smb_client&) = delete;

  bool ready() const { return ready_; }
  // Sends one command and returns its answer line ("ok ...", "refused ...").
  QString command(const QString& line);

 private:
  QProcess process_;
  bool ready_ = false;
};

}  // namespace km::test
