// The mark list of the mark-lists print window without a window or a
// printer: the subject lines, the rows with their codes, the orders, the
// running totals and the closing average.
#include "marks/mark_list_rows.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "marks/subject_entry.h"
#include "platform/model/grid/flex_grid.h"
#include "support/clean_state.h"

namespace km {
namespace {

TEST(subject_entry, justifies_code_and_class_and_adds_the_class_used_or_the_two_classes) {
  struct entry_case {
    QStringList cells;  // grade/subject code, class, total, class, second class, class when blank
    QString entry;
    QString number;
    QString subject_class;
  };
  const entry_case cases[] = {
      {{"101", "10-A ", "100", "ENG", "HL ", "   "}, "101 10-A  ENG HL ", "101", "10-A"},
      {{"5  ", "12/B-", "100", "ENG", "HL ", "C  "}, "  5 12/B- C  ", "5", "12/B-"},
      {{"101", "     ", "100", "AFR", "   ", "   "}, "101       AFR    ", "101", ""},
  };
  for (const entry_case& c : cases) {
    SCOPED_TRACE(c.entry.toStdString());
    const QString entry = subject_entry(c.cells);
    EXPECT_EQ(entry, c.entry);
    const subject_entry_parts parts = parts_of_subject_entry(entry);
    EXPECT_EQ(parts.number, c.number);
    EXPECT_EQ(parts.subject_class, c.subject_class);
  }
}

class mark_list_rows_test : public test::clean_state_test {
 protected:
  void SetUp() override { g_language = false; }

  mark_list_sums fill(const std::vector<cycle_list_record>& learners, mark_list_order order,
                      const std::vector<obe_list_record>& obe = {}) {
    return fill_mark_list_rows(grid, learners, obe, effort_keys, formative, order);
  }
  // A column of the learner rows.
  QStringList column(int c) const {
    QStringList out;
    for (int r = 1; r < grid.rows(); ++r) out << grid.text_matrix(r, c);
    return out;
  }

