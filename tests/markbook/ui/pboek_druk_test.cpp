// The mark-book print window: choosing a combination, printing its book to
// a PDF (read back with pdftotext), exporting it to a workbook (read back
// with openpyxl), and the merit list the capture window hands it.
#include "markbook/pboek_druk.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>

#include "book_print_fixture.h"
#include "platform/ui/printer/pdf_device.h"
#include "printing/page_fit.h"
#include "printing/poppler_tools.h"
#include "printing/print_messages.h"
#include "support/class_names.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::msg_icon;

class pboek_druk_test : public book_print_test {
 protected:
  pboek_druk* open() { return window = open_window<pboek_druk>(QStringLiteral("pboek_druk")); }
  void choose(int n) {
    grid_of(window, "vak_grid").set_row(n - 1);
    window->vak_grid_Click();
  }
  // Prints through the printer choice's PRINT button into a PDF; the
  // completion message names the pages.
  QString print_to_pdf(int pages) {
    const QString pdf = dir.filePath(QStringLiteral("book.pdf"));
    platform::printer().set_device(platform::pdf_device::to_file(pdf));
    dialogs.expect_message(printing_complete_message(pages, pdf)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                   [&] { window->pboek_druk_print_Click(); });
    return pdf;
  }
  static int pdf_pages(const QString& pdf) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(run_tool(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
  }
  // Two learners in combination 1, whose set-up names rows 1 to 21.
  void open_with_twenty_one_tasks() {
    write_mark_book(native(marks_table_file(1)), learners(2));
    setup_rows rows;
    for (int r = 1; r <= 21; ++r)
      rows[std::size_t(r - 1)] = {QStringLiteral("TASK %1").arg(r), QStringLiteral("50"), {}, {}, {}};
    ASSERT_TRUE(open());
    write_setup(grid_of(window, "vak_grid"), 1, rows);
    choose(1);
  }
  // A merit list as the capture window hands it over: its heading row,
  // then the rows given ("number<TAB>name<TAB>mark").
  static void fill_merit_list(platform::flex_grid& merit, const QStringList& rows) {
    merit.set_cols(3);
    merit.set_rows(1);
    merit.set_fixed_rows(1);
    merit.set_text_matrix(0, 0, QStringLiteral("A-NO"));
    merit.set_text_matrix(0, 1, QStringLiteral("LEARNER"));
    merit.set_text_matrix(0, 2, QStringLiteral("TASK 1"));
    for (const QString& row : rows) merit.add_item(row);
  }
  // Prints through the printer choice's PRINT button onto the recording
  // device; the document it kept.
  const platform::print_document& print_recorded(int pages) {
    device->clear();
    dialogs.expect_message(printing_complete_message(pages)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                   [&] { window->pboek_druk_print_Click(); });
    dialogs.verify();
    return device->last();
  }
  QTemporaryDir dir;
  pboek_druk* window = nullptr;
};

TEST_F(pboek_druk_test, opens_with_its_texts_in_both_languages) {
  struct language_case {
    bool afrikaans;
    const char* heading;
    const char* print;
  };
  for (const language_case& c :
       {language_case{false, "MARK BOOK PRINT", "PRINT"}, language_case{true, "PUNTEBOEK DRUK", "DRUK"}}) {
    SCOPED_TRACE(c.heading);
    g_language = c.afrikaans;
    ASSERT_TRUE(open());
    EXPECT_EQ(label_text(window, "vak_ops"), QString::fromLatin1(c.heading));
    EXPECT_EQ(find_control_as<QPushButton>(window, QStringLiteral("pboek_druk_print"))->text(),
              QString::fromLatin1(c.print));
    EXPECT_EQ(find_control_as<QPushButton>(window, QStringLiteral("pboek_druk_exit"))->text(),
              QStringLiteral("EXIT"));
    EXPECT_EQ(label_text(window, "dir_disp"), folder);
    EXPECT_EQ(label_text(window, "ops_ops1"), QStringLiteral("TEST SCHOOL"));
    EXPECT_EQ(grid_of(window, "vak_grid").rows(), int(sample_combinations().size()));
    EXPECT_TRUE(find_control_as<platform::flex_grid_view>(window, QStringLiteral("pnt_grid"))->isHidden());
    platform::unload_form(window);
  }
}

TEST_F(pboek_druk_test, a_book_that_cannot_be_printed_closes_the_window_with_its_message) {
  struct refusal_case {
    const char* what;
    int mark_fields;  // -1: no book
    const char* message;
  };
  for (const refusal_case& c :
       {refusal_case{"no book", -1, "3 See 'MARK BOOK SETUP' to create mark book"},
        refusal_case{
            "41 fields", 39,
            "Load the latest copy of REVIZ-URORU and recreate the \rexport disk to allow for 40 mark "
            "sets ..."}}) {
    SCOPED_TRACE(c.what);
    QFile::remove(native(marks_table_file(1)));
    if (c.mark_fields >= 0) write_mark_book(native(marks_table_file(1)), learners(2), c.mark_fields);
    ASSERT_TRUE(open());
    dialogs.expect_message(QString::fromLatin1(c.message)).icon(msg_icon::critical);
    choose(1);
    dialogs.verify();
    EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_druk")));
  }
}

TEST_F(pboek_druk_test, without_a_set_up_the_print_stops_before_the_printer_choice) {
  write_mark_book(native(marks_table_file(1)), learners(2));
  ASSERT_TRUE(open());
  choose(1);
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("pboek_druk")));
  dialogs.expect_message(QStringLiteral("1 No ranges available ... see 'MARK BOOK SETUP'"))
      .icon(msg_icon::critical);
  window->pboek_druk_print_Click();  // the scripted dialogs fail on any other prompt
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_druk")));
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("kies_drukker")));
  EXPECT_TRUE(device->documents().empty());
}

