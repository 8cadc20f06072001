#include "printing/grid_print_common.h"

#include "printed_ops.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::flex_grid;
using platform::grid_alignment;
using platform::print_op;
using platform::printer;
using platform::scale_unit;

class grid_print_common_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    printer().set_scale_mode(scale_unit::twips);
    printer().set_font(platform::print_font{QStringLiteral("Arial"), 10.0});
    grid.set_rows(2);
    grid.set_cols(4);
    const int widths[] = {1000, 0, 600, 400};
    for (int c = 0; c < 4; ++c) grid.set_col_width(c, widths[c]);
  }

  flex_grid grid;
};

TEST_F(grid_print_common_test, the_cell_margin_follows_the_orientation) {
  EXPECT_EQ(grid_cell_margin(false), 60);
  EXPECT_EQ(grid_cell_margin(true), 0);
  printer().set_orientation(platform::page_orientation::landscape);
  EXPECT_EQ(grid_cell_margin(false), 15);
  EXPECT_EQ(grid_cell_margin(true), 0);
}

TEST_F(grid_print_common_test, column_edges_with_and_without_room_for_hidden_columns) {
  const grid_columns with = measure_grid_columns(grid, 100, 60, hidden_column_room::margins);
  EXPECT_EQ(with.widths, (std::vector<int>{1000, 0, 600, 400}));
  EXPECT_EQ(with.right_edges, (std::vector<double>{1220, 1340, 2060, 2580}));
  EXPECT_EQ(with.table_right, 2580);

  const grid_columns without = measure_grid_columns(grid, 100, 60, hidden_column_room::none);
  EXPECT_EQ(without.right_edges, (std::vector<double>{1220, 1220, 1940, 2460}));
  EXPECT_EQ(without.table_right, 2460);

  // Centres from the table's edge without the offset; no margins after the hidden column.
  EXPECT_EQ(with.centres, (std::vector<double>{560, 1180, 1480, 2100}));
  EXPECT_EQ(with.centres, without.centres);
}

TEST_F(grid_print_common_test, a_table_wider_than_the_page_is_cut_one_character_short_of_it) {
  grid.set_col_width(3, 40000);
  const grid_columns columns = measure_grid_columns(grid, 0, 60, hidden_column_room::margins);
  EXPECT_EQ(columns.right_edges.back(), 1120 + 120 + 720 + 40120);
  EXPECT_EQ(columns.table_right, printer().scale_width() - 120);
  // Centring such a table leaves one character at the left.
  EXPECT_EQ(centred_left_offset(grid, 60), 120);
}

TEST_F(grid_print_common_test, a_narrow_table_is_centred_with_every_columns_margins) {
  const double total = 1000 + 0 + 600 + 400 + 4 * 120;
  EXPECT_DOUBLE_EQ(centred_left_offset(grid, 60), (printer().scale_width() - total) / 2);
}

TEST_F(grid_print_common_test, cell_markers) {
  EXPECT_TRUE(is_rotated_heading(QStringLiteral("~~R~~TERM")));
  EXPECT_FALSE(is_rotated_heading(QStringLiteral("TERM ~~R~~")));
  EXPECT_TRUE(is_split_cell(QStringLiteral("a\u00A6a")));
  EXPECT_FALSE(is_split_cell(QStringLiteral("a|a")));
  EXPECT_FALSE(is_split_cell(QStringLiteral("A\u00A6A")));
  EXPECT_EQ(rotated_heading_text(QStringLiteral("~~R~~ TERM~~R~~ 1 ")), QStringLiteral("TERM 1"));
}

TEST_F(grid_print_common_test, a_cells_font_and_colour_go_to_the_printer) {
  grid.set_row(1);
  grid.set_col(2);
  grid.set_cell_font_name(QStringLiteral("Tahoma"));
  grid.set_cell_font_size(7);
  grid.set_cell_font_bold(true);
  grid.set_cell_font_italic(true);
  grid.set_cell_font_underline(true);
  grid.set_cell_font_strikethrough(true);
  grid.set_cell_fore_color(flex_grid::rgb(200, 10, 20));
  apply_cell_font(grid.style_at(1, 2));
  EXPECT_EQ(printer().font(), (platform::print_font{QStringLiteral("Tahoma"), 7.0, true, true, true, true}));
  EXPECT_EQ(printer().fore_color(), QColor(200, 10, 20));

  apply_cell_font(grid.style_at(1, 3));  // the grid's font, black
  EXPECT_EQ(printer().font(), grid.font());
  EXPECT_EQ(printer().fore_color(), QColor(Qt::black));
}

TEST_F(grid_print_common_test, the_first_printed_cell_of_a_row_places_its_text_line) {
  double row_text_y = -1;
  printer().set_current_y(1000);
  move_to_row_text_line(row_text_y, 400, 10);  // 400 - 200 twips
  EXPECT_EQ(printer().current_y(), 1200);
  EXPECT_EQ(row_text_y, 1200);
  printer().set_current_y(1000);
  move_to_row_text_line(row_text_y, 400, 6);  // later cells keep the line
  EXPECT_EQ(printer().current_y(), 1200);
}

TEST_F(grid_print_common_test, placement_comes_from_the_cell_or_its_column) {
  struct placement_case {
    grid_alignment cell, column;
    cell_placement expected;
  };
  const placement_case cases[] = {
      {grid_alignment::center_center, grid_alignment::general, cell_placement::centre},
      {grid_alignment::general, grid_alignment::center_center, cell_placement::centre},
      {grid_alignment::right_center, grid_alignment::general, cell_placement::right},
      {grid_alignment::left_bottom, grid_alignment::right_center,
       cell_placement::right},  // right is tried first
      {grid_alignment::left_bottom, grid_alignment::left_top, cell_placement::left},
      {grid_alignment::right_top, grid_alignment::general, cell_placement::general},
      {grid_alignment::left_center, grid_alignment::center_bottom, cell_placement::general},
  };
  for (const placement_case& c : cases) {
    platform::grid_cell_style style;
    style.alignment = c.cell;
    EXPECT_EQ(cell_text_placement(style, c.column), c.expected) << int(c.cell) << " " << int(c.column);
  }
}

TEST_F(grid_print_common_test, texts_are_placed_in_their_column_by_placement) {
  struct text_case {
    cell_placement placement;
    QString text;
    double expected_x;
    QString expected_text;
  };
  // The column's text area starts at 1000 and is 960 wide; the margin is 60.
  const text_case cases[] = {
      {cell_placement::centre, QStringLiteral("AB  "), 1000 + (960 - 240) / 2.0, QStringLiteral("AB  ")},
      {cell_placement::right, QStringLiteral("AB  "), 1000 + 960 - 240 - 60, QStringLiteral("AB  ")},
      {cell_placement::left, QStringLiteral("AB"), 1000, QStringLiteral("AB")},
      {cell_placement::general, QStringLiteral("AB"), 1000, QStringLiteral("AB")},
      {cell_placement::general, QStringLiteral("ABCDEFGHIJ"), 940, QStringLiteral("ABCDEFGH")},
  };
  for (const text_case& c : cases) {
    printer().kill_doc();
    printer().set_current_y(500);
    print_placed_cell_text(1000, c.text, 960, 60, c.placement);
    const std::vector<print_op> texts = printed_texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x1, c.expected_x) << c.text.toStdString();
    EXPECT_EQ(texts[0].y1, 500);
    EXPECT_EQ(texts[0].text, c.expected_text);
  }
}

}  // namespace
}  // namespace km::test
