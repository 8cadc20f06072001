#pragma once
// The fixture of the start-up tests: a temporary C: and D:, scripted
// dialogs, a fake clock at 2017-03-17 10:30:00, the program file at
// C:\Program Files (x86)\KORVA-MARKS\KORVA-MARKS.EXE, a desktop folder and
// an instance lock of the test's own, and a registry (on the temporary C:)
// that names the system "Windows 10 Pro". Everything shared is put back
// afterwards.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/desktop_shortcut.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"
#include "platform/instance_lock.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/program_location.h"
#include "platform/registry.h"
#include "platform/system_settings.h"
#include "platform/ui/cursor_position.h"
#include "platform/ui/window_registry.h"
#include "shell/environment.h"
#include "shell/idle_watch.h"
#include "shell/setup_txt.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::test {

inline const QString program_file = QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS\\KORVA-MARKS.EXE");

class start_fixture : public with_scripted_dialogs {
 protected:
  void SetUp() override {
    platform::set_program_file_path(program_file);
    platform::set_desktop_folder(drives.make_native_folder(QStringLiteral("desktop")));
    platform::set_instance_lock_file(drives.base() + QStringLiteral("/korva-marks.lock"));
    platform::registry_write(product_name_value, platform::Value::text(QStringLiteral("Windows 10 Pro")),
                             platform::registry_type::sz);
  }

  // The bytes of a file on a temporary drive, given as a Windows path.
  QByteArray file_bytes(const QString& win_path) const {
    return read_native_file(platform::to_native_path(win_path));
  }
  // Writes a file (making its folders) at a Windows path of C: or D:.
  void write_file(const QString& win_path, const QByteArray& bytes) {
    QString relative = win_path;
    relative.replace(QStringLiteral(":\\"), QStringLiteral("/"));
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    drives.write_native(relative, bytes);
  }
  void make_folder(const QString& win_path) {
    ASSERT_TRUE(platform::ensure_folder(win_path)) << win_path.toStdString();
  }

  temp_drives drives;
  platform::fake_clock fake;
  platform::scoped_clock clock_in_place{fake};
};

}  // namespace km::test
