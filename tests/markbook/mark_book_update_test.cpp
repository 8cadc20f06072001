#include "markbook/mark_book_update.h"

#include <gtest/gtest.h>

#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "platform/file_system.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"

namespace km {
namespace {

class mark_book_update_test : public test::mark_book_test {
 protected:
  mark_book_update_result update() { return update_mark_book(folder, n, QStringLiteral("C:\\PROGRAM")); }
  void install_template() {
    drives.write_native(QStringLiteral("C/PROGRAM/mrk_book.org"), mark_book_template_bytes());
  }
};

// number, name, mark of row 1, mark of row 2
std::vector<QString> row(const QString& number, const QString& name, const QString& m1 = {},
                         const QString& m2 = {}) {
  std::vector<QString> r{number, name, m1, m2};
  r.resize(42);
  return r;
}

TEST_F(mark_book_update_test, clears_duplicates_adds_new_learners_and_deletes_leavers) {
  write_learners({{"101", "ANN"}, {"102", "BEN"}, {"102", "BEA"}, {"103", "CID"}, {"0", "NOBODY"}});
  write_book({{"101", "ANN", {"10.0", "7.5"}}, {"101", "ANN TWICE", {"9.0", "A"}}, {"104", "DEE", {"4.0"}}});
  const mark_book_update_result r = update();
  EXPECT_EQ(r.learners, learner_list_state::read);
  EXPECT_EQ(r.book_message, QString());
  EXPECT_EQ(r.learners_cleared, 1);
  EXPECT_EQ(r.records_cleared, 1);
  EXPECT_EQ(r.added, 2);
  EXPECT_EQ(r.deleted, 1);

  const auto learners = learner_rows();
  ASSERT_EQ(learners.size(), 5u);
  const char* numbers[] = {"101", "102", "0", "103", "0"};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(learners[i][0], QString::fromLatin1(numbers[i])) << i;

  const auto book = book_rows();
  ASSERT_EQ(book.size(), 4u);
  EXPECT_EQ(book[0],
            row(QStringLiteral("101"), QStringLiteral("ANN"), QStringLiteral("10.0"), QStringLiteral("7.5")));
  EXPECT_EQ(book[1], row(QStringLiteral("0"), QString(), QStringLiteral("9.0"), QStringLiteral("A")));
  EXPECT_EQ(book[2], row(QStringLiteral("102"), QStringLiteral("BEN")));
  EXPECT_EQ(book[3], row(QStringLiteral("103"), QStringLiteral("CID")));

  // The book as it stood before the deletion is kept in \save.
  const auto kept = live_rows(drives.native_drive('C') + QStringLiteral("/DATA/save/marks3.dbf"));
  ASSERT_EQ(kept.size(), 5u);
  EXPECT_EQ(kept[2], row(QStringLiteral("104"), QStringLiteral("DEE"), QStringLiteral("4.0")));
}

TEST_F(mark_book_update_test, deletes_exactly_the_leavers_at_their_positions) {
  std::vector<std::pair<QByteArray, QByteArray>> learners;
  std::vector<test::book_record> records;
  for (int i = 1; i <= 10; ++i) {
    const QByteArray nr = QByteArray::number(200 + i);
    records.push_back({nr, "L" + nr, {QByteArray::number(i) + ".0"}});
    if (i != 2 && i != 5 && i != 7) learners.push_back({nr, "L" + nr});
  }
  write_learners(learners);
  write_book(records);
  EXPECT_EQ(update().deleted, 3);
  std::vector<QString> left;
  for (const auto& r : book_rows()) left.push_back(r[0] + QStringLiteral(":") + r[2]);
  EXPECT_EQ(left, (std::vector<QString>{"201:1.0", "203:3.0", "204:4.0", "206:6.0", "208:8.0", "209:9.0",
                                        "210:10.0"}));
}

TEST_F(mark_book_update_test, makes_a_missing_book_from_the_template) {
  install_template();
  write_learners({{"101", "ANN"}, {"102", QByteArray(60, 'N')}});
  const mark_book_update_result r = update();
  EXPECT_TRUE(r.book_created);
  EXPECT_EQ(r.book_message, QString());
  EXPECT_EQ(r.learner_message, QString());
  const auto book = book_rows();
  ASSERT_EQ(book.size(), 2u);
  EXPECT_EQ(book[0], row(QStringLiteral("101"), QStringLiteral("ANN")));
  EXPECT_EQ(book[1][1], QString(40, QLatin1Char('N')));  // a longer name is cut, never refused
}

TEST_F(mark_book_update_test, without_template_or_book_nothing_is_made) {
  write_learners({{"101", "ANN"}});
  EXPECT_TRUE(update().book_missing);
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\DATA\\marks3.dbf")));
}

// Whatever keeps the learner list from being read, the book stays as it was.
class unread_learner_list : public mark_book_update_test {
 protected:
  void SetUp() override {
    mark_book_update_test::SetUp();
    write_book({{"101", "ANN", {"10.0"}}, {"102", "BEN", {"5.0"}}});
    before = test::read_native_file(native(marks_table_file(n)));
  }
  void expect_book_unchanged() {
    EXPECT_EQ(test::hex(test::read_native_file(native(marks_table_file(n)))), test::hex(before));
    EXPECT_FALSE(platform::folder_exists(QStringLiteral("C:\\DATA\\save")));
  }
  QByteArray before;
};

TEST_F(unread_learner_list, missing) {
  const mark_book_update_result r = update();
  EXPECT_EQ(r.learners, learner_list_state::missing);
  EXPECT_EQ(r.learner_message, QString());
  expect_book_unchanged();
}

TEST_F(unread_learner_list, empty) {
  write_learners({});
  const mark_book_update_result r = update();
  EXPECT_EQ(r.learner_message, QString());
  EXPECT_EQ(r.learners, learner_list_state::empty);
  expect_book_unchanged();
}

TEST_F(unread_learner_list, locked_by_another_program) {
  g_language = false;
  test::lock_holder holder(write_learners({{"101", "ANN"}}));
  ASSERT_TRUE(holder.locked());
  const mark_book_update_result r = update();
  EXPECT_EQ(r.learners, learner_list_state::in_use);
  EXPECT_EQ(r.learner_message,
            QStringLiteral("DATASET C:\\DATA\\punte3  ALREADY IN  USE ... TRY AGAIN LATER !"));
  expect_book_unchanged();
}

TEST_F(unread_learner_list, failing_at_record_3) {
  test::dbf_builder b;
  b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 50);
  b.record({"101", "ANN"}).record({"102", "BEN"}).raw_record(" 1x3y5z7q" + QByteArray(50, ' '));
  b.write(native(learner_table_file(n)));
  const mark_book_update_result r = update();
  EXPECT_EQ(r.learners, learner_list_state::read_failed);
  EXPECT_NE(r.learner_message, QString());
  expect_book_unchanged();
}

}  // namespace
}  // namespace km
