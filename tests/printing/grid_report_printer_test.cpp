#include "printing/grid_report_printer.h"

#include <QImage>
#include <algorithm>
#include <map>

#include "platform/model/grid/flex_grid.h"
#include "printed_ops.h"
#include "printing/closing_line.h"
#include "printing/print_job_end.h"
#include "printing/report_header.h"
#include "printing/rotated_text.h"
#include "printing_fixture.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::flex_grid;
using platform::grid_alignment;
using platform::print_op;
using platform::printer;
using platform::scale_unit;

// The printable area of A4 on the recording device, in twips.

class grid_report_printer_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    g_print_go = true;
    begin_print_job();
    g_print_new_document = true;
  }

  // A grid of `body` rows below `heading` heading rows (the grid's fixed
  // rows), three columns of 1200 twips; row r reads "H<r>" in a heading and
  // "R<r>" below, in column 0; the other columns hold "x<r>".
  void fill(int heading, int body, int cols = 3) {
    grid.set_fixed_rows(0);
    grid.set_fixed_cols(0);
    grid.set_rows(heading + body);
    grid.set_cols(cols);
    grid.set_fixed_rows(heading);
    for (int c = 0; c < cols; ++c) grid.set_col_width(c, 1200);
    for (int r = 0; r < heading + body; ++r) {
      grid.set_text_matrix(r, 0, (r < heading ? QStringLiteral("H%1") : QStringLiteral("R%1")).arg(r));
      for (int c = 1; c < cols; ++c) grid.set_text_matrix(r, c, QStringLiteral("x%1").arg(r));
    }
  }

  // One call on a page whose body starts on line 6, as after a page header.
  int call(grid_report_options& options) {
    printer().set_scale_mode(scale_unit::characters);
    printer().set_current_y(6);
    return print_flexgrid(grid, options);
  }
  int call() {
    grid_report_options options;
    return call(options);
  }

  // Calls page after page as a report does, until the grid is done; checks
  // on every page that the call used up rows. Returns the page count.
  int print_all(const grid_report_options& options, int most = 200) {
    for (int pages = 1;; ++pages) {
      if (pages > 1) printer().new_page();
      const int rows_before = grid.rows();
      grid_report_options each = options;  // a report passes the same options to every call
      if (call(each) == -1) return pages;
      EXPECT_LT(grid.rows(), rows_before) << "a full page that removed no row";
      if (pages == most || grid.rows() >= rows_before) {
        ADD_FAILURE() << "the page loop does not end";
        return pages;
      }
    }
  }

  // The texts of column 0 on each page, in printing order.
  std::vector<std::vector<QString>> column0_texts() const {
    std::vector<std::vector<QString>> pages;
    const platform::print_document* doc = printer().pending_document();
    if (!doc) return pages;
    for (const platform::print_page& page : doc->pages) {
      pages.emplace_back();
      for (const print_op& op : page.ops)
        if (op.what == print_op::kind::text && (op.text.startsWith(u'H') || op.text.startsWith(u'R')))
          pages.back().push_back(op.text);
    }
    return pages;
  }

  // Every body row printed exactly once, in order, and each page led by the
  // heading rows.
  void expect_each_row_once(int heading, int body) {
    const auto pages = column0_texts();
    std::vector<QString> bodies;
    for (const auto& texts : pages) {
      for (int h = 0; h < heading; ++h) {
        ASSERT_GT(int(texts.size()), h);
        EXPECT_EQ(texts[h], QStringLiteral("H%1").arg(h));
      }
      EXPECT_GT(int(texts.size()), heading) << "a page without a body row";
      bodies.insert(bodies.end(), texts.begin() + std::min<int>(heading, int(texts.size())), texts.end());
    }
    ASSERT_EQ(int(bodies.size()), body);
    for (int i = 0; i < body; ++i) EXPECT_EQ(bodies[i], QStringLiteral("R%1").arg(heading + i));
  }

  flex_grid grid;
};

