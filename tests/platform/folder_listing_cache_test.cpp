#include "platform/folder_listing_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_table.h"
#include "platform/file_system.h"
#include "platform/folder_steps.h"
#include "platform/win_path.h"
#include "support/dbf_builder.h"
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

// Our own steps outside the file layer: each is seen at once even when the
// folder's time does not show it (put back after the step, as a change in
// the same tick of a coarse or skewed clock leaves it), so the lookup can
// only know of it from the step itself.
struct hidden_step {
  const char* what;
  const char* before;  // a file the folder holds beforehand ("": none)
  void (*step)(const QString& data);
  const char* name;  // looked up before and after the step, on C:
  bool there_before;
  bool there_after;
};

class folder_listing_step_test : public folder_listing_test,
                                 public ::testing::WithParamInterface<hidden_step> {};

TEST_P(folder_listing_step_test, is_seen_though_the_folder_time_hides_it) {
  const hidden_step& p = GetParam();
  const QString data = drives.make_native_folder("C/DATA");
  drives.make_native_folder("C/DATA/SRC");
  if (*p.before) write_behind_our_back(QStringLiteral("DATA/") + QString::fromLatin1(p.before));
  km::test::two_records_with_memos().write(data + "/T.dbf");
  const timespec an_hour_ago{folder_time(data).tv_sec - 3600, 123};
  set_folder_time(data, an_hour_ago);
  const QString name = QString::fromLatin1(p.name);
  ASSERT_EQ(file_exists(name) || folder_exists(name), p.there_before);  // the listing is taken here
  p.step(data);
  set_folder_time(data, an_hour_ago);
  EXPECT_EQ(file_exists(name) || folder_exists(name), p.there_after);
}

INSTANTIATE_TEST_SUITE_P(
    own_steps, folder_listing_step_test,
    ::testing::Values(hidden_step{"a table written whole", "",
                                  [](const QString& data) {
                                    dbf_io::replace_files({{data + "/NEW.DBF", QByteArray("new")}});
                                  },
                                  "C:\\DATA\\new.dbf", false, true},
                      hidden_step{"a stale temporary removed when its table opens", "T.dbf.0123abcd.tmp",
                                  [](const QString& data) {
                                    dbf_table t(data + "/T.dbf", dbf_table::access::read_only);
                                  },
                                  "C:\\DATA\\t.dbf.0123abcd.tmp", true, false},
                      hidden_step{"a folder renamed", "",
                                  [](const QString&) { rename_folder("C:\\DATA\\SRC", "C:\\DATA\\Moved"); },
                                  "C:\\DATA\\MOVED", false, true},
                      hidden_step{"folders made along a path", "",
                                  [](const QString&) { ASSERT_TRUE(ensure_folder("C:\\DATA\\A\\B")); },
                                  "C:\\DATA\\a", false, true}),
    [](const ::testing::TestParamInfo<hidden_step>& info) {
      QString n = QString::fromLatin1(info.param.what);
      n.replace(QLatin1Char(' '), QLatin1Char('_'));
      return n.toStdString();
    });

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
