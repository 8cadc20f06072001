// The set-up rows as data: the result-row rule, the example, and the
// renumbering of insert and delete.
#include <gtest/gtest.h>

#include "markbook/example_setup.h"
#include "markbook/result_row.h"
#include "markbook/setup_renumber.h"

namespace km {
namespace {

struct result_case {
  int row;
  const char* text;
  std::optional<int> target;
};

TEST(result_target, counts_only_other_rows_from_1_to_40) {
  const result_case cases[] = {{1, "5", 5},
                               {1, " 5 ", 5},
                               {5, "40", 40},
                               {5, "5", std::nullopt},
                               {1, "", std::nullopt},
                               {1, "0", std::nullopt},
                               {1, "41", std::nullopt},
                               {1, "-2", std::nullopt},
                               {1, "2.5", std::nullopt},
                               {1, "A", std::nullopt},
                               {1, "05", 5}};
  for (const result_case& c : cases)
    EXPECT_EQ(result_target(c.row, QString::fromLatin1(c.text)), c.target) << c.row << " '" << c.text << "'";
}

setup_rows example(bool afrikaans = false) {
  setup_rows rows;
  apply_example_setup(rows, afrikaans);
  return rows;
}

// Task name and result row of a row (1-based).
std::pair<QString, QString> at(const setup_rows& rows, int row) {
  return {rows[std::size_t(row - 1)].task_project, rows[std::size_t(row - 1)].result_row};
}

TEST(example_setup, writes_the_21_rows_in_either_language) {
  const setup_rows english = example();
  const setup_rows afrikaans = example(true);
  EXPECT_EQ(english[4], (pboek_setup_line{QStringLiteral("CLASS WORK"), QStringLiteral("40"),
                                          QStringLiteral("11"), QStringLiteral("40"), QString()}));
  EXPECT_EQ(afrikaans[13], (pboek_setup_line{QStringLiteral("HOOFTOETS 1"), QStringLiteral("50"),
                                             QStringLiteral("16"), QString(), QStringLiteral("S1")}));
  EXPECT_EQ(english[20].task_project, QStringLiteral("TOTAL"));
  for (int r = 0; r < 21; ++r) {
    EXPECT_EQ(english[std::size_t(r)].total, afrikaans[std::size_t(r)].total);
    EXPECT_EQ(english[std::size_t(r)].cycle_name, afrikaans[std::size_t(r)].cycle_name);
  }
  for (int r = 21; r < setup_row_count; ++r) EXPECT_EQ(english[std::size_t(r)], pboek_setup_line{});
}

TEST(example_setup, keeps_the_cells_it_does_not_write) {
  setup_rows rows;
  for (pboek_setup_line& line : rows)
    line = {QStringLiteral("OLD"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("C")};
  apply_example_setup(rows, false);
  EXPECT_EQ(rows[0], (pboek_setup_line{QStringLiteral("TASK 1"), QStringLiteral("10"), QStringLiteral("5"),
                                       QStringLiteral("3"), QStringLiteral("C")}));
  EXPECT_EQ(rows[20].result_row, QString());  // row 21's result row is emptied
  EXPECT_EQ(rows[21].task_project, QStringLiteral("OLD"));
}

TEST(carried_into_rows, marks_the_summary_rows_of_the_example) {
  const auto carried = carried_into_rows(example());
  for (int r = 1; r <= setup_row_count; ++r) {
    const bool summary = r == 5 || r == 10 || r == 11 || r == 16 || r == 19 || r == 20 || r == 21;
    EXPECT_EQ(carried[std::size_t(r - 1)], summary) << r;
  }
}

TEST(carried_into_rows, ignores_unnamed_rows) {
  setup_rows rows;
  rows[0].result_row = QStringLiteral("3");
  EXPECT_FALSE(carried_into_rows(rows)[2]);
}

TEST(insert_setup_row, before_line_3_follows_the_moved_rows) {
  setup_rows rows = example();
  insert_setup_row(rows, 3);
  EXPECT_EQ(rows[2], pboek_setup_line{});
  EXPECT_EQ(at(rows, 1), std::pair(QStringLiteral("TASK 1"), QStringLiteral("6")));
  EXPECT_EQ(at(rows, 2), std::pair(QStringLiteral("TASK 2"), QStringLiteral("6")));
  EXPECT_EQ(at(rows, 4), std::pair(QStringLiteral("TASK 3"), QStringLiteral("6")));
  EXPECT_EQ(at(rows, 5), std::pair(QStringLiteral("TASK 4"), QStringLiteral("6")));
  EXPECT_EQ(at(rows, 6), std::pair(QStringLiteral("CLASS WORK"), QStringLiteral("12")));
  EXPECT_EQ(at(rows, 12), std::pair(QStringLiteral("SUB TOTAL 1"), QStringLiteral("22")));
  EXPECT_EQ(at(rows, 21), std::pair(QStringLiteral("SUB TOTAL 2"), QStringLiteral("22")));
  EXPECT_EQ(at(rows, 22), std::pair(QStringLiteral("TOTAL"), QString()));
}

TEST(insert_setup_row, before_a_summary_row_keeps_its_members) {
  setup_rows rows = example();
  insert_setup_row(rows, 5);
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(rows[std::size_t(r - 1)].result_row, QStringLiteral("6")) << r;
  EXPECT_EQ(at(rows, 6), std::pair(QStringLiteral("CLASS WORK"), QStringLiteral("12")));
  EXPECT_EQ(carried_into_rows(rows)[5], true);
  EXPECT_EQ(carried_into_rows(rows)[4], false);  // the new empty row has no members
}

TEST(delete_setup_row, empties_results_that_named_the_deleted_row) {
  setup_rows rows = example();
  delete_setup_row(rows, 5);
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(rows[std::size_t(r - 1)].result_row, QString()) << r;
  EXPECT_EQ(at(rows, 5), std::pair(QStringLiteral("MINI ASSIGNMENT"), QStringLiteral("10")));
  for (int r = 6; r <= 8; ++r) EXPECT_EQ(rows[std::size_t(r - 1)].result_row, QStringLiteral("9")) << r;
  EXPECT_EQ(at(rows, 10), std::pair(QStringLiteral("SUB TOTAL 1"), QStringLiteral("20")));
  EXPECT_EQ(at(rows, 20), std::pair(QStringLiteral("TOTAL"), QString()));
  EXPECT_EQ(rows[39], pboek_setup_line{});
}

TEST(delete_setup_row, of_row_40_moves_nothing_else) {
  setup_rows rows = example();
  rows[39] = {QStringLiteral("LAST"), QStringLiteral("5"), QString(), QString(), QString()};
  const setup_rows before = rows;
  delete_setup_row(rows, 40);
  for (int r = 0; r < 39; ++r) EXPECT_EQ(rows[std::size_t(r)], before[std::size_t(r)]) << r;
  EXPECT_EQ(rows[39], pboek_setup_line{});
}

TEST(setup_row_40_named, tells_whether_an_insert_would_drop_a_task) {
  setup_rows rows = example();
  EXPECT_FALSE(setup_row_40_named(rows));
  rows[39].task_project = QStringLiteral("LAST");
  EXPECT_TRUE(setup_row_40_named(rows));
}

}  // namespace
}  // namespace km
