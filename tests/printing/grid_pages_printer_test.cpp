#include "printing/grid_pages_printer.h"

#include <QSet>

#include "platform/model/grid/flex_grid.h"
#include "printed_ops.h"
#include "printing/column_autofit.h"
#include "printing/print_job_start.h"
#include "printing_fixture.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::flex_grid;
using platform::grid_alignment;
using platform::print_op;
using platform::printer;
using platform::scale_unit;

// With the fixed metrics, Arial 10 is 120 twips a character, 240 a line,
// and a row of height 240 takes 400 twips of the page (margin, text line,
// margin, empty line).
class grid_pages_printer_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    start(paper_a4_portrait);
  }

  static void start(const QString& paper) {
    g_print_new_document = true;
    begin_print_job(paper);
  }

  // A grid of one heading row ("H<c>") and `body` rows ("R<r>C<c>"), no
  // fixed column, every column 900 twips wide, every row 240 high.
  void fill(int body, int cols = 3) {
    grid.set_fixed_cols(0);
    grid.set_cols(cols);
    grid.set_rows(body + 1);
    grid.set_font(platform::print_font{QStringLiteral("Arial"), 10.0});
    for (int c = 0; c < cols; ++c) {
      grid.set_col_width(c, 900);
      grid.set_text_matrix(0, c, QStringLiteral("H%1").arg(c));
      for (int r = 1; r <= body; ++r) grid.set_text_matrix(r, c, QStringLiteral("R%1C%2").arg(r).arg(c));
    }
    for (int r = 0; r < grid.rows(); ++r) grid.set_row_height(r, 240);
  }

  // Prints the grid page after page as a caller does, each page from its
  // top; the results of the calls. Stops after `limit` pages.
  std::vector<int> print_all(int limit = 50) {
    std::vector<int> results;
    while (int(results.size()) < limit) {
      if (!results.empty()) printer().new_page();
      printer().set_scale_mode(scale_unit::twips);
      printer().set_current_y(0);
      results.push_back(print_flexgrid_pages(grid, options));
      if (results.back() == -1) break;
    }
    return results;
  }

  // The texts of column 0 printed on a page (0: all pages), in order.
  static QStringList first_column_texts(int page = 0) {
    QStringList texts;
    for (const print_op& op : printed_texts(page))
      if (op.text.startsWith(u'H') || op.text.startsWith(u'R') || op.text.startsWith(u'<'))
        if (op.text.endsWith(QStringLiteral("C0")) || op.text == QStringLiteral("H0") ||
            op.text.startsWith(u'<'))
          texts.push_back(op.text);
    return texts;
  }

  static QStringList body_sequence(int first, int last) {
    QStringList texts;
    for (int r = first; r <= last; ++r) texts.push_back(QStringLiteral("R%1C0").arg(r));
    return texts;
  }

  static int page_count() { return int(printer().pending_document()->pages.size()); }

  flex_grid grid;
  grid_pages_options options;
};

TEST_F(grid_pages_printer_test, a_long_grid_prints_page_after_page_with_its_heading_on_each) {
  fill(120);
  const std::vector<int> results = print_all();
  ASSERT_GE(results.size(), 3u);
  EXPECT_EQ(results.back(), -1);
  for (std::size_t i = 0; i + 1 < results.size(); ++i) EXPECT_EQ(results[i], 0);

  QStringList body;
  for (int page = 1; page <= page_count(); ++page) {
    SCOPED_TRACE(page);
    const QStringList texts = first_column_texts(page);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.front(), QStringLiteral("H0"));
    EXPECT_EQ(texts.count(QStringLiteral("H0")), 1);
    body += texts.mid(1);
  }
  EXPECT_EQ(body, body_sequence(1, 120));  // in order, each once
  EXPECT_EQ(int(results.size()), page_count());
  // The printer is left in its character scale.
  EXPECT_EQ(printer().scale_mode(), scale_unit::characters);
}

