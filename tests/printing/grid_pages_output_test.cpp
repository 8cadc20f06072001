// A report grid printed through the paged grid printer to a real PDF, read
// back with poppler's pdfinfo and pdftotext.
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/pdf_device.h"
#include "poppler_tools.h"
#include "printing/grid_pages_printer.h"
#include "printing/print_job_end.h"
#include "printing/report_header.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::printer;

constexpr int output_learners = 120;

QString learner_name(int number) { return QStringLiteral("LEARNER %1").arg(number, 3, 10, QChar(u'0')); }

class grid_pages_output_test : public printing_test {
 protected:
  // A heading row and one row per learner: number, name, mark.
  void fill() {
    grid.set_fixed_cols(0);
    grid.set_cols(3);
    grid.set_rows(output_learners + 1);
    grid.set_font(platform::print_font{QStringLiteral("Arial"), 10.0});
    const QString headings[] = {QStringLiteral("NO"), QStringLiteral("LEARNER NAME"),
                                QStringLiteral("TERM MARK")};
    const int widths[] = {600, 3000, 1400};
    for (int c = 0; c < 3; ++c) {
      grid.set_col_width(c, widths[c]);
      grid.set_text_matrix(0, c, headings[c]);
    }
    grid.set_col_alignment(2, platform::grid_alignment::right_center);
    for (int r = 1; r <= output_learners; ++r) {
      grid.set_text_matrix(r, 0, QString::number(r));
      grid.set_text_matrix(r, 1, learner_name(r));
      grid.set_text_matrix(r, 2, QString::number(40 + r % 50));
    }
  }

  // The print button's page loop: header, one page of the grid, and while
  // the grid goes on, the continuation mark and a new page. The number of
  // pages printed.
  int print_report() {
    QString title = g_print_title;
    int pages = 0;
    for (;;) {
      print_report_header(title);
      ++pages;
      if (print_flexgrid_pages(grid, options) == -1 || pages > 20) break;
      printer().set_current_x(g_print_page_columns - 8);
      printer().print(QStringLiteral(".../%1").arg(pages + 1));
      printer().new_page();
      g_print_new_document = true;
    }
    return pages;
  }

  platform::flex_grid grid;
  grid_pages_options options;
};

TEST_F(grid_pages_output_test, a_long_grid_reads_back_page_by_page_from_the_pdf) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("grid.pdf"));
  printer().set_device(platform::pdf_device::to_file(pdf));
  g_print_title = QStringLiteral("MARK BOOK SETUP");
  ASSERT_TRUE(choose_by_clicking(QStringLiteral("druk_ok")));
  fill();
  options.centre_table = true;
  const int pages = print_report();
  ASSERT_GE(pages, 3);
  ASSERT_LE(pages, 20);
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (%1 pages)\r\n").arg(pages) + pdf)
      .icon(platform::msg_icon::information);
  end_print_job(false, false);

  const QString info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))))
      << info.toStdString();

  const QRegularExpression learner(QStringLiteral("LEARNER (\\d{3})\\s+(\\d+)"));
  int expected = 1;
  for (int page = 1; page <= pages; ++page) {
    SCOPED_TRACE(page);
    const QString text = pdf_page_text(pdf, page);
    // The heading on every page, above the page's first learner.
    const qsizetype heading =
        text.indexOf(QRegularExpression(QStringLiteral("NO\\s+LEARNER NAME\\s+TERM MARK")));
    ASSERT_GE(heading, 0) << text.toStdString();
    EXPECT_LT(heading, text.indexOf(QRegularExpression(QStringLiteral("LEARNER \\d"))));
    // The learners in order, each once, each with its mark on its line.
    for (auto match = learner.globalMatch(text); match.hasNext();) {
      const QRegularExpressionMatch found = match.next();
      EXPECT_EQ(found.captured(1).toInt(), expected);
      EXPECT_EQ(found.captured(2).toInt(), 40 + expected % 50);
      ++expected;
    }
    EXPECT_EQ(text.contains(QStringLiteral(".../%1").arg(page + 1)), page < pages);
  }
  EXPECT_EQ(expected, output_learners + 1);  // every learner printed
  if (!qEnvironmentVariableIsEmpty("KM_KEEP_PRINT_TEST_PDF"))
    QFile::copy(pdf, qEnvironmentVariable("KM_KEEP_PRINT_TEST_PDF"));
}

}  // namespace
}  // namespace km::test
