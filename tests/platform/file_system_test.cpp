#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/drive_map.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"
#include "support/thrown_file_error.h"

namespace km::platform {
namespace {

using km::test::read_native_file;
using km::test::thrown_file_error_kind;
using kind = file_error::kind;

class FileSystem : public km::test::temp_drives_test {
 protected:
  QStringList native_entries(const QString& relative) const {
    return QDir(c(relative)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
  }
};

TEST_F(FileSystem, ExistenceTests) {
  drives.write_native("C/Data/Exp_Mrk_Control.TXT", "x");
  EXPECT_TRUE(file_exists("C:\\DATA\\exp_mrk_control.txt"));
  EXPECT_TRUE(file_exists("c:/data/EXP_MRK_CONTROL.TXT"));
  EXPECT_FALSE(file_exists("C:\\DATA"));  // a folder is no file
  EXPECT_TRUE(folder_exists("C:\\DATA"));
  EXPECT_TRUE(folder_exists("C:\\data\\"));
  EXPECT_FALSE(folder_exists("C:\\DATA\\exp_mrk_control.txt"));
  EXPECT_FALSE(file_exists("C:\\DATA\\exp*.txt"));
  EXPECT_FALSE(file_exists("Q:\\DATA\\exp_mrk_control.txt"));
  EXPECT_FALSE(folder_exists("Q:\\"));
  EXPECT_TRUE(folder_exists("C:\\"));
  EXPECT_FALSE(file_exists(""));
  EXPECT_FALSE(folder_exists(""));
}

TEST_F(FileSystem, CreateFolder) {
  create_folder("C:\\OSKAVEN");
  EXPECT_TRUE(QFileInfo(c("OSKAVEN")).isDir());
  EXPECT_EQ(thrown_file_error_kind([] { create_folder("C:\\oskaven"); }), kind::file_already_exists);
  EXPECT_EQ(thrown_file_error_kind([] { create_folder("C:\\missing\\sub"); }), kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { create_folder("Q:\\x"); }), kind::path_not_found);
  EXPECT_EQ(native_entries(""), QStringList{"OSKAVEN"});

  EXPECT_TRUE(ensure_folder("C:\\oskaven\\ADMIN\\L1017"));
  EXPECT_TRUE(QFileInfo(c("OSKAVEN/ADMIN/L1017")).isDir());
  EXPECT_TRUE(ensure_folder("C:\\OSKAVEN\\admin"));
  EXPECT_EQ(native_entries("OSKAVEN"), QStringList{"ADMIN"});
  EXPECT_FALSE(ensure_folder("Q:\\x"));
}

TEST_F(FileSystem, CopyKeepsBytesAndTime) {
  const QString src = drives.write_native("C/src/Report.txt", QByteArray("abc\0def", 7));
  const QDateTime when(QDate(2017, 3, 17), QTime(10, 30, 15));
  {
    QFile f(src);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
  }
  drives.make_native_folder("D/dst");
  copy_file("C:\\SRC\\report.txt", "D:\\dst\\copy.txt");
  const QString copy = drives.native_drive('D') + "/dst/copy.txt";
  EXPECT_EQ(read_native_file(copy), QByteArray("abc\0def", 7));
  EXPECT_EQ(QFileInfo(copy).lastModified(), when);
  // No temporary file is left behind.
  EXPECT_EQ(QDir(drives.native_drive('D') + "/dst").entryList(QDir::Files), QStringList{"copy.txt"});

  // Into a folder named with a trailing "\".
  copy_file("C:\\src\\Report.txt", "D:\\DST\\");
  EXPECT_EQ(read_native_file(drives.native_drive('D') + "/dst/Report.txt"), QByteArray("abc\0def", 7));
}

TEST_F(FileSystem, CopyOverAnExistingFile) {
  drives.write_native("C/a.txt", "new");
  drives.write_native("C/Target.TXT", "old");
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\a.txt", "C:\\target.txt", false); }),
            kind::file_already_exists);
  EXPECT_EQ(read_native_file(c("Target.TXT")), "old");