TEST_F(pboek_druk_test, twenty_one_rows_print_a_second_pass_without_names_and_a_legend_after_each) {
  open_with_twenty_one_tasks();
  const QString pdf = print_to_pdf(2);
  ASSERT_EQ(pdf_pages(pdf), 2);
  const QString first = pdf_page_text(pdf, 1).simplified();
  const QString second = pdf_page_text(pdf, 2).simplified();
  const QString title = window->report_title();
  for (const QString& page : {first, second}) {
    EXPECT_TRUE(page.contains(title.simplified())) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("A.NO"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("1001"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("M1 TASK 1"))) << page.toStdString();  // the legend
    EXPECT_TRUE(page.contains(QStringLiteral("M21 TASK 21"))) << page.toStdString();
  }
  EXPECT_TRUE(first.contains(QStringLiteral("LEARNER 1"))) << first.toStdString();
  EXPECT_TRUE(first.contains(QStringLiteral("20.0"))) << first.toStdString();
  EXPECT_FALSE(first.contains(QStringLiteral("21.0"))) << first.toStdString();
  EXPECT_FALSE(second.contains(QStringLiteral("LEARNER 1"))) << second.toStdString();
  EXPECT_FALSE(second.contains(QStringLiteral("LEARNER "))) << second.toStdString();
  EXPECT_TRUE(second.contains(QStringLiteral("21.0"))) << second.toStdString();
  EXPECT_FALSE(second.contains(QStringLiteral("20.0"))) << second.toStdString();
  // After the job the list shows again and the heading is empty.
  EXPECT_FALSE(find_control_as<platform::flex_grid_view>(window, QStringLiteral("vak_grid"))->isHidden());
  EXPECT_EQ(label_text(window, "vak_ops"), QString());
  EXPECT_EQ(g_excel_file_name, QStringLiteral("MARK BOOK ") + title);
  EXPECT_EQ(g_setup_row_count, 21);
}

TEST_F(pboek_druk_test, a_long_class_closes_every_full_page_with_the_next_page_number) {
  write_mark_book(native(marks_table_file(1)), learners(120, 3));
  ASSERT_TRUE(open());
  write_setup(grid_of(window, "vak_grid"), 1, tasks({{1, "10"}, {2, "20"}, {3, "5"}}));
  choose(1);
  const QString pdf = print_to_pdf(5);  // about 28 learners a landscape page
  const int pages = pdf_pages(pdf);
  ASSERT_EQ(pages, 5);
  for (int page = 1; page <= pages; ++page) {
    SCOPED_TRACE(page);
    const QString text = pdf_page_text(pdf, page).simplified();
    EXPECT_TRUE(text.contains(window->report_title().simplified()))
        << text.toStdString();  // every page's header
    EXPECT_EQ(text.contains(QStringLiteral("%1.../").arg(page + 1)), page < pages) << text.toStdString();
  }
  EXPECT_TRUE(pdf_page_text(pdf, pages).contains(QStringLiteral("LEARNER 120")));
  EXPECT_TRUE(pdf_page_text(pdf, pages).contains(QStringLiteral("M3 TASK 3")));
}

