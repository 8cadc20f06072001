#pragma once
// The fixture of the tests of the conversions that are not table driven: a
// temporary C: with C:\DATA, scripted dialogs (these conversions show
// nothing, so any prompt fails), the year 2015, and data-file services that
// send the opening's four folder builds to those conversions.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include "common/data_file_services.h"
#include "common/open_random_files.h"
#include "common/shared_variables.h"
#include "datafiles/datafile_services.h"
#include "datafiles/hand_written_conversions.h"
#include "platform/file_system.h"
#include "platform/win_path.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::test {

class hand_written_test : public clean_state_test {
 protected:
  void SetUp() override {
    g_year = QStringLiteral("2015");
    set_data_file_services(&services);
    drives.make_native_folder(QStringLiteral("C/DATA"));
  }
  void TearDown() override {
    dialogs.verify();
    clean_state_test::TearDown();
  }

  // A file of C:\DATA written as raw bytes ("save/x.txt" lies in C:\DATA\save).
  void put(const QString& name, const QByteArray& bytes) {
    drives.write_native(QStringLiteral("C/DATA/") + name, bytes);
  }
  // The bytes of a file of C:\DATA; "<missing>" when it is not there.
  static QByteArray data_file(const QString& name) {
    const QString path = folder + u'\\' + name;
    if (!platform::file_exists(path)) return QByteArrayLiteral("<missing>");
    return read_native_file(platform::to_native_path(path));
  }
  // Record n (from 1) of a record file of C:\DATA.
  static QByteArray record(const QString& name, int length, int n) {
    return data_file(name).mid(qsizetype(length) * (n - 1), length);
  }
  static void open(const QString& code) { open_random_files(code, QString(folder)); }

  static inline const QString folder = QStringLiteral("C:\\DATA");

  temp_drives drives;
  scripted_dialogs dialogs;
  datafile_services services;
};

// Expected record bytes, built place by place from the documented layout.
class expected_record {
 public:
  explicit expected_record(int length) : bytes_(length, '\0') {}
  // Latin-1 text (the same bytes as cp1252 for these letters), cut or
  // blank-padded to width.
  expected_record& text(int offset, int width, const char* latin1) {
    QByteArray t = QByteArray(latin1).left(width);
    t.append(QByteArray(width - t.size(), ' '));
    bytes_.replace(offset, width, t);
    return *this;
  }
  expected_record& int16(int offset, int value) {
    bytes_[offset] = char(value & 0xFF);
    bytes_[offset + 1] = char((value >> 8) & 0xFF);
    return *this;
  }
  const QByteArray& bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

}  // namespace km::test