  code_list effort_keys{{"1", "2", " "}, {"1 Uitstekend", "2 Goed", "   NONE"}};
  code_list formative{{"01", "02", "03"}, {"01 Netjies", "02 ", "03 Moet oefen"}};
  platform::flex_grid grid;
};

TEST_F(mark_list_rows_test, the_heading_and_the_widths_follow_the_language) {
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    fill({}, mark_list_order::alphabetical);
    QStringList heading;
    for (int c = 0; c < grid.cols(); ++c) heading << grid.text_matrix(0, c);
    const QStringList expected =
        afrikaans
            ? QStringList{"NR", "  T.NR", "LEERDER", "  PUNT", "  TOTAAL", "P.S", "FORMATIEWE EVALUERING"}
            : QStringList{"NO", "  A.NO", "LEARNER", "  MARK", "   TOTAL", "E.K", "FORMATIVE EVALUATION"};
    EXPECT_EQ(heading, expected);
    EXPECT_EQ(grid.font().size, 7);
    EXPECT_EQ(grid.col_width(2), 4000);
    EXPECT_EQ(grid.col_width(6), 5000);
    EXPECT_EQ(grid.col_alignment(4), platform::grid_alignment::right_center);
    // No learner: one empty row under the heading.
    EXPECT_EQ(column(1), QStringList{QString()});
  }
}

TEST_F(mark_list_rows_test, every_row_shows_the_running_total_and_zero_marks_count) {
  const mark_list_sums sums = fill({{"1001", "Adams", "10.0"},
                                    {"1002", "Botha", "A"},
                                    {"1003", "Cloete", "0.0"},
                                    {"1004", "Du Toit", "20.0"},
                                    {"1005", "Erasmus", ""},
                                    {"1006", "Fourie", "a"}},
                                   mark_list_order::alphabetical);
  EXPECT_EQ(column(3), (QStringList{"10.0", "A", "0.0", "20.0", "", "a"}));
  EXPECT_EQ(column(4), (QStringList{"   10.0", "   10.0", "   10.0", "   30.0", "   30.0", "   30.0"}));
  EXPECT_EQ(sums.total, 30.0);
  EXPECT_EQ(sums.count, 3);
}

TEST_F(mark_list_rows_test, orders_by_name_case_sensitively_or_by_mark_with_the_uncounted_last) {
  const std::vector<cycle_list_record> learners{{"1001", "de Wet", "20.0"}, {"1002", "Venter", "A"},
                                                {"1003", "Adams", "35.5"},  {"1004", "Botha", ""},
                                                {"1005", "Cloete", "0.0"},  {"1006", "Erasmus", "35.5"}};
  struct order_case {
    mark_list_order order;
    QStringList places;  // column 0: the place in the table travels with its row
    QStringList totals;
  };
  const order_case cases[] = {
      {mark_list_order::alphabetical,
       {"3", "4", "5", "6", "2", "1"},
       {"   35.5", "   35.5", "   35.5", "   71.0", "   71.0", "   91.0"}},
      {mark_list_order::by_mark,
       {"3", "6", "1", "5", "2", "4"},
       {"   35.5", "   71.0", "   91.0", "   91.0", "   91.0", "   91.0"}},
  };
  for (const order_case& c : cases) {
    SCOPED_TRACE(int(c.order));
    fill(learners, c.order);
    EXPECT_EQ(column(0), c.places);
    EXPECT_EQ(column(4), c.totals);
  }
}

TEST_F(mark_list_rows_test, obe_records_bring_names_and_codes_shown_by_their_entries) {
  fill({{"1001", "Adams", "10.0"}, {"1002", "", "20.0"}, {"1003", "Cloete", "30.0"}, {"1003", "Twin", "5.0"}},
       mark_list_order::by_mark,
       {{"1002", "Botha from OBE", "2", "3"},
        {"1001", "Not used", "9", "03"},
        {"1003", "", "", ""},
        {"1003", "", "1", "7"},
        {"9999", "Nobody", "1", "01"}});
  // By mark: Cloete, Botha, Adams, Twin.
  EXPECT_EQ(column(2), (QStringList{"Cloete", "Botha from OBE", "Adams", "Twin"}));
  // An unknown key and code show as stored; the second record of a number
  // goes to the first learner with it, over the first record.
  EXPECT_EQ(column(5), (QStringList{"1 Uitstekend", "2 Goed", "9", ""}));
  EXPECT_EQ(column(6), (QStringList{"7", "03 Moet oefen", "03 Moet oefen", ""}));
}

TEST_F(mark_list_rows_test, the_average_line_needs_a_counted_mark_and_a_print_total_above_0) {
  struct average_case {
    mark_list_sums sums;
    QString print_total;
    bool afrikaans;
    std::optional<std::array<QString, 3>> lines;
  };
  using lines = std::array<QString, 3>;
  const average_case cases[] = {
      {{30, 3}, "50", false, lines{"AVERAGE := ", "10.0", "20.0%"}},
      {{62.456, 1}, "80", true, lines{"GEMIDDELD := ", "62.5", "78.1%"}},
      {{250, 2}, " 62.5 ", false, lines{"AVERAGE := ", "125.0", "200.0%"}},
      {{0, 0}, "50", false, std::nullopt},
      {{30, 3}, "0", false, std::nullopt},
      {{30, 3}, "", false, std::nullopt},
      {{30, 3}, "50abc", false, std::nullopt},
      {{30, 3}, "-50", false, std::nullopt},
  };
  for (const average_case& c : cases) {
    SCOPED_TRACE(c.print_total.toStdString());
    g_language = c.afrikaans;
    const std::optional<mark_list_average> got = mark_list_average_lines(c.sums, c.print_total);
    ASSERT_EQ(got.has_value(), c.lines.has_value());
    if (got) {
      EXPECT_EQ((lines{got->label, got->average, got->percentage}), *c.lines);
    }
  }
}

}  // namespace
}  // namespace km