TEST_F(grid_pages_printer_test, a_page_row_ends_the_page_and_is_removed_with_the_rows_above_it) {
  fill(5);
  grid.set_text_matrix(3, 0, QStringLiteral(" <PAGE> "));
  grid.set_row(3);
  grid.set_col(1);
  grid.set_cell_back_color(flex_grid::rgb(0, 0, 255));

  printer().set_scale_mode(scale_unit::twips);
  EXPECT_EQ(print_flexgrid_pages(grid, options), 0);
  EXPECT_EQ(first_column_texts(1),
            (QStringList{QStringLiteral("H0"), QStringLiteral("R1C0"), QStringLiteral("R2C0")}));
  // The break row's fill is drawn, its texts are not.
  EXPECT_EQ(pending_ops(print_op::kind::filled_box).size(), 1u);
  for (const print_op& op : printed_texts())
    EXPECT_FALSE(op.text.startsWith(QStringLiteral("R3"))) << op.text.toStdString();
  // The next page begins with the heading and the row after the break.
  ASSERT_EQ(grid.rows(), 3);
  EXPECT_EQ(grid.text_matrix(1, 0), QStringLiteral("R4C0"));

  printer().new_page();
  printer().set_current_y(0);
  EXPECT_EQ(print_flexgrid_pages(grid, options), -1);
  EXPECT_EQ(first_column_texts(2),
            (QStringList{QStringLiteral("H0"), QStringLiteral("R4C0"), QStringLiteral("R5C0")}));
}

TEST_F(grid_pages_printer_test, a_page_row_at_the_end_asks_for_no_empty_page) {
  fill(2);
  grid.set_text_matrix(2, 0, QStringLiteral("<PAGE>"));
  EXPECT_EQ(print_all(), (std::vector<int>{-1}));
  EXPECT_EQ(first_column_texts(), (QStringList{QStringLiteral("H0"), QStringLiteral("R1C0")}));
}

TEST_F(grid_pages_printer_test, a_page_full_on_the_last_row_gives_one_more_page_of_headings_only) {
  fill(2);
  grid.set_row_height(2, 15000);  // the last row fills a page
  // Too tall for the rest of the first page, it starts the second, which it
  // fills; then a page of headings only.
  EXPECT_EQ(print_all(), (std::vector<int>{0, 0, -1}));
  EXPECT_EQ(first_column_texts(1), (QStringList{QStringLiteral("H0"), QStringLiteral("R1C0")}));
  EXPECT_EQ(first_column_texts(2), (QStringList{QStringLiteral("H0"), QStringLiteral("R2C0")}));
  EXPECT_EQ(first_column_texts(3), (QStringList{QStringLiteral("H0")}));  // the last row is not printed twice
  EXPECT_EQ(grid.rows(), 1);
}

TEST_F(grid_pages_printer_test, pages_end_only_after_a_body_row_so_the_page_loop_always_ends) {
  struct loop_case {
    const char* name;
    int fixed_rows;
    int heading_height;  // of each heading row
  };
  const loop_case cases[] = {
      {"no heading rows", 0, 240},
      {"heading rows that alone fill the page", 2, 8000},
  };
  for (const loop_case& c : cases) {
    SCOPED_TRACE(c.name);
    printer().kill_doc();
    grid.set_fixed_rows(0);
    fill(60);
    grid.set_fixed_rows(c.fixed_rows);
    for (int r = 0; r < c.fixed_rows; ++r) grid.set_row_height(r, c.heading_height);
    const std::vector<int> results = print_all(100);
    ASSERT_EQ(results.back(), -1) << "the page loop did not end";
    QStringList body;
    for (const QString& text : first_column_texts())
      if (text.startsWith(u'R') && text.section(u'C', 0, 0).mid(1).toInt() >= c.fixed_rows)
        body.push_back(text);
    EXPECT_EQ(body, body_sequence(std::max(c.fixed_rows, 1), 60));  // every body row once, in order
    for (int page = 1; page <= page_count(); ++page) EXPECT_FALSE(first_column_texts(page).isEmpty()) << page;
  }
}

TEST_F(grid_pages_printer_test, hidden_rows_are_never_printed_and_a_hidden_last_row_ends_the_grid) {
  fill(4);
  grid.set_row_height(2, 0);
  grid.set_row_height(4, 0);
  EXPECT_EQ(print_all(), (std::vector<int>{-1}));
  EXPECT_EQ(first_column_texts(),
            (QStringList{QStringLiteral("H0"), QStringLiteral("R1C0"), QStringLiteral("R3C0")}));

  // Only hidden rows below the heading.
  printer().kill_doc();
  fill(2);
  grid.set_row_height(1, 0);
  grid.set_row_height(2, 0);
  EXPECT_EQ(print_all(), (std::vector<int>{-1}));
  EXPECT_EQ(first_column_texts(), (QStringList{QStringLiteral("H0")}));
}

