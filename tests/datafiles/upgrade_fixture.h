#pragma once
// The fixture of the upgrade tests: a temporary C: (C:\DATA made), scripted
// dialogs, a fixed clock (2016-03-17), and the data-file services that run
// the upgrades of this module, so the opening reaches them on its own road.
// Old-layout files are written as raw bytes with the little helpers below.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <cstring>

#include "common/data_file_services.h"
#include "common/open_random_files.h"
#include "common/shared_variables.h"
#include "conversion_fixture.h"
#include "datafiles/count_rebuilds.h"
#include "datafiles/datafile_services.h"
#include "datafiles/default_scales.h"
#include "datafiles/layout_upgrades.h"
#include "datafiles/pi11_upgrades.h"
#include "datafiles/previous_year_setup.h"
#include "datafiles/skl_add_upgrade.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/win_path.h"
#include "support/clean_state.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::test {

class upgrade_test : public clean_state_test {
 protected:
  void SetUp() override {
    g_year = QStringLiteral("2014");
    set_data_file_services(&services);
    drives.make_native_folder(QStringLiteral("C/DATA"));
  }
  void TearDown() override {
    dialogs.verify();
    set_data_file_services(nullptr);
    clean_state_test::TearDown();
  }

  // Requests a code for a folder, as the program does.
  static void open(const QString& code, QString folder) { open_random_files(code, folder); }

  // A file of C:\DATA (or of another folder of C:) by name.
  void put(const QString& name, const QByteArray& content, const QString& folder = QStringLiteral("DATA")) {
    drives.write_native(QStringLiteral("C/") + folder + u'/' + name, content);
  }
  static QString path(const QString& name, const QString& folder = QStringLiteral("C:\\DATA")) {
    return folder + u'\\' + name;
  }
  static QByteArray bytes_of(const QString& name, const QString& folder = QStringLiteral("C:\\DATA")) {
    return read_native_file(platform::to_native_path(path(name, folder)));
  }
  static bool exists(const QString& name, const QString& folder = QStringLiteral("C:\\DATA")) {
    return platform::file_exists(path(name, folder));
  }

  temp_drives drives;
  scripted_dialogs dialogs;
  platform::fake_clock clock{42446.5};  // 2016-03-17 12:00
  platform::scoped_clock clock_in_place{clock};
  datafile_services services;
};

// Raw little-endian pieces of a record.
inline QByteArray le_single(float v) {
  QByteArray b(4, '\0');
  std::memcpy(b.data(), &v, 4);
  return b;
}
inline QByteArray le16(int v) {
  const auto x = static_cast<quint16>(v);
  return QByteArray().append(char(x & 0xFF)).append(char(x >> 8));
}
// Text blank-padded (or cut) to width.
inline QByteArray padded(const char* text, int width) {
  return QByteArray(text).leftJustified(width, ' ', true);
}

}  // namespace km::test
