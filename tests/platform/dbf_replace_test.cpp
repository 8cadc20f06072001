// Whole-file replacement of a table and its memo file: a rename that fails
// part way leaves the old pair as it was, byte for byte; what a replacement
// that never finished left behind is settled when the table is opened.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::file_error;
using km::platform::file_step;
using km::platform::set_file_fault_hook;
namespace dbf_io = km::platform::dbf_io;

// Makes the n-th rename of a table file from now fail (0: none fails), for
// as long as it lives: as an I/O error, or as a file server refuses the
// rename of a file another computer has open (file_already_open,
// permission_denied).
class failing_rename {
 public:
  explicit failing_rename(int n, file_error::kind refusal = file_error::kind::other) {
    set_file_fault_hook([this, n, refusal](file_step step, const QString&) {
      if (step == file_step::table_rename && ++calls_ == n)
        throw file_error(refusal, {}, QStringLiteral("injected"));
    });
  }
  ~failing_rename() { set_file_fault_hook({}); }
  failing_rename(const failing_rename&) = delete;
  failing_rename& operator=(const failing_rename&) = delete;

 private:
  int calls_ = 0;
};

QStringList files_in(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

struct rename_case {
  const char* name;
  int failing;  // which rename fails: 1 the memo's, 2 the table's, 0 none
  file_error::kind refusal = file_error::kind::other;
  const char* held_open = nullptr;  // the file named as open elsewhere, when the refusal says so
};

class dbf_replace_test : public ::testing::TestWithParam<rename_case> {};

TEST_P(dbf_replace_test, a_table_and_its_memo_change_together_or_not_at_all) {
  const rename_case& c = GetParam();
  QTemporaryDir dir;
  const QString dbf = km::test::two_records_with_memos().write(dir.filePath(QStringLiteral("t.dbf")));
  const QString dbt = dir.filePath(QStringLiteral("t.dbt"));
  const QByteArray dbf_before = km::test::read_native_file(dbf);
  const QByteArray dbt_before = km::test::read_native_file(dbt);
  const std::vector<std::pair<QString, QByteArray>> files{{dbt, QByteArray(512, 'm')},
                                                          {dbf, QByteArray(100, 't')}};
  {
    failing_rename fault(c.failing, c.refusal);
    if (c.failing == 0) {
      dbf_io::replace_files(files);
    } else {
      try {
        dbf_io::replace_files(files);
        FAIL() << "the failed rename was not reported";
      } catch (const dbf_error& e) {
        const auto* held = dynamic_cast<const km::platform::dbf_file_held_open*>(&e);
        EXPECT_EQ(held != nullptr, c.held_open != nullptr) << e.text().toStdString();
        if (held) {
          EXPECT_EQ(held->file_name(), QString::fromLatin1(c.held_open));
          EXPECT_EQ(e.kind(), dbf_error_kind::in_use);
          EXPECT_TRUE(e.text().contains(QStringLiteral("nothing was changed"))) << e.text().toStdString();
        } else {
          EXPECT_EQ(e.kind(), dbf_error_kind::disk_error);
          EXPECT_TRUE(e.text().contains(QStringLiteral("Cannot replace"))) << e.text().toStdString();
        }
      }
    }
  }
  const bool replaced = c.failing == 0;
  EXPECT_EQ(km::test::hex(km::test::read_native_file(dbf)),
            km::test::hex(replaced ? files[1].second : dbf_before));
  EXPECT_EQ(km::test::hex(km::test::read_native_file(dbt)),
            km::test::hex(replaced ? files[0].second : dbt_before));
  EXPECT_EQ(files_in(dir), (QStringList{QStringLiteral("t.dbf"), QStringLiteral("t.dbt")}));
}

INSTANTIATE_TEST_SUITE_P(renames, dbf_replace_test,
                         ::testing::Values(rename_case{"none_fails", 0}, rename_case{"the_memo_fails", 1},
                                           rename_case{"the_table_fails", 2},
                                           rename_case{"the_memo_is_open_elsewhere", 1,
                                                       file_error::kind::file_already_open, "t.dbt"},
                                           rename_case{"the_table_is_open_elsewhere", 2,
                                                       file_error::kind::file_already_open, "t.dbf"},
                                           rename_case{"the_table_is_refused_as_access_denied", 2,
                                                       file_error::kind::permission_denied, "t.dbf"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(dbf_replace, a_new_table_whose_rename_fails_leaves_no_memo_behind) {
  QTemporaryDir dir;
  const QString dbf = dir.filePath(QStringLiteral("new.dbf"));
  {
    failing_rename fault(2);
    EXPECT_THROW(km::platform::create_dbf_table(
                     dbf, {{QStringLiteral("NR"), 'N', 4, 0, 0}, {QStringLiteral("NOTE"), 'M', 10, 0, 0}}),
                 dbf_error);
  }
  EXPECT_EQ(files_in(dir), QStringList());
}

// Stale leftovers of replacements that never finished.

void write_file(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// Another process holding a lock on a file, as a writer does on its
// temporary, until the holder goes.
class lock_holder {
 public:
  explicit lock_holder(const QString& path) {
    int ready[2], done[2];
    if (::pipe(ready) != 0 || ::pipe(done) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
      struct flock fl {};
      fl.l_type = F_WRLCK;
      fl.l_whence = SEEK_SET;
      const char ok = fd >= 0 && ::fcntl(fd, F_SETLK, &fl) == 0 ? '1' : '0';
      ::close(done[1]);
      [[maybe_unused]] const ssize_t w = ::write(ready[1], &ok, 1);
      char c;
      [[maybe_unused]] const ssize_t r = ::read(done[0], &c, 1);  // until the parent closes its end
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(done[0]);
    done_ = done[1];
    char ok = '0';
    locked_ = ::read(ready[0], &ok, 1) == 1 && ok == '1';
    ::close(ready[0]);
  }
  ~lock_holder() {
    if (done_ >= 0) ::close(done_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  lock_holder(const lock_holder&) = delete;
  lock_holder& operator=(const lock_holder&) = delete;
  bool locked() const { return locked_; }

 private:
  pid_t pid_ = -1;
  int done_ = -1;
  bool locked_ = false;
};

class dbf_leftover_test : public ::testing::Test {
 protected:
  void SetUp() override {
    dbf = km::test::two_records_with_memos().write(path("T.dbf"));
    dbf_bytes = km::test::read_native_file(dbf);
    dbt_bytes = km::test::read_native_file(path("T.dbt"));
  }
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  void open_table() const { km::platform::dbf_table t(dbf, km::platform::dbf_table::access::read_only); }

  QTemporaryDir dir;
  QString dbf;
  QByteArray dbf_bytes, dbt_bytes;
};

TEST_F(dbf_leftover_test, opening_removes_the_temporaries_nobody_holds) {
  write_file(path("T.dbf.0123abcd.tmp"), "half a table");
  write_file(path("t.DBT.89abcdef.tmp"), "half a memo file");
  // not of our naming, or not of this table: kept
  const QStringList others{QStringLiteral("T.dbf.bak"),          QStringLiteral("T.dbf.0123ABCD.tmp"),
                           QStringLiteral("T.dbf.0123abc.tmp"),  QStringLiteral("T.dbf.0123abcd.tmp.keep"),
                           QStringLiteral("U.dbf.0123abcd.tmp"), QStringLiteral("T.dbfx0123abcd.tmp")};
  for (const QString& n : others) write_file(dir.filePath(n), "other");
  open_table();
  QStringList expected = others;
  expected << QStringLiteral("T.dbf") << QStringLiteral("T.dbt");
  expected.sort();
  EXPECT_EQ(files_in(dir), expected);
}

TEST_F(dbf_leftover_test, a_temporary_another_process_holds_stays) {
  const QString temp = path("T.dbf.0123abcd.tmp");
  write_file(temp, "being written");
  {
    lock_holder holder(temp);
    ASSERT_TRUE(holder.locked());
    open_table();
    EXPECT_EQ(km::test::read_native_file(temp), QByteArray("being written"));
  }
  open_table();  // the holder is gone
  EXPECT_FALSE(QFile::exists(temp));
}

TEST_F(dbf_leftover_test, a_replacement_under_way_keeps_its_temporaries) {
  // A table opened while another replacement is between its renames
  // leaves that replacement's files alone.
  QStringList seen;
  set_file_fault_hook([&](file_step step, const QString&) {
    if (step != file_step::table_rename) return;
    open_table();
    if (seen.isEmpty()) seen = files_in(dir);
  });
  dbf_io::replace_files({{path("T.dbt"), dbt_bytes}, {dbf, dbf_bytes}});
  set_file_fault_hook({});
  EXPECT_EQ(seen.size(), 5) << seen.join(QLatin1Char(' ')).toStdString();  // pair, two temporaries, the aside
  EXPECT_EQ(files_in(dir), (QStringList{QStringLiteral("T.dbf"), QStringLiteral("T.dbt")}));
}

TEST_F(dbf_leftover_test, a_memo_kept_aside_goes_back_when_its_table_was_never_replaced) {
  // Killed between the two renames: the new memo file is in place, the
  // new table still under its temporary name, the old memo aside.
  const QString aside = path("T.dbt.0123abcd.old");
  ASSERT_TRUE(QFile::rename(path("T.dbt"), aside));
  write_file(path("T.dbt"), QByteArray(512, 'n'));
  write_file(path("T.dbf.0123abcd.tmp"), "the new table");
  open_table();
  EXPECT_EQ(km::test::hex(km::test::read_native_file(path("T.dbt"))), km::test::hex(dbt_bytes));
  EXPECT_EQ(km::test::read_native_file(dbf), dbf_bytes);
  EXPECT_EQ(files_in(dir), (QStringList{QStringLiteral("T.dbf"), QStringLiteral("T.dbt")}));
}

TEST_F(dbf_leftover_test, a_memo_kept_aside_goes_when_its_table_was_replaced) {
  // Killed after both renames, before the old memo file was let go.
  write_file(path("T.dbt.0123abcd.old"), "the old memo file");
  open_table();
  EXPECT_EQ(km::test::read_native_file(path("T.dbt")), dbt_bytes);
  EXPECT_EQ(files_in(dir), (QStringList{QStringLiteral("T.dbf"), QStringLiteral("T.dbt")}));
}

}  // namespace