TEST_F(grid_pages_printer_test, the_cell_margin_follows_the_orientation_and_the_option) {
  struct margin_case {
    QString paper;
    bool no_cell_margin;
    double margin;
  };
  const margin_case cases[] = {
      {paper_a4_portrait, false, 60},
      {paper_a4_landscape, false, 15},
      {paper_a4_portrait, true, 0},
      {paper_a4_landscape, true, 0},
  };
  for (const margin_case& c : cases) {
    SCOPED_TRACE(c.paper.toStdString() + (c.no_cell_margin ? " without margin" : ""));
    printer().kill_doc();
    start(c.paper);
    fill(1);
    options = grid_pages_options{};
    options.left_offset = 300;
    options.no_cell_margin = c.no_cell_margin;
    print_all();
    const std::vector<print_op> texts = printed_texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0].x1, 300 + c.margin);                // H0
    EXPECT_EQ(texts[1].x1, 300 + 900 + 3 * c.margin);      // H1
    EXPECT_EQ(texts[5].x1, 300 + 2 * 900 + 5 * c.margin);  // R1C2
    EXPECT_EQ(texts[3].y1, texts[4].y1);                   // a row's texts share one line
  }
}

TEST_F(grid_pages_printer_test, a_centred_table_wider_than_the_page_starts_one_character_in_and_is_cut) {
  fill(3, 14);  // 14 x (900 + 120) twips, wider than the page
  options.centre_table = true;
  options.auto_fit = false;
  printer().set_scale_mode(scale_unit::twips);
  const double page_width = printer().scale_width();
  print_all();
  EXPECT_EQ(printed_texts()[0].x1, 120 + 60);  // one character in, then the margin
  const std::vector<print_op> lines = pending_ops(print_op::kind::line);
  ASSERT_FALSE(lines.empty());
  double rightmost = 0;
  for (const print_op& op : lines) rightmost = std::max({rightmost, op.x1, op.x2});
  EXPECT_DOUBLE_EQ(rightmost, page_width - 120);
  // The frame (drawn last, top edge first) runs from the left offset to the cut.
  ASSERT_GE(lines.size(), 4u);
  const print_op& top = lines[lines.size() - 4];
  EXPECT_EQ(top.x1, 120);
  EXPECT_DOUBLE_EQ(top.x2, page_width - 120);
}

TEST_F(grid_pages_printer_test, a_narrow_table_is_centred) {
  fill(1);
  options.centre_table = true;
  printer().set_scale_mode(scale_unit::twips);
  const double left = (printer().scale_width() - 3 * 1020) / 2;
  print_all();
  EXPECT_DOUBLE_EQ(printed_texts()[0].x1, left + 60);
}

TEST_F(grid_pages_printer_test, merge_span_below_one_is_raised_and_written_back) {
  const std::pair<int, int> cases[] = {{0, 1}, {-3, 1}, {1, 1}, {3, 3}};
  for (const auto& [given, seen] : cases) {
    fill(1);
    options.merge_span = given;
    print_all();
    EXPECT_EQ(options.merge_span, seen) << given;
  }
}

TEST_F(grid_pages_printer_test, auto_fit_missing_means_true_and_small_grids_are_never_fitted) {
  struct fit_case {
    const char* name;
    int cols;
    std::optional<bool> auto_fit;
    bool fitted;
  };
  const fit_case cases[] = {
      {"missing, six columns", 6, std::nullopt, true}, {"true, six columns", 6, true, true},
      {"false, six columns", 6, false, false},         {"missing, five columns", 5, std::nullopt, false},
      {"true, five columns", 5, true, false},
  };
  for (const fit_case& c : cases) {
    SCOPED_TRACE(c.name);
    grid.set_tag(QString());
    fill(1, c.cols);
    options = grid_pages_options{};
    options.auto_fit = c.auto_fit;
    print_all();
    EXPECT_EQ(options.auto_fit, c.auto_fit.value_or(true));  // a missing value is written back as true
    EXPECT_EQ(grid.tag() == QStringLiteral("autofit"), c.fitted);
    EXPECT_EQ(grid.col_width(0) != 900, c.fitted);
  }
}

