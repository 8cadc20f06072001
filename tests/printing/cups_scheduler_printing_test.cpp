// Reports on paper through a real CUPS scheduler of the test's own: a job
// to a PDF-writing queue arrives whole (pages, A4, orientation, black
// printing, copies), and a queue that refuses jobs, a stopped queue, a
// backend that fails and a held job each give their own message, never
// the completion message.
#include <cups/cups.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/services.h"
#include "poppler_tools.h"
#include "printing/print_job_end.h"
#include "printing_fixture.h"
#include "support/cups_server.h"

namespace km::test {
namespace {

using platform::printer;

// Reports the error and exits 1 for every job: the print system's
// "backend failed", which the queue's error policy turns into an aborted
// job or a stopped printer.
const QByteArray failing_backend =
    "#!/bin/sh\n"
    "if [ $# -eq 0 ]; then echo 'direct km-fail \"Unknown\" \"Failing printer\"'; exit 0; fi\n"
    "echo 'ERROR: The paper tray is jammed' >&2\n"
    "exit 1\n";

// The user the jobs are sent as: no account of the system, so the PDF
// writer puts its files in its folder for unknown users.
const char* const job_user = "km-print-test";

// One scheduler for every case of this program.
class cups_scheduler_printing_test : public printing_test {
 protected:
  static void SetUpTestSuite() {
    try {
      server = std::make_unique<cups_server>();
      server->add_backend(QStringLiteral("km-fail"), failing_backend);
      const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
      const QStringList queues[] = {
          {"-p", "km_pdf", "-E", "-v", "cups-pdf:/", "-P", ppd},
          {"-p", "km_refusing", "-E", "-v", "km-fail:/"},
          {"-p", "km_paused", "-E", "-v", "km-fail:/"},
          {"-p", "km_aborting", "-E", "-v", "km-fail:/", "-o", "printer-error-policy=abort-job"},
          {"-p", "km_stopping", "-E", "-v", "km-fail:/", "-o", "printer-error-policy=stop-printer"},
          {"-p", "km_holding", "-E", "-v", "km-fail:/", "-o", "job-hold-until-default=indefinite"},
      };
      for (const QStringList& queue : queues) server->command(QStringLiteral("lpadmin"), queue);
      server->command(QStringLiteral("cupsreject"), {"-r", "Not taking jobs today", "km_refusing"});
      server->command(QStringLiteral("cupsdisable"), {"-r", "Out of toner", "km_paused"});
      // The program and Qt's print support reach this scheduler only.
      qputenv("CUPS_SERVER", server->address().toUtf8());
      qputenv("CUPS_USER", job_user);
      cupsSetServer(server->address().toUtf8().constData());
      cupsSetUser(job_user);
    } catch (const std::exception& e) {
      server.reset();
      start_failure = e.what();
    }
  }

  static void TearDownTestSuite() {
    cupsSetServer(nullptr);
    cupsSetUser(nullptr);
    qunsetenv("CUPS_SERVER");
    qunsetenv("CUPS_USER");
    server.reset();
  }

  void SetUp() override {
    printing_test::SetUp();
    ASSERT_TRUE(server) << "the test's CUPS scheduler did not start: " << start_failure;
    platform::services().cups = nullptr;  // the system's client, talking to our scheduler
    printer().set_device(nullptr);
    printer().set_metrics(nullptr);
    g_print_title = QStringLiteral("MARK LIST 10A");
  }

  // Chooses `queue` through SELECT with `copies`, black or colour, and
  // prints `pages` pages (each with a red box) in the orientation given;
  // the end of the job answers with `message`.
  void print_report(const QString& queue, int copies, bool mono, const QString& paper, int pages,
                    const QString& message, platform::msg_icon icon) {
    platform::printer_choice chosen;
    chosen.printer_name = queue;
    chosen.copies = copies;
    dialogs.expect_printer().choose_printer(chosen);
    ASSERT_TRUE(choose_with([&](kies_drukker& window) {
      click(&window, mono ? QStringLiteral("kies_mono") : QStringLiteral("kies_kleur"));
      click(&window, QStringLiteral("druk_wysig"));
    }));
    begin_print_job(paper);
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) printer().new_page();
      printer().print(QStringLiteral("Learner %1").arg(page));
      printer().line(10, 5, 30, 8, platform::line_shape::filled_box, QColor(Qt::red));
    }
    dialogs.expect_message(message).icon(icon);
    end_print_job(false, false);
    dialogs.verify();
  }

