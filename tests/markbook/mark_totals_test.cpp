// RECALCULATE TOTALS for one learner, against values worked out by hand
// from the set-ups of the worked example and of the example set-up.
#include "markbook/mark_totals.h"

#include <gtest/gtest.h>

#include "markbook/example_setup.h"
#include "support/decimal_comma_locale.h"

namespace km {
namespace {

// The worked example: TEST 1 (15) and TEST 2 (45, out of 20) into TESTS
// (50, out of 40), which goes into TERM (100).
setup_rows worked_example() {
  setup_rows rows;
  rows[0] = {QStringLiteral("TEST 1"), QStringLiteral("15"), QStringLiteral("3"), QString(), QString()};
  rows[1] = {QStringLiteral("TEST 2"), QStringLiteral("45"), QStringLiteral("3"), QStringLiteral("20"),
             QString()};
  rows[2] = {QStringLiteral("TESTS"), QStringLiteral("50"), QStringLiteral("4"), QStringLiteral("40"),
             QString()};
  rows[3] = {QStringLiteral("TERM"), QStringLiteral("100"), QString(), QString(), QString()};
  return rows;
}

mark_record learner(std::initializer_list<std::pair<int, const char*>> marks) {
  mark_record r;
  r[0] = QStringLiteral("101");
  r[1] = QStringLiteral("ADAMS");
  for (const auto& [row, mark] : marks) r[std::size_t(row + 1)] = QString::fromLatin1(mark);
  return r;
}

QString at(const mark_record& r, int row) {
  return r[std::size_t(row + 1)].value_or(QStringLiteral("<null>"));
}

TEST(recalculate_totals, the_worked_example) {
  const mark_record a = recalculate_totals(worked_example(), learner({{1, "7.0"}, {2, "32.0"}}));
  EXPECT_EQ(at(a, 3), QStringLiteral("30.3"));
  EXPECT_EQ(at(a, 4), QStringLiteral("60.8"));
  const mark_record b = recalculate_totals(worked_example(), learner({{1, "A"}, {2, "32.0"}}));
  EXPECT_EQ(at(b, 3), QStringLiteral("35.5"));
  EXPECT_EQ(at(b, 4), QStringLiteral("71.0"));
  const mark_record c = recalculate_totals(worked_example(), learner({}));
  EXPECT_EQ(at(c, 3).trimmed(), QString());
  EXPECT_EQ(at(c, 4).trimmed(), QString());
  EXPECT_EQ(at(c, 5), QString());  // unnamed rows emptied
  EXPECT_EQ(at(a, 0), QStringLiteral("ADAMS"));
}

// The rounding of each step keeps its decimals on a machine whose locale
// writes a decimal comma.
TEST(recalculate_totals, the_worked_example_under_a_decimal_comma_locale) {
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  const mark_record a = recalculate_totals(worked_example(), learner({{1, "7.0"}, {2, "32.0"}}));
  EXPECT_EQ(at(a, 3).toStdString(), "30.3");
  EXPECT_EQ(at(a, 4).toStdString(), "60.8");
}

TEST(recalculate_totals, the_worked_example_with_the_totals_on_top) {
  setup_rows rows;
  rows[0] = {QStringLiteral("TERM"), QStringLiteral("100"), QString(), QString(), QString()};
  rows[1] = {QStringLiteral("TESTS"), QStringLiteral("50"), QStringLiteral("1"), QStringLiteral("40"),
             QString()};
  rows[2] = {QStringLiteral("TEST 1"), QStringLiteral("15"), QStringLiteral("2"), QString(), QString()};
  rows[3] = {QStringLiteral("TEST 2"), QStringLiteral("45"), QStringLiteral("2"), QStringLiteral("20"),
             QString()};
  const mark_record a = recalculate_totals(rows, learner({{3, "7.0"}, {4, "32.0"}}));
  EXPECT_EQ(at(a, 2), QStringLiteral("30.3"));
  EXPECT_EQ(at(a, 1), QStringLiteral("60.8"));
}

mark_record example_learner(const setup_rows& rows, bool half, bool first_absent = false) {
  mark_record r = learner({});
  for (int row = 1; row <= 21; ++row) {
    const double total = rows[std::size_t(row - 1)].total.toDouble();
    r[std::size_t(row + 1)] = QString::number(half ? total / 2 : total, 'f', 1);
  }
  if (first_absent) r[2] = QStringLiteral("A");
  return r;
}

TEST(recalculate_totals, the_example_setup) {
  setup_rows rows;
  apply_example_setup(rows, false);
  const mark_record full = recalculate_totals(rows, example_learner(rows, false));
  const std::pair<int, const char*> expected[] = {{5, "40.0"},  {10, "30.0"}, {11, "60.0"}, {16, "40.0"},
                                                  {19, "20.0"}, {20, "40.0"}, {21, "100.0"}};
  for (const auto& [row, value] : expected) EXPECT_EQ(at(full, row), QString::fromLatin1(value)) << row;
  EXPECT_EQ(at(recalculate_totals(rows, example_learner(rows, true)), 21), QStringLiteral("50.0"));
  EXPECT_EQ(at(recalculate_totals(rows, example_learner(rows, false, true)), 21), QStringLiteral("100.0"));
}

TEST(recalculate_totals, runs_the_same_twice) {
  setup_rows rows;
  apply_example_setup(rows, false);
  mark_record r = example_learner(rows, true);
  r[3] = QStringLiteral("3.5");
  const mark_record once = recalculate_totals(rows, r);
  EXPECT_EQ(recalculate_totals(rows, once), once);
}

TEST(recalculate_totals, keeps_marks_of_named_rows_after_a_gap) {
  setup_rows rows;
  rows[0] = {QStringLiteral("TASK 1"), QStringLiteral("10"), QString(), QString(), QString()};
  rows[2] = {QStringLiteral("TASK 3"), QStringLiteral("10"), QString(), QString(), QString()};
  const mark_record r = recalculate_totals(rows, learner({{1, "5.0"}, {2, "9.0"}, {3, "6.0"}}));
  EXPECT_EQ(at(r, 1), QStringLiteral("5.0"));
  EXPECT_EQ(at(r, 2), QString());  // the unnamed row is emptied
  EXPECT_EQ(at(r, 3), QStringLiteral("6.0"));
}

TEST(recalculate_totals, a_result_naming_no_row_writes_nowhere) {
  for (const char* result : {"0", "41", "1", "x"}) {
    setup_rows rows;
    rows[0] = {QStringLiteral("TASK 1"), QStringLiteral("10"), QString::fromLatin1(result), QString(),
               QString()};
    const mark_record r = recalculate_totals(rows, learner({{1, "5.0"}}));
    EXPECT_EQ(at(r, 0), QStringLiteral("ADAMS")) << result;  // the name stays
    EXPECT_EQ(at(r, 1), QStringLiteral("5.0")) << result;
  }
}

TEST(recalculate_totals, an_unnamed_row_with_a_result_clears_no_marks) {
  setup_rows rows;
  rows[0] = {QStringLiteral("TASK 1"), QStringLiteral("10"), QString(), QString(), QString()};
  rows[1] = {QString(), QString(), QStringLiteral("1"), QString(), QString()};
  const mark_record r = recalculate_totals(rows, learner({{1, "5.0"}}));
  EXPECT_EQ(at(r, 1), QStringLiteral("5.0"));
}

}  // namespace
}  // namespace km