TEST_F(grid_pages_printer_test, a_rotated_heading_prints_every_line_two_w_apart) {
  fill(1);
  grid.set_row_height(0, 1200);
  // The repeated line is kept: three lines, three pictures.
  grid.set_text_matrix(0, 1, QStringLiteral("~~R~~TERM\r\nMARK\r\nTERM"));
  options.left_offset = 500;
  print_all();
  const std::vector<print_op> pictures = pending_ops(print_op::kind::picture);
  ASSERT_EQ(pictures.size(), 3u);
  const double x = 500 + 900 + 2 * 60;  // the cell's left edge
  const double w = 120;                 // "W" in Arial 10
  EXPECT_EQ(pictures[0].x1, x);
  EXPECT_EQ(pictures[1].x1, x + 2 * w);
  EXPECT_EQ(pictures[2].x1, x + 4 * w);
  EXPECT_EQ(pictures[0].y1, pictures[2].y1);
  for (const print_op& op : printed_texts()) EXPECT_FALSE(op.text.contains(QStringLiteral("TERM")));
  EXPECT_EQ(rotated_picture_count(), 3);
}

TEST_F(grid_pages_printer_test, a_single_line_rotated_heading_stands_at_its_column_centre) {
  fill(1);
  grid.set_text_matrix(0, 2, QStringLiteral("~~R~~CONTINUOUS ASSESSMENT"));
  print_all();
  const std::vector<print_op> pictures = pending_ops(print_op::kind::picture);
  ASSERT_EQ(pictures.size(), 1u);
  // Centre of column 2 from the table's left edge: 450 + 60 + 2 x (900 + 120), less half a "W".
  EXPECT_EQ(pictures[0].x1, 450 + 60 + 2 * 1020 - 60);
  // The heading row grew to the heading's width (marker included) and is back afterwards.
  EXPECT_EQ(grid.row_height(0), 240);
  EXPECT_FALSE(grid.style_at(0, 2).picture.isNull());  // the heading's picture stays in its cell
}

TEST_F(grid_pages_printer_test, a_right_aligned_text_ends_sixty_twips_before_its_column_end) {
  for (const QString& paper : {paper_a4_portrait, paper_a4_landscape}) {
    SCOPED_TRACE(paper.toStdString());
    printer().kill_doc();
    start(paper);
    fill(1);
    grid.set_col_alignment(1, grid_alignment::right_center);
    print_all();
    const double margin = paper == paper_a4_portrait ? 60 : 15;
    const std::vector<print_op> texts = printed_texts();
    ASSERT_EQ(texts.size(), 6u);
    const double left_edge = 900 + 2 * margin;
    EXPECT_DOUBLE_EQ(texts[4].x2, left_edge + margin + 900 - 60);  // R1C1
  }
}

TEST_F(grid_pages_printer_test, rules_frame_and_the_rule_options) {
  fill(3);
  print_all();
  // Rules above rows 1 to 3, two column rules per row, the frame.
  EXPECT_EQ(pending_ops(print_op::kind::line).size(), 3u + 4 * 2 + 4);

  printer().kill_doc();
  fill(3);
  options.no_frame = true;
  options.single_rule = true;
  options.single_rule_row = 2;
  print_all();
  const std::vector<print_op> lines = pending_ops(print_op::kind::line);
  ASSERT_EQ(lines.size(), 1u);  // one rule, no column rules, no frame
  EXPECT_EQ(lines[0].y1, lines[0].y2);

  printer().kill_doc();
  fill(3);
  // Column 1 is a merge column, blank in rows 1 and 2: no rule between them.
  grid.set_merge_col(1, true);
  grid.set_text_matrix(1, 1, QString());
  grid.set_text_matrix(2, 1, QString());
  options = grid_pages_options{};
  options.no_frame = true;
  options.group_rules = true;
  print_all();
  std::size_t across = 0;
  for (const print_op& op : pending_ops(print_op::kind::line))
    if (op.y1 == op.y2) ++across;
  EXPECT_EQ(across, 2u + 1 + 2);  // columns 1 and 2 above rows 1 and 3, only column 2 above row 2
}

