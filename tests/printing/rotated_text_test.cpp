#include "printing/rotated_text.h"

#include "platform/model/grid/flex_grid.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::print_op;
using platform::printer;

constexpr double twips_per_dot = 1440.0 / print_picture::dots_per_inch;

// Rows of the picture (from the top) that hold any dark pixel.
std::vector<int> dark_rows(const QImage& image) {
  std::vector<int> rows;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        rows.push_back(y);
        break;
      }
  return rows;
}

class rotated_text_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    printer().set_font_name(QStringLiteral("Lucida Console"));
    printer().set_font_size(10);
    grid.set_row_height(grid.row(), 1440);
  }
  platform::flex_grid grid;
};

TEST_F(rotated_text_test, each_heading_gets_a_picture_of_its_own) {
  print_rotated_text(QStringLiteral("TASK 1"), grid);
  EXPECT_EQ(rotated_picture_count(), 1);
  print_rotated_text(QStringLiteral("TASK 2"), grid);
  EXPECT_EQ(rotated_picture_count(), 2);
  EXPECT_NE(rotated_picture(0), rotated_picture(1));
}

TEST_F(rotated_text_test, a_short_heading_is_as_tall_as_the_row_and_starts_at_its_bottom) {
  // "TASK" is 480 twips wide in Lucida Console 10; the row is 1440 high.
  const QImage picture = print_rotated_text(QStringLiteral("TASK"), grid);
  EXPECT_EQ(picture.height(), 300);  // 1440 twips at 300 dots per inch
  EXPECT_EQ(picture.width(), 50);    // one 240-twip line
  // Printed at its own size, the picture keeps its size in twips.
  EXPECT_NEAR(picture.height() / (picture.dotsPerMeterY() * 0.0254) * 1440, 1440, 1);
  const std::vector<int> rows = dark_rows(picture);
  ASSERT_FALSE(rows.empty());
  EXPECT_GE(rows.front(), int((1440 - 480) / twips_per_dot) - 3);  // nothing above the text
  EXPECT_GE(rows.back(), 280);                                     // it reaches down to the bottom
}

TEST_F(rotated_text_test, a_long_heading_makes_the_picture_taller_than_the_row) {
  const QString text = QStringLiteral("CONTINUOUS ASSESSMENT");  // 21 x 120 = 2520 twips
  const QImage picture = print_rotated_text(text, grid);
  EXPECT_EQ(picture.height(), int(std::ceil(2520 / twips_per_dot)));
  const std::vector<int> rows = dark_rows(picture);
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(rows.front(), 10);  // the text fills the picture from the bottom to the top
}

struct back_case {
  std::uint32_t back;
  QColor expected;
};

TEST_F(rotated_text_test, headings_are_measured_in_the_font_they_are_drawn_in) {
  EXPECT_DOUBLE_EQ(measure_heading_text(QStringLiteral("W")), 120);
  EXPECT_DOUBLE_EQ(measure_heading_text(QStringLiteral("AB\r\nABCD")), 480);  // the widest line
  printer().set_font_size(8);
  EXPECT_DOUBLE_EQ(measure_heading_text(QStringLiteral("W")), 96);
  // Two lines make a picture two lines wide.
  EXPECT_EQ(print_rotated_text(QStringLiteral("A\r\nB"), grid).width(),
            int(std::ceil(2 * 192 / twips_per_dot)));
}

TEST_F(rotated_text_test, the_picture_has_its_back_colour_and_0_means_white) {
  const back_case cases[] = {
      {0, Qt::white},
      {0x00FFFF, QColor(255, 255, 0)},  // 0x00BBGGRR: yellow
      {0xC0C0C0, QColor(192, 192, 192)},
  };
  for (const back_case& c : cases) {
    const QImage picture = print_rotated_text(QStringLiteral("A"), grid, c.back);
    EXPECT_EQ(QColor(picture.pixel(0, 0)), c.expected);
    EXPECT_EQ(QColor(picture.pixel(picture.width() - 1, 0)), c.expected);
  }
}

TEST_F(rotated_text_test, on_the_printer_the_text_is_turned_and_the_position_kept) {
  printer().set_scale_mode(platform::scale_unit::characters);
  printer().set_current_x(3);
  printer().set_current_y(4);
  EXPECT_TRUE(create_rotated_font(printer(), 10, 20, 90, QStringLiteral("UP")));
  EXPECT_TRUE(create_rotated_font(printer(), 10, 21, 0, QStringLiteral("ACROSS")));
  EXPECT_DOUBLE_EQ(printer().current_x(), 3);
  EXPECT_DOUBLE_EQ(printer().current_y(), 4);
  const auto& ops = printer().pending_document()->pages.back().ops;
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[0].text, QStringLiteral("UP"));
  EXPECT_EQ(ops[0].angle_tenths, 900);
  EXPECT_DOUBLE_EQ(ops[0].x1, 1200);
  EXPECT_DOUBLE_EQ(ops[0].y1, 4800);
  EXPECT_EQ(ops[1].angle_tenths, 0);
  EXPECT_FALSE(create_rotated_font(printer(), 0, 0, std::nan(""), QStringLiteral("X")));
}

TEST_F(rotated_text_test, on_a_picture_the_print_position_is_kept_too) {
  print_picture picture(480, 480);
  picture.current_x = 12;
  picture.current_y = 34;
  EXPECT_TRUE(create_rotated_font(picture, 0, 0, 0, QStringLiteral("AB")));
  EXPECT_DOUBLE_EQ(picture.current_x, 12);
  EXPECT_DOUBLE_EQ(picture.current_y, 34);
  // At angle 0 the text lies across the top of the picture.
  const std::vector<int> rows = dark_rows(picture.image());
  ASSERT_FALSE(rows.empty());
  EXPECT_LT(rows.back(), int(240 / twips_per_dot));
}

}  // namespace
}  // namespace km::test
