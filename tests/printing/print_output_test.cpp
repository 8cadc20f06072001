// Whole jobs through the printing routines to real output: a PDF read back
// with poppler's pdfinfo and pdftotext, and the HTML page of the HTML choice.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/pdf_device.h"
#include "poppler_tools.h"
#include "printing/print_drawing.h"
#include "printing/print_job_end.h"
#include "printing/report_header.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::printer;

class print_output_test : public printing_test {
 protected:
  // A report of three pages as the print buttons print one: a header at the
  // top of each page, a turned heading, body lines with rules until the
  // page is full, then the next header.
  void print_three_pages() {
    QString title = g_print_title;
    platform::flex_grid grid;
    grid.set_row_height(grid.row(), 1200);
    for (int page = 1; page <= 3; ++page) {
      const double start = print_report_header(title);
      printer().set_current_y(start);
      const QImage heading = print_rotated_text(QStringLiteral("TERM MARK"), grid);
      printer().paint_picture(heading, 80, start, heading.width() * 4.8 / 120, heading.height() * 4.8 / 240);
      printer().set_current_x(0);
      printer().set_current_y(start + 6);
      int line = 0;
      while (printer().current_y() < printer().scale_height() - 5) {
        const double y = printer().current_y();
        printer().print({platform::print_tab{3},
                         QStringLiteral("Learner %1 of page %2").arg(++line).arg(page),
                         platform::print_tab{60}, QStringLiteral("%1").arg(50 + line)});
        print_line(1, y + 1, g_print_line_length, y + 1);
        printer().set_current_x(0);
        printer().set_current_y(y + 1);
      }
    }
  }
};

TEST_F(print_output_test, a_three_page_report_reads_back_from_the_pdf) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
  printer().set_device(platform::pdf_device::to_file(pdf));
  g_print_title = QStringLiteral("MARK LIST GRADE 10");
  ASSERT_TRUE(choose_by_clicking(QStringLiteral("druk_ok")));
  print_three_pages();
  // A PDF names its file, so the teacher knows where the report went.
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (3 pages)\r\n") + pdf)
      .icon(platform::msg_icon::information);
  end_print_job(false, false);

  const QString info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
  EXPECT_TRUE(info.contains(QStringLiteral("MARK LIST GRADE 10")));  // the job name is the title
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE(page);
    const QString text = pdf_page_text(pdf, page);
    const QStringList lines = text.split(u'\n');
    // Header line 1: date at the left, program title at the right.
    const qsizetype first =
        lines.indexOf(QRegularExpression(QStringLiteral("^\\s*2017\\.03\\.17\\s+KORVA-MARKS\\s*$")));
    ASSERT_GE(first, 0) << text.toStdString();
    EXPECT_TRUE(lines.at(first + 1).contains(
        QRegularExpression(QStringLiteral("10:30:00\\s+HOERSKOOL KORVA\\s+Linux"))))
        << lines.at(first + 1).toStdString();
    EXPECT_TRUE(lines.at(first + 2).contains(
        QRegularExpression(QStringLiteral("PAGE : %1\\s+MARK LIST GRADE 10").arg(page))))
        << lines.at(first + 2).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Learner 1 of page %1").arg(page)));
  }
  if (!qEnvironmentVariableIsEmpty("KM_KEEP_PRINT_TEST_PDF"))
    QFile::copy(pdf, qEnvironmentVariable("KM_KEEP_PRINT_TEST_PDF"));
}

TEST_F(print_output_test, the_html_choice_writes_a_page_instead_of_printing) {
  drives.make_native_folder(QStringLiteral("D/Web"));
  g_print_title = QStringLiteral("MARK LIST GRADE 10");
  dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR HTML EXPORT"))
      .choose(QStringLiteral("D:\\Web\\marks"));
  ASSERT_TRUE(choose_by_clicking(QStringLiteral("kies_html")));
  print_three_pages();
  dialogs.expect_message(QStringLiteral("EXPORT OF marks TO D:\\Web\\marks.html COMPLETE !!"))
      .icon(platform::msg_icon::information);
  end_print_job(false, false);

  const QByteArray html = native_bytes(QStringLiteral("D/Web/marks.html"));
  ASSERT_NE(html, QByteArrayLiteral("<missing>"));
  for (const char* text : {"PAGE : 1", "PAGE : 3", "MARK LIST GRADE 10", "HOERSKOOL KORVA", "KORVA-MARKS",
                           "Learner 1 of page 2"})
    EXPECT_TRUE(html.contains(text)) << text;
  // Nothing went to the printer, which has its own device back.
  EXPECT_TRUE(device->documents().empty());
  EXPECT_EQ(printer().shared_device(), device);
  EXPECT_FALSE(g_export_html);
}

}  // namespace
}  // namespace km::test