TEST_F(grid_pages_printer_test, equal_cells_of_a_merge_row_print_once_and_widths_come_back) {
  fill(1, 4);
  grid.set_merge_row(1, true);
  for (int c = 1; c < 4; ++c) grid.set_text_matrix(1, c, QStringLiteral("SAME"));
  print_all();
  std::size_t same = 0;
  for (const print_op& op : printed_texts())
    if (op.text == QStringLiteral("SAME")) ++same;
  EXPECT_EQ(same, 1u);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(grid.col_width(c), 900) << c;
}

TEST_F(grid_pages_printer_test, a_split_cell_is_a_diagonal_with_two_small_letters) {
  fill(1);
  grid.set_text_matrix(1, 1, QStringLiteral("a\u00A6a"));
  print_all();
  int small = 0;
  for (const print_op& op : printed_texts())
    if (op.text == QStringLiteral("a")) {
      ++small;
      EXPECT_EQ(op.font.size, 7.5);
    }
  EXPECT_EQ(small, 2);
  int diagonals = 0;
  for (const print_op& op : pending_ops(print_op::kind::line))
    if (op.x1 != op.x2 && op.y1 != op.y2) ++diagonals;
  EXPECT_EQ(diagonals, 1);
}

TEST_F(grid_pages_printer_test, scaled_row_heights_are_restored) {
  fill(3);
  grid.set_row_height(2, 500);
  options.compact_rows = true;
  print_all();
  EXPECT_EQ(grid.row_height(1), 240);
  EXPECT_EQ(grid.row_height(2), 500);

  // Also after rows were removed: each row keeps its own height.
  printer().kill_doc();
  fill(80);
  grid.set_row_height(60, 700);
  options.enlarge_rows = true;
  options.compact_rows = false;
  printer().set_scale_mode(scale_unit::twips);
  printer().set_current_y(0);
  ASSERT_EQ(print_flexgrid_pages(grid, options), 0);
  for (int r = 0; r < grid.rows(); ++r)
    EXPECT_EQ(grid.row_height(r), grid.text_matrix(r, 0) == QStringLiteral("R60C0") ? 700 : 240) << r;
}

TEST_F(grid_pages_printer_test, page_measures_still_zero_take_the_printable_size) {
  fill(1);
  g_print_page_lines = 0;
  const std::int16_t columns = g_print_page_columns;
  options.set_page_measures = true;
  print_all();
  EXPECT_EQ(g_print_page_columns, columns);  // set already, kept
  printer().set_scale_mode(scale_unit::twips);
  EXPECT_FLOAT_EQ(g_print_page_lines, float(printer().scale_height()));
}

TEST_F(grid_pages_printer_test, an_empty_grid_prints_only_the_title) {
  grid.set_fixed_rows(0);
  grid.set_rows(0);
  options.title = QStringLiteral("MARK BOOK SETUP");
  printer().set_scale_mode(scale_unit::twips);
  EXPECT_EQ(print_flexgrid_pages(grid, options), 0);
  const std::vector<print_op> texts = printed_texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, QStringLiteral("MARK BOOK SETUP"));
  EXPECT_TRUE(texts[0].font.bold);
  EXPECT_EQ(texts[0].font.size, 8);
  EXPECT_TRUE(pending_ops(print_op::kind::line).empty());
}

TEST_F(grid_pages_printer_test, an_excel_export_under_way_takes_the_grid_instead) {
  fill(3);
  g_export_excel = true;
  printer().kill_doc();
  EXPECT_EQ(print_flexgrid_pages(grid, options), -1);
  EXPECT_FALSE(printer().document_open());
  EXPECT_EQ(grid.rows(), 4);

  // Asked for a workbook of its own, it opens one, copies the grid and saves it.
  g_export_excel = false;
  options.export_to_excel = true;
  drives.make_native_folder(QStringLiteral("D/Export"));
  dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT"))
      .choose(QStringLiteral("D:\\Export\\Pages"));
  EXPECT_EQ(print_flexgrid_pages(grid, options), -1);
  EXPECT_FALSE(printer().document_open());
  EXPECT_FALSE(g_export_excel);
  const xlsx_reading book(drives.native_drive('D') + QStringLiteral("/Export/Pages.xlsx"));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  EXPECT_EQ(book.text(1, QStringLiteral("A6")), QStringLiteral("H0"));
  EXPECT_EQ(book.text(1, QStringLiteral("C9")), QStringLiteral("R3C2"));
}

}  // namespace
}  // namespace km::test
