#include "printing/column_autofit.h"

#include <cmath>

#include "platform/model/grid/flex_grid.h"
#include "platform/value.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::flex_grid;
using platform::printer;
using platform::scale_unit;

// With the fixed metrics a character is 12 twips per point of font size
// wide: 120 twips at 10 points.
class column_autofit_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    grid.set_fixed_cols(0);
    grid.set_font(platform::print_font{QStringLiteral("Arial"), 10.0});
  }

  // A grid of `rows` x `cols` with every column `width` twips wide.
  void shape(int rows, int cols, int width = 500) {
    grid.set_rows(rows);
    grid.set_cols(cols);
    for (int c = 0; c < cols; ++c) grid.set_col_width(c, width);
  }

  // The printable width in twips.
  static double page_width() {
    const scale_unit mode = printer().scale_mode();
    printer().set_scale_mode(scale_unit::twips);
    const double width = printer().scale_width();
    printer().set_scale_mode(mode);
    return width;
  }

  flex_grid grid;
};

TEST_F(column_autofit_test, a_fitted_grid_is_left_alone) {
  shape(2, 7);
  grid.set_text_matrix(1, 0, QStringLiteral("A MUCH LONGER TEXT THAN FITS"));
  grid.set_tag(QStringLiteral("autofit"));
  autofit_flexgrid_columns(grid, 60, 0);
  for (int c = 0; c < grid.cols(); ++c) EXPECT_EQ(grid.col_width(c), 500) << c;
}

TEST_F(column_autofit_test, columns_take_their_widest_text_in_each_cells_font_plus_margins) {
  shape(3, 3);
  grid.set_text_matrix(0, 0, QStringLiteral("NAME"));
  grid.set_text_matrix(1, 0, QStringLiteral("ABCDEF"));  // 720
  grid.set_text_matrix(0, 1, QStringLiteral("MARK"));    // 480
  grid.set_row(2);
  grid.set_col(1);
  grid.set_cell_font_size(20);
  grid.set_text(QStringLiteral("AB"));                 // 2 x 240 in its own font
  grid.set_text_matrix(0, 2, QStringLiteral("X   "));  // trailing blanks are measured too

  autofit_flexgrid_columns(grid, 60, 0);
  EXPECT_EQ(grid.col_width(0), 720 + 120);
  EXPECT_EQ(grid.col_width(1), 480 + 120);
  EXPECT_EQ(grid.col_width(2), 480 + 120);
  EXPECT_EQ(grid.tag(), QStringLiteral("autofit"));

  // Fitted once: new texts do not change the widths any more.
  grid.set_text_matrix(1, 0, QStringLiteral("ABCDEFGHIJKLMNOP"));
  autofit_flexgrid_columns(grid, 60, 0);
  EXPECT_EQ(grid.col_width(0), 840);
}

TEST_F(column_autofit_test, a_rotated_heading_is_two_w_wide_whatever_its_length) {
  shape(2, 2);
  grid.set_text_matrix(0, 0, QStringLiteral("~~R~~CONTINUOUS ASSESSMENT TOTAL"));
  grid.set_row(0);
  grid.set_col(1);
  grid.set_cell_font_size(8);
  grid.set_text(QStringLiteral("  ~~R~~TEST"));
  autofit_flexgrid_columns(grid, 15, 0);
  EXPECT_EQ(grid.col_width(0), 2 * 120 + 30);
  EXPECT_EQ(grid.col_width(1), 2 * 96 + 30);  // in the cell's own font
}

TEST_F(column_autofit_test, hidden_columns_and_merged_rows_and_the_spare_room) {
  shape(3, 4, 700);
  grid.set_col_width(1, 0);  // hidden, blank heading: no spacer
  grid.set_text_matrix(0, 0, QStringLiteral("NAME"));
  grid.set_text_matrix(1, 0, QStringLiteral("ABC"));
  grid.set_text_matrix(1, 1, QStringLiteral("HIDDEN TEXT"));
  grid.set_merge_row(2, true);
  grid.set_text_matrix(2, 2,
                       QStringLiteral("ONLY IN A MERGED ROW, NEVER MEASURED"));  // blank heading: spacer
  grid.set_text_matrix(1, 3, QStringLiteral("AB"));  // blank heading but measured: no spacer

  autofit_flexgrid_columns(grid, 60, 0);
  EXPECT_EQ(grid.col_width(0), 480 + 120);
  EXPECT_EQ(grid.col_width(1), 0);
  EXPECT_EQ(grid.col_width(3), 240 + 120);
  // Column 2 is the only spacer: 90 % of what the fitted columns and its
  // margins leave of the page.
  const double room = std::floor(page_width() - (600 + 360) - 120);
  EXPECT_EQ(grid.col_width(2), int(platform::round_half_even(0.9 * room)));
}