TEST_F(pboek_druk_test, a_workbook_export_puts_each_pass_and_its_legend_on_a_worksheet_of_its_own) {
  open_with_twenty_one_tasks();
  drives.make_native_folder(QStringLiteral("D/Export"));
  const QString name = QStringLiteral("MARK BOOK ") + window->report_title();
  dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT"))
      .choose(QStringLiteral("D:\\Export\\Book"));
  dialogs.expect_message(export_complete_message(QStringLiteral("Book"), QStringLiteral("D:\\Export\\Book")))
      .icon(msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("kies_excel")); },
                 [&] { window->pboek_druk_print_Click(); });
  EXPECT_TRUE(device->documents().empty());  // nothing went to the printer
  const xlsx_reading book(drives.native_drive('D') + QStringLiteral("/Export/Book.xlsx"));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  ASSERT_EQ(book.sheet_count(), 2);
  // The grid starts below the three header rows: heading row, totals row,
  // two learners; one empty row; the legend.
  for (int sheet = 1; sheet <= 2; ++sheet) {
    SCOPED_TRACE(sheet);
    const int last = book.max_row(sheet);
    EXPECT_TRUE(book.text(sheet, QStringLiteral("A%1").arg(last)).startsWith(QStringLiteral("M21 TASK 21")))
        << book.text(sheet, QStringLiteral("A%1").arg(last)).toStdString();
    EXPECT_TRUE(
        book.text(sheet, QStringLiteral("A%1").arg(last - 5)).startsWith(QStringLiteral("M1 TASK 1")));
    EXPECT_EQ(book.text(sheet, QStringLiteral("A%1").arg(last - 6)), QString());
    EXPECT_EQ(book.text(sheet, QStringLiteral("B%1").arg(last - 7)), QStringLiteral("1002"));
  }
  EXPECT_EQ(book.text(1, QStringLiteral("C6")), QStringLiteral("LEARNER"));
  EXPECT_FALSE(book.column_hidden(1, QStringLiteral("W")));  // M20 on the first pass
  EXPECT_TRUE(book.column_hidden(1, QStringLiteral("X")));
  EXPECT_TRUE(book.column_hidden(2, QStringLiteral("C")));  // no names on the second pass
  EXPECT_TRUE(book.column_hidden(2, QStringLiteral("W")));
  EXPECT_FALSE(book.column_hidden(2, QStringLiteral("X")));
  EXPECT_EQ(book.text(2, QStringLiteral("X6")), QStringLiteral("M21"));
}

