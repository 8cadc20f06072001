// The workbook model: values, styles shared between cells, merges joined,
// borders as edges of cells, and the auto-fits of columns and rows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "platform/model/print/text_metrics.h"
#include "platform/model/workbook/workbook.h"
#include "platform/model/workbook/worksheet_data.h"

namespace km::platform {
namespace {

workbook_font font_of(double size, bool bold = false) {
  workbook_font f;
  f.size = size;
  f.bold = bold;
  return f;
}

TEST(workbook_model, values_and_their_texts) {
  worksheet s;
  EXPECT_EQ(s.last_row(), 0);
  EXPECT_EQ(s.last_column(), 0);
  s.set_text(2, 3, "Ann");
  s.set_number(4, 1, 2.5);
  s.set_number(4, 2, 12345678901.0);
  EXPECT_EQ(s.text(2, 3), "Ann");
  EXPECT_EQ(s.text(4, 1), "2.5");
  EXPECT_EQ(s.text(4, 2), "12345678901");
  EXPECT_TRUE(s.is_number(4, 1));
  EXPECT_FALSE(s.is_number(2, 3));
  EXPECT_EQ(s.text(9, 9), "");
  EXPECT_EQ(s.last_row(), 4);
  EXPECT_EQ(s.last_column(), 3);

  // An emptied cell keeps its formats and still counts as used.
  s.set_font(6, 5, font_of(12, true));
  s.set_text(6, 5, "x");
  s.set_empty(6, 5);
  EXPECT_EQ(s.text(6, 5), "");
  EXPECT_TRUE(s.font(6, 5).bold);
  EXPECT_EQ(s.last_row(), 6);
  EXPECT_EQ(s.last_column(), 5);

  // A cell emptied that never had a format is not used, nor is one given
  // an empty text, nor a row given a height.
  s.set_empty(9, 9);
  s.set_text(10, 1, "");
  s.set_row_height(11, 30);
  EXPECT_EQ(s.last_row(), 6);
}

TEST(workbook_model, measures_and_sheets) {
  workbook book;
  ASSERT_EQ(book.sheet_count(), 1);
  worksheet& s = book.sheet(1);
  EXPECT_DOUBLE_EQ(s.column_width(3), default_column_width);
  EXPECT_DOUBLE_EQ(s.row_height(7), default_row_height);
  s.set_column_width(3, 0);
  s.set_row_height(7, 43.5);
  EXPECT_DOUBLE_EQ(s.column_width(3), 0);
  EXPECT_DOUBLE_EQ(s.row_height(7), 43.5);

  book.add_sheet().set_text(1, 1, "second");
  EXPECT_EQ(book.sheet_count(), 2);
  EXPECT_EQ(book.sheet(2).text(1, 1), "second");
  EXPECT_THROW(book.sheet(0), std::out_of_range);
  EXPECT_THROW(book.sheet(3), std::out_of_range);
  EXPECT_THROW(s.set_text(0, 1, "x"), std::out_of_range);
  EXPECT_THROW(s.set_text(1, max_columns + 1, "x"), std::out_of_range);
}

TEST(workbook_model, cell_fonts_follow_the_sheet_font_name) {
  worksheet s;
  EXPECT_EQ(s.font(1, 1).name, "Calibri");
  EXPECT_DOUBLE_EQ(s.font(1, 1).size, default_font_size);
  workbook_font arial = font_of(8);
  arial.name = "Arial";
  s.set_font(1, 1, arial);
  s.set_font(1, 2, font_of(14));
  EXPECT_EQ(s.font(1, 1).name, "Arial");
  EXPECT_EQ(s.font(1, 2).name, "Calibri");

  // Setting the sheet's font name renames every cell, named ones too.
  s.set_font_name("Lucida Console");
  EXPECT_EQ(s.font(1, 1).name, "Lucida Console");
  EXPECT_DOUBLE_EQ(s.font(1, 1).size, 8);
  EXPECT_EQ(s.font(1, 2).name, "Lucida Console");
  EXPECT_EQ(s.font(5, 5).name, "Lucida Console");
  // A name given afterwards holds.
  s.set_font(1, 1, arial);
  EXPECT_EQ(s.font(1, 1).name, "Arial");
}

TEST(workbook_model, cells_of_one_look_share_one_style) {
  worksheet s;
  for (int r = 1; r <= 200; ++r)
    for (int c = 1; c <= 10; ++c) s.set_number(r, c, r * c);
  s.set_borders({1, 1, 200, 10}, true);
  s.set_fill({1, 1, 2, 10}, 0xF7F7F7);
  for (int c = 1; c <= 10; ++c) s.set_font(1, c, font_of(10, true));
  // The default, bordered, bordered and filled, and that in bold.
  EXPECT_EQ(s.data().styles.size(), 4u);
}

TEST(workbook_model, overlapping_merges_are_joined) {
  struct merge_case {
    const char* what;
    std::vector<cell_range> given;
    std::vector<cell_range> written;
  };
  const merge_case cases[] = {
      {"X X X merged in pairs", {{3, 1, 3, 2}, {3, 2, 3, 3}}, {{3, 1, 3, 3}}},
      {"pairs side by side stay apart", {{3, 1, 3, 2}, {3, 3, 3, 4}}, {{3, 1, 3, 2}, {3, 3, 3, 4}}},
      {"rows one above the other stay apart", {{1, 1, 1, 2}, {2, 1, 2, 2}}, {{1, 1, 1, 2}, {2, 1, 2, 2}}},
      {"a later merge bridges two", {{3, 3, 3, 4}, {3, 1, 3, 2}, {3, 2, 3, 3}}, {{3, 1, 3, 4}}},
      {"the same merge twice", {{2, 2, 2, 5}, {2, 2, 2, 5}}, {{2, 2, 2, 5}}},
      {"corners given backwards", {{4, 6, 4, 2}}, {{4, 2, 4, 6}}},
      {"across rows, the bounding range", {{1, 2, 2, 3}, {2, 1, 2, 2}}, {{1, 1, 2, 3}}},
      {"the grown range reaches a third", {{5, 1, 5, 2}, {5, 4, 6, 5}, {5, 2, 5, 4}}, {{5, 1, 6, 5}}},
      {"ordered by row, then column",
       {{7, 5, 7, 6}, {2, 3, 2, 4}, {7, 1, 7, 2}},
       {{2, 3, 2, 4}, {7, 1, 7, 2}, {7, 5, 7, 6}}},
  };
  for (const merge_case& m : cases) {
    SCOPED_TRACE(m.what);
    worksheet s;
    for (const cell_range& r : m.given) s.merge(r);
    EXPECT_EQ(s.merges(), m.written);
  }
}

TEST(workbook_model, borders_compose_as_edges_of_cells) {
  worksheet s;
  // All lines of rows 6..10, then the heading band 6..7 loses its inside
  // horizontal, then one cell loses all its lines.
  s.set_borders({6, 1, 10, 3}, true);
  s.clear_inside_horizontal({6, 1, 7, 3});
  using e = worksheet::edges;
  struct edge_case {
    int row, column;
    e shown;
  };
  const edge_case before[] = {
      {6, 2, {true, false, true, true}},    {7, 2, {false, true, true, true}},
      {8, 2, {true, true, true, true}},     {10, 2, {true, true, true, true}},
      {11, 2, {true, false, false, false}},  // below: the table's bottom
      {5, 2, {false, true, false, false}},   // above: the table's top
      {6, 4, {false, false, true, false}},   // right of it
      {6, 1, {true, false, true, true}},
  };
  for (const edge_case& c : before) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.column);
    EXPECT_EQ(s.borders(c.row, c.column), c.shown);
  }

