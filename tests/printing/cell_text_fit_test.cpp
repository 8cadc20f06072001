#include "printing/cell_text_fit.h"

#include "printed_ops.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::print_op;
using platform::printer;

// With the fixed metrics at 10 points every character is 120 twips wide
// and a line is 240 twips high.
class cell_text_fit_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    printer().set_scale_mode(platform::scale_unit::twips);
    printer().set_font_name(QStringLiteral("Arial"));
    printer().set_font_size(10);
  }
};

struct fit_case {
  const char* name;
  QString text;
  double width;
  QString expected;
};

TEST_F(cell_text_fit_test, texts_are_cut_from_the_right_to_fit_their_column) {
  const fit_case cases[] = {
      {"blank text gives nothing", QStringLiteral("   "), 1000, QString()},
      {"empty text gives nothing", QString(), 1000, QString()},
      {"a fitting text keeps its trailing blanks", QStringLiteral("AB  "), 480, QStringLiteral("AB  ")},
      {"a fitting text keeps its leading blanks", QStringLiteral("  AB"), 480, QStringLiteral("  AB")},
      {"cut to the widest part that fits", QStringLiteral("ABCDEFG"), 400, QStringLiteral("ABC")},
      {"the exact width fits", QStringLiteral("ABCD"), 480, QStringLiteral("ABCD")},
      {"narrower than the first character keeps it", QStringLiteral("ABCDEF"), 50, QStringLiteral("A")},
      {"two characters keep the first", QStringLiteral("AB"), 50, QStringLiteral("A")},
      {"one character too wide gives nothing", QStringLiteral("A"), 50, QString()},
  };
  for (const fit_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fit_text_to_width(c.text, c.width), c.expected);
  }
}

TEST_F(cell_text_fit_test, only_the_first_new_line_marker_splits_and_both_lines_are_fitted) {
  printer().set_current_y(1000);
  QString text = QStringLiteral("A~NL~B~NL~CDEFGHIJ");
  const double last = print_multiline_cell(300, text, 1200);  // 10 characters

  const std::vector<print_op> texts = printed_texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, QStringLiteral(" A"));
  EXPECT_EQ(texts[0].x1, 300);
  EXPECT_EQ(texts[0].y1, 1000);
  // "B~NL~CDEFGHIJ" is 13 characters, fitted to 10 before the blank is put in front.
  EXPECT_EQ(texts[1].text, QStringLiteral(" B~NL~CDEFG"));
  EXPECT_EQ(texts[1].x1, 300);
  EXPECT_EQ(texts[1].y1, 1240);
  EXPECT_EQ(last, 1240);                   // the second line's y
  EXPECT_EQ(printer().current_y(), 1000);  // the printer's y is back
}

TEST_F(cell_text_fit_test, the_marker_wins_over_line_breaks) {
  QString text = QStringLiteral("ONE\r\nTWO~NL~THREE");
  print_multiline_cell(0, text, 5000);
  const std::vector<print_op> texts = printed_texts();
  ASSERT_EQ(texts.size(), 3u);  // the CR LF in the first part is printed as a line break
  EXPECT_EQ(texts[0].text, QStringLiteral(" ONE"));
  EXPECT_EQ(texts[1].text, QStringLiteral("TWO"));
  EXPECT_EQ(texts[2].text, QStringLiteral(" THREE"));
}

TEST_F(cell_text_fit_test, line_breaks_print_every_line_whole_and_fit_only_the_last) {
  printer().set_current_y(500);
  QString text = QStringLiteral("FIRST LONG LINE\r\nSECOND LONG LINE\r\nLAST LONG LINE");
  const double last = print_multiline_cell(240, text, 600);  // 5 characters

  const std::vector<print_op> texts = printed_texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, QStringLiteral(" FIRST LONG LINE"));
  EXPECT_EQ(texts[1].text, QStringLiteral(" SECOND LONG LINE"));
  EXPECT_EQ(texts[2].text, QStringLiteral(" LAST "));  // 5 characters and the blank
  for (const print_op& op : texts) EXPECT_EQ(op.x1, 240);
  // One line down and one twip more after each line break.
  EXPECT_EQ(texts[0].y1, 500);
  EXPECT_EQ(texts[1].y1, 741);
  EXPECT_EQ(texts[2].y1, 982);
  EXPECT_EQ(last, 982);
  EXPECT_EQ(printer().current_y(), 500);
  EXPECT_EQ(text, QStringLiteral("LAST LONG LINE"));  // the broken-off lines are gone from the text
}

TEST_F(cell_text_fit_test, a_text_ending_in_a_line_break_prints_no_empty_last_line) {
  printer().set_current_y(0);
  QString text = QStringLiteral("ONLY\r\n");
  const double last = print_multiline_cell(0, text, 600);
  const std::vector<print_op> texts = printed_texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, QStringLiteral(" ONLY"));
  EXPECT_EQ(last, 241);  // below the printed line
  EXPECT_EQ(printer().current_y(), 0);
}

TEST_F(cell_text_fit_test, a_single_line_is_fitted_and_led_by_a_blank) {
  printer().set_current_y(100);
  QString text = QStringLiteral("MATHEMATICS");
  const double last = print_multiline_cell(60, text, 480);
  const std::vector<print_op> texts = printed_texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, QStringLiteral(" MATH"));
  EXPECT_EQ(texts[0].x1, 60);
  EXPECT_EQ(last, 100);
  EXPECT_EQ(printer().current_y(), 100);
}

}  // namespace
}  // namespace km::test