TEST_F(pboek_druk_test, prints_the_merit_list_it_was_handed_whatever_row_the_teacher_clicks) {
  ASSERT_TRUE(open());
  platform::flex_grid merit;
  fill_merit_list(merit, {QStringLiteral("1002\tBOTHA\t9.0"), QStringLiteral("1001\tADAMS\t7.0")});
  window->show_merit_list(merit, QStringLiteral("MERIT LIST 8 AFR A TASK 1"));
  EXPECT_EQ(label_text(window, "vak_ops"), QStringLiteral("PRINT MERIT LIST"));
  const QString pdf = print_to_pdf(1);
  const QString text = pdf_page_text(pdf, 1).simplified();
  EXPECT_TRUE(text.contains(QStringLiteral("MERIT LIST 8 AFR A TASK 1"))) << text.toStdString();
  EXPECT_LT(text.indexOf(QStringLiteral("BOTHA")), text.indexOf(QStringLiteral("ADAMS")))
      << text.toStdString();
  EXPECT_EQ(g_excel_file_name, QStringLiteral("MERIT LIST 8 AFR A TASK 1"));
  // A second print prints the whole list again.
  EXPECT_TRUE(pdf_page_text(print_to_pdf(1), 1).contains(QStringLiteral("ADAMS")));
  // The natural next step in the window: a click on the subject, and Enter.
  write_mark_book(native(marks_table_file(1)), learners(2));
  auto* list = find_control_as<platform::flex_grid_view>(window, QStringLiteral("vak_grid"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(list->model()->index(0, 1)).center());
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(window->merit_mode());
  EXPECT_EQ(label_text(window, "vak_ops"), QStringLiteral("PRINT MERIT LIST"));
  const QString after_click = pdf_page_text(print_to_pdf(1), 1).simplified();
  EXPECT_TRUE(after_click.contains(QStringLiteral("MERIT LIST 8 AFR A TASK 1"))) << after_click.toStdString();
  EXPECT_LT(after_click.indexOf(QStringLiteral("BOTHA")), after_click.indexOf(QStringLiteral("ADAMS")));
}

TEST_F(pboek_druk_test, the_legend_stands_in_four_even_columns_inside_the_frame) {
  write_mark_book(native(marks_table_file(1)), learners(8));
  setup_rows rows;
  for (int r = 1; r <= 21; ++r)
    rows[std::size_t(r - 1)] = {
        QStringLiteral("CONTROLLED TEST %1 ON FRACTIONS, DECIMALS AND PERCENTAGES").arg(r),
        QStringLiteral("50"),
        {},
        {},
        {}};
  rows[2].task_project = QStringLiteral("ORAL");  // a short one among the long
  platform::printer().set_metrics(nullptr);
  for (const bool afrikaans : {false, true}) {
    SCOPED_TRACE(afrikaans);
    g_language = afrikaans;
    ASSERT_TRUE(open());
    write_setup(grid_of(window, "vak_grid"), 1, rows);
    choose(1);
    const platform::print_document& document = print_recorded(2);
    ASSERT_EQ(device->documents().size(), 1u);
    EXPECT_EQ(document_faults(document), QStringList());
    const QString letter = afrikaans ? QStringLiteral("P") : QStringLiteral("M");
    for (const platform::print_page& page : document.pages) {
      SCOPED_TRACE(page.number);
      // Entry r stands in column (r - 1) % 4, at the same x on every line,
      // the columns a quarter of the frame apart.
      std::map<int, std::set<long>> column_x;
      for (const platform::print_op& op : page.ops) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^") + letter + QStringLiteral("(\\d+) ")).match(op.text);
        if (op.what != platform::print_op::kind::text || !m.hasMatch()) continue;
        const int r = m.captured(1).toInt();
        const QString entry = letter + QString::number(r) + u' ' + rows[std::size_t(r - 1)].task_project;
        EXPECT_TRUE(entry.startsWith(op.text.trimmed())) << op.text.toStdString();
        column_x[(r - 1) % 4].insert(std::lround(op.x1));
      }
      ASSERT_EQ(column_x.size(), 4u);
      for (const auto& [column, xs] : column_x) EXPECT_EQ(xs.size(), 1u) << column;
      const long step = *column_x[1].begin() - *column_x[0].begin();
      EXPECT_GT(step, 2000);
      for (int column = 2; column < 4; ++column)
        EXPECT_NEAR(*column_x[column].begin() - *column_x[column - 1].begin(), step, 2) << column;
    }
    EXPECT_TRUE(drawn_texts(document).contains(letter + QStringLiteral("3 ORAL")));
    window->close();
    platform::unload_all_but(QString());
  }
}

TEST_F(pboek_druk_test, the_merit_list_prints_every_name_whole_inside_the_frame) {
  const QStringList long_names{QStringLiteral("Pretorius L\u00eaandri Johanna"),
                               QStringLiteral("van der Westhuizen-Bezuidenhout Anne-Mari\u00e9"),
                               QStringLiteral("Khumalo Sipho Themba Nkosinathi")};
  struct class_case {
    bool afrikaans;
    QStringList names;
    int pages;
  };
  const class_case cases[] = {{false, long_names, 1},      {true, long_names, 1},
                              {false, class_names(8), 1},  {true, class_names(8), 1},
                              {false, class_names(40), 2}, {true, class_names(40), 2}};
  platform::printer().set_metrics(nullptr);
  for (const class_case& c : cases) {
    SCOPED_TRACE(
        QStringLiteral("afrikaans %1, %2 learners").arg(c.afrikaans).arg(c.names.size()).toStdString());
    g_language = c.afrikaans;
    const QStringList& names = c.names;
    ASSERT_TRUE(open());
    QStringList rows;
    for (int k = 0; k < names.size(); ++k)
      rows << QStringLiteral("%1\t%2\t%3.0").arg(1001 + k).arg(names[k]).arg(49 - k);
    platform::flex_grid merit;
    fill_merit_list(merit, rows);
    window->show_merit_list(merit, QStringLiteral("MERIT LIST 8 AFR A TASK 1"));
    const platform::print_document& document = print_recorded(c.pages);
    ASSERT_EQ(device->documents().size(), 1u);
    EXPECT_EQ(document_faults(document), QStringList());
    const QStringList drawn = drawn_texts(document);
    for (const QString& name : names) EXPECT_TRUE(drawn.contains(name)) << name.toStdString();
    window->close();
    platform::unload_all_but(QString());
  }
}

}  // namespace
}  // namespace km::test
