// Whole-file replacement of a table and its memo file: a rename that fails
// part way leaves the old pair as it was, byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_rewrite.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
namespace dbf_io = km::platform::dbf_io;

// Makes the n-th rename from now fail with an I/O error (0: none fails),
// for as long as it lives.
class failing_rename {
 public:
  explicit failing_rename(int n)
      : old_(dbf_io::set_rename_function([this, n](const char* from, const char* to) {
          if (++calls_ == n) {
            errno = EIO;
            return -1;
          }
          return std::rename(from, to);
        })) {}
  ~failing_rename() { dbf_io::set_rename_function(old_); }
  failing_rename(const failing_rename&) = delete;
  failing_rename& operator=(const failing_rename&) = delete;

 private:
  int calls_ = 0;
  dbf_io::rename_function old_;
};

QStringList files_in(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

struct rename_case {
  const char* name;
  int failing;  // which rename fails: 1 the memo's, 2 the table's, 0 none
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
    failing_rename fault(c.failing);
    if (c.failing == 0) {
      dbf_io::replace_files(files);
    } else {
      try {
        dbf_io::replace_files(files);
        FAIL() << "the failed rename was not reported";
      } catch (const dbf_error& e) {
        EXPECT_EQ(e.kind(), dbf_error_kind::disk_error);
        EXPECT_TRUE(e.reason().contains(QStringLiteral("Cannot replace"))) << e.reason().toStdString();
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
                                           rename_case{"the_table_fails", 2}),
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

}  // namespace
