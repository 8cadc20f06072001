// Reports on paper: the printer-choice window and the end of the job with
// the print system (a stand-in of CUPS) behind the printer: the queue the
// window offers, the job and its options as they reach the print system,
// a refused job, and the PDF written where there is no printer.
#include <QDir>
#include <QFile>
#include <QLabel>

#include "platform/ui/printer/device_choice.h"
#include "printing/print_job_end.h"
#include "printing_fixture.h"
#include "support/fake_cups.h"

namespace km::test {
namespace {

using platform::printer;

class paper_printing_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    // The printer finds its device among the queues, as the program does.
    printer().set_device(nullptr);
    g_print_title = QStringLiteral("MARK LIST 10A");
  }

  // Opens the printer choice, notes the printer name it shows and presses
  // `button`.
  bool choose_noting_printer(const QString& button) {
    return choose_with([&](kies_drukker& window) {
      shown_printer = find_control_as<QLabel>(&window, QStringLiteral("drukker_naam"))->text();
      print_tip = find_control_as<QPushButton>(&window, QStringLiteral("druk_ok"))->toolTip();
      click(&window, button);
    });
  }

  // Prints `pages` pages of a report.
  static void print_pages(int pages) {
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) printer().new_page();
      printer().print(QStringLiteral("Learner %1").arg(page));
    }
  }

  // Prints a page of the report chosen and ends the job, which the print
  // system takes; the job as it reached the queue.
  fake_cups::job print_one_page() {
    cups_system.jobs.clear();
    print_pages(1);
    dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)"))
        .icon(platform::msg_icon::information);
    end_print_job(false, false);
    EXPECT_EQ(cups_system.jobs.size(), 1u);
    return cups_system.jobs.empty() ? fake_cups::job{} : cups_system.jobs.front();
  }

  fake_cups cups_system;
  QString shown_printer;
  QString print_tip;
};

TEST_F(paper_printing_test, a_job_reaches_the_queue_with_the_choices_of_the_window_and_the_printer_dialog) {
  cups_system.installed = {{QStringLiteral("Office"), true}, {QStringLiteral("Staffroom"), false}};
  platform::printer_choice chosen;
  chosen.printer_name = QStringLiteral("Staffroom");
  chosen.copies = 2;
  chosen.paper = {platform::duplex_choice::short_edge, QStringLiteral("tray-2"), QStringLiteral("2-3")};
  dialogs.expect_printer().choose_printer(chosen);
  ASSERT_TRUE(choose_with([&](kies_drukker& window) {
    click(&window, QStringLiteral("kies_mono"));
    click(&window, QStringLiteral("druk_wysig"));
  }));
  begin_print_job(paper_a4_landscape);
  print_pages(3);
  // Taken by the print system: the count and nothing more.
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (3 pages)")).icon(platform::msg_icon::information);
  end_print_job(false, false);

  ASSERT_EQ(cups_system.jobs.size(), 1u);
  const fake_cups::job& job = cups_system.jobs.front();
  EXPECT_EQ(job.printer, QStringLiteral("Staffroom"));
  EXPECT_EQ(job.title, QStringLiteral("MARK LIST 10A"));
  const std::vector<platform::cups_option> expected{
      {QStringLiteral("media"), QStringLiteral("A4")},
      {QStringLiteral("copies"), QStringLiteral("2")},
      {QStringLiteral("orientation-requested"), QStringLiteral("4")},
      {QStringLiteral("print-color-mode"), QStringLiteral("monochrome")},
      {QStringLiteral("sides"), QStringLiteral("two-sided-short-edge")},
      {QStringLiteral("media-source"), QStringLiteral("tray-2")},
      {QStringLiteral("page-ranges"), QStringLiteral("2-3")},
  };
  EXPECT_EQ(job.options, expected);
  EXPECT_TRUE(job.pdf.startsWith("%PDF-"));
  EXPECT_FALSE(QFile::exists(job.pdf_path));

  // The next report keeps the printer and what the dialog chose for it.
  ASSERT_TRUE(choose_noting_printer(QStringLiteral("druk_ok")));
  EXPECT_EQ(shown_printer, QStringLiteral("Staffroom"));
  const fake_cups::job next = print_one_page();
  EXPECT_EQ(next.printer, QStringLiteral("Staffroom"));
  EXPECT_EQ(next.option(QStringLiteral("sides")), QStringLiteral("two-sided-short-edge"));
  EXPECT_EQ(next.option(QStringLiteral("media-source")), QStringLiteral("tray-2"));
  EXPECT_EQ(next.option(QStringLiteral("page-ranges")), QStringLiteral("2-3"));
}

