#include "printing/marks_report.h"

#include "page_fit.h"
#include "page_text.h"
#include "platform/model/grid/flex_grid.h"
#include "printing/print_messages.h"
#include "printing_fixture.h"
#include "support/class_names.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::msg_icon;
using platform::print_op;
using platform::printer;
using platform::Value;

const QString bar = QString(QChar(0x00A6));

// The printed line of a grid row: one column in from the page's left edge,
// number, code, name, then the fields.
QString row_line(int number, const QString& code, const QString& name, const QStringList& fields) {
  QString line = u' ' + QString::number(number).leftJustified(3) + u' ' + code.rightJustified(6) + u' ' +
                 name.leftJustified(42) + bar;
  for (const QString& field : fields) line += field + bar;
  return line;
}

class marks_report_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    g_print_title = QStringLiteral("OBE MARKS");
    // As after the printer choice: the set-up made, a new document pending.
    g_print_go = true;
    begin_print_job();
    g_print_new_document = true;
  }

  // A grid of `mark_cols` mark columns: row 0 headings, then the rows given
  // as code, name and marks.
  void fill(int mark_cols, const std::vector<QStringList>& rows) {
    grid.set_cols(2 + mark_cols);
    grid.set_rows(1 + int(rows.size()));
    grid.set_text_matrix(0, 0, QStringLiteral("NO"));
    grid.set_text_matrix(0, 1, QStringLiteral("NAME"));
    for (int c = 2; c < grid.cols(); ++c) grid.set_text_matrix(0, c, QStringLiteral("TASK %1").arg(c - 1));
    for (int r = 0; r < int(rows.size()); ++r)
      for (int c = 0; c < rows[r].size(); ++c) grid.set_text_matrix(r + 1, c, rows[r][c]);
  }

  // Prints the summary and answers the completion message.
  void print(Value new_total, Value old_total, int pages = 1) {
    dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (%1 pages)").arg(pages))
        .icon(msg_icon::information);
    print_marks_report(subtitle, new_total, old_total, grid);
    dialogs.verify();
  }

  std::vector<QString> lines(std::size_t page = 0) const { return page_lines(device->last().pages.at(page)); }

  platform::flex_grid grid;
  QString subtitle = QStringLiteral("GRADE 10");
};

struct field_case {
  const char* cell;
  double new_total, old_total;
  const char* field;
  bool counted;
  double value;
};

TEST_F(marks_report_test, each_mark_becomes_a_five_character_field) {
  const field_case cases[] = {
      {"37", 100, 50, " 74.0", true, 74.0},
      {"33", 100, 70, " 47.1", true, 33.0 / 70 * 100},
      {"0", 100, 50, "   .0", true, 0.0},
      {"37", 100, 0, " 37.0", true, 37.0},  // old total 0: no conversion
      {"37", 0, 50, " 37.0", true, 37.0},   // new total 0: no conversion
      {" 12.25 ", 0, 0, " 12.3", true, 12.25},
      {"A", 100, 50, "    A", false, 0},
      {" a", 100, 50, "    a", false, 0},
      {"", 100, 50, "     ", false, 0},
      {"   ", 100, 50, "     ", false, 0},
      {"ABS", 100, 50, "     ", false, 0},
  };
  for (const field_case& c : cases) {
    SCOPED_TRACE(c.cell);
    const summary_mark mark = read_summary_mark(QString::fromLatin1(c.cell), c.new_total, c.old_total);
    EXPECT_EQ(summary_mark_field(mark), QString::fromLatin1(c.field));
    EXPECT_EQ(mark.what == summary_mark::kind::number, c.counted);
    if (c.counted) {
      EXPECT_DOUBLE_EQ(mark.value, c.value);
    }
  }
}

TEST_F(marks_report_test, the_page_follows_the_number_of_mark_columns) {
  struct page_case {
    int cols;
    bool portrait;
    int chars, font;
    double scale_width;
  };
  const page_case cases[] = {
      {3, true, 93, 10, 93},     // W = 44
      {11, true, 93, 10, 93},    // W = 92
      {12, false, 110, 7, 110},  // W = 98
      {14, false, 110, 7, 110},  // W = 110
      {22, false, 110, 7, 158},  // W = 158
  };
  for (const page_case& c : cases) {
    SCOPED_TRACE(c.cols);
    const summary_page page = summary_page_for(c.cols);
    EXPECT_EQ(page.portrait, c.portrait);
    EXPECT_EQ(page.chars_per_line, c.chars);
    EXPECT_EQ(page.font_size, c.font);
    EXPECT_DOUBLE_EQ(page.scale_width, c.scale_width);
  }
}

