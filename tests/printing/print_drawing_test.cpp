#include "printing/print_drawing.h"

#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::print_op;
using platform::printer;

class print_drawing_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    printer().set_scale_mode(platform::scale_unit::characters);
    g_print_page_columns = 93;
  }
  // The drawing operations of the document in hand.
  const std::vector<print_op>& ops() const {
    static const std::vector<print_op> none;
    const auto* doc = printer().pending_document();
    return doc ? doc->pages.back().ops : none;
  }
};

struct box_case {
  const char* what;
  double x2;
  bool no_clip;
  double drawn_x2;  // in columns
};

TEST_F(print_drawing_test, a_box_is_four_black_lines_cut_half_a_column_inside_the_page) {
  const box_case cases[] = {
      {"inside the page", 50.0, false, 50.0},
      {"beyond the page is cut", 120.0, false, 92.5},
      {"beyond the page with no_clip", 120.0, true, 120.0},
      {"exactly at the limit", 92.5, false, 92.5},
  };
  for (const box_case& c : cases) {
    SCOPED_TRACE(c.what);
    printer().kill_doc();
    printer().set_fore_color(Qt::red);  // the frame is black whatever the ink
    print_box(1, 2, c.x2, 10, false, c.no_clip);
    ASSERT_EQ(ops().size(), 4u);
    const double x1 = 120, y1 = 480, x2 = c.drawn_x2 * 120, y2 = 2400;
    const double expected[4][4] = {{x1, y1, x2, y1}, {x2, y1, x2, y2}, {x1, y2, x2, y2}, {x1, y1, x1, y2}};
    for (int i = 0; i < 4; ++i) {
      const print_op& op = ops()[std::size_t(i)];
      EXPECT_EQ(op.what, print_op::kind::line);
      EXPECT_EQ(op.color, QColor(Qt::black));
      EXPECT_DOUBLE_EQ(op.x1, expected[i][0]);
      EXPECT_DOUBLE_EQ(op.y1, expected[i][1]);
      EXPECT_DOUBLE_EQ(op.x2, expected[i][2]);
      EXPECT_DOUBLE_EQ(op.y2, expected[i][3]);
    }
  }
}

TEST_F(print_drawing_test, a_bold_box_draws_a_second_outline_moved_right_and_down) {
  print_box(1, 2, 50, 10, true, true);
  ASSERT_EQ(ops().size(), 8u);
  // Second outline: left +0.5 column (60 twips), right +0.25 column (30),
  // top and bottom +0.25 line (60).
  const print_op& top = ops()[4];
  EXPECT_DOUBLE_EQ(top.x1, 120 + 60);
  EXPECT_DOUBLE_EQ(top.y1, 480 + 60);
  EXPECT_DOUBLE_EQ(top.x2, 6000 + 30);
  const print_op& left = ops()[7];
  EXPECT_DOUBLE_EQ(left.x1, 180);
  EXPECT_DOUBLE_EQ(left.y2, 2400 + 60);
}

TEST_F(print_drawing_test, a_rule_is_cut_like_a_box_and_never_in_y) {
  print_line(0.25, 5, 200, 80);
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].what, print_op::kind::line);
  EXPECT_DOUBLE_EQ(ops()[0].x2, 92.5 * 120);
  EXPECT_DOUBLE_EQ(ops()[0].y2, 80 * 240);
  // The print position ends at the line's end.
  EXPECT_DOUBLE_EQ(printer().current_x(), 92.5);
  EXPECT_DOUBLE_EQ(printer().current_y(), 80);
}

TEST_F(print_drawing_test, a_thick_rule_is_a_filled_bar_a_tenth_of_a_line_high) {
  print_line(1, 5, 40, 5, true, false);
  ASSERT_EQ(ops().size(), 1u);
  const print_op& bar = ops()[0];
  EXPECT_EQ(bar.what, print_op::kind::filled_box);
  EXPECT_EQ(bar.color, QColor(Qt::black));
  EXPECT_DOUBLE_EQ(bar.y1, 1200);
  EXPECT_DOUBLE_EQ(bar.y2, 1200 + 24);
}

TEST_F(print_drawing_test, nothing_is_drawn_during_an_excel_export) {
  g_export_excel = true;
  printer().set_current_x(3);
  printer().set_current_y(4);
  print_box(1, 1, 10, 10, true, false);
  print_line(1, 1, 10, 1, true, false);
  print_line(1, 1, 10, 1);
  EXPECT_FALSE(printer().document_open());
  EXPECT_DOUBLE_EQ(printer().current_x(), 3);
  EXPECT_DOUBLE_EQ(printer().current_y(), 4);
}

TEST_F(print_drawing_test, the_clip_follows_the_current_scale) {
  // In twips the limit is (93 - 0.5) columns of 120 twips.
  printer().set_scale_mode(platform::scale_unit::twips);
  print_line(0, 0, 20000, 0);
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_DOUBLE_EQ(ops()[0].x2, 92.5 * 120);
}

}  // namespace
}  // namespace km::test
