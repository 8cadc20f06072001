// Damaged, truncated and foreign files are classified with a reason, never
// read in part and never a crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_table.h"
#include "support/dbf_builder.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::dbf_table;
using km::test::dbf_builder;

dbf_builder sound() { return km::test::two_records_with_memos(); }

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

struct damage_case {
  const char* name;
  std::function<void(const QString& dbf)> make;  // writes the files for the .dbf path given
  dbf_error_kind kind;
};

QByteArray without_last(const QByteArray& b, int n) { return b.left(b.size() - n); }

const damage_case k_cases[] = {
    {"empty_file", [](const QString& p) { write(p, {}); }, dbf_error_kind::unreadable},
    {"shorter_than_a_header", [](const QString& p) { write(p, sound().dbf().left(20)); },
     dbf_error_kind::unreadable},
    {"unknown_version", [](const QString& p) { sound().version(0x02).write(p); }, dbf_error_kind::bad_format},
    {"memo_in_another_format", [](const QString& p) { sound().version(0xF5).write(p); },
     dbf_error_kind::bad_format},
    {"text_file",
     [](const QString& p) { write(p, QByteArray("This is not a table at all, only text.\r\n")); },
     dbf_error_kind::bad_format},
    {"truncated_in_header",
     [](const QString& p) {
       sound().write(p);
       write(p, sound().dbf().left(50));
     },
     dbf_error_kind::bad_format},
    {"truncated_in_records",
     [](const QString& p) {
       sound().write(p);
       write(p, without_last(sound().dbf(), 6));
     },
     dbf_error_kind::bad_format},
    {"count_above_records", [](const QString& p) { sound().record_count(5).write(p); },
     dbf_error_kind::bad_format},
    {"header_too_short_for_descriptors",
     [](const QString& p) { sound().header_length(32 + 32 * 2).write(p); }, dbf_error_kind::bad_format},
    {"header_length_below_any_field", [](const QString& p) { sound().header_length(40).write(p); },
     dbf_error_kind::bad_format},
    {"no_fields", [](const QString& p) { dbf_builder().write(p); }, dbf_error_kind::bad_format},
    {"record_length_not_the_sum", [](const QString& p) { sound().record_length(4 + 8 + 10 + 2).write(p); },
     dbf_error_kind::bad_format},
    {"record_length_short", [](const QString& p) { sound().record_length(4 + 8 + 10).write(p); },
     dbf_error_kind::bad_format},
    {"date_field_of_width_7",
     [](const QString& p) { dbf_builder().field("D", 'D', 7).record({"2020010"}).write(p); },
     dbf_error_kind::bad_format},
    {"field_of_width_0",
     [](const QString& p) { dbf_builder().field("C", 'C', 0).field("X", 'C', 2).write(p); },
     dbf_error_kind::bad_format},
    {"number_with_too_many_decimals",
     [](const QString& p) { dbf_builder().field("N", 'N', 3, 3).record({"1"}).write(p); },
     dbf_error_kind::bad_format},
    {"memo_pointer_past_the_memo_file",
     [](const QString& p) {
       dbf_builder b = sound();
       b.raw_record(QByteArray(" 3   Cat     ") + "        99");
       b.write(p);
     },
     dbf_error_kind::bad_format},
    {"memo_pointer_not_a_number",
     [](const QString& p) {
       dbf_builder b = sound();
       b.raw_record(QByteArray(" 3   Cat     ") + "      1x2 ");
       b.write(p);
     },
     dbf_error_kind::bad_format},
    {"memo_file_missing",
     [](const QString& p) {
       sound().write(p);
       QFile::remove(QFileInfo(p).absolutePath() + QStringLiteral("/t.dbt"));
     },
     dbf_error_kind::bad_format},
    {"memo_without_end_marker",
     [](const QString& p) {
       sound().write(p);
       const QString memo = QFileInfo(p).absolutePath() + QStringLiteral("/t.dbt");
       write(memo, without_last(sound().dbt(), 512 - 8));  // the last memo loses its end
     },
     dbf_error_kind::bad_format},
    {"dbase4_memo_longer_than_the_file",
     [](const QString& p) {
       dbf_builder b = sound();
       b.version(0x8B).dbase4_memos(true).write(p);
       QByteArray memo = b.dbt();
       memo[512 + 5] = 0x10;  // claims 4096 bytes more
       write(QFileInfo(p).absolutePath() + QStringLiteral("/t.dbt"), memo);
     },
     dbf_error_kind::bad_format},
    {"missing_table", [](const QString&) {}, dbf_error_kind::not_found},
    {"folder_in_its_place", [](const QString& p) { QDir().mkpath(p); }, dbf_error_kind::not_found},
};

