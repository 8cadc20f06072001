// Scaling a column to a new average, the lines of a pasted clipboard and
// the order of a merit list.
#include "markbook/column_operations.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "markbook/column_average.h"
#include "support/clean_state.h"

namespace km {
namespace {

using marks = std::vector<std::optional<QString>>;

TEST(scale_marks, moves_every_counted_mark_by_the_same_percentage) {
  const marks column{QStringLiteral("10.0"), QStringLiteral("15.0"), QStringLiteral("A"), std::nullopt,
                     QStringLiteral(" ")};
  const double average = column_average(column, QStringLiteral("20"));
  EXPECT_EQ(average, 62.5);
  EXPECT_EQ(scale_marks(column, 20, average, 70),
            (marks{QStringLiteral("11.5"), QStringLiteral("16.5"), QStringLiteral("A"), std::nullopt,
                   QStringLiteral(" ")}));
}

TEST(scale_marks, keeps_marks_within_the_total) {
  const marks column{QStringLiteral("19.0"), QStringLiteral("5.0")};
  EXPECT_EQ(column_average(column, QStringLiteral("20")), 60.0);
  EXPECT_EQ(scale_marks(column, 20, 60, 70), (marks{QStringLiteral("20.0"), QStringLiteral("7.0")}));
  EXPECT_EQ(scale_marks(column, 20, 60, 1), (marks{QStringLiteral("7.2"), QStringLiteral("0.0")}));
}

class scaling_prompt_test : public test::clean_state_test {};

TEST_F(scaling_prompt_test, shows_the_average_as_str_does) {
  g_language = false;
  EXPECT_EQ(scaling_prompt(62.5), QStringLiteral("Current average  62.5\r\rNew average ..."));
  g_language = true;
  EXPECT_EQ(scaling_prompt(55.5556), QStringLiteral("Huidige gemiddeld  55.5556\r\rNuwe gemiddeld ..."));
}

struct paste_case {
  const char* clipboard;
  QStringList expected;
};

TEST(pasted_marks, split_lines_whatever_their_ends) {
  const paste_case cases[] = {
      {"5\n7.5\tX\n", {"5.0", "7.5"}},
      {"5\r\n7.5\tX\r\n", {"5.0", "7.5"}},
      {"5\r7.5\tX\r", {"5.0", "7.5"}},
      {"A\r\n\r\n9\r\n", {"A", "", "9.0"}},
      {" a \r\nx\r\n", {"a", "0.0"}},
      {"1\n2\n3\n4\n5\n6\n", {"1.0", "2.0", "3.0", "4.0"}},
      {"", {}},
  };
  for (const paste_case& c : cases)
    EXPECT_EQ(pasted_marks(QString::fromLatin1(c.clipboard), 4), c.expected) << c.clipboard;
}

TEST(merit_order, puts_the_best_first_and_the_uncounted_last_in_table_order) {
  const std::vector<merit_entry> entries{{"1", "ANN", "7.0"}, {"2", "BEN", "A"},   {"3", "CID", "12.5"},
                                         {"4", "DEE", ""},    {"5", "EVE", "7.0"}, {"6", "FAY", "9.0"},
                                         {"7", "GUS", "a"}};
  QStringList order;
  for (const merit_entry& e : merit_order(entries)) order << e.name;
  EXPECT_EQ(order, (QStringList{"CID", "FAY", "ANN", "EVE", "BEN", "DEE", "GUS"}));
}

}  // namespace
}  // namespace km