TEST_F(grid_report_printer_test, a_long_grid_prints_page_by_page_with_its_heading_repeated) {
  fill(1, 120);
  grid_report_options options;
  // The first call fills one page and removes just the rows it printed.
  EXPECT_EQ(call(options), 0);
  const int printed = int(column0_texts().at(0).size()) - 1;
  EXPECT_GT(printed, 10);
  EXPECT_EQ(grid.rows(), 1 + 120 - printed);
  EXPECT_EQ(grid.text_matrix(0, 0), QStringLiteral("H0"));
  EXPECT_EQ(grid.text_matrix(1, 0), QStringLiteral("R%1").arg(1 + printed));
  // The print position is left just below the grid, in lines.
  EXPECT_EQ(printer().scale_mode(), scale_unit::characters);
  EXPECT_GT(printer().current_y(), 0.9 * printer().scale_height());

  printer().new_page();
  const int pages = 1 + print_all(options);
  EXPECT_GE(pages, 4);
  expect_each_row_once(1, 120);
}

TEST_F(grid_report_printer_test, the_last_row_never_prints_twice_whatever_the_grid_length) {
  // Every length up to two pages and a half: one of them fills a page on
  // its last row.
  for (int body = 1; body <= 80; ++body) {
    SCOPED_TRACE(body);
    printer().kill_doc();
    fill(1, body);
    print_all({});
    expect_each_row_once(1, body);
  }
}

TEST_F(grid_report_printer_test, every_full_page_uses_up_a_body_row) {
  struct guard_case {
    const char* what;
    int heading, body;
    int heading_height;  // 0: the grid's own
    int keep_rows;
  };
  const guard_case cases[] = {
      {"no fixed rows", 0, 90, 0, 9999},
      {"heading rows that alone fill the page", 2, 5, 8000, 9999},
      {"a keep-together block taller than the page", 1, 6, 0, 200},
      {"a heading row whose next block never fits", 1, 4, 8000, 1},
  };
  for (const guard_case& c : cases) {
    SCOPED_TRACE(c.what);
    printer().kill_doc();
    fill(c.heading, c.body);
    for (int h = 0; h < c.heading; ++h)
      if (c.heading_height) grid.set_row_height(h, c.heading_height);
    if (c.keep_rows == 200)
      for (int r = c.heading; r < grid.rows(); ++r) grid.set_row_height(r, 4000);
    grid_report_options options;
    options.keep_rows = c.keep_rows == 200 ? 3 : c.keep_rows;
    print_all(options);
    expect_each_row_once(c.heading, c.body);
  }
}

TEST_F(grid_report_printer_test, a_grid_of_heading_rows_only_ends_in_one_call) {
  fill(2, 0);
  grid.set_row_height(0, 20000);  // taller than the page
  EXPECT_EQ(call(), -1);
  EXPECT_EQ(grid.rows(), 2);
}

TEST_F(grid_report_printer_test, an_empty_grid_is_done_and_draws_nothing) {
  grid.set_fixed_rows(0);
  grid.set_rows(0);
  grid_report_options options;
  options.title = QStringLiteral("NOTHING");
  EXPECT_EQ(call(options), -1);
  EXPECT_TRUE(pending_ops(print_op::kind::text).empty());
  EXPECT_TRUE(pending_ops(print_op::kind::line).empty());
}

TEST_F(grid_report_printer_test, hidden_rows_are_never_printed_nor_end_a_page) {
  fill(1, 6);
  grid.set_row_height(2, 0);
  grid.set_row_height(6, 0);  // the last row
  EXPECT_EQ(call(), -1);
  std::vector<QString> expected = {QStringLiteral("H0"), QStringLiteral("R1"), QStringLiteral("R3"),
                                   QStringLiteral("R4"), QStringLiteral("R5")};
  EXPECT_EQ(column0_texts().at(0), expected);
  // Heights are the caller's again.
  EXPECT_EQ(grid.row_height(2), 0);
  EXPECT_EQ(grid.row_height(1), grid.default_row_height());
}

