// The headless grid: rows and columns, texts, fixed part, current cell and
// selection, cell formats, format strings, merges, sorting and clip text.

#include "platform/model/grid/flex_grid.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <vector>

#include "platform/model/grid/format_string.h"
#include "platform/model/print/text_metrics.h"

namespace km::platform {
namespace {

// The texts of one column from row `from` down, for compact checks.
QStringList column_texts(const flex_grid& g, int col, int from = 0) {
  QStringList out;
  for (int r = from; r < g.rows(); ++r) out << g.text_matrix(r, col);
  return out;
}

QStringList row_texts(const flex_grid& g, int row) {
  QStringList out;
  for (int c = 0; c < g.cols(); ++c) out << g.text_matrix(row, c);
  return out;
}

grid_error::kind error_of(const std::function<void()>& step) {
  try {
    step();
  } catch (const grid_error& e) {
    return e.which();
  }
  ADD_FAILURE() << "no grid_error raised";
  return grid_error::kind::invalid_value;
}

TEST(flex_grid, new_grid_has_the_platform_defaults) {
  flex_grid g;
  EXPECT_EQ(g.rows(), 2);
  EXPECT_EQ(g.cols(), 2);
  EXPECT_EQ(g.fixed_rows(), 1);
  EXPECT_EQ(g.fixed_cols(), 1);
  EXPECT_EQ(g.row(), 1);
  EXPECT_EQ(g.col(), 1);
  EXPECT_EQ(g.col_width(0), flex_grid::default_col_width);
  EXPECT_EQ(g.col_alignment(1), grid_alignment::general);
  EXPECT_EQ(g.font().name, "MS Sans Serif");
  EXPECT_DOUBLE_EQ(g.font().size, 8.25);
  // 8.25 points: a 16-pixel row.
  EXPECT_EQ(g.row_height(0), 240);
  EXPECT_EQ(g.merge_cells(), merge_mode::never);
  EXPECT_TRUE(g.redraw());
  EXPECT_EQ(g.tag(), "");
}

// --- Rows and columns -----------------------------------------------------------

class filled_grid : public ::testing::Test {
 protected:
  // A heading row and three learner rows in three columns.
  void SetUp() override {
    g.set_cols(3);
    g.set_rows(1);
    g.set_text_matrix(0, 0, "NR");
    g.set_text_matrix(0, 1, "NAME");
    g.set_text_matrix(0, 2, "MARK");
    g.add_item("1\tABEL\t45");
    g.add_item("2\tBOTHA\t7");
    g.add_item("3\tCILLIERS\t60");
  }
  flex_grid g;
};

TEST_F(filled_grid, add_item_puts_tab_separated_parts_into_a_new_last_row) {
  ASSERT_EQ(g.rows(), 4);
  EXPECT_EQ(row_texts(g, 0), (QStringList{"NR", "NAME", "MARK"}));
  EXPECT_EQ(row_texts(g, 3), (QStringList{"3", "CILLIERS", "60"}));
}

TEST_F(filled_grid, add_item_cases) {
  struct add_case {
    const char* item;
    std::optional<int> index;
    int lands_at;
    QStringList texts;
  };
  const std::vector<add_case> cases = {
      {"9\tZULU\t1", 1, 1, {"9", "ZULU", "1"}},             // before the first learner
      {"9\tZULU\t1", 4, 4, {"9", "ZULU", "1"}},             // index = rows: at the end
      {"9", std::nullopt, 4, {"9", "", ""}},                // fewer parts: the rest empty
      {"9\tA\tB\tC\tD", std::nullopt, 4, {"9", "A", "B"}},  // parts past the last column dropped
      {"", std::nullopt, 4, {"", "", ""}},
      {"\t\tX", 2, 2, {"", "", "X"}},
  };
  for (const auto& c : cases) {
    const QStringList before = column_texts(g, 1);
    g.add_item(c.item, c.index);
    EXPECT_EQ(g.rows(), 5) << c.item;
    EXPECT_EQ(row_texts(g, c.lands_at), c.texts) << c.item;
    // The other rows keep their order around the new one.
    QStringList after = column_texts(g, 1);
    after.removeAt(c.lands_at);
    EXPECT_EQ(after, before) << c.item;
    g.remove_item(c.lands_at);
  }
}

TEST_F(filled_grid, add_item_outside_the_grid_is_refused) {
  EXPECT_EQ(error_of([&] { g.add_item("x", 5); }), grid_error::kind::subscript_out_of_range);
  EXPECT_EQ(error_of([&] { g.add_item("x", -1); }), grid_error::kind::subscript_out_of_range);
  EXPECT_EQ(g.rows(), 4);
}

TEST_F(filled_grid, remove_item_takes_the_row_with_its_formats_and_height) {
  g.set_row(2);
  g.set_col(1);
  g.set_cell_font_bold(true);
  g.set_row_height(3, 600);
  g.remove_item(1);
  EXPECT_EQ(column_texts(g, 1), (QStringList{"NAME", "BOTHA", "CILLIERS"}));
  EXPECT_EQ(g.row_height(2), 600);
  EXPECT_TRUE(g.style_at(1, 1).font.bold);
  EXPECT_FALSE(g.style_at(2, 1).font.bold);
}

TEST_F(filled_grid, remove_item_refusals) {
  EXPECT_EQ(error_of([&] { g.remove_item(4); }), grid_error::kind::subscript_out_of_range);
  EXPECT_EQ(error_of([&] { g.remove_item(-1); }), grid_error::kind::subscript_out_of_range);
  EXPECT_EQ(error_of([&] { g.remove_item(0); }), grid_error::kind::invalid_value);  // a fixed row
  g.remove_item(1);
  g.remove_item(1);
  // The only row below the heading stays, as report printers expect.
  EXPECT_EQ(error_of([&] { g.remove_item(1); }), grid_error::kind::last_row);
  EXPECT_EQ(column_texts(g, 1), (QStringList{"NAME", "CILLIERS"}));
}

TEST(flex_grid, remove_item_without_fixed_rows_keeps_one_row) {
  flex_grid g;
  g.set_fixed_rows(0);
  g.set_fixed_cols(0);
  g.set_rows(2);
  g.remove_item(0);
  EXPECT_EQ(error_of([&] { g.remove_item(0); }), grid_error::kind::last_row);
}

TEST_F(filled_grid, remove_item_keeps_the_current_row_inside_the_grid) {
  g.set_row(3);
  g.remove_item(3);
  EXPECT_EQ(g.row(), 2);
  EXPECT_EQ(g.row_sel(), 2);
}

TEST_F(filled_grid, growing_and_shrinking_rows_keeps_the_cells_that_remain) {
  g.set_rows(6);
  EXPECT_EQ(column_texts(g, 1), (QStringList{"NAME", "ABEL", "BOTHA", "CILLIERS", "", ""}));
  g.set_rows(3);
  EXPECT_EQ(column_texts(g, 1), (QStringList{"NAME", "ABEL", "BOTHA"}));
  g.set_rows(4);
  // A row dropped and grown again comes back empty.
  EXPECT_EQ(row_texts(g, 3), (QStringList{"", "", ""}));
}

TEST_F(filled_grid, growing_and_shrinking_columns_keeps_the_cells_that_remain) {
  g.set_col_width(1, 4000);
  g.set_cols(5);
  EXPECT_EQ(row_texts(g, 1), (QStringList{"1", "ABEL", "45", "", ""}));
  g.set_cols(2);
  EXPECT_EQ(row_texts(g, 1), (QStringList{"1", "ABEL"}));
  EXPECT_EQ(g.col_width(1), 4000);
}

TEST_F(filled_grid, shrinking_moves_the_current_cell_and_selection_inside) {
  g.set_row(3);
  g.set_col(2);
  g.set_rows(2);
  g.set_cols(2);
  EXPECT_EQ(g.row(), 1);
  EXPECT_EQ(g.col(), 1);
  EXPECT_EQ(g.text(), "ABEL");
}

TEST(flex_grid, counts_below_the_fixed_part_are_refused) {
  flex_grid g;  // 1 fixed row, 1 fixed column
  EXPECT_EQ(error_of([&] { g.set_rows(0); }), grid_error::kind::invalid_value);
  EXPECT_EQ(error_of([&] { g.set_cols(0); }), grid_error::kind::invalid_value);
  EXPECT_EQ(error_of([&] { g.set_rows(-1); }), grid_error::kind::invalid_value);
  EXPECT_EQ(error_of([&] { g.set_fixed_rows(3); }), grid_error::kind::invalid_value);
  EXPECT_EQ(error_of([&] { g.set_fixed_cols(-1); }), grid_error::kind::invalid_value);
  // No fixed part: a grid may be emptied to no rows at all.
  g.set_fixed_rows(0);
  g.set_rows(0);
  EXPECT_EQ(g.rows(), 0);
  EXPECT_EQ(error_of([&] { (void)g.text(); }), grid_error::kind::subscript_out_of_range);
  g.set_rows(1);
  EXPECT_EQ(g.text_matrix(0, 1), "");
}

TEST(flex_grid, rows_and_fixed_rows_may_be_equal) {
  flex_grid g;
  g.set_rows(1);
  EXPECT_EQ(g.fixed_rows(), 1);
  g.set_fixed_rows(0);
  g.set_fixed_rows(1);
  EXPECT_EQ(g.rows(), 1);
}

// --- Indexes outside the grid ---------------------------------------------------------

TEST_F(filled_grid, indexes_outside_the_grid_raise_errors) {
  struct bad_case {
    const char* what;
    std::function<void(flex_grid&)> step;
    grid_error::kind expected;
  };
  using k = grid_error::kind;
  const std::vector<bad_case> cases = {
      {"text_matrix row", [](flex_grid& x) { (void)x.text_matrix(4, 0); }, k::subscript_out_of_range},
      {"text_matrix col", [](flex_grid& x) { (void)x.text_matrix(0, 3); }, k::subscript_out_of_range},
      {"text_matrix negative", [](flex_grid& x) { (void)x.text_matrix(-1, 0); }, k::subscript_out_of_range},
      {"set_text_matrix", [](flex_grid& x) { x.set_text_matrix(0, 9, "x"); }, k::subscript_out_of_range},
      {"col_width", [](flex_grid& x) { (void)x.col_width(3); }, k::subscript_out_of_range},
      {"set_col_width", [](flex_grid& x) { x.set_col_width(3, 100); }, k::subscript_out_of_range},
      {"row_height", [](flex_grid& x) { (void)x.row_height(4); }, k::subscript_out_of_range},
      {"col_alignment", [](flex_grid& x) { (void)x.col_alignment(-1); }, k::subscript_out_of_range},
      {"merge_row", [](flex_grid& x) { (void)x.merge_row(4); }, k::subscript_out_of_range},
      {"merge_col", [](flex_grid& x) { x.set_merge_col(3, true); }, k::subscript_out_of_range},
      {"style_at", [](flex_grid& x) { (void)x.style_at(4, 0); }, k::subscript_out_of_range},
      {"set_row", [](flex_grid& x) { x.set_row(4); }, k::invalid_row},
      {"set_row_sel", [](flex_grid& x) { x.set_row_sel(-1); }, k::invalid_row},
      {"set_col", [](flex_grid& x) { x.set_col(3); }, k::invalid_col},
      {"set_col_sel", [](flex_grid& x) { x.set_col_sel(3); }, k::invalid_col},
      {"width below -1", [](flex_grid& x) { x.set_col_width(0, -2); }, k::invalid_value},
      {"font size 0", [](flex_grid& x) { x.set_font_size(0); }, k::invalid_value},
  };
  g.set_row(2);
  for (const auto& c : cases) {
    try {
      c.step(g);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const grid_error& e) {
      EXPECT_EQ(e.which(), c.expected) << c.what;
    }
  }
  EXPECT_STREQ(grid_error(k::subscript_out_of_range).what(), "Subscript out of range");
  // Nothing was changed by the refused steps.
  EXPECT_EQ(g.rows(), 4);
  EXPECT_EQ(g.row(), 2);
  EXPECT_EQ(g.row_sel(), 2);
  EXPECT_EQ(g.col_width(0), flex_grid::default_col_width);
}

// --- Geometry -------------------------------------------------------------------------

TEST(flex_grid, widths_and_heights_in_twips_with_minus_one_for_the_default) {
  flex_grid g;
  g.set_col_width(1, 2500);
  g.set_row_height(1, 300);
  EXPECT_EQ(g.col_width(1), 2500);
  EXPECT_EQ(g.row_height(1), 300);
  g.set_col_width(1, 0);  // hidden
  EXPECT_EQ(g.col_width(1), 0);
  g.set_col_width(1, -1);
  g.set_row_height(1, -1);
  EXPECT_EQ(g.col_width(1), flex_grid::default_col_width);
  EXPECT_EQ(g.row_height(1), g.default_row_height());
}

TEST(flex_grid, default_row_height_follows_the_grid_font_but_not_a_set_height) {
  struct height_case {
    double points;
    int twips;
  };
  // Whole pixels of 15 twips: the font's line plus a little room.
  const std::vector<height_case> cases = {{6, 195}, {7, 210}, {8.25, 240}, {10, 285}};
  for (const auto& c : cases) {
    flex_grid g;
    g.set_row_height(1, 500);
    g.set_font_size(c.points);
    EXPECT_EQ(g.row_height(0), c.twips) << c.points;
    EXPECT_EQ(g.row_height(1), 500) << c.points;
  }
}

// --- Current cell, selection and cell properties ----------------------------------------

TEST_F(filled_grid, text_reads_and_writes_the_current_cell) {
  g.set_row(2);
  g.set_col(1);
  EXPECT_EQ(g.text(), "BOTHA");
  g.set_text("BOTES");
  EXPECT_EQ(g.text_matrix(2, 1), "BOTES");
}

TEST_F(filled_grid, moving_the_current_cell_collapses_the_selection) {
  g.set_row(1);
  g.set_col(0);
  g.set_row_sel(3);
  g.set_col_sel(2);
  EXPECT_EQ(g.selection(), (grid_range{1, 0, 3, 3}));
  g.set_col(1);
  EXPECT_EQ(g.col_sel(), 1);
  EXPECT_EQ(g.row_sel(), 3);
  g.set_row(2);
  EXPECT_EQ(g.selection(), (grid_range{2, 1, 1, 1}));
}

TEST_F(filled_grid, cell_properties_read_the_grid_defaults_until_set) {
  g.set_font_name("Arial");
  g.set_font_size(7);
  g.set_col_alignment(2, grid_alignment::right_center);
  g.set_row(1);
  g.set_col(2);
  EXPECT_EQ(g.cell_font_name(), "Arial");
  EXPECT_DOUBLE_EQ(g.cell_font_size(), 7);
  EXPECT_FALSE(g.cell_font_bold());
  EXPECT_EQ(g.cell_back_color(), 0u);
  EXPECT_EQ(g.cell_fore_color(), 0u);
  EXPECT_EQ(g.cell_alignment(), grid_alignment::right_center);
  EXPECT_TRUE(g.cell_picture().isNull());
  // A cell's own alignment wins over the column's; its neighbours keep the column's.
  g.set_cell_alignment(grid_alignment::center_center);
  EXPECT_EQ(g.cell_alignment(), grid_alignment::center_center);
  EXPECT_EQ(g.style_at(2, 2).alignment, grid_alignment::right_center);
  // A later change of the grid font reaches cells without a font of their own.
  g.set_cell_font_size(12);
  g.set_font_name("Tahoma");
  EXPECT_EQ(g.cell_font_name(), "Tahoma");
  EXPECT_DOUBLE_EQ(g.cell_font_size(), 12);
}

TEST_F(filled_grid, every_cell_property_round_trips_through_the_current_cell) {
  g.set_row(2);
  g.set_col(1);
  QImage picture(4, 3, QImage::Format_RGB32);
  picture.fill(Qt::red);
  g.set_cell_back_color(flex_grid::rgb(255, 255, 192));
  g.set_cell_fore_color(flex_grid::rgb(0, 0, 255));
  g.set_cell_font_name("Lucida Console");
  g.set_cell_font_size(10);
  g.set_cell_font_bold(true);
  g.set_cell_font_italic(true);
  g.set_cell_font_underline(true);
  g.set_cell_font_strikethrough(true);
  g.set_cell_picture(picture);
  EXPECT_EQ(g.cell_back_color(), 0xC0FFFFu);
  EXPECT_EQ(g.cell_fore_color(), 0xFF0000u);
  EXPECT_EQ(g.cell_font_name(), "Lucida Console");
  EXPECT_DOUBLE_EQ(g.cell_font_size(), 10);
  EXPECT_TRUE(g.cell_font_bold());
  EXPECT_TRUE(g.cell_font_italic());
  EXPECT_TRUE(g.cell_font_underline());
  EXPECT_TRUE(g.cell_font_strikethrough());
  EXPECT_EQ(g.cell_picture().size(), QSize(4, 3));
  // Only the current cell changed.
  const grid_cell_style other = g.style_at(1, 1);
  EXPECT_FALSE(other.has_back_color);
  EXPECT_FALSE(other.font.bold);
  EXPECT_TRUE(other.picture.isNull());
  EXPECT_EQ(g.style_at(2, 1).back_color, 0xC0FFFFu);
}

TEST(flex_grid, colours_convert_to_qcolor) {
  EXPECT_EQ(grid_qcolor(flex_grid::rgb(255, 255, 192)), QColor(255, 255, 192));
  EXPECT_EQ(grid_qcolor(0xFFFFFF), QColor(Qt::white));
  EXPECT_FALSE(grid_qcolor(0x8000000F).isValid());  // a system colour: the default
}

TEST_F(filled_grid, fill_repeat_writes_every_cell_of_the_selection) {
  struct fill_case {
    const char* what;
    int row, col, row_sel, col_sel;
    grid_range reached;
  };
  const std::vector<fill_case> cases = {
      {"down and right", 1, 1, 3, 2, {1, 1, 3, 2}},
      {"selection end above and left", 3, 2, 1, 0, {1, 0, 3, 3}},
      {"one cell", 2, 2, 2, 2, {2, 2, 1, 1}},
  };
  for (const auto& c : cases) {
    flex_grid x;
    x.set_cols(3);
    x.set_rows(4);
    x.set_fill_style(fill_style::repeat);
    x.set_row(c.row);
    x.set_col(c.col);
    x.set_row_sel(c.row_sel);
    x.set_col_sel(c.col_sel);
    x.set_cell_back_color(flex_grid::rgb(1, 2, 3));
    x.set_text("Z");
    for (int r = 0; r < 4; ++r)
      for (int col = 0; col < 3; ++col) {
        const bool inside = r >= c.reached.row && r < c.reached.row + c.reached.rows &&
                            col >= c.reached.col && col < c.reached.col + c.reached.cols;
        EXPECT_EQ(x.style_at(r, col).has_back_color, inside) << c.what << " " << r << "," << col;
        EXPECT_EQ(x.text_matrix(r, col), inside ? "Z" : "") << c.what << " " << r << "," << col;
      }
  }
}

TEST_F(filled_grid, fill_single_writes_the_current_cell_only) {
  g.set_row(1);
  g.set_col(1);
  g.set_row_sel(3);
  g.set_cell_font_bold(true);
  g.set_text("X");
  EXPECT_TRUE(g.style_at(1, 1).font.bold);
  EXPECT_FALSE(g.style_at(2, 1).font.bold);
  EXPECT_EQ(column_texts(g, 1, 1), (QStringList{"X", "BOTHA", "CILLIERS"}));
}

// --- Clear -------------------------------------------------------------------------------

TEST_F(filled_grid, clear_empties_cells_but_keeps_the_structure) {
  g.set_col_width(1, 4000);
  g.set_row_height(2, 500);
  g.set_col_alignment(2, grid_alignment::right_center);
  g.set_merge_row(1, true);
  g.set_row(2);
  g.set_col(1);
  g.set_cell_back_color(flex_grid::rgb(255, 0, 0));
  g.set_cell_picture(QImage(2, 2, QImage::Format_RGB32));
  g.set_tag("autofit");
  g.clear();
  EXPECT_EQ(g.rows(), 4);
  EXPECT_EQ(g.cols(), 3);
  EXPECT_EQ(g.fixed_rows(), 1);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(row_texts(g, r), (QStringList{"", "", ""}));
  EXPECT_EQ(g.cell_back_color(), 0u);
  EXPECT_TRUE(g.cell_picture().isNull());
  EXPECT_EQ(g.col_width(1), 4000);
  EXPECT_EQ(g.row_height(2), 500);
  EXPECT_EQ(g.col_alignment(2), grid_alignment::right_center);
  EXPECT_TRUE(g.merge_row(1));
  EXPECT_EQ(g.tag(), "autofit");
  EXPECT_EQ(g.row(), 2);
}

// --- Format strings ----------------------------------------------------------------------

TEST(format_string, parsing) {
  struct parse_case {
    const char* format;
    std::vector<format_column> columns;
    std::vector<QString> rows;
  };
  using a = grid_alignment;
  const std::vector<parse_case> cases = {
      {"<NR|^  T.NR|<LEERDER|>  PUNT|PS/VO|>  TOTAAL|",
       {{"NR", a::left_center},
        {"  T.NR", a::center_center},
        {"LEERDER", a::left_center},
        {"  PUNT", a::right_center},
        {"PS/VO", std::nullopt},
        {"  TOTAAL", a::right_center},
        {"", std::nullopt}},
       {}},
      {"NR.|< TAAK/PROJEK ", {{"NR.", std::nullopt}, {" TAAK/PROJEK ", a::left_center}}, {}},
      {"|Name;|Row 1|>Row 2", {{"", std::nullopt}, {"Name", std::nullopt}}, {"", "Row 1", "Row 2"}},
      {";A|B", {}, {"A", "B"}},
      {"", {}, {}},
      {"^", {{"", a::center_center}}, {}},
  };
  for (const auto& c : cases) {
    const parsed_format p = parse_format_string(c.format);
    EXPECT_EQ(p.columns, c.columns) << c.format;
    EXPECT_EQ(p.row_headings, c.rows) << c.format;
  }
}

class format_string_grid : public ::testing::Test {
 protected:
  void SetUp() override {
    // 10 points with the fixed metrics: every character is 120 twips.
    g.set_text_metrics(std::make_shared<fixed_text_metrics>());
    g.set_font_size(10);
  }
  flex_grid g;
};

TEST_F(format_string_grid, headings_alignments_and_widths) {
  g.set_format_string("<NO|^  A.NO|<LEARNER|>  MARK|EK/SR|>   TOTAL|");
  EXPECT_EQ(g.format_string(), "<NO|^  A.NO|<LEARNER|>  MARK|EK/SR|>   TOTAL|");
  ASSERT_EQ(g.cols(), 7);
  EXPECT_EQ(row_texts(g, 0), (QStringList{"NO", "  A.NO", "LEARNER", "  MARK", "EK/SR", "   TOTAL", ""}));
  const std::vector<grid_alignment> alignments = {grid_alignment::left_center, grid_alignment::center_center,
                                                  grid_alignment::left_center, grid_alignment::right_center,
                                                  grid_alignment::general,     grid_alignment::right_center,
                                                  grid_alignment::general};
  const std::vector<int> widths = {
      2 * 120 + 120, 6 * 120 + 120, 7 * 120 + 120, 6 * 120 + 120, 5 * 120 + 120, 8 * 120 + 120, 120};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(g.col_alignment(c), alignments[c]) << c;
    EXPECT_EQ(g.col_width(c), widths[c]) << c;
  }
}

TEST_F(format_string_grid, keeps_extra_columns_rows_and_cells_below_the_heading) {
  g.set_cols(10);
  g.set_rows(3);
  g.set_text_matrix(1, 4, "45");
  g.set_col_width(6, 300);
  g.set_format_string("<NR|^  T.NR|<LEERDER|<P1");
  EXPECT_EQ(g.cols(), 10);
  EXPECT_EQ(g.rows(), 3);
  EXPECT_EQ(g.text_matrix(0, 3), "P1");
  EXPECT_EQ(g.text_matrix(0, 4), "");
  EXPECT_EQ(g.text_matrix(1, 4), "45");
  EXPECT_EQ(g.col_width(6), 300);
}

TEST_F(format_string_grid, grows_an_empty_grid_to_hold_its_headings) {
  g.set_fixed_rows(0);
  g.set_fixed_cols(0);
  g.set_rows(0);
  g.set_cols(0);
  g.set_format_string("A|B;|r1|r2");
  EXPECT_EQ(g.cols(), 2);
  EXPECT_EQ(g.rows(), 3);
  EXPECT_EQ(column_texts(g, 0), (QStringList{"A", "r1", "r2"}));
  EXPECT_EQ(g.text_matrix(0, 1), "B");
  // Column 0 fits the widest of its heading and the row headings.
  EXPECT_EQ(g.col_width(0), 2 * 120 + 120);
}

TEST_F(format_string_grid, row_headings_fill_column_zero) {
  g.set_cols(3);
  g.set_rows(4);
  g.set_format_string(";CORNER|First row|2");
  EXPECT_EQ(column_texts(g, 0), (QStringList{"CORNER", "First row", "2", ""}));
  EXPECT_EQ(g.col_width(0), 9 * 120 + 120);
}

// --- Merges -----------------------------------------------------------------------------

class merge_grid : public ::testing::Test {
 protected:
  void SetUp() override {
    g.set_fixed_rows(0);
    g.set_fixed_cols(0);
    g.set_rows(3);
    g.set_cols(4);
    const QStringList rows[] = {{"A", "A", "A", "B"}, {"A", "C", "C", ""}, {"D", "C", "", ""}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) g.set_text_matrix(r, c, rows[r][c]);
  }
  flex_grid g;
};

TEST_F(merge_grid, nothing_merges_without_a_merge_mode) {
  g.set_merge_row(0, true);
  g.set_merge_col(0, true);
  EXPECT_TRUE(g.merged_ranges().empty());
}

TEST_F(merge_grid, free_merging_joins_equal_runs_of_flagged_rows_and_columns) {
  g.set_merge_cells(merge_mode::free);
  g.set_merge_row(0, true);
  g.set_merge_row(1, true);
  g.set_merge_col(0, true);
  g.set_merge_col(1, true);
  const std::vector<grid_range> expected = {
      {0, 0, 1, 3},  // A A A across row 0
      {1, 1, 1, 2},  // C C across row 1
                     // column 0: (0,0) is already in a run across, so A in row 1 stands alone;
                     // column 1: (1,1) is in a run across, so C in row 2 stands alone.
  };
  EXPECT_EQ(g.merged_ranges(), expected);
  g.set_merge_row(0, false);
  g.set_merge_row(1, false);
  const std::vector<grid_range> down = {{0, 0, 2, 1}, {1, 1, 2, 1}};
  EXPECT_EQ(g.merged_ranges(), down);
}

TEST_F(merge_grid, empty_cells_do_not_merge) {
  g.set_merge_cells(merge_mode::free);
  g.set_merge_row(2, true);
  g.set_merge_col(3, true);
  EXPECT_TRUE(g.merged_ranges().empty());
}

TEST_F(merge_grid, runs_stop_at_the_edge_of_the_fixed_part) {
  g.set_merge_cells(merge_mode::free);
  g.set_fixed_cols(1);
  g.set_merge_row(0, true);
  EXPECT_EQ(g.merged_ranges(), (std::vector<grid_range>{{0, 1, 1, 2}}));
}

TEST_F(merge_grid, restricted_merging_needs_the_run_before_it) {
  // Row 1 "C C" (columns 1 and 2) needs row 0 merged over the same two
  // columns; row 0 now reads A A X there.
  g.set_text_matrix(0, 2, "X");
  g.set_merge_cells(merge_mode::restrict_columns);
  g.set_merge_row(0, true);
  g.set_merge_row(1, true);
  EXPECT_EQ(g.merged_ranges(), (std::vector<grid_range>{{0, 0, 1, 2}}));
  g.set_merge_cells(merge_mode::free);
  EXPECT_EQ(g.merged_ranges().size(), 2u);
}

// --- Sorting ------------------------------------------------------------------------------

class sort_grid : public ::testing::Test {
 protected:
  // A heading row, then rows of line number and one key column.
  void fill(const QStringList& keys) {
    g.set_cols(2);
    g.set_rows(1);
    g.set_text_matrix(0, 1, "HEADING");
    for (int i = 0; i < keys.size(); ++i) g.add_item(QString::number(i + 1) + "\t" + keys[i]);
  }
  void sort_on_column_1(sort_order order) {
    g.set_col(1);
    g.set_col_sel(1);
    g.sort(order);
  }
  flex_grid g;
};

TEST_F(sort_grid, orders) {
  struct sort_case {
    const char* what;
    sort_order order;
    QStringList keys;
    QStringList sorted;
  };
  using o = sort_order;
  const std::vector<sort_case> cases = {
      {"generic: numbers as numbers",
       o::generic_ascending,
       {"10", "9", "100", "9.5"},
       {"9", "9.5", "10", "100"}},
      {"generic: text without case",
       o::generic_ascending,
       {"de Wet", "DU TOIT", "Botha"},
       {"Botha", "de Wet", "DU TOIT"}},
      {"generic descending", o::generic_descending, {"b", "A", "c"}, {"c", "b", "A"}},
      {"numeric: leading number, others 0",
       o::numeric_ascending,
       {"12.5", "A", "", "3x", "-1"},
       {"-1", "A", "", "3x", "12.5"}},
      {"numeric descending: best first, ties in order",
       o::numeric_descending,
       {"45", "a", "60", "45.0", "7"},
       {"60", "45", "45.0", "7", "a"}},
      {"string: by character code",
       o::string_ascending,
       {"de Wet", "DU TOIT", "Botha"},
       {"Botha", "DU TOIT", "de Wet"}},
      {"string descending", o::string_descending, {"b", "A", "c"}, {"c", "b", "A"}},
      {"string without case",
       o::string_no_case_ascending,
       {"ÉLAN", "éclair", "Zed", "abc"},
       {"abc", "Zed", "éclair", "ÉLAN"}},
      {"string without case descending", o::string_no_case_descending, {"b", "A", "C"}, {"C", "b", "A"}},
      {"string: numbers as text", o::string_ascending, {"10", "9", "100"}, {"10", "100", "9"}},
  };
  for (const auto& c : cases) {
    g.set_rows(1);
    fill(c.keys);
    sort_on_column_1(c.order);
    EXPECT_EQ(column_texts(g, 1, 1), c.sorted) << c.what;
    EXPECT_EQ(g.text_matrix(0, 1), "HEADING") << c.what;
  }
}

TEST_F(sort_grid, a_mixed_column_sorts_without_harm) {
  // Generic comparison is not an order here ("10" < "1a" < "2" < "10"); every row must survive.
  QStringList keys;
  for (int i = 0; i < 200; ++i) keys << (i % 3 == 0 ? QString::number(i) : QString::number(i % 7) + "a");
  fill(keys);
  sort_on_column_1(sort_order::generic_ascending);
  QStringList got = column_texts(g, 1, 1);
  got.sort();
  keys.sort();
  EXPECT_EQ(got, keys);
}

TEST_F(sort_grid, whole_rows_move_with_their_formats) {
  fill({"30", "10", "20"});
  g.set_row(1);
  g.set_col(0);
  g.set_cell_font_bold(true);  // the row of "30"
  g.set_row_height(2, 555);    // the row of "10"
  sort_on_column_1(sort_order::numeric_ascending);
  EXPECT_EQ(column_texts(g, 0, 1), (QStringList{"2", "3", "1"}));
  EXPECT_TRUE(g.style_at(3, 0).font.bold);
  EXPECT_EQ(g.row_height(1), 555);
}

TEST_F(sort_grid, only_the_selected_rows_when_the_selection_spans_rows) {
  fill({"d", "c", "b", "a"});
  g.set_col(1);
  g.set_row(2);
  g.set_row_sel(3);
  g.sort(sort_order::string_ascending);
  EXPECT_EQ(column_texts(g, 1, 1), (QStringList{"d", "b", "c", "a"}));
}

TEST_F(sort_grid, several_key_columns_from_left_to_right) {
  g.set_cols(3);
  g.set_rows(1);
  g.add_item("x\tB\t2");
  g.add_item("y\tA\t9");
  g.add_item("z\tB\t1");
  g.set_col(2);
  g.set_col_sel(1);  // keys: column 1, then column 2
  g.sort(sort_order::generic_ascending);
  EXPECT_EQ(column_texts(g, 0, 1), (QStringList{"y", "z", "x"}));
}

// --- Clip text ------------------------------------------------------------------------------

class clip_grid : public ::testing::Test {
 protected:
  // The paste grid: one column, no fixed row, a row per learner.
  void SetUp() override {
    g.set_fixed_rows(0);
    g.set_fixed_cols(0);
    g.set_cols(1);
    g.set_rows(4);
    for (int r = 0; r < 4; ++r) g.set_text_matrix(r, 0, "old");
    g.set_row(0);
    g.set_col(0);
    g.set_col_sel(0);
    g.set_row_sel(3);
  }
  flex_grid g;
};

TEST_F(clip_grid, lines_fill_rows_and_only_the_first_value_of_a_line_is_kept) {
  struct clip_case {
    const char* what;
    QString text;
    QStringList rows;
  };
  const std::vector<clip_case> cases = {
      {"CR", "45\r7\r60\r12", {"45", "7", "60", "12"}},
      {"CR LF", "45\tx\r\n7\ty\r\n", {"45", "7", "old", "old"}},
      {"LF", "45\n7\n", {"45", "7", "old", "old"}},
      {"lines past the selection dropped", "1\r2\r3\r4\r5\r6", {"1", "2", "3", "4"}},
      {"an empty line empties its row", "1\r\r3", {"1", "", "3", "old"}},
  };
  for (const auto& c : cases) {
    for (int r = 0; r < 4; ++r) g.set_text_matrix(r, 0, "old");
    g.set_clip(c.text);
    EXPECT_EQ(column_texts(g, 0), c.rows) << c.what;
  }
}

TEST(flex_grid, clip_reads_the_selection_and_fills_a_block) {
  flex_grid g;
  g.set_cols(3);
  g.set_rows(3);
  g.set_row(1);
  g.set_col(1);
  g.set_row_sel(2);
  g.set_col_sel(2);
  g.set_clip("a\tb\tc\r\nd");
  EXPECT_EQ(row_texts(g, 1), (QStringList{"", "a", "b"}));
  EXPECT_EQ(row_texts(g, 2), (QStringList{"", "d", ""}));
  EXPECT_EQ(g.clip(), "a\tb\rd\t");
}

// --- Views are told of changes -------------------------------------------------------------

struct recording_observer : flex_grid_observer {
  QStringList events;
  void grid_reset() override { events << "reset"; }
  void grid_rows_inserted(int first, int count) override {
    events << QString("insert %1 %2").arg(first).arg(count);
  }
  void grid_rows_removed(int first, int count) override {
    events << QString("remove %1 %2").arg(first).arg(count);
  }
  void grid_cells_changed(const grid_range& b) override {
    events << QString("cells %1 %2 %3 %4").arg(b.row).arg(b.col).arg(b.rows).arg(b.cols);
  }
  void grid_layout_changed() override { events << "layout"; }
  void grid_current_changed() override { events << "current"; }
  void grid_redraw_changed(bool on) override { events << (on ? "redraw on" : "redraw off"); }
  void grid_destroyed() override { events << "destroyed"; }
};

TEST(flex_grid, observer_hears_each_change) {
  recording_observer seen;
  {
    flex_grid g;
    g.set_observer(&seen);
    g.set_rows(4);
    g.add_item("x", 1);
    g.remove_item(2);
    g.set_text_matrix(1, 1, "a");
    g.set_col_width(1, 500);
    g.set_row(2);
    g.clear();
    g.set_rows(2);
  }
  EXPECT_EQ(seen.events, (QStringList{"insert 2 2", "insert 1 1", "remove 2 1", "cells 1 1 1 1", "layout",
                                      "current", "cells 0 0 4 2", "remove 2 2", "current", "destroyed"}));
}

TEST(flex_grid, redraw_off_holds_back_changes_until_switched_on) {
  recording_observer seen;
  flex_grid g;
  g.set_observer(&seen);
  g.set_redraw(false);
  g.set_rows(10);
  g.set_text_matrix(1, 1, "a");
  g.set_row(5);
  EXPECT_EQ(seen.events, (QStringList{"redraw off"}));
  g.set_redraw(true);
  EXPECT_EQ(seen.events, (QStringList{"redraw off", "reset", "redraw on"}));
  g.set_observer(nullptr);
}

TEST(flex_grid, redraw_toggled_without_changes_sends_no_reset) {
  recording_observer seen;
  flex_grid g;
  g.set_observer(&seen);
  g.set_redraw(false);
  g.set_redraw(true);
  EXPECT_EQ(seen.events, (QStringList{"redraw off", "redraw on"}));
  g.set_observer(nullptr);
}

}  // namespace
}  // namespace km::platform
