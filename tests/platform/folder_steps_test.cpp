#include "platform/folder_steps.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/file_faults.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

class folder_steps_test : public test::temp_drives_test {
 protected:
  void TearDown() override { set_file_fault_hook({}); }
  QByteArray read(const QString& relative) const {
    QFile f(drives.base() + "/" + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  bool exists(const QString& relative) const { return QFileInfo::exists(drives.base() + "/" + relative); }
};

TEST_F(folder_steps_test, copy_folder_copies_everything_below_it) {
  drives.write_native("C/SRC/a.txt", "a");
  drives.write_native("C/SRC/SUB/b.bin", QByteArray("\x00\x01\x02", 3));
  drives.write_native("C/SRC/SUB/DEEP/c.txt", "c");
  drives.make_native_folder("C/SRC/EMPTY");
  copy_folder("C:\\SRC", "D:\\NEW\\DST");
  EXPECT_EQ(read("D/NEW/DST/a.txt"), "a");
  EXPECT_EQ(read("D/NEW/DST/SUB/b.bin"), QByteArray("\x00\x01\x02", 3));
  EXPECT_EQ(read("D/NEW/DST/SUB/DEEP/c.txt"), "c");
  EXPECT_TRUE(QFileInfo(drives.base() + "/D/NEW/DST/EMPTY").isDir());
  EXPECT_EQ(read("C/SRC/a.txt"), "a");  // the source stays
}

TEST_F(folder_steps_test, copy_folder_overwrites_only_when_asked) {
  drives.write_native("C/SRC/a.txt", "new");
  drives.write_native("C/DST/a.txt", "old");
  drives.write_native("C/DST/keep.txt", "keep");
  EXPECT_THROW(copy_folder("C:\\SRC", "C:\\DST", false), file_error);
  EXPECT_EQ(read("C/DST/a.txt"), "old");
  copy_folder("C:\\SRC", "C:\\DST");
  EXPECT_EQ(read("C/DST/a.txt"), "new");
  EXPECT_EQ(read("C/DST/keep.txt"), "keep");
}

TEST_F(folder_steps_test, copy_folder_failures) {
  try {
    copy_folder("C:\\MISSING", "C:\\DST");
    ADD_FAILURE() << "no failure";
  } catch (const file_error& e) {
    EXPECT_EQ(e.which(), file_error::kind::path_not_found);
  }
  drives.write_native("C/SRC/a.txt", "a");
  drives.write_native("C/BLOCK", "a file where the folder should go");
  try {
    copy_folder("C:\\SRC", "C:\\BLOCK");
    ADD_FAILURE() << "no failure";
  } catch (const file_error& e) {
    EXPECT_EQ(e.which(), file_error::kind::file_already_exists);
  }
  EXPECT_EQ(read("C/BLOCK"), "a file where the folder should go");
}

// Makes the copy of the file whose destination ends in the name fail.
void fail_copy_of(const QString& name) {
  set_file_fault_hook([name](file_step step, const QString& win_path) {
    if (step == file_step::copy && win_path.endsWith(name, Qt::CaseInsensitive))
      throw file_error(file_error::kind::disk_full, win_path);
  });
}

TEST_F(folder_steps_test, copy_folder_whole_appears_only_complete) {
  drives.write_native("C/SRC/a.txt", "a");
  drives.write_native("C/SRC/SUB/b.txt", "b");
  // A partial copy of a run that was cut off.
  drives.write_native("D/DST.partial/stale.txt", "stale");

  fail_copy_of("\\SUB\\b.txt");
  try {
    copy_folder_whole("C:\\SRC", "D:\\DST");
    ADD_FAILURE() << "no failure";
  } catch (const file_error& e) {
    EXPECT_EQ(e.which(), file_error::kind::disk_full);
  }
  // a.txt was copied before the failure; nothing of the copy is left.
  EXPECT_FALSE(exists("D/DST"));
  EXPECT_FALSE(exists("D/DST.partial"));

  set_file_fault_hook({});
  drives.write_native("D/DST.partial/stale.txt", "stale");
  copy_folder_whole("C:\\SRC", "D:\\DST\\");
  EXPECT_EQ(read("D/DST/a.txt"), "a");
  EXPECT_EQ(read("D/DST/SUB/b.txt"), "b");
  EXPECT_FALSE(exists("D/DST/stale.txt"));
  EXPECT_FALSE(exists("D/DST.partial"));

  // A destination that is there is never copied into.
  EXPECT_THROW(copy_folder_whole("C:\\SRC", "D:\\DST"), file_error);
  EXPECT_THROW(copy_folder_whole("C:\\NONE", "D:\\NEW"), file_error);
  EXPECT_FALSE(exists("D/NEW"));
}

// Partial copies a cut-off copy left go at the next opening of their
// folder, but not one a copy at work (here or in another process) holds.
TEST_F(folder_steps_test, partial_copies_go_at_the_opening_of_their_folder_unless_held) {
  drives.write_native("D/OLD.partial/stale.txt", "stale");
  drives.write_native("D/OLD.partial/SUB/deep.txt", "deep");
  drives.write_native("D/KEEP/a.txt", "a");
  drives.write_native("D/KEEP.partial.txt", "a file, not a copy");
  drives.write_native("D/HELD.partial/busy.txt", "busy");
  // Another process copying into HELD.partial holds it.
  int to_child[2];
  ASSERT_EQ(::pipe(to_child), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    const int fd = ::open(QFile::encodeName(drives.base() + "/D/HELD.partial").constData(), O_RDONLY);
    ::flock(fd, LOCK_EX);
    ::close(to_child[1]);
    char c;
    static_cast<void>(::read(to_child[0], &c, 1));  // until the parent closes its end
    ::_exit(0);
  }
  ::close(to_child[0]);
  ::usleep(200 * 1000);  // the child takes its hold
  remove_partial_copies("D:\\");
  EXPECT_FALSE(exists("D/OLD.partial"));
  EXPECT_TRUE(exists("D/HELD.partial/busy.txt"));
  EXPECT_EQ(read("D/KEEP/a.txt"), "a");
  EXPECT_EQ(read("D/KEEP.partial.txt"), "a file, not a copy");
  ::close(to_child[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  // Once the other process has ended, its partial copy is a leftover too.
  remove_partial_copies("D:\\");
  EXPECT_FALSE(exists("D/HELD.partial"));
}

TEST_F(folder_steps_test, a_copy_at_work_holds_its_partial_copy) {
  drives.write_native("C/SRC/a.txt", "a");
  drives.write_native("C/SRC/b.txt", "b");
  bool seen_while_copying = false;
  set_file_fault_hook([&](file_step step, const QString&) {
    if (step != file_step::copy || seen_while_copying) return;
    remove_partial_copies("D:\\");  // another opening of D:\ meanwhile
    seen_while_copying = exists("D/DST.partial");
  });
  copy_folder_whole("C:\\SRC", "D:\\DST");
  EXPECT_TRUE(seen_while_copying);
  EXPECT_EQ(read("D/DST/a.txt"), "a");
  EXPECT_EQ(read("D/DST/b.txt"), "b");
}

TEST_F(folder_steps_test, rename_folder_keeps_the_contents) {
  drives.write_native("C/SCHOOL/NW_ADMIN/x/y.txt", "y");
  rename_folder("C:\\school\\nw_admin", "C:\\SCHOOL\\NW_ADMIN_20170317");
  EXPECT_FALSE(exists("C/SCHOOL/NW_ADMIN"));
  EXPECT_EQ(read("C/SCHOOL/NW_ADMIN_20170317/x/y.txt"), "y");
}

TEST_F(folder_steps_test, rename_folder_failures) {
  drives.make_native_folder("C/A");
  drives.make_native_folder("C/B");
  const auto kind_of = [](const QString& from, const QString& to) {
    try {
      rename_folder(from, to);
    } catch (const file_error& e) {
      return e.which();
    }
    return file_error::kind::other;
  };
  EXPECT_EQ(kind_of("C:\\A", "C:\\B"), file_error::kind::file_already_exists);
  EXPECT_EQ(kind_of("C:\\A", "C:\\b"), file_error::kind::file_already_exists);
  EXPECT_EQ(kind_of("C:\\NONE", "C:\\C"), file_error::kind::path_not_found);
  EXPECT_EQ(kind_of("C:\\A", "C:\\NO\\C"), file_error::kind::path_not_found);
  EXPECT_TRUE(exists("C/A"));
  EXPECT_TRUE(exists("C/B"));
}

}  // namespace
}  // namespace km::platform
