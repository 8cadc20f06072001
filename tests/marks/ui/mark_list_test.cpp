// The mark list of the cycle-marks window: its lines, running totals and
// average line, in table order and ordered by mark.
#include "marks/mark_list.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "platform/model/grid/flex_grid.h"
#include "support/clean_state.h"

namespace km {
namespace {

class mark_list_test : public test::clean_state_test {
 protected:
  // Marks 10, "A", blank and 20; the third learner has a code.
  const std::vector<mark_list_entry> entries{
      {QStringLiteral("1001"), QStringLiteral("ADAMS"), QStringLiteral("10.0"), QString()},
      {QStringLiteral("1002"), QStringLiteral("BOTHA"), QStringLiteral("A"), QString()},
      {QStringLiteral("1003"), QStringLiteral("CLOETE"), QString(), QStringLiteral("3")},
      {QStringLiteral("1004"), QStringLiteral("DU TOIT"), QStringLiteral("20.0"), QString()}};
  // Each row as "line|number|mark|code|total".
  QStringList rows() const {
    QStringList out;
    for (int r = 1; r < grid.rows(); ++r)
      out << QStringList{grid.text_matrix(r, 0), grid.text_matrix(r, 1), grid.text_matrix(r, 3),
                         grid.text_matrix(r, 4), grid.text_matrix(r, 5)}
                 .join(QLatin1Char('|'));
    return out;
  }
  platform::flex_grid grid;
};

TEST_F(mark_list_test, lists_every_learner_with_the_running_total) {
  g_language = false;
  const mark_list_figures f = fill_mark_list(grid, entries, false);
  EXPECT_EQ(grid.text_matrix(0, 1), QStringLiteral("  A.NO"));
  EXPECT_EQ(grid.text_matrix(0, 3), QStringLiteral("  MARK"));
  EXPECT_EQ(grid.text_matrix(0, 5), QStringLiteral("   TOTAL"));
  EXPECT_EQ(grid.cols(), 7);
  EXPECT_EQ(grid.col_width(2), 4000);
  EXPECT_EQ(grid.font().size, 7);
  EXPECT_EQ(rows(),
            (QStringList{
                QStringLiteral("1|1001| 10.0|     |   10.0"), QStringLiteral("2|1002|    A|     |   10.0"),
                QStringLiteral("3|1003|     |    3|   10.0"), QStringLiteral("4|1004| 20.0|     |   30.0")}));
  EXPECT_EQ(f.sum, 30.0);
  EXPECT_EQ(f.count, 2);
  EXPECT_EQ(mark_list_average_line(f, 50), QStringLiteral("AVERAGE := 15.0 30.0%"));
  EXPECT_EQ(mark_list_file_name(QStringLiteral("8 101 8A")), QStringLiteral("MARKS 8 101 8A"));
}

TEST_F(mark_list_test, ordered_by_mark_the_lines_travel_and_the_total_follows_the_order) {
  g_language = true;
  fill_mark_list(grid, entries, true);
  EXPECT_EQ(grid.text_matrix(0, 3), QStringLiteral("  PUNT"));
  EXPECT_EQ(rows(),
            (QStringList{
                QStringLiteral("4|1004| 20.0|     |   20.0"), QStringLiteral("1|1001| 10.0|     |   30.0"),
                QStringLiteral("2|1002|    A|     |   30.0"), QStringLiteral("3|1003|     |    3|   30.0")}));
  EXPECT_EQ(mark_list_file_name(QStringLiteral("X")), QStringLiteral("PUNTE X"));
}

TEST_F(mark_list_test, without_a_numeric_mark_the_average_line_has_no_figures) {
  g_language = false;
  const mark_list_figures f = fill_mark_list(
      grid, {{QStringLiteral("1001"), QStringLiteral("ADAMS"), QStringLiteral("a"), QString()}}, false);
  EXPECT_EQ(grid.text_matrix(1, 3), QStringLiteral("    a"));  // shown as typed, not counted
  EXPECT_EQ(f.count, 0);
  EXPECT_EQ(mark_list_average_line(f, 50), QStringLiteral("AVERAGE := "));
  EXPECT_EQ(mark_list_average_line({30, 2}, 0), QStringLiteral("AVERAGE := "));
}

}  // namespace
}  // namespace km
