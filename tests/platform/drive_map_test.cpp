#include "platform/drive_map.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/win_path.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

using km::test::temp_drives_test;

TEST(DriveMapFile, ReadsDrivesAndShares) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString ini = dir.filePath("drives.ini");
  QFile f(ini);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(
      "; the school's drives\n"
      "[drives]\n"
      "C=/srv/korva/C\n"
      "d: = relative/D\n"
      "E:\\=\"/quoted path/E\"\n"
      "XY=/ignored\n"
      "\n"
      "[Shares]\n"
      "\\\\Server\\Share\\=/mnt/share\n"
      "//other/data=/mnt/other\n"
      "\\\\noshare=/ignored\n");
  f.close();

  const drive_map map = read_drive_map_file(ini);
  EXPECT_EQ(map.drives.size(), 3);
  EXPECT_EQ(map.native_root("C:"), "/srv/korva/C");
  EXPECT_EQ(map.native_root("c:"), "/srv/korva/C");
  EXPECT_EQ(map.native_root("D:"), QDir::cleanPath(dir.path() + "/relative/D"));
  EXPECT_EQ(map.native_root("E:"), "/quoted path/E");
  EXPECT_EQ(map.native_root("F:"), QString());
  EXPECT_EQ(map.shares.size(), 2);
  EXPECT_EQ(map.native_root("\\\\server\\SHARE"), "/mnt/share");
  EXPECT_EQ(map.native_root("\\\\OTHER\\data"), "/mnt/other");
  EXPECT_EQ(map.native_root("\\\\noshare"), QString());

  EXPECT_TRUE(read_drive_map_file(dir.filePath("missing.ini")).drives.isEmpty());
}

// Points the config and data locations into a temporary folder for the
// life of the object.
class temp_xdg_locations {
 public:
  temp_xdg_locations()
      : config_(qgetenv("XDG_CONFIG_HOME")),
        data_(qgetenv("XDG_DATA_HOME")),
        had_config_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
        had_data_(qEnvironmentVariableIsSet("XDG_DATA_HOME")),
        test_mode_(QStandardPaths::isTestModeEnabled()) {
    // The test main's test mode would send the locations elsewhere.
    QStandardPaths::setTestModeEnabled(false);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath("data")));
  }
  ~temp_xdg_locations() {
    if (had_config_)
      qputenv("XDG_CONFIG_HOME", config_);
    else
      qunsetenv("XDG_CONFIG_HOME");
    if (had_data_)
      qputenv("XDG_DATA_HOME", data_);
    else
      qunsetenv("XDG_DATA_HOME");
    QStandardPaths::setTestModeEnabled(test_mode_);
  }
  bool valid() const { return dir_.isValid(); }
  QString base() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray config_, data_;
  bool had_config_, had_data_;
  bool test_mode_;
};

TEST(DefaultDriveMap, WithoutDrivesIniCIsAFolderOfTheDataLocation) {
  temp_xdg_locations xdg;
  ASSERT_TRUE(xdg.valid());
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  ASSERT_TRUE(data.startsWith(xdg.base())) << data.toStdString();

  const drive_map map = default_drive_map();
  EXPECT_EQ(map.drives.size(), 1);
  EXPECT_TRUE(map.shares.isEmpty());
  EXPECT_EQ(map.native_root("C:"), QDir::cleanPath(data + "/C"));
  EXPECT_TRUE(QFileInfo(data + "/C").isDir()) << "the folder is made";
}

TEST(DefaultDriveMap, DrivesIniOfTheConfigFolderWins) {
  temp_xdg_locations xdg;
  ASSERT_TRUE(xdg.valid());
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  ASSERT_TRUE(config.startsWith(xdg.base())) << config.toStdString();
  ASSERT_TRUE(QDir().mkpath(config));
  QFile ini(config + "/drives.ini");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[drives]\nD=school\n");
  ini.close();

  const drive_map map = default_drive_map();
  EXPECT_EQ(map.native_root("D:"), QDir::cleanPath(config + "/school"));
  EXPECT_EQ(map.native_root("C:"), QString()) << "the map names only what drives.ini names";
}

class CurrentDirectory : public temp_drives_test {};

TEST_F(CurrentDirectory, StartsAtRootOfC) {
  EXPECT_EQ(current_directory(), "C:\\");
  EXPECT_EQ(current_drive(), "C:");
}

TEST_F(CurrentDirectory, ChangesOnlyToExistingFolders) {
  drives.make_native_folder("C/Program/KORVA-MARKS");
  set_current_directory("c:\\program\\korva-marks\\");
  EXPECT_EQ(current_directory(), "C:\\program\\korva-marks");
  set_current_directory("..");
  EXPECT_EQ(current_directory(), "C:\\program");

  try {
    set_current_directory("C:\\nowhere");
    FAIL() << "no error";
  } catch (const file_error& e) {
    EXPECT_EQ(e.which(), file_error::kind::path_not_found);
  }
  EXPECT_EQ(current_directory(), "C:\\program");
  EXPECT_THROW(set_current_directory("Q:\\"), file_error);
}

TEST_F(CurrentDirectory, ChangeOfDrive) {
  drives.make_native_folder("C/work");
  set_current_directory("C:\\work");
  set_current_drive("c");  // the same drive: the directory stays
  EXPECT_EQ(current_directory(), "C:\\work");
  set_current_drive("D:");
  EXPECT_EQ(current_directory(), "D:\\");
  EXPECT_EQ(current_drive(), "D:");
  EXPECT_THROW(set_current_drive("Q:"), file_error);
  EXPECT_EQ(current_drive(), "D:");
}

TEST(PathState, FixtureRestoresMapAndDirectory) {
  const path_state before = save_path_state();
  {
    km::test::temp_drives drives;
    drives.make_native_folder("D/x");
    set_current_directory("D:\\x");
    EXPECT_TRUE(drive_exists("D:"));
  }
  const path_state after = save_path_state();
  EXPECT_EQ(after.current_directory, before.current_directory);
  EXPECT_EQ(after.map.has_value(), before.map.has_value());
}

TEST_F(CurrentDirectory, DriveExistsMeansMappedAndPresent) {
  const QString share = drives.add_share("\\\\server\\share");
  struct Case {
    const char* drive;
    bool exists;
  };
  const Case cases[] = {{"C:", true},   {"c", true},
                        {"C:\\", true}, {"D:", true},
                        {"Q:", false},  {"\\\\SERVER\\share", true},
                        {"", false},    {"\\\\server\\other", false}};
  for (const auto& c : cases) EXPECT_EQ(drive_exists(c.drive), c.exists) << c.drive;

  QDir(drives.native_drive('D')).removeRecursively();
  EXPECT_FALSE(drive_exists("D:"));
  QDir(share).removeRecursively();
  EXPECT_FALSE(drive_exists("\\\\server\\share"));
}

}  // namespace
}  // namespace km::platform
