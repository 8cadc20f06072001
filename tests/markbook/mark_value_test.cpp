// Typed marks checked against their column's total, the running sum they
// leave in the result column, column averages and headings, and the
// column lists of an open book.
#include "markbook/mark_value.h"

#include <gtest/gtest.h>

#include <utility>

#include "common/shared_variables.h"
#include "markbook/column_average.h"
#include "markbook/column_lists.h"
#include "markbook/example_setup.h"
#include "support/clean_state.h"
#include "support/decimal_comma_locale.h"

namespace km {
namespace {

struct typed_case {
  const char* typed;
  const char* total;
  bool accepted;
  const char* stored;
};

TEST(validate_mark, accepts_marks_within_the_total_and_refuses_the_rest) {
  const typed_case cases[] = {
      {"7", "10", true, "7.0"},      {"10", "10", true, "10.0"},    {"0", "10", true, "0.0"},
      {".5", "10", true, "0.5"},     {"7.", "10", true, "7.0"},     {"0.35", "10", true, "0.4"},
      {"12.25", "20", true, "12.3"}, {"12.26", "20", true, "12.3"}, {" 8 ", "10", true, "8.0"},
      {"a", "10", true, "a"},        {"A", "10", true, "A"},        {"   ", "10", true, ""},
      {"10.1", "10", false, ""},     {"-1", "10", false, ""},       {"B", "10", false, ""},
      {"1e1", "10", false, ""},      {"1,5", "10", false, ""},      {"+5", "10", false, ""},
      {"1.2.3", "10", false, ""},    {".", "10", false, ""},        {"5", "", false, ""},
      {"5", "0", false, ""},         {"A", "", true, "A"},          {"", "", true, ""},
  };
  for (const typed_case& c : cases) {
    const mark_check r = validate_mark(QString::fromLatin1(c.typed), QString::fromLatin1(c.total));
    EXPECT_EQ(r.accepted, c.accepted) << "'" << c.typed << "' of " << c.total;
    if (c.accepted) {
      EXPECT_EQ(r.stored, QString::fromLatin1(c.stored)) << c.typed;
    }
  }
}

class mark_messages : public test::clean_state_test {};

TEST_F(mark_messages, the_refusal_names_the_total_as_it_stands) {
  g_language = false;
  EXPECT_EQ(mark_refusal_message(QStringLiteral("10")),
            QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-10"));
  g_language = true;
  EXPECT_EQ(mark_refusal_message(QStringLiteral("10")),
            QStringLiteral("Punte kan slegs ' ', 'A', 'a' of 0-10 wees"));
}

TEST(running_sum, moves_the_result_by_the_change) {
  EXPECT_EQ(running_sum(QStringLiteral("7.0"), QStringLiteral("9.0"), QStringLiteral("20.0")),
            QStringLiteral("22.0"));
  EXPECT_EQ(running_sum(QStringLiteral("7.0"), QStringLiteral("9.0"), std::nullopt), QStringLiteral("2.0"));
  EXPECT_EQ(running_sum(QStringLiteral("7.0"), QString(), QStringLiteral("20.0")), QStringLiteral("13.0"));
  EXPECT_EQ(running_sum(QString(), QStringLiteral("4.5"), QStringLiteral("1.0")), QStringLiteral("5.5"));
}

TEST(column_average, counts_marks_and_leaves_out_blank_and_absent) {
  const std::vector<std::optional<QString>> marks{QStringLiteral("6.0"), QStringLiteral("8.0"),
                                                  QStringLiteral("A"), std::nullopt, QStringLiteral(" ")};
  EXPECT_EQ(column_average(marks, QStringLiteral("10")), 70.0);
  EXPECT_EQ(mark_column_caption(QStringLiteral("TASK 1"), QStringLiteral("10"), 70.0),
            QStringLiteral("TASK 1 \n     10\n 70.0"));
  EXPECT_EQ(column_average({QStringLiteral("0.0"), QStringLiteral("0.0")}, QStringLiteral("10")), 0.0);
  EXPECT_EQ(mark_column_caption(QStringLiteral("A LONG NAME"), QStringLiteral("100"), 0.0),
            QStringLiteral("A LONG \n    100\n 0.0"));
  EXPECT_EQ(column_average({QStringLiteral("5.0")}, QString()), 0.0);
  EXPECT_EQ(column_average({QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("2.0")},
                           QStringLiteral("3")),
            55.5556);  // four decimals
}

// Halves go away from zero, judged on the 15-digit decimal form.
void expect_rounded_to_one_decimal() {
  const std::pair<double, double> cases[] = {
      {30.25, 30.3}, {12.25, 12.3}, {0.35, 0.4},   {60.75, 60.8},
      {14.6, 14.6},  {7, 7},        {-2.25, -2.3}, {-0.04, 0},
  };
  for (const auto& [x, rounded] : cases) EXPECT_EQ(round_one_decimal(x), rounded) << x;
}

void expect_column_averages() {
  EXPECT_EQ(column_average({QStringLiteral("6.5"), QStringLiteral("8.0")}, QStringLiteral("10")), 72.5);
  EXPECT_EQ(column_average({QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("2.0")},
                           QStringLiteral("3")),
            55.5556);
}

TEST(round_one_decimal, rounds_halves_away_from_zero) { expect_rounded_to_one_decimal(); }

// A machine whose locale writes a decimal comma gets the same marks and
// averages.
TEST(round_one_decimal, is_the_same_under_a_decimal_comma_locale) {
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  expect_rounded_to_one_decimal();
}

TEST(column_average, is_the_same_under_a_decimal_comma_locale) {
  expect_column_averages();
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  expect_column_averages();
}

setup_rows line_zero_carried(const char* result) {
  setup_rows rows;
  rows[0] = {QStringLiteral("TASK"), QStringLiteral("10"), QString::fromLatin1(result), QString(), QString()};
  return rows;
}

TEST(column_lists, follow_the_result_row_rule) {
  const column_lists five = make_column_lists(line_zero_carried("5"));
  EXPECT_EQ(five.rks_list[3][2], QStringLiteral("4"));
  EXPECT_EQ(five.rks_list[2][6], QStringLiteral("True"));
  EXPECT_EQ(five.target_field(2), 6);
  EXPECT_TRUE(five.is_total_column(6));
  for (const char* result : {"0", "41", "2.5", "x", "1", ""}) {
    const column_lists none = make_column_lists(line_zero_carried(result));
    EXPECT_EQ(none.rks_list[3][2], QStringLiteral("99")) << result;
    EXPECT_EQ(none.target_field(2), -1) << result;
    EXPECT_EQ(none.rks_list[2].count(QStringLiteral("True")), 0) << result;
  }
}

TEST(column_lists, have_an_item_for_every_line_and_copy_names_for_named_ones) {
  setup_rows rows;
  apply_example_setup(rows, false);
  const column_lists lists = make_column_lists(rows);
  for (const QStringList& member : lists.rks_list) EXPECT_EQ(member.size(), 42);
  EXPECT_EQ(lists.tot_rks.size(), 40);
  ASSERT_EQ(lists.kopieer_reeks.size(), 21u);
  EXPECT_EQ(lists.kopieer_reeks[4].name, QStringLiteral("CLASS WORK"));
  EXPECT_EQ(lists.kopieer_reeks[4].field, 6);
  EXPECT_EQ(lists.rks_list[4][6], QStringLiteral("40"));
}

}  // namespace
}  // namespace km
