#include "printing/report_header.h"

#include "printing/print_drawing.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::print_op;
using platform::printer;

// A4 on the recording device: a quarter inch that cannot be printed on each
// side leaves 11185.5 x 16117.8 twips (portrait).

class report_header_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    g_print_new_document = true;
  }
  const platform::print_page& page(std::size_t index = 0) const {
    return printer().pending_document()->pages.at(index);
  }
  // The text operation of a page showing exactly this text.
  const print_op* text_op(const QString& text, std::size_t page_index = 0) const {
    for (const print_op& op : page(page_index).ops)
      if (op.what == print_op::kind::text && op.text == text) return &op;
    ADD_FAILURE() << "no text \"" << text.toStdString() << "\" on page " << page_index + 1;
    return nullptr;
  }
  std::vector<QString> texts(std::size_t page_index = 0) const {
    std::vector<QString> all;
    for (const print_op& op : page(page_index).ops)
      if (op.what == print_op::kind::text) all.push_back(op.text);
    return all;
  }
};

TEST_F(report_header_test, the_first_page_carries_frame_rule_and_three_header_lines) {
  QString title = QStringLiteral("MARK LIST 10A");
  const double start = print_report_header(title);
  EXPECT_DOUBLE_EQ(start, 6.0);
  ASSERT_TRUE(printer().document_open());
  ASSERT_EQ(printer().pending_document()->pages.size(), 1u);  // no extra page for a new document
  EXPECT_FALSE(g_print_new_document);

  const auto& ops = page().ops;
  ASSERT_GE(ops.size(), 5u);
  // The frame from (0.25, 0.25) to the page's columns and lines.
  const double right = 93 * 120.0;                            // ScaleWidth 93.2 - 0.25, rounded
  const double bottom = (portrait_height / 240 - 0.7) * 240;  // ScaleHeight - 0.7 lines
  EXPECT_DOUBLE_EQ(ops[0].x1, 30);
  EXPECT_DOUBLE_EQ(ops[0].y1, 60);
  EXPECT_DOUBLE_EQ(ops[0].x2, right);
  EXPECT_NEAR(ops[1].y2, bottom, 0.01);  // the page length is a single
  // The rule under the header band: ScaleHeight / 12 - 0.5 lines down.
  const double rule_y = (portrait_height / 240 / 12 - 0.5) * 240;
  EXPECT_EQ(ops[4].what, print_op::kind::line);
  EXPECT_DOUBLE_EQ(ops[4].x1, 30);
  EXPECT_DOUBLE_EQ(ops[4].x2, right);
  EXPECT_NEAR(ops[4].y1, rule_y, 1e-3);
  EXPECT_NEAR(ops[4].y2, rule_y, 1e-3);

  // Line 1 half a line down; 8-point lines of 192 twips; left items at Tab(3)
  // of 96-twip columns.
  const print_op* date = text_op(QStringLiteral("2017.03.17"));
  ASSERT_TRUE(date);
  EXPECT_DOUBLE_EQ(date->x1, 192);
  EXPECT_DOUBLE_EQ(date->y1, 120);
  EXPECT_DOUBLE_EQ(date->font.size, 8);
  const print_op* program = text_op(QStringLiteral("KORVA-MARKS"));
  ASSERT_TRUE(program);
  EXPECT_NEAR(program->x1, portrait_width - 240 - 11 * 96, 1e-6);  // two columns short of the edge
  EXPECT_DOUBLE_EQ(program->y1, 120);
  const print_op* time = text_op(QStringLiteral("10:30:00"));
  ASSERT_TRUE(time);
  EXPECT_DOUBLE_EQ(time->y1, 312);
  const print_op* school = text_op(QStringLiteral("HOERSKOOL KORVA"));
  ASSERT_TRUE(school);
  EXPECT_DOUBLE_EQ(school->font.size, 10);
  EXPECT_NEAR(school->x1, (portrait_width - 15 * 120) / 2, 1e-6);
  EXPECT_DOUBLE_EQ(school->y1, 312);
  const print_op* system = text_op(QStringLiteral("Linux"));
  ASSERT_TRUE(system);
  EXPECT_DOUBLE_EQ(system->y1, 312);
  const print_op* page_number = text_op(QStringLiteral("PAGE : 1"));
  ASSERT_TRUE(page_number);
  EXPECT_DOUBLE_EQ(page_number->x1, 192);
  EXPECT_DOUBLE_EQ(page_number->y1, 504);
  const print_op* centred = text_op(QStringLiteral("MARK LIST 10A"));
  ASSERT_TRUE(centred);
  EXPECT_DOUBLE_EQ(centred->y1, 504);
  EXPECT_FALSE(centred->font.bold);
  EXPECT_NEAR(centred->x1, (portrait_width - 13 * 120) / 2, 1e-6);

  // The body starts at line 6; afterwards the page width is the full one.
  EXPECT_DOUBLE_EQ(printer().current_x(), 0);
  EXPECT_DOUBLE_EQ(printer().current_y(), 6);
  EXPECT_EQ(g_print_page_columns, 93);
  EXPECT_EQ(g_print_line_length, 93);
  EXPECT_NEAR(g_print_page_lines, portrait_height / 240 - 0.7, 1e-4);
}