  // Overwriting goes to the file that is there, in its own spelling.
  copy_file("C:\\a.txt", "C:\\TARGET.txt", true);
  EXPECT_EQ(read_native_file(c("Target.TXT")), "new");
  EXPECT_EQ(native_entries(""), (QStringList{"Target.TXT", "a.txt"}));

  set_read_only("C:\\target.txt", true);
  EXPECT_TRUE(is_read_only("C:\\target.txt"));
  drives.write_native("C/b.txt", "other");
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\b.txt", "C:\\target.txt"); }),
            kind::permission_denied);
  EXPECT_EQ(read_native_file(c("Target.TXT")), "new");

  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\a.txt", "C:\\A.TXT"); }), kind::permission_denied);
  drives.make_native_folder("C/folder");
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\a.txt", "C:\\folder"); }), kind::permission_denied);
}

TEST_F(FileSystem, CopyFailures) {
  drives.write_native("C/a.txt", "x");
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\none.txt", "C:\\b.txt"); }), kind::file_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\nofolder\\a.txt", "C:\\b.txt"); }),
            kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\a.txt", "C:\\nofolder\\b.txt"); }),
            kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\a.txt", "Q:\\b.txt"); }), kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\a.txt", "C:\\b|c.txt"); }), kind::bad_file_name);
}

TEST_F(FileSystem, CopyByPattern) {
  drives.write_native("C/DATA16/pi3_random.txt", "3");
  drives.write_native("C/DATA16/PI11_random.txt", "11");
  drives.write_native("C/DATA16/rt_random.txt", "rt");
  drives.write_native("C/DATA16/L10", "grade");
  drives.write_native("C/DATA16/other.txt", "o");
  drives.make_native_folder("C/DATA17");
  copy_file("C:\\DATA16\\pi*.*", "C:\\DATA17");
  copy_file("C:\\DATA16\\*.", "C:\\DATA17\\");
  EXPECT_EQ(native_entries("DATA17"), (QStringList{"L10", "PI11_random.txt", "pi3_random.txt"}));
  EXPECT_EQ(read_native_file(c("DATA17/PI11_random.txt")), "11");
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\DATA16\\zz*.*", "C:\\DATA17"); }),
            kind::file_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\DATA15\\pi*.*", "C:\\DATA17"); }),
            kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { copy_file("C:\\DATA16\\pi*.*", "C:\\DATA17", false); }),
            kind::file_already_exists);
}

TEST_F(FileSystem, DeleteFiles) {
  drives.write_native("C/x/Keep.txt", "k");
  drives.write_native("C/x/NOEXT", "n");
  drives.write_native("C/x/other", "o");
  drives.write_native("C/x/Locked.txt", "l");
  delete_file("C:\\X\\*.");
  EXPECT_EQ(native_entries("x"), (QStringList{"Keep.txt", "Locked.txt"}));

  set_read_only("C:\\x\\locked.txt", true);
  EXPECT_EQ(thrown_file_error_kind([] { delete_file("C:\\x\\LOCKED.TXT"); }), kind::permission_denied);
  EXPECT_TRUE(file_exists("C:\\x\\locked.txt"));
  delete_file("C:\\x\\LOCKED.TXT", true);
  EXPECT_FALSE(file_exists("C:\\x\\locked.txt"));

  delete_file("c:\\X\\keep.TXT");
  EXPECT_TRUE(native_entries("x").isEmpty());
  EXPECT_EQ(thrown_file_error_kind([] { delete_file("C:\\x\\keep.txt"); }), kind::file_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { delete_file("C:\\x\\*.*"); }), kind::file_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { delete_file("C:\\y\\keep.txt"); }), kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { delete_file("C:\\x"); }), kind::file_not_found);
  EXPECT_TRUE(folder_exists("C:\\x"));
}

