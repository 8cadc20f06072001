#include "printing/print_job_end.h"

#include "platform/dialog_language.h"
#include "platform/file_system.h"
#include "platform/ui/printer/pdf_device.h"
#include "printing/report_header.h"
#include "printing/wys_druk_vordering.h"
#include "printing_fixture.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::msg_icon;
using platform::print_op;
using platform::printer;

class print_job_end_test : public printing_test {
 protected:
  // A printed report of `pages` pages, each with its header and a few lines.
  void print_pages(int pages) {
    g_print_go = true;
    begin_print_job();
    g_print_new_document = true;
    QString title = g_print_title;
    for (int page = 1; page <= pages; ++page) {
      print_report_header(title);
      for (int line = 0; line < 3; ++line) printer().print(QStringLiteral("line %1").arg(line));
      if (page < pages) printer().set_current_y(printer().scale_height() - 4);
    }
  }
  const print_op* last_text() const {
    const auto& ops = device->last().pages.back().ops;
    for (auto it = ops.rbegin(); it != ops.rend(); ++it)
      if (it->what == print_op::kind::text) return &*it;
    return nullptr;
  }
};

struct complete_case {
  bool afrikaans;
  const char* message;
};

TEST_F(print_job_end_test, the_page_count_is_told_in_the_users_language) {
  const complete_case cases[] = {
      {false, "PRINTING COMPLETE (3 pages)"},
      {true, "DRUKWERK VOLTOOI (3 bladsye)"},
  };
  for (const complete_case& c : cases) {
    SCOPED_TRACE(c.message);
    g_language = c.afrikaans;
    print_pages(3);
    dialogs.expect_message(QString::fromLatin1(c.message))
        .icon(msg_icon::information)
        .buttons(platform::msg_buttons::ok);
    end_print_job(false, false);
    dialogs.verify();
    EXPECT_EQ(device->last().pages.size(), 3u);
    EXPECT_FALSE(printer().document_open());
    ASSERT_TRUE(progress_window());
    EXPECT_FALSE(progress_window()->isVisible());
    EXPECT_FALSE(progress_window()->animation_playing());
  }
}

TEST_F(print_job_end_test, the_footer_prints_the_title_below_a_page_with_a_body) {
  g_print_title = QStringLiteral("MARK SUMMARY");
  print_pages(1);
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)")).icon(msg_icon::information);
  end_print_job();
  const print_op* footer = last_text();
  ASSERT_TRUE(footer);
  EXPECT_EQ(footer->text, QStringLiteral("MARK SUMMARY"));
  EXPECT_DOUBLE_EQ(footer->x1, 240);  // two columns in
  // Its whole line (8 points: 192 twips under the fixed metrics) above the
  // page frame's foot, a tenth of a character line (24 twips) clear of it.
  EXPECT_NEAR(footer->y1, double(g_print_page_lines) * 240 - 192 - 24, 1e-6);
  EXPECT_EQ(footer->font.name, QStringLiteral("ARIAL"));
  EXPECT_DOUBLE_EQ(footer->font.size, 8);
}

TEST_F(print_job_end_test, no_footer_on_a_page_that_holds_only_its_header) {
  g_print_title = QStringLiteral("MARK SUMMARY");
  print_pages(1);
  printer().set_current_y(5);
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)")).icon(msg_icon::information);
  end_print_job(true);
  EXPECT_NE(last_text()->text, QStringLiteral("MARK SUMMARY"));

  print_pages(1);
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)")).icon(msg_icon::information);
  end_print_job(false, false);  // the print buttons never ask for it
  EXPECT_NE(last_text()->text, QStringLiteral("MARK SUMMARY"));
}

TEST_F(print_job_end_test, a_refused_print_is_reported_and_not_called_complete) {
  print_pages(2);
  device->refuse_with({platform::print_error::kind::printer_refused, QStringLiteral("Recorder"), {}});
  dialogs
      .expect_message(
          QStringLiteral("PRINTING FAILED !!\r\nThe printer Recorder did not accept the document."))
      .icon(msg_icon::critical);
  end_print_job(false, false);
  EXPECT_TRUE(device->documents().empty());
  EXPECT_FALSE(progress_window()->isVisible());
}