  static std::unique_ptr<cups_server> server;
  static std::string start_failure;
};

std::unique_ptr<cups_server> cups_scheduler_printing_test::server;
std::string cups_scheduler_printing_test::start_failure;

// The newest job of a queue, as the scheduler lists it: id and state.
std::optional<std::pair<int, ipp_jstate_t>> newest_job(const QString& queue) {
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
  std::optional<std::pair<int, ipp_jstate_t>> newest;
  for (int i = 0; i < count; ++i)
    if (!newest || jobs[i].id > newest->first) newest = std::make_pair(jobs[i].id, jobs[i].state);
  cupsFreeJobs(count, jobs);
  return newest;
}

// A job attribute's value as text ("" when the job has none).
QString job_attribute(int job_id, const char* name) {
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", job_id);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  QString value;
  if (ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO)) {
    char text[256];
    ippAttributeString(attribute, text, sizeof text);
    value = QString::fromUtf8(text);
  }
  ippDelete(response);
  return value;
}

// Where the PDF writer puts the files of users the system does not know.
QString pdf_writer_folder() {
  QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
  QString folder = QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
  if (conf.open(QIODevice::ReadOnly))
    for (const QByteArray& line : conf.readAll().split('\n'))
      if (line.trimmed().startsWith("AnonDirName "))
        folder = QString::fromUtf8(line.trimmed().mid(12).trimmed());
  return folder;
}

// The file the PDF writer made of the job, taken out of its folder; "" when
// none came within a minute. Files of an earlier run (whose scheduler
// numbered its jobs alike) are older than the job and left out.
QByteArray take_written_pdf(int job_id, const QDateTime& printed) {
  QDir folder(pdf_writer_folder());
  const QStringList pattern{QStringLiteral("*job_%1.pdf").arg(job_id)};
  const auto fresh = [&](const QString& name) {
    return QFileInfo(folder.filePath(name)).lastModified() >= printed.addSecs(-2);
  };
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 60000) {
    const auto job = newest_job(QStringLiteral("km_pdf"));
    QStringList found = folder.entryList(pattern, QDir::Files);
    found.removeIf([&](const QString& name) { return !fresh(name); });
    if (job && job->first == job_id && job->second == IPP_JSTATE_COMPLETED && !found.isEmpty()) {
      QFile file(folder.filePath(found.front()));
      QByteArray bytes;
      if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
      file.remove();
      return bytes;
    }
    QThread::msleep(200);
  }
  return {};
}

// Page 1 drawn small: how much of it carries colour (red, green and blue
// apart), and the extent of the box each page carries (the rows and
// columns where its red, or grey, fill is densest).
struct page_look {
  double coloured_share = -1;
  int box_width = 0;
  int box_height = 0;
  bool sheet_across = false;  // the sheet as drawn is wider than high
};

page_look look_at_page_one(const QString& pdf) {
  QTemporaryDir dir;
  run_tool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                                        QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                        QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("page"))});
  const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*.png")});
  const QImage image(dir.filePath(pages.value(0)));
  page_look look;
  if (image.isNull()) return look;
  std::vector<int> per_row(std::size_t(image.height())), per_col(std::size_t(image.width()));
  int coloured = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const int spread = std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
      if (spread > 40) ++coloured;
      const bool red = c.red() > 150 && c.green() < 100 && c.blue() < 100;
      const bool grey = spread < 20 && c.red() > 50 && c.red() < 180;
      if (red || grey) {
        ++per_row[std::size_t(y)];
        ++per_col[std::size_t(x)];
      }
    }
  look.sheet_across = image.width() > image.height();
  look.coloured_share = double(coloured) / (image.width() * image.height());
  const auto dense = [](const std::vector<int>& counts) {
    const int most = *std::max_element(counts.begin(), counts.end());
    return int(std::count_if(counts.begin(), counts.end(), [&](int n) { return most > 0 && 2 * n >= most; }));
  };
  look.box_width = dense(per_col);
  look.box_height = dense(per_row);
  return look;
}