TEST_F(paper_printing_test, a_refused_job_is_reported_with_the_reason_and_never_as_complete) {
  const struct {
    bool afrikaans;
    const char16_t* message;
  } table[] = {
      {false,
       u"PRINTING FAILED !!\r\nThe printer Office did not accept the document. "
       u"Destination \"Office\" is not accepting jobs."},
      {true,
       u"DRUKWERK HET MISLUK !!\r\nDie drukker Office het die dokument nie aanvaar nie. "
       u"Destination \"Office\" is not accepting jobs."},
  };
  cups_system.installed = {{QStringLiteral("Office"), true}};
  cups_system.refusal = QStringLiteral("Destination \"Office\" is not accepting jobs.");
  for (const auto& c : table) {
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    cups_system.jobs.clear();
    ASSERT_TRUE(choose_by_clicking(QStringLiteral("druk_ok")));
    print_pages(2);
    // The failure alone: an unexpected completion message fails the test.
    dialogs.expect_message(QString::fromUtf16(c.message)).icon(platform::msg_icon::critical);
    end_print_job(false, false);
    dialogs.verify();
    EXPECT_EQ(cups_system.jobs.size(), 1u);
  }
}

TEST_F(paper_printing_test, without_a_printer_the_report_becomes_a_pdf_and_the_message_names_it) {
  const struct {
    bool afrikaans;
    const char* done;
    const char* file;
  } table[] = {
      {false, "PRINTING COMPLETE (2 pages)", "MARK LIST 10A 2017-03-17 10.30.00.pdf"},
      {true, "DRUKWERK VOLTOOI (2 bladsye)", "MARK LIST 10A 2017-03-17 10.30.00 (2).pdf"},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    ASSERT_TRUE(choose_noting_printer(QStringLiteral("druk_ok")));
    EXPECT_EQ(shown_printer, QStringLiteral("KORVA-MARKS PDF"));
    print_pages(2);
    const QString file = QDir(platform::default_pdf_folder()).filePath(QString::fromUtf8(c.file));
    dialogs
        .expect_message(QString::fromUtf8(c.done) + QStringLiteral("\r\n") + QDir::toNativeSeparators(file))
        .icon(platform::msg_icon::information);
    end_print_job(false, false);
    dialogs.verify();
    EXPECT_TRUE(QFile::exists(file));
  }
  EXPECT_TRUE(cups_system.jobs.empty());
}

TEST_F(paper_printing_test, with_printers_but_no_default_the_first_prints_and_the_window_names_it) {
  cups_system.installed = {{QStringLiteral("Office"), false}, {QStringLiteral("Staffroom"), false}};
  ASSERT_TRUE(choose_noting_printer(QStringLiteral("druk_ok")));
  EXPECT_EQ(shown_printer, QStringLiteral("Office"));
  EXPECT_EQ(print_tip, QStringLiteral(" Print to Office"));
  EXPECT_EQ(print_one_page().printer, QStringLiteral("Office"));
}

TEST_F(paper_printing_test, every_printer_choice_looks_the_printers_up_again) {
  // First report: Office, the default.
  cups_system.installed = {{QStringLiteral("Office"), true}, {QStringLiteral("Staffroom"), false}};
  EXPECT_FALSE(choose_noting_printer(QStringLiteral("druk_stop")));
  EXPECT_EQ(shown_printer, QStringLiteral("Office"));

  // Office removed before the next report: it is not offered again.
  cups_system.installed = {{QStringLiteral("Staffroom"), false}};
  ASSERT_TRUE(choose_noting_printer(QStringLiteral("druk_ok")));
  EXPECT_EQ(shown_printer, QStringLiteral("Staffroom"));
  EXPECT_EQ(print_one_page().printer, QStringLiteral("Staffroom"));

  // Every printer gone, then one added: the PDF writer stands in only
  // while there is none.
  cups_system.installed.clear();
  EXPECT_FALSE(choose_noting_printer(QStringLiteral("druk_stop")));
  EXPECT_EQ(shown_printer, QStringLiteral("KORVA-MARKS PDF"));
  cups_system.installed = {{QStringLiteral("Library"), false}};
  EXPECT_FALSE(choose_noting_printer(QStringLiteral("druk_stop")));
  EXPECT_EQ(shown_printer, QStringLiteral("Library"));
}

}  // namespace
}  // namespace km::test