  s.set_borders({8, 2, 8, 2}, false);
  const edge_case after[] = {
      {8, 2, {false, false, false, false}}, {7, 2, {false, false, true, true}},
      {9, 2, {false, true, true, true}},    {8, 1, {true, true, true, false}},
      {8, 3, {true, true, false, true}},
  };
  for (const edge_case& c : after) {
    SCOPED_TRACE(testing::Message() << "after clearing, row " << c.row << " column " << c.column);
    EXPECT_EQ(s.borders(c.row, c.column), c.shown);
  }

  // Groups of three rows: the lines inside a group go, those between stay.
  worksheet g;
  g.set_borders({1, 1, 7, 1}, true);
  g.clear_inside_horizontal({1, 1, 3, 1});
  g.clear_inside_horizontal({4, 1, 6, 1});
  const bool line_below[] = {false, false, true, false, false, true, true};
  for (int r = 1; r <= 7; ++r) {
    SCOPED_TRACE(testing::Message() << "group row " << r);
    EXPECT_EQ(g.borders(r, 1).bottom, line_below[r - 1]);
    EXPECT_TRUE(g.borders(r, 1).left);
  }
}

class workbook_autofit : public ::testing::Test {
 protected:
  // Every character 0.6 em wide and a line 1.2 em high: at 10 points a
  // character is 120 twips (8 pixels) and a line 240 twips (12 points); at
  // the 11 points of a cell never given a font, 8.8 and 17.6 pixels.
  void SetUp() override { s.set_text_metrics(std::make_shared<fixed_text_metrics>()); }

  // Characters for a text of that many pixels: 2 pixels of slack, 7 pixels a
  // character, rounded up to 1/256.
  static double width_for(double pixels) { return std::ceil((pixels + 2) / 7 * 256 - 1e-9) / 256; }

  worksheet s;
};