TEST_F(cups_scheduler_printing_test, a_job_to_the_pdf_writer_arrives_whole_with_copies_and_colours) {
  const struct {
    const char* what;
    QString paper;
    int pages;
    int copies;
    bool mono;
    bool landscape;
  } table[] = {
      {"landscape, black, two copies", paper_a4_landscape, 3, 2, true, true},
      {"portrait, colour, one copy", paper_a4_portrait, 2, 1, false, false},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.what);
    const QDateTime printed = QDateTime::currentDateTime();
    print_report(QStringLiteral("km_pdf"), c.copies, c.mono, c.paper, c.pages,
                 QStringLiteral("PRINTING COMPLETE (%1 pages)").arg(c.pages),
                 platform::msg_icon::information);
    const auto job = newest_job(QStringLiteral("km_pdf"));
    ASSERT_TRUE(job);
    EXPECT_EQ(job_attribute(job->first, "copies"), QString::number(c.copies));
    EXPECT_EQ(job_attribute(job->first, "print-color-mode"),
              c.mono ? QStringLiteral("monochrome") : QStringLiteral("color"));
    EXPECT_EQ(job_attribute(job->first, "job-name"), QStringLiteral("MARK LIST 10A"));

    const QByteArray written = take_written_pdf(job->first, printed);
    ASSERT_FALSE(written.isEmpty()) << "no PDF from the PDF writer\n" << server->error_log().toStdString();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(written) == written.size());
    out.close();
    const QString info =
        run_tool(QStringLiteral("pdfinfo"),
                 {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts (A4)"))) << info.toStdString();
    // The box is wider than high as drawn: a landscape page shows it so on
    // a sheet turned across, or standing upright on a sheet left upright.
    const page_look look = look_at_page_one(pdf);
    EXPECT_GT(look.box_width, 5);
    EXPECT_GT(look.box_height, 5);
    EXPECT_EQ(look.sheet_across == (look.box_width > look.box_height), c.landscape)
        << look.box_width << " x " << look.box_height << "\n"
        << info.toStdString();
    // Black printing leaves no colour on the page; colour printing keeps the red box.
    if (c.mono)
      EXPECT_EQ(look.coloured_share, 0.0);
    else
      EXPECT_GT(look.coloured_share, 0.001);
  }
}

TEST_F(cups_scheduler_printing_test, a_job_not_printed_is_never_reported_as_complete) {
  using icon = platform::msg_icon;
  const struct {
    const char* queue;
    bool afrikaans;
    const char16_t* message;
    icon shown;
  } table[] = {
      {"km_refusing", false,
       u"PRINTING FAILED !!\r\nThe printer km_refusing did not accept the document. "
       u"Destination \"km_refusing\" is not accepting jobs.",
       icon::critical},
      {"km_paused", false,
       u"PRINTING IS WAITING !!\r\nThe document waits in the queue of the printer km_paused, which is "
       u"stopped. "
       u"Out of toner",
       icon::exclamation},
      {"km_paused", true,
       u"DRUKWERK WAG NOG !!\r\nDie dokument wag in die tou van die drukker km_paused, wat gestop is. "
       u"Out of toner",
       icon::exclamation},
      {"km_aborting", false,
       u"PRINTING FAILED !!\r\nThe printer km_aborting took the document but could not print it. "
       u"The paper tray is jammed",
       icon::critical},
      {"km_aborting", true,
       u"DRUKWERK HET MISLUK !!\r\nDie drukker km_aborting het die dokument aanvaar maar kon dit nie druk "
       u"nie. "
       u"The paper tray is jammed",
       icon::critical},
      {"km_stopping", false,
       u"PRINTING IS WAITING !!\r\nThe document waits in the queue of the printer km_stopping, which is "
       u"stopped. The paper tray is jammed",
       icon::exclamation},
      {"km_holding", false,
       u"PRINTING IS WAITING !!\r\nThe document is held in the queue of the printer km_holding. "
       u"job-hold-until-specified",
       icon::exclamation},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.queue);
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    print_report(QString::fromLatin1(c.queue), 1, false, paper_a4_portrait, 1, QString::fromUtf16(c.message),
                 c.shown);
  }
}

}  // namespace
}  // namespace km::test