TEST_F(marks_report_test, the_printed_page_takes_the_summarys_orientation_font_and_width) {
  struct printed_case {
    int mark_cols;
    platform::page_orientation orientation;
    double font;
    int page_columns;
  };
  const printed_case cases[] = {
      {1, platform::page_orientation::portrait, 10, 91},
      {12, platform::page_orientation::landscape, 7, 108},
      {20, platform::page_orientation::landscape, 7, 156},
  };
  for (const printed_case& c : cases) {
    SCOPED_TRACE(c.mark_cols);
    g_print_new_document = true;
    fill(c.mark_cols, {{QStringLiteral("1"), QStringLiteral("ALPHA")}});
    print(Value(100.0), Value(100.0));
    const platform::print_page& page = device->last().pages.at(0);
    EXPECT_EQ(page.orientation, c.orientation);
    EXPECT_EQ(g_print_font_size, c.font);
    EXPECT_EQ(g_print_page_columns, c.page_columns);  // ScaleWidth less 2
    int rows_seen = 0;
    for (const print_op& op : page.ops) {
      if (op.what != print_op::kind::text || !op.text.startsWith(QStringLiteral("2  "))) continue;
      ++rows_seen;
      EXPECT_DOUBLE_EQ(op.font.size, c.font);
      EXPECT_TRUE(op.font.underline);
    }
    EXPECT_EQ(rows_seen, 1);
  }
}

TEST_F(marks_report_test, rows_print_converted_marks_then_totals_and_averages) {
  fill(3, {
              {QStringLiteral("101"), QStringLiteral("ALPHA, ANNA"), QStringLiteral("40"),
               QStringLiteral("A"), QStringLiteral("")},
              {QStringLiteral("102"), QStringLiteral("BRAVO, BEN"), QStringLiteral("50"), QStringLiteral("a"),
               QStringLiteral("x")},
              {QStringLiteral("103"), QStringLiteral("CHARLIE, CHRIS"), QStringLiteral("60"),
               QStringLiteral(" "), QStringLiteral("A")},
          });
  print(Value(QStringLiteral("80")), Value(QStringLiteral("0")));
  const std::vector<QString> printed = lines();
  const QString blank5 = QStringLiteral("     ");
  // Row 0 is line 1; its heading texts are no marks and print as blanks.
  EXPECT_EQ(line_starting(printed, QStringLiteral(" 1  ")),
            row_line(1, QStringLiteral("NO"), QStringLiteral("NAME"), {blank5, blank5, blank5}));
  EXPECT_EQ(line_starting(printed, QStringLiteral(" 2  ")),
            row_line(2, QStringLiteral("101"), QStringLiteral("ALPHA, ANNA"),
                     {QStringLiteral(" 40.0"), QStringLiteral("    A"), blank5}));
  EXPECT_EQ(line_starting(printed, QStringLiteral(" 3  ")),
            row_line(3, QStringLiteral("102"), QStringLiteral("BRAVO, BEN"),
                     {QStringLiteral(" 50.0"), QStringLiteral("    a"), blank5}));
  EXPECT_EQ(line_starting(printed, QStringLiteral(" 4  ")),
            row_line(4, QStringLiteral("103"), QStringLiteral("CHARLIE, CHRIS"),
                     {QStringLiteral(" 60.0"), blank5, QStringLiteral("    A")}));
  // Count 3 at column 50, sum 150 right-justified in 10 at column 55; the
  // average 50 as a percentage of 80, then the plain average.
  EXPECT_EQ(line_starting(printed, QStringLiteral(" TOTAL")),
            QStringLiteral(" TOTAL NUMBER OF LEARNERS/MARKS") + QString(18, u' ') + QStringLiteral("3    ") +
                QStringLiteral("       150"));
  EXPECT_EQ(line_starting(printed, QStringLiteral(" AVERAGE")),
            QStringLiteral(" AVERAGE") + QString(46, u' ') + QStringLiteral("      62.5"));
  EXPECT_EQ(line_starting(printed, QString(54, u' ')), QString(54, u' ') + QStringLiteral("      50.0"));
}

