// The legend of the mark-book prints and the value a mark is exported with.
#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "markbook/example_setup.h"
#include "markbook/export_value.h"
#include "markbook/print_legend.h"
#include "support/clean_state.h"
#include "support/decimal_comma_locale.h"

namespace km {
namespace {

class print_legend_test : public test::clean_state_test {};

TEST_F(print_legend_test, four_named_rows_a_line_each_padded) {
  g_language = false;
  setup_rows rows;
  apply_example_setup(rows, false);
  rows[2] = pboek_setup_line{};  // a gap
  const QStringList lines = legend_lines(rows, 20);
  ASSERT_EQ(lines.size(), 5);  // 20 named rows
  EXPECT_EQ(
      lines[0],
      QStringLiteral("M1 TASK 1           M2 TASK 2           M4 TASK 4           M5 CLASS WORK       "));
  EXPECT_TRUE(lines[4].startsWith(QStringLiteral("M18 EXAM 2")));
  EXPECT_TRUE(lines[4].contains(QStringLiteral("M21 TOTAL")));
  g_language = true;
  EXPECT_TRUE(legend_lines(rows, 20)[0].startsWith(QStringLiteral("P1 TASK 1  ")));
}

struct exported_case {
  const char* mark;
  double task_total;
  double subject_total;
  const char* out;
};
const exported_case exported_cases[] = {
    {"15.0", 20, 100, "75.0"}, {"10.0", 30, 100, "33.3"}, {"12.5", 40, 100, "31.2"},
    {"A", 20, 100, "A"},       {"a", 20, 100, "a"},       {"", 20, 100, ""},
    {"7.5", 20, 0, "7.5"},     {"11.25", 10, 10, "11.2"}, {"7.3", 10, 20, "14.6"},
};

void expect_exported_cases() {
  for (const exported_case& c : exported_cases)
    EXPECT_EQ(exported_mark(QString::fromLatin1(c.mark), c.task_total, c.subject_total).toStdString(), c.out)
        << c.mark << " of " << c.task_total << " to " << c.subject_total;
}

TEST(exported_mark, is_relative_to_the_subject_total) { expect_exported_cases(); }

// The value that goes into the export tables keeps its decimals on a
// machine whose locale writes a decimal comma.
TEST(exported_mark, is_the_same_under_a_decimal_comma_locale) {
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  expect_exported_cases();
}

}  // namespace
}  // namespace km