TEST_F(grid_report_printer_test, only_the_written_back_options_change_and_rule_every_0_acts_as_1) {
  fill(1, 4);
  grid_report_options options;
  options.rule_every = 0;
  options.skip_blank_rows = true;
  options.top_gap = 240;
  EXPECT_EQ(call(options), -1);
  EXPECT_FALSE(options.skip_blank_rows);  // more than one column
  EXPECT_EQ(options.last_fit_col, 3);
  // What the caller passes by value stays, ready for the next page.
  EXPECT_EQ(options.rule_every, 0);
  EXPECT_EQ(options.heading_rows, 0);
  EXPECT_DOUBLE_EQ(options.top_gap, 240);
  // The grid's top a gap below line 6; a rule above every row but the first.
  const double top = 6 * 240 + 240;
  int rules = 0;
  bool top_edge = false;
  for (const print_op& op : pending_ops(print_op::kind::line)) {
    if (op.y1 != op.y2 || op.x1 != 0) continue;
    if (op.y1 == top) top_edge = true;
    if (op.y1 > top) ++rules;
  }
  EXPECT_TRUE(top_edge);
  EXPECT_EQ(rules, 4 + 1);  // four row rules and the frame's bottom edge
}

TEST_F(grid_report_printer_test, a_grid_wider_than_the_page_stops_its_rules_one_character_short) {
  // More columns than the older fixed tables held, too.
  fill(1, 3, 250);
  for (int c = 0; c < 250; ++c) grid.set_col_width(c, 100);
  EXPECT_EQ(call(), -1);
  const double edge = portrait_width - 120;
  double furthest = 0;
  for (const print_op& op : pending_ops(print_op::kind::line)) furthest = std::max({furthest, op.x1, op.x2});
  EXPECT_DOUBLE_EQ(furthest, edge);
  // The columns beyond it still print, past the edge, up to the last one.
  double last_text = 0;
  for (const print_op& op : printed_texts()) last_text = std::max(last_text, op.x1);
  EXPECT_DOUBLE_EQ(last_text, 249 * 220 + 2 * 60 - 60);  // a text wider than its column gives up the margin
}

TEST_F(grid_report_printer_test, a_grid_longer_than_the_older_fixed_tables_pages_the_same) {
  fill(1, 50005);
  EXPECT_EQ(call(), 0);
  const int printed = int(column0_texts().at(0).size()) - 1;
  EXPECT_EQ(grid.rows(), 1 + 50005 - printed);
  EXPECT_EQ(grid.text_matrix(grid.rows() - 1, 0), QStringLiteral("R50005"));
}

TEST_F(grid_report_printer_test, a_merged_run_prints_once_across_the_run) {
  fill(1, 2, 4);
  grid.set_merge_row(0, true);
  grid.set_merge_col(1, true);
  grid.set_merge_col(2, true);
  grid.set_merge_col(3, true);
  for (int c = 1; c < 4; ++c) grid.set_text_matrix(0, c, QStringLiteral("TERM 1"));
  grid.set_col_alignment(1, grid_alignment::center_center);
  EXPECT_EQ(call(), -1);
  std::vector<print_op> term;
  for (const print_op& op : printed_texts())
    if (op.text == QStringLiteral("TERM 1")) term.push_back(op);
  ASSERT_EQ(term.size(), 1u);
  // Centred across the three columns and the margins between them.
  // The run's text area starts two margins inside its left edge.
  const double run_left = 1200 + 2 * 60 + 2 * 60, run_width = 3 * 1200 + 4 * 60;
  EXPECT_DOUBLE_EQ(term[0].x1, run_left + (run_width - (term[0].x2 - term[0].x1)) / 2);
}

