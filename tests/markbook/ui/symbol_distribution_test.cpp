// The symbol distribution of a book's named task rows.
#include "markbook/symbol_distribution.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "support/clean_state.h"

namespace km {
namespace {

class symbol_distribution_test : public test::clean_state_test {
 protected:
  static mark_record learner(const char* row1, const char* row3) {
    mark_record r;
    r[0] = QStringLiteral("1");
    r[1] = QStringLiteral("L");
    if (row1) r[2] = QString::fromLatin1(row1);
    if (row3) r[4] = QString::fromLatin1(row3);
    return r;
  }
  platform::flex_grid grid;
};

TEST_F(symbol_distribution_test, counts_within_inclusive_bounds_and_averages) {
  g_language = false;
  setup_rows rows;
  rows[0] = {QStringLiteral("TASK 1"), QStringLiteral("10"), {}, {}, {}};
  rows[2] = {QStringLiteral("TASK 3"), QStringLiteral("0"), {}, {}, {}};  // a gap before it, and no total
  const std::vector<symbol_range> symbols{{QStringLiteral("A"), QStringLiteral("80"), QStringLiteral("100")},
                                          {QStringLiteral("B"), QStringLiteral("70"), QStringLiteral("79")},
                                          {QStringLiteral("C"), QStringLiteral("75"), QStringLiteral("90")}};
  const std::vector<mark_record> records{learner("8.0", "85"), learner("7.9", nullptr), learner("7.95", "A"),
                                         learner("A", " "), learner(nullptr, nullptr)};
  fill_symbol_distribution(grid, rows, symbols, records);
  EXPECT_EQ(grid.text_matrix(0, 0), QStringLiteral("SYMBOL"));
  EXPECT_EQ(grid.text_matrix(0, 1), QStringLiteral("M1"));
  EXPECT_EQ(grid.text_matrix(0, 3), QStringLiteral("M3"));
  EXPECT_EQ(grid.col_width(2), 0);  // the unnamed row
  EXPECT_EQ(grid.col_width(1), 300);
  EXPECT_EQ(grid.col_width(0), 1000);
  EXPECT_EQ(grid.text_matrix(1, 1), QStringLiteral("10"));
  EXPECT_EQ(grid.text_matrix(2, 0), QStringLiteral("A (80-100)"));
  EXPECT_EQ(grid.text_matrix(2, 1), QStringLiteral("1"));  // 80 %
  EXPECT_EQ(grid.text_matrix(3, 1), QStringLiteral("1"));  // 79 % (C overlaps, but B comes first)
  EXPECT_EQ(grid.text_matrix(4, 1), QStringLiteral("1"));  // 79.5 % lies between A and B, within C
  EXPECT_EQ(grid.text_matrix(2, 3), QStringLiteral("1"));  // the raw mark 85 without a total
  EXPECT_EQ(grid.rows(), 7);  // heading, totals, 3 symbols, an empty row, averages
  EXPECT_EQ(grid.text_matrix(5, 0), QString());
  EXPECT_EQ(grid.text_matrix(6, 0), QStringLiteral("AVERAGE"));
  EXPECT_EQ(grid.text_matrix(6, 1), QStringLiteral("79.5"));
  EXPECT_EQ(grid.text_matrix(6, 3), QStringLiteral("85.0"));
}

TEST_F(symbol_distribution_test, no_symbols_still_shows_the_averages) {
  g_language = true;
  setup_rows rows;
  rows[0] = {QStringLiteral("TAAK 1"), QStringLiteral("10"), {}, {}, {}};
  fill_symbol_distribution(grid, rows, {}, {learner("0.0", nullptr)});
  EXPECT_EQ(grid.text_matrix(0, 0), QStringLiteral("SIMBOOL"));
  EXPECT_EQ(grid.text_matrix(0, 1), QStringLiteral("P1"));
  EXPECT_EQ(grid.rows(), 4);
  EXPECT_EQ(grid.text_matrix(3, 0), QStringLiteral("GEMIDDELD"));
  EXPECT_EQ(grid.text_matrix(3, 1), QString());  // counted marks all 0: no average
}

}  // namespace
}  // namespace km