// A printer whose page is 100.6 columns across: the frame edge while the
// header is drawn (100.35, rounded 100) and the full width (101) differ.
class wide_device : public platform::recording_device {
 public:
  platform::page_geometry geometry(platform::page_orientation orientation) const override {
    platform::page_geometry g = platform::a4_geometry(orientation);
    g.printable.setWidth(100.6 * 120);
    return g;
  }
};

TEST_F(report_header_test, the_frame_edge_is_a_quarter_column_in_and_the_full_width_comes_back) {
  auto wide = std::make_shared<wide_device>();
  printer().set_device(wide);
  QString title = QStringLiteral("LIST");
  print_report_header(title);
  const auto& ops = page().ops;
  ASSERT_GE(ops.size(), 5u);
  EXPECT_DOUBLE_EQ(ops[0].x2, 100 * 120.0);  // the frame's top line
  EXPECT_DOUBLE_EQ(ops[4].x2, 100 * 120.0);  // the rule under the header band
  EXPECT_EQ(g_print_page_columns, 101);
  EXPECT_EQ(g_print_line_length, 101);
  printer().kill_doc();
  printer().set_device(device);
}

TEST_F(report_header_test, the_page_label_follows_the_language) {
  g_language = true;
  QString title = QStringLiteral("PUNTELYS");
  print_report_header(title);
  EXPECT_TRUE(text_op(QStringLiteral("BLADSY : 1")));
}

TEST_F(report_header_test, landscape_folds_the_subtitle_into_the_title) {
  QString title = QStringLiteral("MARK BOOK");
  QString subtitle = QStringLiteral("  TERM 1  ");
  print_report_header(title, &subtitle, paper_a4_landscape);
  EXPECT_EQ(title, QStringLiteral("MARK BOOK [TERM 1]"));
  EXPECT_EQ(subtitle, QString());
  EXPECT_EQ(printer().orientation(), platform::page_orientation::landscape);
  const print_op* folded = text_op(QStringLiteral("MARK BOOK [TERM 1]"));
  ASSERT_TRUE(folded);
  EXPECT_DOUBLE_EQ(folded->y1, 180 + 2 * 192);  // landscape starts three quarters of a line down
  const double width = 297.0 / 25.4 * 1440 - 720;
  EXPECT_NEAR(folded->x1, (width - 18 * 120) / 2, 1e-6);
  for (const QString& text : texts()) EXPECT_NE(text, QStringLiteral("TERM 1"));
}

TEST_F(report_header_test, portrait_prints_the_subtitle_half_a_line_below_the_title) {
  QString title = QStringLiteral("MARK BOOK");
  QString subtitle = QStringLiteral("TERM 1");
  print_report_header(title, &subtitle, paper_a4_portrait, true);
  EXPECT_EQ(title, QStringLiteral("MARK BOOK"));
  EXPECT_EQ(subtitle, QStringLiteral("TERM 1"));
  const print_op* heading = text_op(QStringLiteral("MARK BOOK"));
  const print_op* second = text_op(QStringLiteral("TERM 1"));
  ASSERT_TRUE(heading && second);
  EXPECT_TRUE(heading->font.bold);
  EXPECT_DOUBLE_EQ(heading->font.size, 12);
  EXPECT_TRUE(second->font.bold);
  EXPECT_DOUBLE_EQ(second->font.size, 10);
  // The bold 12-point title line is 288 twips high; the subtitle comes half
  // a line (120 twips) below that.
  EXPECT_DOUBLE_EQ(second->y1, 504 + 288 + 120);
  EXPECT_FALSE(printer().font_bold());
  EXPECT_DOUBLE_EQ(printer().current_y(), 6);
}

TEST_F(report_header_test, a_blank_subtitle_prints_no_fourth_line) {
  QString title = QStringLiteral("LIST");
  QString subtitle = QStringLiteral("   ");
  print_report_header(title, &subtitle, paper_a4_landscape);
  EXPECT_EQ(title, QStringLiteral("LIST"));
  EXPECT_EQ(texts().size(), 7u);  // date, program, time, school, system, page, title
}