TEST_F(grid_report_printer_test, a_split_cell_is_a_diagonal_and_two_small_letters) {
  fill(1, 1, 3);
  grid.set_text_matrix(1, 1, QStringLiteral("a\u00A6a"));
  EXPECT_EQ(call(), -1);
  const double left = 1200 + 2 * 60;  // the cell's left edge
  std::vector<print_op> diagonals;
  for (const print_op& op : pending_ops(print_op::kind::line))
    if (op.x1 != op.x2 && op.y1 != op.y2) diagonals.push_back(op);
  ASSERT_EQ(diagonals.size(), 1u);
  EXPECT_DOUBLE_EQ(diagonals[0].x1, left);
  EXPECT_DOUBLE_EQ(diagonals[0].x2, left + 1200 + 2 * 60);
  EXPECT_GT(diagonals[0].y1, diagonals[0].y2);  // from the lower left up to the upper right
  std::vector<print_op> letters;
  for (const print_op& op : printed_texts())
    if (op.text == QStringLiteral("a")) letters.push_back(op);
  ASSERT_EQ(letters.size(), 2u);
  EXPECT_DOUBLE_EQ(letters[0].font.size, 0.75 * grid.font().size);
  EXPECT_DOUBLE_EQ(letters[0].x1, left + 60);
  EXPECT_DOUBLE_EQ(letters[1].x1, left + 60 + 1200 - 60);
  EXPECT_LT(letters[0].y1, letters[1].y1);
  for (const print_op& op : printed_texts()) EXPECT_NE(op.text, QStringLiteral("a\u00A6a"));
}

TEST_F(grid_report_printer_test, rotated_headings_pictures_fills_and_line_breaks) {
  fill(1, 2, 3);
  grid.set_text_matrix(0, 1, QStringLiteral("~~R~~MATHEMATICS"));
  grid.set_text_matrix(1, 2, QStringLiteral("FIRST\r\nSECOND"));
  grid.set_row(2);
  grid.set_col(1);
  grid.set_cell_back_color(flex_grid::rgb(247, 247, 247));
  QImage big(2000, 2000, QImage::Format_RGB32);
  big.fill(Qt::red);
  grid.set_col(2);
  grid.set_cell_picture(big);
  const int heading_height = grid.row_height(0);
  EXPECT_EQ(call(), -1);

  const std::vector<print_op> pictures = pending_ops(print_op::kind::picture);
  ASSERT_EQ(pictures.size(), 2u);
  // The heading turned on its side; its row grew to 0.75 of the turned text.
  EXPECT_EQ(rotated_picture_count(), 1);
  EXPECT_FALSE(grid.text_matrix(0, 1).isEmpty());
  const double turned = pictures[0].y2 - pictures[0].y1;
  EXPECT_GT(turned, measure_heading_text(QStringLiteral("MATHEMATICS")));
  EXPECT_EQ(grid.row_height(0), heading_height);  // restored at the end
  // The cell picture shrunk into its cell less the margins, keeping its shape.
  const print_op& cell = pictures[1];
  EXPECT_LE(cell.x2 - cell.x1, 1200 - 2 * 60 + 1e-6);
  EXPECT_NEAR(cell.x2 - cell.x1, cell.y2 - cell.y1, 1e-6);
  EXPECT_LE(cell.y2 - cell.y1, grid.row_height(2) - 2 * 45 + 1e-6);
  // The filled cell.
  const std::vector<print_op> fills = pending_ops(print_op::kind::filled_box);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].color, QColor(247, 247, 247));
  std::map<QString, double> y;
  for (const print_op& op : printed_texts()) y[op.text] = op.y1;
  // The first body row starts below 0.75 of the turned text.
  EXPECT_GT(y[QStringLiteral("R1")] - pictures[0].y1, 0.75 * turned);
  // Each line of the broken cell on a line of its own, led by a blank.
  ASSERT_TRUE(y.count(QStringLiteral(" FIRST")) && y.count(QStringLiteral(" SECOND")));
  EXPECT_GT(y[QStringLiteral(" SECOND")], y[QStringLiteral(" FIRST")]);
}

// Lines drawn: horizontal ones, and vertical ones.
bool horizontal(const print_op& op) { return op.y1 == op.y2 && op.x1 != op.x2; }
bool vertical(const print_op& op) { return op.x1 == op.x2 && op.y1 != op.y2; }

