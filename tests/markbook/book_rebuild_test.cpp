// The rebuild at every opening of a mark book, on books written byte by
// byte and read back with python3-dbf.
#include "markbook/book_rebuild.h"

#include <gtest/gtest.h>

#include <QFile>

#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "platform/file_system.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"

namespace km {
namespace {

class book_rebuild_test : public test::mark_book_test {
 protected:
  void SetUp() override {
    mark_book_test::SetUp();
    drives.write_native(QStringLiteral("C/PROGRAM/mrk_book.org"), mark_book_template_bytes());
  }
  rebuild_result rebuild() { return rebuild_mark_book(folder, n, QStringLiteral("C:\\PROGRAM")); }
  QByteArray book_bytes() const { return test::read_native_file(native(marks_table_file(n))); }
};

TEST_F(book_rebuild_test, keeps_numbered_learners_in_name_order_with_every_mark) {
  std::vector<QByteArray> zulu(40), adams(40), cleared(40);
  for (int i = 0; i < 40; ++i) {
    zulu[std::size_t(i)] = QByteArray::number(i) + ".5";
    adams[std::size_t(i)] = i % 3 ? QByteArray::number(i) + ".0" : QByteArray("A");
  }
  cleared[0] = "9.0";
  write_book({{"0", "", cleared}, {"5", "ZULU", zulu}, {"3", "ADAMS", adams}, {"", "BLANK", {}}});
  const rebuild_result r = rebuild();
  EXPECT_EQ(r.outcome, rebuild_outcome::rebuilt);
  EXPECT_EQ(r.kept, 2);
  EXPECT_EQ(r.dropped, 2);
  EXPECT_TRUE(r.copy_kept);
  const auto rows = book_rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], QStringLiteral("ADAMS"));
  EXPECT_EQ(rows[1][1], QStringLiteral("ZULU"));
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(rows[0][std::size_t(i + 2)], QString::fromLatin1(adams[std::size_t(i)])) << i;
    EXPECT_EQ(rows[1][std::size_t(i + 2)], QString::fromLatin1(zulu[std::size_t(i)])) << i;
  }
  // The cleared duplicate's marks are kept in the copy in \save.
  const auto kept = live_rows(c(QStringLiteral("DATA/save/marks3.dbf")));
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_EQ(kept[0][2], QStringLiteral("9.0"));
}

TEST_F(book_rebuild_test, makes_no_copy_when_nothing_with_marks_is_dropped) {
  write_book({{"0", "", {}}, {"5", "ZULU", {"1.0"}}});
  EXPECT_FALSE(rebuild().copy_kept);
  EXPECT_FALSE(platform::folder_exists(QStringLiteral("C:\\DATA\\save")));
  EXPECT_EQ(book_rows().size(), 1u);
}

TEST_F(book_rebuild_test, sorts_names_as_the_grid_does) {
  write_book({{"1", "b", {}}, {"2", "10", {}}, {"3", "A", {}}, {"4", "9", {}}});
  ASSERT_EQ(rebuild().outcome, rebuild_outcome::rebuilt);
  QStringList names;
  for (const auto& row : book_rows()) names << row[1];
  EXPECT_EQ(names, (QStringList{"9", "10", "A", "b"}));
}

TEST_F(book_rebuild_test, cuts_a_name_longer_than_the_template_field) {
  test::dbf_builder b;
  b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 60);
  for (int r = 1; r <= 40; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
  std::vector<QByteArray> values{"7", QByteArray(55, 'N')};
  values.resize(42);
  b.record(values);
  b.write(native(marks_table_file(n)));
  EXPECT_EQ(rebuild().outcome, rebuild_outcome::rebuilt);
  EXPECT_EQ(book_rows()[0][1], QString(40, QLatin1Char('N')));
}

TEST_F(book_rebuild_test, a_mark_longer_than_its_field_stops_it_and_keeps_the_book) {
  test::dbf_builder b;
  b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40).field("MB_R1", 'C', 12);
  for (int r = 2; r <= 40; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
  std::vector<QByteArray> values{"7", "ADAMS", "123456789.0"};
  values.resize(42);
  b.record(values);
  b.write(native(marks_table_file(n)));
  const QByteArray before = book_bytes();
  const rebuild_result r = rebuild();
  EXPECT_EQ(r.outcome, rebuild_outcome::failed);
  EXPECT_FALSE(r.message.isEmpty());
  EXPECT_EQ(book_bytes(), before);
}

TEST_F(book_rebuild_test, without_a_whole_template_the_book_stays) {
  g_language = false;
  write_book({{"5", "ZULU", {"1.0"}}});
  const QByteArray before = book_bytes();
  for (const bool present : {false, true}) {
    if (present) {
      test::dbf_builder short_template;
      short_template.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
      short_template.write(drives.native_drive('C') + QStringLiteral("/PROGRAM/mrk_book.org"));
    } else {
      QFile::remove(drives.native_drive('C') + QStringLiteral("/PROGRAM/mrk_book.org"));
    }
    const rebuild_result r = rebuild();
    EXPECT_EQ(r.outcome, rebuild_outcome::no_template);
    EXPECT_EQ(r.message, QStringLiteral("TEMPLATE MRK_BOOK.ORG IS MISSING OR INCOMPLETE ..."));
    EXPECT_EQ(book_bytes(), before);
  }
}

TEST_F(book_rebuild_test, a_book_another_program_holds_stays) {
  g_language = false;
  write_book({{"5", "ZULU", {"1.0"}}, {"0", "", {"2.0"}}});
  const QByteArray before = book_bytes();
  test::lock_holder holder(native(marks_table_file(n)));
  ASSERT_TRUE(holder.locked());
  const rebuild_result r = rebuild();
  EXPECT_EQ(r.outcome, rebuild_outcome::in_use);
  EXPECT_EQ(r.message, QStringLiteral("DATASET C:\\DATA\\marks3  ALREADY IN  USE ... TRY AGAIN LATER !"));
  EXPECT_EQ(book_bytes(), before);
}

}  // namespace
}  // namespace km