TEST_F(workbook_autofit, column_width_grows_with_text_and_font_size) {
  struct fit_case {
    const char* text;
    double size;
    double pixels;
  };
  const fit_case cases[] = {
      {"ABCDE", 10, 40}, {"ABCDEFGHIJ", 10, 80}, {"ABCDE", 20, 80}, {"AB\nABCDEF", 10, 48}, {"A", 8, 6.4},
  };
  int column = 1;
  for (const fit_case& f : cases) {
    SCOPED_TRACE(f.text);
    s.set_text(2, column, f.text);
    s.set_font(2, column, font_of(f.size));
    s.set_text(3, column, "A");  // a shorter text below does not narrow it
    s.set_font(3, column, font_of(f.size));
    s.autofit_columns(column, column);
    EXPECT_DOUBLE_EQ(s.column_width(column), width_for(f.pixels));
    ++column;
  }
  EXPECT_DOUBLE_EQ(width_for(40), 6.0);
}

TEST_F(workbook_autofit, what_does_not_drive_a_column) {
  // Hidden: stays hidden.
  s.set_text(1, 1, "A long text in a hidden column");
  s.set_column_width(1, 0);
  // Merged: the long text of the merge is left out, the short one counts.
  s.set_text(1, 2, "A long merged heading");
  s.merge({1, 2, 1, 3});
  s.set_text(2, 2, "AB");
  // Turned 90 degrees: counts by its line height, not its length.
  s.set_text(1, 4, "A long rotated heading");
  s.set_rotation(1, 4, 90);
  // No text at all: left as it was.
  s.set_fill(1, 5, 0xF7F7F7);
  s.autofit_columns(1, 5);
  EXPECT_DOUBLE_EQ(s.column_width(1), 0);
  EXPECT_DOUBLE_EQ(s.column_width(2), width_for(2 * 8.8));
  EXPECT_DOUBLE_EQ(s.column_width(3), default_column_width);
  EXPECT_DOUBLE_EQ(s.column_width(4), width_for(17.6));
  EXPECT_DOUBLE_EQ(s.column_width(5), default_column_width);
}

TEST_F(workbook_autofit, numbers_count_as_shown) {
  s.set_number(1, 1, 12345678901.0);
  s.set_number(1, 2, 12345678901.0);
  s.set_column_number_format(2, "0000000000000");
  s.autofit_columns(1, 2);
  EXPECT_DOUBLE_EQ(s.column_width(1), width_for(11 * 8.8));
  EXPECT_DOUBLE_EQ(s.column_width(2), width_for(13 * 8.8));
}

// Without a test's metrics the fits measure with the fonts, as the printer
// does: the same width for the same text, font and size.
TEST(workbook_autofit_fonts, columns_measure_as_the_printer_does) {
  worksheet s;
  s.set_font_name("Arial");
  s.set_text(1, 1, "Learner surname, first name");
  s.set_text(1, 2, "Learner surname, first name");
  workbook_font big;
  big.size = 14;
  s.set_font(1, 2, big);
  s.autofit_columns(1, 2);
  const print_font arial_11{"Arial", 11};
  const print_font arial_14{"Arial", 14};
  font_text_metrics printer;
  auto expected = [&](const print_font& f) {
    return std::ceil((printer.width(f, "Learner surname, first name") / 15 + 2) / 7 * 256 - 1e-9) / 256;
  };
  EXPECT_DOUBLE_EQ(s.column_width(1), expected(arial_11));
  EXPECT_DOUBLE_EQ(s.column_width(2), expected(arial_14));
  EXPECT_GT(s.column_width(2), s.column_width(1));
  // Arial 11: about 6 pixels a character.
  EXPECT_GT(s.column_width(1), 20);
  EXPECT_LT(s.column_width(1), 27);
}

TEST_F(workbook_autofit, row_height_from_the_tallest_cell) {
  struct row_case {
    const char* what;
    const char* text;
    double size;
    int rotation;
    double height;  // points
  };
  // Line heights of 12 points at 10 points; 1.5 points of padding; turned
  // text takes its width (7 characters of 6 points = 42 points).
  const row_case cases[] = {
      {"one line", "Name", 10, 0, 13.5},
      {"a larger font", "Name", 20, 0, 25.5},
      {"two lines", "Name\nSurname", 10, 0, 25.5},
      {"turned upwards", "ROTATED", 10, 90, 43.5},
      {"turned, longest line", "AB\nROTATED", 10, 90, 43.5},
  };
  int row = 1;
  for (const row_case& c : cases) {
    SCOPED_TRACE(c.what);
    s.set_text(row, 1, c.text);
    s.set_font(row, 1, font_of(c.size));
    s.set_rotation(row, 1, c.rotation);
    s.set_text(row, 2, "x");  // a smaller cell beside it
    s.set_font(row, 2, font_of(8));
    s.autofit_row(row);
    EXPECT_DOUBLE_EQ(s.row_height(row), c.height);
    ++row;
  }
  // A row without text keeps its height.
  s.set_fill(row, 1, 0xF7F7F7);
  s.autofit_row(row);
  s.autofit_row(row + 5);
  EXPECT_DOUBLE_EQ(s.row_height(row), default_row_height);
  EXPECT_DOUBLE_EQ(s.row_height(row + 5), default_row_height);
}

}  // namespace
}  // namespace km::platform