TEST_F(report_header_test, no_header_is_due_in_the_middle_of_a_page) {
  QString title = QStringLiteral("LIST");
  print_report_header(title);
  printer().set_current_y(30);
  const std::size_t ops_before = page().ops.size();
  const double start = print_report_header(title);
  EXPECT_DOUBLE_EQ(start, 30);  // the current line, not an empty value
  EXPECT_EQ(printer().pending_document()->pages.size(), 1u);
  EXPECT_EQ(page().ops.size(), ops_before);
  EXPECT_EQ(g_print_page_columns, 93);
}

TEST_F(report_header_test, near_the_bottom_a_new_page_is_fed_with_its_number) {
  QString title = QStringLiteral("LIST");
  print_report_header(title);
  printer().set_current_y(printer().scale_height() - 5);
  EXPECT_DOUBLE_EQ(print_report_header(title), 6);
  ASSERT_EQ(printer().pending_document()->pages.size(), 2u);
  EXPECT_TRUE(text_op(QStringLiteral("PAGE : 2"), 1));
}

TEST_F(report_header_test, a_caller_that_fed_the_page_itself_gets_no_second_one) {
  QString title = QStringLiteral("LIST");
  print_report_header(title);
  printer().new_page();
  g_print_new_document = true;
  print_report_header(title);
  EXPECT_EQ(printer().pending_document()->pages.size(), 2u);
}

TEST_F(report_header_test, no_header_breaks_the_page_and_draws_nothing) {
  QString title = QStringLiteral("LIST");
  print_report_header(title);
  printer().set_current_y(printer().scale_height() - 1);
  const double start = print_report_header(title, nullptr, paper_a4_portrait, false, true);
  EXPECT_DOUBLE_EQ(start, 0);
  EXPECT_EQ(printer().page(), 2);
  // The new page has nothing on it: it is not even begun.
  EXPECT_EQ(printer().pending_document()->pages.size(), 1u);
}

TEST_F(report_header_test, a_height_factor_stays_in_force_after_the_header) {
  QString title = QStringLiteral("SUMMARY");
  print_report_header(title, nullptr, paper_a4_portrait, false, false, 1.5);
  // The page counts one and a half times the lines, before and after the
  // header, so the body's limits and its print position agree.
  EXPECT_NEAR(printer().scale_height(), portrait_height / 240 * 1.5, 1e-9);
  EXPECT_NEAR(g_print_page_lines, portrait_height / 240 * 1.5 - 0.7, 1e-4);
  EXPECT_DOUBLE_EQ(printer().current_y(), 6);
  EXPECT_NEAR(printer().scale_width(), portrait_width / 120, 1e-9);
}

TEST_F(report_header_test, an_export_writes_the_header_into_a_fresh_worksheet) {
  g_export_excel = true;
  g_excel_workbook = std::make_unique<platform::workbook>();
  const platform::workbook& book = *g_excel_workbook;
  QString title = QStringLiteral("MARKS");
  QString subtitle = QStringLiteral("GRADE 10");
  EXPECT_DOUBLE_EQ(print_report_header(title, &subtitle), 0);
  EXPECT_EQ(title, QStringLiteral("MARKS [GRADE 10]"));
  EXPECT_EQ(g_excel_sheet_count, 1);
  EXPECT_EQ(g_excel_sheet, 1);
  EXPECT_EQ(g_excel_row, 6);
  ASSERT_EQ(book.sheet_count(), 1);
  const platform::worksheet& first = book.sheet(1);
  const struct {
    int row, column;
    const char* text;
  } cells[] = {
      {1, 1, "2017.03.17"}, {1, 5, "KORVA-MARKS"}, {2, 1, "10:30:00"},         {2, 3, "HOERSKOOL KORVA"},
      {2, 5, "Linux"},      {3, 1, "PAGE : 1"},    {3, 3, "MARKS [GRADE 10]"},
  };
  for (const auto& c : cells) EXPECT_EQ(first.text(c.row, c.column), QString::fromLatin1(c.text)) << c.text;
  EXPECT_EQ(first.last_row(), 3);
  EXPECT_EQ(first.last_column(), 5);
  EXPECT_EQ(first.font_name(), QStringLiteral("ARIAL"));

  // The second report of the same export goes to a new second worksheet.
  QString second = QStringLiteral("SUMMARY");
  print_report_header(second);
  ASSERT_EQ(book.sheet_count(), 2);
  EXPECT_EQ(g_excel_sheet_count, 2);
  EXPECT_EQ(book.sheet(2).text(3, 3), QStringLiteral("SUMMARY"));
  EXPECT_EQ(book.sheet(1).text(3, 3), QStringLiteral("MARKS [GRADE 10]"));
  // Nothing reached the printer.
  EXPECT_FALSE(printer().document_open());
}

}  // namespace
}  // namespace km::test
