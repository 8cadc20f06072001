#include "platform/win_path.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/drive_map.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

using km::test::temp_drives_test;

class WinPath : public temp_drives_test {};

TEST_F(WinPath, FullPathResolvesAgainstCurrentDirectory) {
  drives.make_native_folder("C/WORK");
  set_current_directory("C:\\WORK");
  struct Case {
    const char* path;
    const char* full;
  };
  const Case cases[] = {
      {"setup.txt", "C:\\WORK\\setup.txt"},
      {"\\kleur_drukker.txt", "C:\\kleur_drukker.txt"},
      {"C:\\a\\\\b", "C:\\a\\b"},
      {"c:/a/./b/../c", "C:\\a\\c"},
      {"C:\\..\\..", "C:\\"},
      {"C:x", "C:\\WORK\\x"},
      {"D:x", "D:\\x"},
      {"D:", "D:\\"},
      {"..\\up.txt", "C:\\up.txt"},
      {"C:\\a\\name. ", "C:\\a\\name"},
      {"C:\\a\\*.", "C:\\a\\*."},  // a pattern keeps its dot
      {"\\\\srv\\sh\\a\\\\b", "\\\\srv\\sh\\a\\b"},
      {"\\\\srv\\sh", "\\\\srv\\sh"},
      {"\\\\srv", ""},
      {"\\\\", ""},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(full_win_path(QString::fromUtf8(c.path)), QString::fromUtf8(c.full)) << c.path;
  // The text ends at a NUL, as the system's calls see it.
  EXPECT_EQ(full_win_path(QStringLiteral("C:\\a\\x") + QChar(0) + QStringLiteral("junk")), "C:\\a\\x");
}

TEST_F(WinPath, RootedPathUsesCurrentDriveAndUncCurrentDirectory) {
  const QString share = drives.add_share("\\\\server\\share");
  QDir().mkpath(share + "/Data");
  set_current_directory("\\\\SERVER\\share\\data");
  EXPECT_EQ(current_drive().toLower(), "\\\\server\\share");
  EXPECT_EQ(full_win_path("\\x.txt").toLower(), "\\\\server\\share\\x.txt");
  EXPECT_EQ(to_native_path("y.txt"), share + "/Data/y.txt");
}

TEST_F(WinPath, TextPartsAsTheFileSystemObjectGivesThem) {
  struct Case {
    const char* path;
    const char* drive;
    const char* parent;
    const char* name;
  };
  const Case cases[] = {
      {"C:\\a\\b.txt", "C:", "C:\\a", "b.txt"},
      {"c:\\a", "c:", "c:\\", "a"},
      {"C:\\", "C:", "", ""},
      {"C:\\a\\", "C:", "C:\\", "a"},
      {"a\\b", "", "a", "b"},
      {"b", "", "", "b"},
      {"\\x.txt", "", "\\", "x.txt"},
      {"\\\\srv\\sh\\x", "\\\\srv\\sh", "\\\\srv\\sh\\", "x"},
      {"\\\\srv\\sh\\x\\y.dbf", "\\\\srv\\sh", "\\\\srv\\sh\\x", "y.dbf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(drive_name(c.path), QString(c.drive)) << c.path;
    EXPECT_EQ(parent_folder_name(c.path), QString(c.parent)) << c.path;
    EXPECT_EQ(file_name_part(c.path), QString(c.name)) << c.path;
  }
  EXPECT_EQ(join_win_path("C:\\a", "b.txt"), "C:\\a\\b.txt");
  EXPECT_EQ(join_win_path("C:\\a\\", "\\b.txt"), "C:\\a\\b.txt");
  EXPECT_EQ(join_win_path("", "b.txt"), "b.txt");
}

TEST_F(WinPath, NativePathMatchesNamesCaseInsensitively) {
  const QString c = drives.native_drive('C');
  const QString d = drives.native_drive('D');
  drives.write_native("C/Oskaven/Admin/Setup.TXT", "x");
  drives.write_native("D/root.txt", "x");
  const QString share = drives.add_share("\\\\server\\share");
  QDir().mkpath(share + "/data");
  set_current_directory("c:\\OSKAVEN\\admin");

  struct Case {
    const char* win;
    QString native;
  };
  const Case cases[] = {
      {"C:\\OSKAVEN\\ADMIN\\SETUP.txt", c + "/Oskaven/Admin/Setup.TXT"},
      {"c:\\oskaven\\\\admin\\new.txt", c + "/Oskaven/Admin/new.txt"},
      {"C:\\OSKAVEN\\MISSING\\Sub\\x.txt", c + "/Oskaven/MISSING/Sub/x.txt"},
      {"setup.txt", c + "/Oskaven/Admin/Setup.TXT"},
      {"..\\ADMIN\\.\\setup.txt", c + "/Oskaven/Admin/Setup.TXT"},
      {"\\oskaven", c + "/Oskaven"},
      {"C:\\", c},
      {"d:\\ROOT.TXT", d + "/root.txt"},
      {"\\\\SERVER\\Share\\DATA\\f.dbf", share + "/data/f.dbf"},
      {"Q:\\x.txt", QString()},
      {"\\\\other\\share\\x", QString()},
      {"C:\\a?b.txt", QString()},
      {"C:\\a\\b:c", QString()},
      {"", QString()},
  };
  for (const auto& cs : cases) EXPECT_EQ(to_native_path(cs.win), cs.native) << cs.win;
}

TEST_F(WinPath, ExactSpellingWinsOverCaseMatch) {
  const QString c = drives.native_drive('C');
  drives.write_native("C/Dup.txt", "1");
  drives.write_native("C/DUP.txt", "2");
  EXPECT_EQ(to_native_path("C:\\Dup.txt"), c + "/Dup.txt");
  EXPECT_EQ(to_native_path("C:\\DUP.txt"), c + "/DUP.txt");
  // No exact spelling: one of the two, the same one every time.
  const QString either = to_native_path("C:\\dup.TXT");
  EXPECT_TRUE(either == c + "/Dup.txt" || either == c + "/DUP.txt") << either.toStdString();
  EXPECT_EQ(to_native_path("C:\\dup.TXT"), either);
}

TEST_F(WinPath, UnmappedOrMissingDriveGivesNoPath) {
  drives.remove_drive('D');
  EXPECT_EQ(to_native_path("D:\\x.txt"), QString());
  // A drive mapped to a folder that is not there.
  drive_map map = active_drive_map();
  map.set_drive('E', drives.base() + "/no-such-folder");
  set_drive_map(map);
  EXPECT_EQ(to_native_path("E:\\x.txt"), QString());
}

TEST_F(WinPath, WindowsPathOfNativePath) {
  const QString c = drives.native_drive('C');
  drives.write_native("C/Oskaven/Admin/Setup.TXT", "x");
  const QString share = drives.add_share("\\\\server\\share");
  struct Case {
    QString native;
    const char* win;
  };
  const Case cases[] = {
      {c + "/Oskaven/Admin/Setup.TXT", "C:\\Oskaven\\Admin\\Setup.TXT"},
      {c, "C:\\"},
      {c + "/", "C:\\"},
      {c + "/Oskaven/../Oskaven", "C:\\Oskaven"},
      {share, "\\\\server\\share"},
      {share + "/x/y.txt", "\\\\server\\share\\x\\y.txt"},
      {drives.base() + "/elsewhere", ""},
      {"", ""},
  };
  for (const auto& cs : cases)
    EXPECT_EQ(to_windows_path(cs.native), QString(cs.win)) << cs.native.toStdString();

  // A drive mapped inside another: the longest root wins.
  drive_map map = active_drive_map();
  map.set_drive('E', c + "/Oskaven");
  set_drive_map(map);
  EXPECT_EQ(to_windows_path(c + "/Oskaven/Admin"), "E:\\Admin");
  EXPECT_EQ(to_windows_path(c + "/other"), "C:\\other");

  // A path reached through a link to the drive folder.
  ASSERT_TRUE(QFile::link(c, drives.base() + "/link-to-c"));
  EXPECT_EQ(to_windows_path(drives.base() + "/link-to-c/Oskaven/Admin/Setup.TXT"), "E:\\Admin\\Setup.TXT");
}

TEST_F(WinPath, ValidPaths) {
  EXPECT_TRUE(is_valid_win_path("C:\\a\\b.txt"));
  EXPECT_TRUE(is_valid_win_path("relative name.txt"));
  EXPECT_FALSE(is_valid_win_path("C:\\a*.txt"));
  EXPECT_FALSE(is_valid_win_path("C:\\a\"b"));
  EXPECT_FALSE(is_valid_win_path("C:\\a|b"));
  EXPECT_FALSE(is_valid_win_path("C:\\tab\there"));
  EXPECT_FALSE(is_valid_win_path(""));
}

}  // namespace
}  // namespace km::platform