TEST_F(print_job_end_test, a_pdf_folder_that_cannot_be_written_is_reported_in_afrikaans) {
  g_language = true;
  // A file stands where the folder should be.
  const QString blocker = drives.write_native(QStringLiteral("C/blocker"), "x");
  const QString folder = blocker + QStringLiteral("/pdf");
  printer().set_device(std::make_shared<platform::pdf_device>(folder));
  print_pages(1);
  dialogs
      .expect_message(QStringLiteral("DRUKWERK HET MISLUK !!\r\nDie gids ") + folder +
                      QStringLiteral(" kan nie geskryf word nie."))
      .icon(msg_icon::critical);
  end_print_job(false, false);
}

TEST_F(print_job_end_test, an_excel_export_is_saved_and_its_place_told) {
  const complete_case cases[] = {
      {false, "EXPORT OF Report TO C:\\Exports\\Report COMPLETE !!"},
      {true, "UITVOER VAN Report NA C:\\Exports\\Report VOLTOOI !!"},
  };
  drives.make_native_folder(QStringLiteral("C/Exports"));
  for (const complete_case& c : cases) {
    SCOPED_TRACE(c.message);
    g_language = c.afrikaans;
    g_export_excel = true;
    g_excel_workbook = std::make_unique<platform::workbook>();
    g_excel_workbook->sheet(1).set_text(1, 1, QString::fromLatin1(c.message));
    g_excel_folder = QStringLiteral("C:\\Exports\\");
    g_excel_file_name = QStringLiteral("Report");
    // A stray drawing on the printer during the export is thrown away.
    printer().print(QStringLiteral("stray"));
    dialogs.expect_message(QString::fromLatin1(c.message)).icon(msg_icon::information);
    end_print_job(false, false);
    dialogs.verify();
    // The second export replaces the first one's file.
    EXPECT_TRUE(native_bytes(QStringLiteral("C/Exports/Report.xlsx")).startsWith("PK\x03\x04"));
    const xlsx_reading book(drives.native_drive('C') + QStringLiteral("/Exports/Report.xlsx"));
    ASSERT_TRUE(book.ok()) << book.error().toStdString();
    EXPECT_EQ(book.text(1, QStringLiteral("A1")), QString::fromLatin1(c.message));
    EXPECT_FALSE(g_export_excel);
    EXPECT_FALSE(g_excel_workbook);
    EXPECT_FALSE(printer().document_open());
    EXPECT_TRUE(device->documents().empty());
  }
}

TEST_F(print_job_end_test, an_export_that_cannot_be_saved_is_reported_and_ends) {
  g_language = true;
  platform::set_dialog_language_source([] { return platform::dialog_language::afrikaans; });
  // A file stands where the export folder should be.
  drives.write_native(QStringLiteral("C/Exports"), "x");
  g_export_excel = true;
  g_excel_workbook = std::make_unique<platform::workbook>();
  g_excel_folder = QStringLiteral("C:\\Exports\\");
  g_excel_file_name = QStringLiteral("Report");
  dialogs
      .expect_message(QString::fromUtf8("UITVOER VAN Report NA C:\\Exports\\Report HET MISLUK !!\r\n"
                                        "Die gids van die lêer bestaan nie."))
      .icon(msg_icon::critical);
  end_print_job(false, false);
  EXPECT_FALSE(g_export_excel);
  EXPECT_FALSE(g_excel_workbook);
  EXPECT_EQ(native_bytes(QStringLiteral("C/Exports")), QByteArrayLiteral("x"));
}

TEST_F(print_job_end_test, an_export_without_a_workbook_is_reported_in_both_languages) {
  const complete_case cases[] = {
      {false, "EXPORT OF Marks TO D:\\Marks FAILED !!\r\nNo workbook is open."},
      {true, "UITVOER VAN Marks NA D:\\Marks HET MISLUK !!\r\nGeen werkboek is oop nie."},
  };
  for (const complete_case& c : cases) {
    SCOPED_TRACE(c.message);
    g_language = c.afrikaans;
    g_export_excel = true;
    g_excel_folder = QStringLiteral("D:\\");
    g_excel_file_name = QStringLiteral("Marks");
    dialogs.expect_message(QString::fromLatin1(c.message)).icon(msg_icon::critical);
    end_print_job();
    dialogs.verify();
    EXPECT_FALSE(g_export_excel);
    EXPECT_FALSE(platform::file_exists(QStringLiteral("D:\\Marks.xlsx")));
  }
}

}  // namespace
}  // namespace km::test
