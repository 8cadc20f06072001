// The arithmetic of a cycle mark: what counts as a number, the conversion
// between the subject total and the input total, the typed-mark test, the
// input-total answer and the average beside the grid.
#include "marks/mark_values.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "marks/marks_tables.h"
#include "support/clean_state.h"

namespace km {
namespace {

class mark_values_test : public test::clean_state_test {};

TEST_F(mark_values_test, marks_convert_between_the_totals) {
  struct conversion_case {
    const char* stored;
    double subject_total;
    double input_total;
    const char* shown;  // relative to the input total
    const char* saved;  // the shown text converted back
  };
  for (const conversion_case& c :
       {conversion_case{"33.3", 100, 50, "16.7", "33.4"}, conversion_case{"1.2", 100, 50, ".6", "1.2"},
        conversion_case{"75.0", 100, 100, "75.0", "75.0"}, conversion_case{"37.5", 150, 40, "10.0", "37.5"},
        conversion_case{"A", 100, 50, "A", "A"}, conversion_case{"a", 100, 50, "a", "a"},
        conversion_case{"", 100, 50, "", ""}, conversion_case{"37.5", 0, 50, "37.5", "37.5"}}) {
    SCOPED_TRACE(c.stored);
    const QString shown = mark_to_input_total(QString::fromLatin1(c.stored), c.subject_total, c.input_total);
    EXPECT_EQ(shown, QString::fromLatin1(c.shown));
    EXPECT_EQ(mark_to_subject_total(shown, c.input_total, c.subject_total), QString::fromLatin1(c.saved));
  }
}

TEST_F(mark_values_test, a_typed_mark_is_taken_in_range_or_refused) {
  struct typed_case {
    const char* typed;
    bool accepted;
    const char* stored;
    std::optional<double> number;
  };
  for (const typed_case& c :
       {typed_case{" 7 ", true, "7.0", 7.0}, typed_case{"50", true, "50.0", 50.0},
        typed_case{"0", true, "0.0", 0.0}, typed_case{".25", true, "0.3", 0.3},
        typed_case{"A", true, "A", std::nullopt}, typed_case{"a", true, "a", std::nullopt},
        typed_case{"  ", true, "", std::nullopt}, typed_case{"50.5", false, "", std::nullopt},
        typed_case{"12,5", false, "", std::nullopt}, typed_case{"1e1", false, "", std::nullopt},
        typed_case{"x", false, "", std::nullopt}}) {
    SCOPED_TRACE(c.typed);
    const typed_mark t = check_typed_mark(QString::fromLatin1(c.typed), 50);
    EXPECT_EQ(t.accepted, c.accepted);
    EXPECT_EQ(t.stored, QString::fromLatin1(c.stored));
    EXPECT_EQ(t.number, c.number);
  }
  g_language = false;
  EXPECT_EQ(mark_refusal_message(plain_number(50)),
            QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-50"));
  g_language = true;
  EXPECT_EQ(mark_refusal_message(plain_number(37.5)),
            QStringLiteral("Punte kan slegs ' ', 'A', 'a' of 0-37.5 wees"));
}

TEST_F(mark_values_test, the_input_total_must_be_a_number_above_0) {
  EXPECT_EQ(input_total_answer(QStringLiteral("  "), false, 100), 100.0);
  EXPECT_EQ(input_total_answer(QStringLiteral("50"), true, 100), 100.0);  // cancelled
  EXPECT_EQ(input_total_answer(QStringLiteral(" 37.5 "), false, 100), 37.5);
  for (const char* refused : {"0", "0.0", "abc", "-5", "12,5"}) {
    SCOPED_TRACE(refused);
    EXPECT_EQ(input_total_answer(QString::fromLatin1(refused), false, 100), std::nullopt);
  }
}

TEST_F(mark_values_test, only_a_number_scales) {
  EXPECT_EQ(new_average_answer(QStringLiteral(" 60 "), false), 60.0);
  EXPECT_EQ(new_average_answer(QStringLiteral("0"), false), 0.0);  // a real answer: shift down to 0
  EXPECT_EQ(new_average_answer(QStringLiteral("60"), true), std::nullopt);
  for (const char* nothing : {"", "  ", "abc", "6O"}) {
    SCOPED_TRACE(nothing);
    EXPECT_EQ(new_average_answer(QString::fromLatin1(nothing), false), std::nullopt);
  }
}

TEST_F(mark_values_test, the_tables_of_a_combination) {
  EXPECT_EQ(cycle_table_name(3), QStringLiteral("PUNTE3.DBF"));
  EXPECT_EQ(obe_table_name(12), QStringLiteral("OBE_P12.DBF"));
  EXPECT_EQ(cycle_backup_name(105), QStringLiteral("PUNTE105.BAK"));
}

TEST_F(mark_values_test, the_average_beside_the_grid) {
  const average_figures f = compute_average(150.5, 2, 100);
  EXPECT_EQ(f.total_label, QStringLiteral("150.5"));
  EXPECT_EQ(f.average_percent, 75.25);
  EXPECT_EQ(f.average_label, QStringLiteral("75.3"));
  // The sum enters through its single-precision text: 0.1 + 0.2 counts as 0.3.
  EXPECT_EQ(compute_average(0.1 + 0.2, 1, 10).average_percent, 3.0);
  // An average of a third rounds to four decimals, and so does its percentage.
  EXPECT_EQ(compute_average(10, 3, 30).average_percent, 11.111);
  // Nothing changes with an input total of 0 or with no counted mark.
  for (const average_figures& none : {compute_average(150, 2, 0), compute_average(0, 0, 100)}) {
    EXPECT_FALSE(none.total_label || none.average_label || none.average_percent);
  }
  // Marks that are all 0 still count: the labels show "0.0", not stale text.
  const average_figures zeros = compute_average(0, 2, 100);
  EXPECT_EQ(zeros.total_label, QStringLiteral("0.0"));
  EXPECT_EQ(zeros.average_label, QStringLiteral("0.0"));
  EXPECT_EQ(zeros.average_percent, 0.0);
  const average_figures no_count = compute_average(12, 0, 100);
  EXPECT_EQ(no_count.total_label, QStringLiteral("12.0"));
  EXPECT_FALSE(no_count.average_label || no_count.average_percent);
}

}  // namespace
}  // namespace km