TEST_F(marks_report_test, every_line_stands_inside_the_page_frame_clear_of_its_left_rule) {
  struct class_case {
    bool afrikaans;
    int learners;
  };
  platform::printer().set_metrics(nullptr);  // the fonts as they print
  for (const class_case& c :
       {class_case{false, 8}, class_case{true, 8}, class_case{false, 40}, class_case{true, 40}}) {
    SCOPED_TRACE(QStringLiteral("%1 learners, afrikaans %2").arg(c.learners).arg(c.afrikaans).toStdString());
    g_language = c.afrikaans;
    g_print_new_document = true;
    // As the OBE window hands it over: number, name and the mark.
    const QStringList names = class_names(c.learners);
    std::vector<QStringList> rows;
    for (int k = 0; k < c.learners; ++k)
      rows.push_back({QString::number(1001 + k), names[k], QString::number(10 + k)});
    fill(1, rows);
    dialogs.expect_message(printing_complete_message(1)).icon(msg_icon::information);
    Value new_total(100.0), old_total(50.0);
    print_marks_report(subtitle, new_total, old_total, grid);
    dialogs.verify();
    const platform::print_document& document = device->last();
    ASSERT_EQ(document.pages.size(), 1u);
    // Half a column of the report's font between the rule and the text.
    EXPECT_EQ(texts_at_the_left_rule(document.pages[0], 60), QStringList());
    EXPECT_EQ(document_faults(document), QStringList());
    int whole = 0;
    for (const QString& text : drawn_texts(document))
      for (const QString& name : names) whole += text.contains(name) ? 1 : 0;
    EXPECT_EQ(whole, c.learners);
  }
}

TEST_F(marks_report_test, text_totals_are_replaced_by_their_numbers) {
  fill(1, {{QStringLiteral("1"), QStringLiteral("ALPHA"), QStringLiteral("35")}});
  Value new_total(QStringLiteral("100 marks"));
  Value old_total(QStringLiteral("none"));
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)")).icon(msg_icon::information);
  print_marks_report(subtitle, new_total, old_total, grid);
  EXPECT_EQ(new_total, Value(100.0));
  EXPECT_EQ(old_total, Value(0.0));
  // No conversion: the old total is no number.
  EXPECT_TRUE(line_starting(lines(), QStringLiteral(" 2  ")).endsWith(bar + QStringLiteral(" 35.0") + bar));
}

TEST_F(marks_report_test, without_a_positive_sum_no_average_is_printed_and_labels_follow_the_language) {
  g_language = true;
  fill(2, {{QStringLiteral("1"), QStringLiteral("ALPHA"), QStringLiteral("A"), QStringLiteral("")}});
  dialogs.expect_message(QStringLiteral("DRUKWERK VOLTOOI (1 bladsye)")).icon(msg_icon::information);
  Value new_total(100.0), old_total(50.0);
  print_marks_report(subtitle, new_total, old_total, grid);
  const std::vector<QString> printed = lines();
  EXPECT_EQ(line_starting(printed, QStringLiteral(" TOTALE LEERDERS/PUNTE")),
            QStringLiteral(" TOTALE LEERDERS/PUNTE") + QString(27, u' ') + QStringLiteral("0    ") +
                QStringLiteral("         0"));
  EXPECT_TRUE(line_starting(printed, QStringLiteral(" GEMIDDELD")).isEmpty());
}

TEST_F(marks_report_test, a_long_list_continues_on_further_pages_under_a_new_header) {
  std::vector<QStringList> rows;
  for (int i = 1; i <= 120; ++i)
    rows.push_back({QString::number(i), QStringLiteral("LEARNER %1").arg(i), QString::number(i % 50)});
  fill(1, rows);
  print(Value(100.0), Value(50.0), 3);
  const auto& pages = device->last().pages;
  ASSERT_EQ(pages.size(), 3u);
  int next_number = 1;
  for (std::size_t page = 0; page < pages.size(); ++page) {
    SCOPED_TRACE(page);
    const std::vector<QString> printed = lines(page);
    // The header's page line on every page.
    EXPECT_FALSE(line_starting(printed, QStringLiteral("  PAGE : %1").arg(page + 1)).isEmpty());
    // The line numbers carry on from page to page.
    int numbers = 0;
    for (const QString& line : printed)
      if (line.size() > 55 && line.at(54) == bar.at(0)) {
        EXPECT_TRUE(line.startsWith(u' ' + QString::number(next_number).leftJustified(3) + u' '))
            << line.toStdString();
        ++next_number;
        ++numbers;
      }
    EXPECT_GT(numbers, 0);
    // A full page ends with ".../" and the next page number, six columns
    // short of the page columns (93 - 2).
    const QString continuation = QString(84, u' ') + QStringLiteral(".../%1").arg(page + 2);
    if (page + 1 < pages.size()) {
      EXPECT_EQ(printed.back(), continuation);
    } else {
      EXPECT_EQ(std::count(printed.begin(), printed.end(), continuation), 0);
    }
  }
  EXPECT_EQ(next_number, 122);  // the heading row and 120 learners, each once
}