TEST_F(grid_report_printer_test, group_rules_are_thick_or_shortened_and_separators_start_at_the_rule_column) {
  fill(1, 6);
  grid_report_options options;
  options.rule_group = 2;
  options.thick_group_rules = true;
  options.rule_start_col = 1;
  EXPECT_EQ(call(options), -1);
  // Rows 2, 4 and 6 open a group: a thick bar from the left margin.
  int bars = 0;
  for (const print_op& op : pending_ops(print_op::kind::filled_box)) {
    EXPECT_DOUBLE_EQ(op.x1, 0);
    EXPECT_NEAR(op.y2 - op.y1, 24, 1e-6);  // a tenth of a line
    ++bars;
  }
  EXPECT_EQ(bars, 3);
  // Rows 1, 3 and 5 get a thin rule from column 1's left edge.
  int shortened = 0;
  for (const print_op& op : pending_ops(print_op::kind::line))
    if (horizontal(op) && op.x1 == 1320) ++shortened;
  EXPECT_EQ(shortened, 3);
  // Separators only from column 1 on.
  std::vector<double> separators;
  for (const print_op& op : pending_ops(print_op::kind::line))
    if (vertical(op) && op.x1 > 0 && op.x1 < 3960) separators.push_back(op.x1);
  EXPECT_EQ(separators, std::vector<double>{2640});
}

TEST_F(grid_report_printer_test, centring_frames_and_margins_follow_the_options) {
  fill(1, 2);
  grid_report_options centred;
  centred.centre_grid = true;
  centred.page_frame = true;
  EXPECT_EQ(call(centred), -1);
  EXPECT_DOUBLE_EQ(centred.left_margin, 0);
  const double centred_left = (portrait_width - 3 * 1320) / 2;
  bool page_frame = false, left_edge = false;
  for (const print_op& op : pending_ops(print_op::kind::line)) {
    if (op.x1 == 30 && op.y1 == 60 && horizontal(op)) page_frame = true;  // (0.25, 0.25) in characters
    if (vertical(op) && op.x1 == centred_left) left_edge = true;
  }
  EXPECT_TRUE(page_frame);
  EXPECT_TRUE(left_edge);

  printer().kill_doc();
  grid.set_row(1);
  grid.set_col(1);
  grid.set_cell_back_color(flex_grid::rgb(200, 0, 0));
  grid_report_options bare;
  bare.no_frame = true;
  bare.no_row_rules = true;
  EXPECT_EQ(call(bare), -1);
  EXPECT_TRUE(pending_ops(print_op::kind::line).empty());
  EXPECT_TRUE(pending_ops(print_op::kind::filled_box).empty());
  EXPECT_FALSE(printed_texts().empty());
}

TEST_F(grid_report_printer_test, tall_rows_spread_the_rows_and_the_heights_come_back) {
  const auto row_pitch = [this](bool tall) {
    printer().kill_doc();
    fill(1, 3);
    grid_report_options options;
    options.tall_rows = tall;
    EXPECT_EQ(call(options), -1);
    std::map<QString, double> y;
    for (const print_op& op : printed_texts()) y[op.text] = op.y1;
    EXPECT_EQ(grid.row_height(2), grid.default_row_height());
    return y[QStringLiteral("R3")] - y[QStringLiteral("R2")];
  };
  EXPECT_GT(row_pitch(true), row_pitch(false));
}

TEST_F(grid_report_printer_test, pages_end_earlier_on_a_short_page_or_before_a_block_that_would_not_fit) {
  const auto first_page_rows = [this](grid_report_options options) {
    printer().kill_doc();
    fill(1, 60);
    g_print_new_document = false;
    EXPECT_EQ(call(options), 0);
    return 60 - (grid.rows() - 1);
  };
  const int normal = first_page_rows({});
  EXPECT_FALSE(g_print_new_document);
  grid_report_options short_page;
  short_page.short_page = true;
  EXPECT_LT(first_page_rows(short_page), normal);
  // Blocks of five rows (rows 0 to 4, 5 to 9, ...) stay together, and the
  // next page is a new document for the header.
  grid_report_options blocks;
  blocks.keep_rows = 5;
  EXPECT_EQ(first_page_rows(blocks) % 5, 4);
  EXPECT_TRUE(g_print_new_document);
}