TEST_F(column_autofit_test, spare_room_is_shared_by_any_number_of_spacers) {
  shape(2, 150, 10);
  grid.set_text_matrix(0, 0, QStringLiteral("NAME"));
  autofit_flexgrid_columns(grid, 0, 0);
  EXPECT_EQ(grid.col_width(0), 480);
  const int share = int(platform::round_half_even(0.9 * std::floor(page_width() - 480) / 149));
  ASSERT_GT(share, 10);
  for (int c = 1; c < 150; ++c) EXPECT_EQ(grid.col_width(c), share) << c;
}

TEST_F(column_autofit_test, no_room_left_no_share) {
  shape(2, 3);
  const int chars = int(page_width() / 120) + 1;
  grid.set_text_matrix(0, 0, QString(chars, u'A'));  // wider than the page
  autofit_flexgrid_columns(grid, 60, 0);
  EXPECT_EQ(grid.col_width(0), chars * 120 + 120);
  EXPECT_EQ(grid.col_width(1), 500);
  EXPECT_EQ(grid.col_width(2), 500);

  // Room on the page, but less than the spacers' margins take.
  grid.set_tag(QString());
  const int fitting = int((page_width() - 600) / 120) - 1;
  grid.set_text_matrix(0, 0, QString(fitting, u'A'));
  autofit_flexgrid_columns(grid, 300, 0);
  ASSERT_LT(grid.col_width(0), page_width());
  EXPECT_EQ(grid.col_width(1), 500);
  EXPECT_EQ(grid.col_width(2), 500);
}

TEST_F(column_autofit_test, only_the_columns_asked_for_are_fitted) {
  shape(2, 3);
  for (int c = 0; c < 3; ++c) grid.set_text_matrix(0, c, QStringLiteral("ABC"));
  autofit_flexgrid_columns(grid, 0, 0, 2);
  EXPECT_EQ(grid.col_width(0), 360);
  EXPECT_EQ(grid.col_width(1), 360);
  EXPECT_EQ(grid.col_width(2), 500);
}

TEST_F(column_autofit_test, the_printer_keeps_its_scale_and_font) {
  shape(2, 2);
  grid.set_font(platform::print_font{QStringLiteral("Tahoma"), 14.0});
  grid.set_text_matrix(1, 1, QStringLiteral("TEXT"));
  grid.set_row(1);
  grid.set_col(1);
  grid.set_cell_font_name(QStringLiteral("Arial"));
  grid.set_cell_font_size(6);

  printer().set_scale_mode(scale_unit::characters);
  printer().set_font_name(QStringLiteral("Lucida Console"));
  printer().set_font_size(9);
  autofit_flexgrid_columns(grid, 60, 0);
  EXPECT_EQ(printer().scale_mode(), scale_unit::characters);
  EXPECT_EQ(printer().font_name(), QStringLiteral("Lucida Console"));
  EXPECT_EQ(printer().font_size(), 9);

  // A user scale comes back as it was.
  grid.set_tag(QString());
  printer().scale(0, 0, 100, 50);
  autofit_flexgrid_columns(grid, 60, 0);
  EXPECT_EQ(printer().scale_mode(), scale_unit::user);
  EXPECT_DOUBLE_EQ(printer().scale_width(), 100);
  EXPECT_DOUBLE_EQ(printer().scale_height(), 50);
}

TEST_F(column_autofit_test,
       a_table_kept_within_the_frame_takes_room_from_spare_space_first_and_widened_columns_last) {
  // Texts needing 240, 1200 and 600 twips (each with a 60-twip gap: 300,
  // 1260 and 660); the third column is the one widened to its text.
  const struct {
    const char* what;
    std::vector<int> widths;
    double right_limit;
    std::vector<int> expected;
  } table[] = {
      {"room enough: only the widened column grows", {2000, 2000, 100}, 10000, {2000, 2000, 660}},
      {"the space beyond the texts gives way, the roomiest first",
       {3000, 3000, 100},
       4000,
       {1190, 2150, 660}},
      {"then the other columns, not below ten characters, then all",
       {3000, 3000, 100},
       2000,
       {300, 1040, 660}},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.what);
    shape(1, 3);
    grid.set_text_matrix(0, 0, QStringLiteral("AB"));
    grid.set_text_matrix(0, 1, QStringLiteral("ABCDEFGHIJ"));
    grid.set_text_matrix(0, 2, QStringLiteral("ABCDE"));
    for (int col = 0; col < 3; ++col) grid.set_col_width(col, c.widths[std::size_t(col)]);
    fit_columns_within(grid, {2}, 0, 0, c.right_limit);
    EXPECT_EQ((std::vector<int>{grid.col_width(0), grid.col_width(1), grid.col_width(2)}), c.expected);
  }
}

}  // namespace
}  // namespace km::test