TEST_F(marks_report_test, during_an_excel_export_the_lines_go_into_the_worksheet_instead) {
  drives.make_native_folder(QStringLiteral("D/Export"));
  printer().kill_doc();
  g_export_excel = true;
  g_excel_workbook = std::make_unique<platform::workbook>();
  g_excel_folder = QStringLiteral("D:\\Export\\");
  g_excel_file_name = QStringLiteral("OBE");
  fill(3, {
              {QStringLiteral("101"), QStringLiteral("ALPHA, ANNA"), QStringLiteral("40"),
               QStringLiteral("A"), QStringLiteral("")},
              {QStringLiteral("102"), QStringLiteral("BRAVO, BEN"), QStringLiteral("35"), QStringLiteral("a"),
               QStringLiteral("x")},
          });
  dialogs.expect_message(QStringLiteral("EXPORT OF OBE TO D:\\Export\\OBE COMPLETE !!"))
      .icon(msg_icon::information);
  Value new_total(100.0), old_total(70.0);
  print_marks_report(subtitle, new_total, old_total, grid);
  dialogs.verify();
  EXPECT_TRUE(device->documents().empty());
  EXPECT_FALSE(printer().document_open());

  const xlsx_reading book(drives.native_drive('D') + QStringLiteral("/Export/OBE.xlsx"));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  const auto number = [&](const char* address) {
    const QJsonObject cell = book.cell(1, QString::fromLatin1(address));
    EXPECT_EQ(cell.value(QStringLiteral("t")).toString(), QStringLiteral("n")) << address;
    return cell.value(QStringLiteral("v")).toDouble();
  };
  const auto text = [&](const char* address) { return book.text(1, QString::fromLatin1(address)); };
  // The header's rows, then one row per printed line from row 6.
  EXPECT_EQ(text("C3"), QStringLiteral("OBE MARKS [GRADE 10]"));
  EXPECT_EQ(number("A6"), 1);
  EXPECT_EQ(text("B6"), QStringLiteral("NO"));
  EXPECT_EQ(text("C6"), QStringLiteral("NAME"));
  EXPECT_TRUE(book.cell(1, QStringLiteral("D6")).isEmpty());  // a heading is no mark
  EXPECT_EQ(number("A7"), 2);
  EXPECT_EQ(text("B7"), QStringLiteral("101"));
  EXPECT_EQ(text("C7"), QStringLiteral("ALPHA, ANNA"));
  EXPECT_DOUBLE_EQ(number("D7"), 57.1);  // 40 out of 70 as out of 100, as printed
  EXPECT_EQ(text("E7"), QStringLiteral("A"));
  EXPECT_TRUE(book.cell(1, QStringLiteral("F7")).isEmpty());
  EXPECT_DOUBLE_EQ(number("D8"), 50.0);
  EXPECT_EQ(text("E8"), QStringLiteral("a"));
  EXPECT_TRUE(book.cell(1, QStringLiteral("F8")).isEmpty());
  // An empty line, the totals, an empty line and the two averages.
  EXPECT_TRUE(book.cell(1, QStringLiteral("C9")).isEmpty());
  EXPECT_EQ(text("C10"), QStringLiteral("TOTAL NUMBER OF LEARNERS/MARKS"));
  EXPECT_EQ(number("D10"), 2);
  EXPECT_NEAR(number("E10"), 75.0 / 70 * 100, 1e-9);
  EXPECT_EQ(text("C12"), QStringLiteral("AVERAGE"));
  EXPECT_DOUBLE_EQ(number("E12"), 53.6);
  EXPECT_DOUBLE_EQ(number("E13"), 53.6);
  EXPECT_EQ(book.max_row(1), 13);
}

}  // namespace
}  // namespace km::test