TEST_F(FileSystem, MoveFiles) {
  drives.write_native("C/a/one.txt", "1");
  drives.write_native("C/a/two.txt", "2");
  drives.make_native_folder("C/save");
  move_file("C:\\A\\ONE.TXT", "C:\\SAVE\\one.txt");
  EXPECT_FALSE(file_exists("C:\\a\\one.txt"));
  EXPECT_EQ(read_native_file(c("save/one.txt")), "1");

  drives.write_native("C/a/one.txt", "again");
  EXPECT_EQ(thrown_file_error_kind([] { move_file("C:\\a\\one.txt", "C:\\save\\ONE.txt"); }),
            kind::file_already_exists);
  EXPECT_EQ(read_native_file(c("save/one.txt")), "1");

  // A change of letter case renames the file itself.
  move_file("C:\\a\\two.txt", "C:\\a\\TWO.TXT");
  EXPECT_EQ(native_entries("a"), (QStringList{"TWO.TXT", "one.txt"}));
  EXPECT_EQ(read_native_file(c("a/TWO.TXT")), "2");

  // By pattern: the first file that cannot move stops the step.
  EXPECT_EQ(thrown_file_error_kind([] { move_file("C:\\a\\*.txt", "C:\\save"); }), kind::file_already_exists);
  EXPECT_EQ(native_entries("a"), (QStringList{"TWO.TXT", "one.txt"}));
  delete_file("C:\\a\\one.txt");
  move_file("C:\\a\\*.txt", "C:\\save");
  EXPECT_TRUE(native_entries("a").isEmpty());
  EXPECT_EQ(native_entries("save"), (QStringList{"TWO.TXT", "one.txt"}));
  EXPECT_EQ(thrown_file_error_kind([] { move_file("C:\\a\\none.txt", "C:\\save\\x"); }),
            kind::file_not_found);
}

TEST_F(FileSystem, ListFilesSortedAndFiltered) {
  drives.write_native("C/d/b.txt", "");
  drives.write_native("C/d/A.TXT", "");
  drives.write_native("C/d/c.dbf", "");
  drives.write_native("C/d/Readme", "");
  drives.make_native_folder("C/d/sub.txt");
  drives.make_native_folder("C/d/Zed");
  EXPECT_EQ(list_files("C:\\D"), (QStringList{"A.TXT", "b.txt", "c.dbf", "Readme"}));
  EXPECT_EQ(list_files("C:\\D", "*.txt"), (QStringList{"A.TXT", "b.txt"}));
  EXPECT_EQ(list_files("C:\\D\\", "*."), QStringList{"Readme"});
  EXPECT_EQ(list_files("C:\\D", "*.*").size(), 4);
  EXPECT_TRUE(list_files("C:\\none").isEmpty());
  EXPECT_TRUE(list_files("Q:\\").isEmpty());
  EXPECT_EQ(list_folders("C:\\d"), (QStringList{"sub.txt", "Zed"}));
}

TEST_F(FileSystem, LengthAndDate) {
  const QString native = drives.write_native("C/f.bin", QByteArray(44, 'x'));
  {
    QFile f(native);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime(QDate(2017, 3, 17), QTime(18, 0, 0)), QFileDevice::FileModificationTime));
  }
  EXPECT_EQ(file_length("C:\\F.BIN"), 44);
  EXPECT_DOUBLE_EQ(file_date("c:\\f.bin"), 42811.75);
  EXPECT_EQ(thrown_file_error_kind([] { file_length("C:\\none.bin"); }), kind::file_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { file_date("C:\\no\\none.bin"); }), kind::path_not_found);
}

TEST_F(FileSystem, ErrorNumbersAndTexts) {
  const file_error e(kind::file_not_found, "C:\\x.txt");
  EXPECT_EQ(e.number(), 53);
  EXPECT_EQ(e.text(), "File not found");
  EXPECT_EQ(e.path(), "C:\\x.txt");
  EXPECT_EQ(error_number(kind::path_not_found), 76);
  EXPECT_EQ(error_number(kind::input_past_end), 62);
  EXPECT_EQ(error_description(kind::input_past_end), "Input past end of file");
}

}  // namespace
}  // namespace km::platform