TEST_F(grid_report_printer_test, columns_are_fitted_only_when_asked_and_the_grid_has_more_than_five) {
  for (const int cols : {5, 6}) {
    SCOPED_TRACE(cols);
    printer().kill_doc();
    fill(1, 2, cols);
    grid.set_tag({});
    grid_report_options options;
    options.fit_columns = true;
    EXPECT_EQ(call(options), -1);
    EXPECT_EQ(grid.tag() == QStringLiteral("autofit"), cols > 5);
    EXPECT_EQ(grid.col_width(0) != 1200, cols > 5);
  }
}

TEST_F(grid_report_printer_test, a_closing_line_prints_below_the_grid) {
  fill(1, 2);
  EXPECT_EQ(call(), -1);
  const double below = printer().current_y();
  print_closing_line(QStringLiteral("AVERAGE 55.0"));
  const std::vector<print_op> texts = printed_texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back().text, QStringLiteral("AVERAGE 55.0"));
  EXPECT_DOUBLE_EQ(texts.back().y1, below * 240);
}

class grid_report_export_test : public grid_report_printer_test {
 protected:
  void SetUp() override {
    grid_report_printer_test::SetUp();
    printer().kill_doc();
    drives.make_native_folder(QStringLiteral("D/Export"));
  }
  QString native_target(const QString& name) const {
    return drives.native_drive('D') + QStringLiteral("/Export/") + name + QStringLiteral(".xlsx");
  }
};

TEST_F(grid_report_export_test, during_an_export_the_grid_and_closing_lines_go_into_the_sheet) {
  g_export_excel = true;
  g_excel_workbook = std::make_unique<platform::workbook>();
  g_excel_folder = QStringLiteral("D:\\Export\\");
  g_excel_file_name = QStringLiteral("List");
  fill(1, 5);
  QString title = QStringLiteral("MARK LIST");
  print_report_header(title);
  // Every call is done at once: a report's page loop ends.
  EXPECT_EQ(call(), -1);
  EXPECT_EQ(grid.rows(), 6);
  print_closing_line(QStringLiteral("AVERAGE 55.0"));
  dialogs.expect_message(QStringLiteral("EXPORT OF List TO D:\\Export\\List COMPLETE !!"))
      .icon(platform::msg_icon::information);
  end_print_job(false, false);
  EXPECT_TRUE(device->documents().empty());

  const xlsx_reading book(native_target(QStringLiteral("List")));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  EXPECT_EQ(book.text(1, QStringLiteral("A6")), QStringLiteral("H0"));
  EXPECT_EQ(book.text(1, QStringLiteral("A11")), QStringLiteral("R5"));
  EXPECT_EQ(book.text(1, QStringLiteral("C11")), QStringLiteral("x5"));
  EXPECT_EQ(book.text(1, QStringLiteral("A12")), QStringLiteral("AVERAGE 55.0"));
}

TEST_F(grid_report_export_test, an_export_of_its_own_opens_copies_and_saves_at_once) {
  fill(1, 3);
  dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT"))
      .choose(QStringLiteral("D:\\Export\\Own.xlsx"));
  grid_report_options options;
  options.to_excel = true;
  EXPECT_EQ(call(options), -1);
  EXPECT_FALSE(g_export_excel);
  EXPECT_FALSE(g_excel_workbook);
  EXPECT_TRUE(printed_texts().empty());
  const xlsx_reading book(native_target(QStringLiteral("Own")));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  EXPECT_EQ(book.text(1, QStringLiteral("A6")), QStringLiteral("H0"));
  EXPECT_EQ(book.text(1, QStringLiteral("A9")), QStringLiteral("R3"));

  // A cancelled file dialog exports nothing and prints nothing.
  dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT")).cancel();
  EXPECT_EQ(call(options), -1);
  EXPECT_TRUE(printed_texts().empty());
}

}  // namespace
}  // namespace km::test
