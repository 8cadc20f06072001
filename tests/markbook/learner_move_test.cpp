// Moving a learner between the mark books of two class groups of the
// sample school (group 8A is combination 1, 8B combination 3).
#include "markbook/learner_move.h"

#include <gtest/gtest.h>

#include <QFile>

#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"
#include "tools/sample_school.h"

namespace km {
namespace {

class learner_move_test : public test::mark_book_test {
 protected:
  void SetUp() override {
    mark_book_test::SetUp();
    sample_school_options o;
    o.data_folder = folder;
    o.replace_existing = true;
    make_sample_school(o);
    groups = combination_groups(folder);
  }
  // A book of combination n with (number, name, first marks) records.
  QString book(int n, const std::vector<test::book_record>& records, int mark_fields = 40) {
    test::dbf_builder b;
    b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
    for (int r = 1; r <= mark_fields; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
    for (const test::book_record& rec : records) {
      std::vector<QByteArray> values{rec.number, rec.name};
      values.insert(values.end(), rec.marks.begin(), rec.marks.end());
      values.resize(std::size_t(2 + mark_fields));
      b.record(values);
    }
    return b.write(native(marks_table_file(n)));
  }
  move_result move(const QString& number = QStringLiteral("1002"),
                   const QString& text = QStringLiteral("  1002 BEN")) {
    return move_learner(folder, 1, 3, {text, number}, QStringLiteral("8B"));
  }
  std::vector<group_entry> groups;
};

TEST_F(learner_move_test, groups_come_from_the_export_control_file) {
  EXPECT_EQ(group_prompt(groups), QStringLiteral("8A, 8A, 8B, 9A, 9A, 10A, 11B, 12A"));
  EXPECT_EQ(group_combination(groups, QStringLiteral("8A")), 1);  // the first of two
  EXPECT_EQ(group_combination(groups, QStringLiteral(" 8B ")), 3);
  EXPECT_EQ(group_combination(groups, QStringLiteral("7Z")), 0);
}

TEST_F(learner_move_test, answers_are_checked_trimmed) {
  g_language = false;
  EXPECT_EQ(group_pair_refusal(groups, QStringLiteral("8A"), QStringLiteral(" 8A ")),
            QStringLiteral("'FROM' and 'TO' GROUPS MUST DIFFER ..."));
  EXPECT_EQ(group_pair_refusal(groups, QStringLiteral("7Z"), QStringLiteral("8A")),
            QStringLiteral("'FROM' GROUP INVALID ..."));
  EXPECT_EQ(group_pair_refusal(groups, QStringLiteral("8A"), QStringLiteral("7Z")),
            QStringLiteral("'TO' GROUP INVALID ..."));
  EXPECT_EQ(group_pair_refusal(groups, QStringLiteral("8A"), QStringLiteral("8B")), QString());
}

TEST_F(learner_move_test, the_learner_moves_with_every_mark) {
  std::vector<QByteArray> marks(40);
  for (int i = 0; i < 40; ++i) marks[std::size_t(i)] = QByteArray::number(i) + ".5";
  book(1, {{"1001", "ANN", {"1.0"}}, {"1002", "BEN", marks}, {"1003", "CID", {}}});
  book(3, {{"2001", "DEE", {"9.0"}}});
  const auto list = move_list(folder, 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].text, QStringLiteral("  1002 BEN"));
  const move_result r = move(list[1].number, list[1].text);
  EXPECT_TRUE(r.moved);
  EXPECT_EQ(r.message, QString());
  const auto from = live_rows(native(marks_table_file(1)));
  ASSERT_EQ(from.size(), 2u);
  EXPECT_EQ(from[1][1], QStringLiteral("CID"));
  const auto to = live_rows(native(marks_table_file(3)));
  ASSERT_EQ(to.size(), 2u);
  EXPECT_EQ(to[1][0], QStringLiteral("1002"));
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(to[1][std::size_t(i + 2)], QString::fromLatin1(marks[std::size_t(i)])) << i;
}

TEST_F(learner_move_test, the_learner_is_found_by_number_in_the_book_as_it_stands_at_the_move) {
  g_language = false;
  book(1, {{"1001", "ANN", {"1.0"}}, {"1002", "BEN", {"2.0"}}, {"1003", "CID", {"3.0"}}});
  const auto list = move_list(folder, 1);
  ASSERT_EQ(list.size(), 3u);
  ASSERT_EQ(list[1].text, QStringLiteral("  1002 BEN"));
  struct changed_case {
    const char* what;
    std::vector<test::book_record> from_book;  // the from-book when the move begins
    bool moved;
    const char* message;
    std::vector<QString> names_left;  // in the from-book after the move
  };
  const changed_case cases[] = {
      {"a learner added in front",
       {{"999", "AAL", {}}, {"1001", "ANN", {"1.0"}}, {"1002", "BEN", {"2.0"}}},
       true,
       "",
       {"AAL", "ANN"}},
      {"learners sorted anew",
       {{"1003", "CID", {"3.0"}}, {"1002", "BEN", {"2.0"}}, {"1001", "ANN", {"1.0"}}},
       true,
       "",
       {"CID", "ANN"}},
      {"the learner gone",
       {{"1001", "ANN", {"1.0"}}, {"1003", "CID", {"3.0"}}},
       false,
       "LEARNER   1002 BEN IS NO LONGER IN THE FROM GROUP ...",
       {"ANN", "CID"}},
  };
  for (const changed_case& c : cases) {
    SCOPED_TRACE(c.what);
    book(1, c.from_book);
    const QString to_path = book(3, {{"2001", "DEE", {}}});
    const QByteArray to_before = test::read_native_file(to_path);
    const move_result r = move(list[1].number, list[1].text);
    EXPECT_EQ(r.moved, c.moved);
    EXPECT_EQ(r.message, QString::fromLatin1(c.message));
    std::vector<QString> left;
    for (const auto& row : live_rows(native(marks_table_file(1)))) left.push_back(row[1]);
    EXPECT_EQ(left, c.names_left);
    const auto to = live_rows(native(marks_table_file(3)));
    if (c.moved) {
      ASSERT_EQ(to.size(), 2u);
      EXPECT_EQ(to[1][1], QStringLiteral("BEN"));
      EXPECT_EQ(to[1][2], QStringLiteral("2.0"));
    } else {
      EXPECT_EQ(test::read_native_file(to_path), to_before);
    }
  }
  g_language = true;
  book(1, {{"1001", "ANN", {"1.0"}}});
  EXPECT_EQ(move(list[1].number, list[1].text).message,
            QStringLiteral("LEERDER   1002 BEN IS NIE MEER IN DIE VAN-GROEP NIE ..."));
}

TEST_F(learner_move_test, a_blank_record_of_the_learner_is_filled_and_one_with_marks_refused) {
  book(1, {{"1002", "BEN", {"7.0"}}});
  book(3, {{"1002", "BEN", {}}});
  EXPECT_TRUE(move().moved);
  auto to = live_rows(native(marks_table_file(3)));
  ASSERT_EQ(to.size(), 1u);
  EXPECT_EQ(to[0][2], QStringLiteral("7.0"));

  g_language = false;
  book(1, {{"1002", "BEN", {"7.0"}}});
  book(3, {{"1002", "BEN", {"3.0"}}});
  const move_result refused = move();
  EXPECT_FALSE(refused.moved);
  EXPECT_EQ(refused.message, QStringLiteral("LEARNER   1002 BEN ALREADY HAS MARKS IN GROUP 8B ..."));
  EXPECT_EQ(live_rows(native(marks_table_file(1))).size(), 1u);
  EXPECT_EQ(live_rows(native(marks_table_file(3)))[0][2], QStringLiteral("3.0"));
}

TEST_F(learner_move_test, a_to_book_that_cannot_take_it_leaves_both_books) {
  g_language = false;
  book(1, {{"1002", "BEN", {"7.0"}}});
  const QString to_path = book(3, {{"2001", "DEE", {}}});
  const QByteArray from_before = test::read_native_file(native(marks_table_file(1)));
  const QByteArray to_before = test::read_native_file(to_path);
  EXPECT_FALSE(to_before.isEmpty());
  {
    test::lock_holder holder(to_path);
    ASSERT_TRUE(holder.locked());
    const move_result r = move();
    EXPECT_FALSE(r.moved);
    EXPECT_EQ(r.message, QStringLiteral("DATASET C:\\DATA\\marks3  ALREADY IN  USE ... TRY AGAIN LATER !"));
  }
  book(3, {{"2001", "DEE", {}}}, 39);
  const QByteArray short_before = test::read_native_file(to_path);
  const move_result r = move();
  EXPECT_FALSE(r.moved);
  EXPECT_TRUE(r.message.startsWith(QStringLiteral("Load the latest copy of REVIZ-URORU")));
  EXPECT_EQ(test::read_native_file(native(marks_table_file(1))), from_before);
  EXPECT_EQ(test::read_native_file(to_path), short_before);
  QFile::remove(to_path);
  EXPECT_EQ(move().message, QStringLiteral("See 'MARK BOOK SETUP' to create TO GROUP mark book"));
  EXPECT_EQ(test::read_native_file(native(marks_table_file(1))), from_before);
}

}  // namespace
}  // namespace km
