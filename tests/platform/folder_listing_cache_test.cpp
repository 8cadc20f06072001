#include "platform/folder_listing_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "platform/file_system.h"
#include "platform/win_path.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

using km::test::temp_drives_test;

// The folder's modification time, to put back after a change so the change
// hides behind an unchanged time, as one in the same clock tick does.
timespec folder_time(const QString& native) {
  struct stat st {};
  EXPECT_EQ(::stat(QFile::encodeName(native).constData(), &st), 0);
  return st.st_mtim;
}

void set_folder_time(const QString& native, timespec when) {
  const timespec times[2] = {when, when};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(native).constData(), times, 0), 0);
}

class folder_listing_test : public temp_drives_test {
 protected:
  void SetUp() override { folder_listing::forget_all(); }
  void TearDown() override { folder_listing::forget_all(); }

  // A native file made as another program would make it.
  void write_behind_our_back(const QString& relative) {
    QFile f(c(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
};

TEST_F(folder_listing_test, files_made_and_removed_by_others_are_seen) {
  drives.make_native_folder("C/DATA");
  EXPECT_FALSE(file_exists("C:\\DATA\\setup.txt"));  // the folder is read here
  write_behind_our_back("DATA/SETUP.TXT");
  EXPECT_TRUE(file_exists("C:\\DATA\\setup.txt"));
  EXPECT_EQ(to_native_path("C:\\data\\Setup.Txt"), c("DATA/SETUP.TXT"));
  ASSERT_TRUE(QFile::remove(c("DATA/SETUP.TXT")));
  EXPECT_FALSE(file_exists("C:\\DATA\\setup.txt"));
  EXPECT_EQ(to_native_path("C:\\data\\Setup.Txt"), c("DATA/Setup.Txt"));
}

TEST_F(folder_listing_test, a_change_in_the_tick_of_a_fresh_listing_is_still_seen) {
  const QString data = drives.make_native_folder("C/DATA");
  write_behind_our_back("DATA/a.txt");
  const timespec before = folder_time(data);
  EXPECT_FALSE(file_exists("C:\\DATA\\b.txt"));
  write_behind_our_back("DATA/B.TXT");
  set_folder_time(data, before);
  EXPECT_TRUE(file_exists("C:\\DATA\\b.txt"));
}

TEST_F(folder_listing_test, a_settled_listing_is_kept_until_the_folder_changes_or_is_dropped) {
  const QString data = drives.make_native_folder("C/DATA");
  write_behind_our_back("DATA/a.txt");
  const timespec an_hour_ago{folder_time(data).tv_sec - 3600, 123};
  set_folder_time(data, an_hour_ago);
  EXPECT_FALSE(file_exists("C:\\DATA\\b.txt"));
  // A change whose time equals the listing's is not seen: the time is the
  // only sign of a change.
  write_behind_our_back("DATA/B.TXT");
  set_folder_time(data, an_hour_ago);
  EXPECT_FALSE(file_exists("C:\\DATA\\b.txt"));
  folder_listing::invalidate(data);
  EXPECT_TRUE(file_exists("C:\\DATA\\b.txt"));
  // A later time reads the folder again.
  ASSERT_TRUE(QFile::remove(c("DATA/B.TXT")));
  set_folder_time(data, {an_hour_ago.tv_sec + 60, 0});
  EXPECT_FALSE(file_exists("C:\\DATA\\b.txt"));
}

TEST_F(folder_listing_test, our_own_steps_keep_the_listing_current) {
  drives.make_native_folder("C/DATA");
  write_behind_our_back("DATA/Source.txt");
  EXPECT_FALSE(file_exists("C:\\DATA\\copy.txt"));
  copy_file("C:\\DATA\\source.txt", "C:\\DATA\\Copy.TXT");
  EXPECT_EQ(to_native_path("C:\\DATA\\COPY.txt"), c("DATA/Copy.TXT"));
  move_file("C:\\DATA\\copy.txt", "C:\\DATA\\Moved.txt");
  EXPECT_FALSE(file_exists("C:\\DATA\\COPY.TXT"));
  EXPECT_EQ(to_native_path("C:\\DATA\\moved.TXT"), c("DATA/Moved.txt"));
  delete_file("C:\\DATA\\MOVED.TXT");
  EXPECT_FALSE(file_exists("C:\\DATA\\moved.txt"));
  create_folder("C:\\DATA\\Sub");
  EXPECT_TRUE(folder_exists("C:\\data\\SUB"));
  EXPECT_FALSE(file_exists("C:\\data\\SUB"));
  EXPECT_EQ(list_files("C:\\DATA"), QStringList{"Source.txt"});
}

TEST_F(folder_listing_test, a_folder_replaced_under_the_same_name_is_read_again) {
  const QString data = drives.make_native_folder("C/DATA");
  const QString other = drives.make_native_folder("C/OTHER");
  write_behind_our_back("DATA/old.txt");
  write_behind_our_back("OTHER/new.txt");
  const timespec when{folder_time(data).tv_sec - 3600, 0};
  set_folder_time(data, when);
  set_folder_time(other, when);
  EXPECT_TRUE(file_exists("C:\\DATA\\OLD.TXT"));
  // Same name, same time, another folder.
  ASSERT_TRUE(QDir(drives.native_drive('C')).rename("DATA", "GONE"));
  ASSERT_TRUE(QDir(drives.native_drive('C')).rename("OTHER", "DATA"));
  set_folder_time(data, when);
  EXPECT_FALSE(file_exists("C:\\DATA\\OLD.TXT"));
  EXPECT_TRUE(file_exists("C:\\DATA\\NEW.TXT"));
}

}  // namespace
}  // namespace km::platform