class dbf_damage_test : public ::testing::TestWithParam<damage_case> {};

TEST_P(dbf_damage_test, is_classified_with_a_reason) {
  const damage_case& c = GetParam();
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("t.dbf"));
  c.make(p);
  for (auto mode : {dbf_table::access::read_only, dbf_table::access::read_write}) {
    try {
      dbf_table t(p, mode);
      FAIL() << "opened without an error";
    } catch (const dbf_error& e) {
      EXPECT_EQ(int(e.kind()), int(c.kind)) << e.text().toStdString();
      EXPECT_EQ(e.number(), km::platform::dbf_error_number(c.kind));
      EXPECT_TRUE(e.text().contains(QStringLiteral("t.db"))) << e.text().toStdString();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(cases, dbf_damage_test, ::testing::ValuesIn(k_cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(dbf_damage, error_numbers_of_the_kinds) {
  using km::platform::dbf_error_number;
  EXPECT_EQ(dbf_error_number(dbf_error_kind::not_found), 3011);
  EXPECT_EQ(dbf_error_number(dbf_error_kind::unreadable), 3161);
  EXPECT_EQ(dbf_error_number(dbf_error_kind::bad_format), 3274);
  EXPECT_EQ(dbf_error_number(dbf_error_kind::disk_error), 3043);
  EXPECT_EQ(dbf_error_number(dbf_error_kind::read_only), 3027);
  EXPECT_EQ(dbf_error_number(dbf_error_kind::in_use), 3051);
  EXPECT_EQ(dbf_error_number(dbf_error_kind::null_value), 94);
}

TEST(dbf_damage, a_deleted_record_with_a_bad_memo_pointer_does_not_matter) {
  QTemporaryDir dir;
  dbf_builder b = sound();
  b.raw_record(QByteArray("*3   Cat     ") + "        99");
  const QString p = b.write(dir.filePath(QStringLiteral("t.dbf")));
  const dbf_table t(p, dbf_table::access::read_only);
  EXPECT_EQ(t.record_count(), 3u);
  EXPECT_TRUE(t.is_deleted(2));
}

TEST(dbf_damage, a_table_that_cannot_be_written_opens_for_reading_only) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind root";
  QTemporaryDir dir;
  const QString p = sound().write(dir.filePath(QStringLiteral("t.dbf")));
  QFile::setPermissions(p, QFile::ReadOwner);
  EXPECT_NO_THROW(dbf_table(p, dbf_table::access::read_only));
  try {
    dbf_table t(p, dbf_table::access::read_write);
    FAIL() << "opened for writing";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::read_only);
  }
  // A damaged table is damaged first, read-only or not.
  const QString bad = dir.filePath(QStringLiteral("bad.dbf"));
  write(bad, sound().dbf().left(20));
  QFile::setPermissions(bad, QFile::ReadOwner);
  try {
    dbf_table t(bad, dbf_table::access::read_write);
    FAIL() << "opened a damaged table";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::unreadable);
  }
  QFile::setPermissions(p, QFileDevice::Permissions());
  try {
    dbf_table t(p, dbf_table::access::read_only);
    FAIL() << "opened without permission";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::in_use);  // access refused
  }
}

}  // namespace
