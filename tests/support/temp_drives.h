#pragma once
// A temporary drive map for tests: C: and D: are two folders in a
// temporary directory; the current directory is C:\. Everything is put
// back (map, current directory) and every numbered file closed when the
// object goes away.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "platform/drive_map.h"
#include "support/clean_state.h"

namespace km::test {

class temp_drives {
 public:
  temp_drives();
  ~temp_drives();
  temp_drives(const temp_drives&) = delete;
  temp_drives& operator=(const temp_drives&) = delete;

  // The temporary directory that holds the drive folders.
  QString base() const;
  // The native folder of drive C: or D:.
  QString native_drive(QChar letter) const;
  // Maps a further share ("\\server\share") to a new folder of the
  // temporary directory and returns that folder.
  QString add_share(const QString& unc_root);
  // Maps a further drive letter to a new folder; returns the folder.
  QString add_drive(QChar letter);
  // Removes a drive from the map (to test a missing drive).
  void remove_drive(QChar letter);

  // Writes a file (creating its folders) at a native path below the
  // temporary directory, given relative to it with "/" ("C/DATA/x.txt").
  QString write_native(const QString& relative, const QByteArray& bytes);
  // Creates a native folder below the temporary directory.
  QString make_native_folder(const QString& relative);

 private:
  void apply();

  km::platform::path_state saved_;
  QTemporaryDir dir_;
  km::platform::drive_map map_;
};

// A gtest fixture holding a temp_drives.
class temp_drives_test : public clean_state_test {
 protected:
  // The native path of a file or folder on drive C:, given below its root
  // with "/" ("Data/x.txt").
  QString c(const QString& relative) const { return drives.native_drive('C') + "/" + relative; }

  temp_drives drives;
};

}  // namespace km::test
