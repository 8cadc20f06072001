// Paper printing through the print system: which queue a job goes to, the
// job and its options as the print system receives them, refusals, and the
// width of rules on paper and in the PDF.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "platform/ui/printer/device_choice.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_dialog_paper.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/printer/recording_device.h"
#include "platform/ui/printer/system_printer_device.h"
#include "support/fake_cups.h"

namespace km::platform {
namespace {

using test::fake_cups;

class cups_test : public ::testing::Test {
 protected:
  fake_cups cups_system;
};

TEST_F(cups_test, the_default_printer_is_the_default_queue_else_the_first_else_the_pdf_writer) {
  const struct {
    const char* what;
    std::vector<cups_queue> queues;
    const char* expected;
  } table[] = {
      {"no queue", {}, "KORVA-MARKS PDF"},
      {"one marked default", {{"Office", false}, {"Staffroom", true}}, "Staffroom"},
      {"none marked default", {{"Office", false}, {"Staffroom", false}}, "Office"},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.what);
    cups_system.installed = c.queues;
    EXPECT_EQ(default_printer_name(), c.expected);
    // The printer a new session starts with is that one.
    printer_object p;
    EXPECT_EQ(p.device_name(), c.expected);
    const bool paper = !c.queues.empty();
    EXPECT_EQ(dynamic_cast<system_printer_device*>(p.shared_device().get()) != nullptr, paper);
  }
}

TEST_F(cups_test, the_queues_are_offered_as_they_are_now_then_the_pdf_writer) {
  cups_system.installed = {{"Office", false}, {"Staffroom", true}};
  EXPECT_EQ(available_printer_names(), QStringList({"Office", "Staffroom", "KORVA-MARKS PDF"}));
  cups_system.installed = {{"Staffroom", true}};
  EXPECT_EQ(available_printer_names(), QStringList({"Staffroom", "KORVA-MARKS PDF"}));
  // A name that is no queue gets the PDF writer standing in for it.
  const auto device = make_printer_device("Office");
  EXPECT_EQ(device->name(), "KORVA-MARKS PDF");
  EXPECT_TRUE(std::dynamic_pointer_cast<pdf_device>(device)->stands_in_for_printer());
}

TEST_F(cups_test, the_printer_choice_looks_the_queues_up_again) {
  cups_system.installed = {{"Office", true}, {"Staffroom", false}};
  paper_handling duplex;
  duplex.duplex = duplex_choice::long_edge;
  const auto office = make_printer_device("Office", duplex);
  const auto chosen_file = pdf_device::to_file(QDir::temp().filePath("chosen.pdf"));
  const auto recorder = std::make_shared<recording_device>();

  // Still installed: kept, with the paper handling chosen for it.
  EXPECT_EQ(current_printer_device(office), office);
  // Removed: the default queue of the moment takes its place.
  cups_system.installed = {{"Staffroom", false}};
  const auto after_removal = current_printer_device(office);
  EXPECT_EQ(after_removal->name(), "Staffroom");
  EXPECT_TRUE(dynamic_cast<system_printer_device*>(after_removal.get()));
  // Every queue gone: the PDF writer stands in, and a queue added later
  // takes over from it.
  cups_system.installed.clear();
  const auto stand_in = current_printer_device(after_removal);
  EXPECT_EQ(stand_in->name(), "KORVA-MARKS PDF");
  cups_system.installed = {{"Library", false}};
  EXPECT_EQ(current_printer_device(stand_in)->name(), "Library");
  // A PDF file the user chose and the program's own devices stay.
  EXPECT_EQ(current_printer_device(chosen_file), chosen_file);
  EXPECT_EQ(current_printer_device(recorder), recorder);
}

// One page with a line of text and a rule, in the orientation given.
void print_page(printer_object& p, page_orientation orientation) {
  p.set_orientation(orientation);
  p.print("Learner 1");
  p.line(0, 1440, 2880, 1440);
}

TEST_F(cups_test, a_job_reaches_the_queue_as_a_pdf_with_every_option) {
  cups_system.installed = {{"Office", true}};
  const struct {
    const char* what;
    int copies;
    page_orientation orientation;
    color_mode colors;
    paper_handling paper;
    std::vector<cups_option> expected;
  } table[] = {
      {"portrait, colour, as the printer likes",
       1,
       page_orientation::portrait,
       color_mode::color,
       {},
       {{"media", "A4"}, {"copies", "1"}, {"orientation-requested", "3"}, {"print-color-mode", "color"}}},
      {"landscape, black, everything chosen",
       3,
       page_orientation::landscape,
       color_mode::monochrome,
       {duplex_choice::long_edge, "tray-2", "1-3,5"},
       {{"media", "A4"},
        {"copies", "3"},
        {"orientation-requested", "4"},
        {"print-color-mode", "monochrome"},
        {"sides", "two-sided-long-edge"},
        {"media-source", "tray-2"},
        {"page-ranges", "1-3,5"}}},
      {"one-sided from the manual feed",
       1,
       page_orientation::portrait,
       color_mode::color,
       {duplex_choice::one_sided, "manual", ""},
       {{"media", "A4"},
        {"copies", "1"},
        {"orientation-requested", "3"},
        {"print-color-mode", "color"},
        {"sides", "one-sided"},
        {"media-source", "manual"}}},
      {"two-sided as the page lies: landscape binds on the short edge",
       1,
       page_orientation::landscape,
       color_mode::color,
       {duplex_choice::automatic, "", ""},
       {{"media", "A4"},
        {"copies", "1"},
        {"orientation-requested", "4"},
        {"print-color-mode", "color"},
        {"sides", "two-sided-short-edge"}}},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.what);
    cups_system.jobs.clear();
    printer_object p(make_printer_device("Office", c.paper));
    p.set_job_name("MARK LIST 10A");
    p.set_copies(c.copies);
    p.set_colors(c.colors);
    print_page(p, c.orientation);
    ASSERT_TRUE(p.end_doc()) << p.last_error().text().toStdString();
    ASSERT_EQ(cups_system.jobs.size(), 1u);
    const fake_cups::job& job = cups_system.jobs.front();
    EXPECT_EQ(job.printer, "Office");
    EXPECT_EQ(job.title, "MARK LIST 10A");
    EXPECT_EQ(job.options, c.expected);
    EXPECT_TRUE(job.pdf.startsWith("%PDF-"));
    // The temporary file is gone once the job was handed over.
    EXPECT_FALSE(QFile::exists(job.pdf_path));
    EXPECT_EQ(p.last_page_count(), 1);
    EXPECT_TRUE(p.last_output_path().isEmpty());
  }
}

TEST_F(cups_test, a_refused_job_fails_with_the_reason_the_print_system_gave) {
  cups_system.installed = {{"Office", true}};
  cups_system.refusal = "Destination \"Office\" is not accepting jobs.";
  printer_object p(make_printer_device("Office"));
  print_page(p, page_orientation::portrait);
  EXPECT_FALSE(p.end_doc());
  EXPECT_EQ(p.last_error().what, print_error::kind::printer_refused);
  EXPECT_EQ(p.last_error().path, "Office");
  EXPECT_EQ(p.last_error().detail, "Destination \"Office\" is not accepting jobs.");
  ASSERT_EQ(cups_system.jobs.size(), 1u);
  EXPECT_FALSE(QFile::exists(cups_system.jobs.front().pdf_path));
  EXPECT_FALSE(p.document_open());
}

TEST_F(cups_test, a_job_taken_is_followed_until_it_prints_fails_or_waits) {
  using state = cups_job_status::state;
  const cups_job_status pending{state::pending, "none", "", false, ""};
  const cups_job_status printing{state::processing, "job-printing", "", false, ""};
  const struct {
    const char* what;
    std::vector<cups_job_status> states;
    print_error::kind expected;
    const char* detail;
    int questions;  // how often the job was asked about; 0: at least twice
  } table[] = {
      {"done at once",
       {{state::completed, "job-completed-successfully", "", false, ""}},
       print_error::kind::none,
       "",
       1},
      {"forgotten by the print system", {{}}, print_error::kind::none, "", 1},
      {"aborted after printing began",
       {pending, printing, {state::aborted, "aborted-by-system", "The paper tray is jammed", false, ""}},
       print_error::kind::job_failed,
       "The paper tray is jammed",
       3},
      {"cancelled with only the queue's word",
       {pending, {state::cancelled, "job-canceled-by-user", "", false, "Jam"}},
       print_error::kind::job_failed,
       "Jam",
       2},
      {"waiting on a stopped queue",
       {{state::pending, "printer-stopped", "", true, "Out of toner"}},
       print_error::kind::job_waiting,
       "Out of toner",
       1},
      {"stopped while printing",
       {printing, {state::stopped, "printer-stopped", "Jammed", false, ""}},
       print_error::kind::job_waiting,
       "Jammed",
       2},
      {"held",
       {{state::held, "job-hold-until-specified", "", false, ""}},
       print_error::kind::job_held,
       "job-hold-until-specified",
       1},
      {"still printing when the time is up", {pending, printing}, print_error::kind::none, "", 0},
      {"still waiting on a working queue when the time is up", {pending}, print_error::kind::none, "", 0},
  };
  cups_system.installed = {{"Office", true}};
  for (const auto& c : table) {
    SCOPED_TRACE(c.what);
    cups_system.statuses = c.states;
    cups_system.status_questions.clear();
    const auto office = std::make_shared<system_printer_device>("Office");
    office->set_follow_time(std::chrono::milliseconds(300));
    printer_object p(office);
    print_page(p, page_orientation::portrait);
    EXPECT_EQ(p.end_doc(), c.expected == print_error::kind::none);
    EXPECT_EQ(p.last_error().what, c.expected);
    EXPECT_EQ(p.last_error().detail, c.detail);
    EXPECT_EQ(p.last_error().path, c.expected == print_error::kind::none ? "" : "Office");
    ASSERT_FALSE(cups_system.status_questions.empty());
    EXPECT_EQ(cups_system.status_questions.front(), std::make_pair(QString("Office"), 17));
    if (c.questions > 0)
      EXPECT_EQ(int(cups_system.status_questions.size()), c.questions);
    else
      EXPECT_GE(cups_system.status_questions.size(), 2u);
    cups_system.next_job_id = 17;
  }
}

// The thickness in dots of a rule from 0 to 2880 twips across at 1440
// twips down the printable area (a quarter inch from the sheet's edges), the page
// drawn at `dpi` dots per inch.
int rule_thickness(const QByteArray& pdf, int dpi) {
  QTemporaryDir dir;
  QFile file(dir.filePath("in.pdf"));
  if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return -1;
  file.close();
  QProcess tool;
  // Only a strip one dot wide down the middle of the rule, which runs from
  // 0.25 to 2.25 inches across at 1.25 inches down: from 1 to 1.5 inches.
  tool.start("pdftoppm", {"-gray", "-r", QString::number(dpi), "-aaVector", "no", "-f", "1", "-l", "1", "-x",
                          QString::number(dpi * 5 / 4), "-y", QString::number(dpi), "-W", "1", "-H",
                          QString::number(dpi / 2), file.fileName(), dir.filePath("page")});
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) return -1;
  QFile page(dir.filePath(QDir(dir.path()).entryList({"page*.pgm"}).value(0)));
  if (!page.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pgm = page.readAll();
  // P5 header: "P5\n<width> <height>\n255\n", then one byte per pixel.
  const QList<QByteArray> head = pgm.left(64).split('\n');
  const QList<QByteArray> size = head.value(1).split(' ');
  const int width = size.value(0).toInt();
  const int height = size.value(1).toInt();
  const qsizetype start = head.value(0).size() + head.value(1).size() + head.value(2).size() + 3;
  if (width <= 0 || pgm.size() < start + qsizetype(width) * height) return -1;
  int dark = 0;
  for (int row = 0; row < height; ++row)
    if (quint8(pgm.at(start + qsizetype(row) * width)) < 128) ++dark;
  return dark;
}

TEST_F(cups_test, a_rule_is_as_wide_on_paper_as_in_the_pdf) {
  cups_system.installed = {{"Office", true}};
  QTemporaryDir dir;
  const QString pdf_path = dir.filePath("rule.pdf");
  const std::shared_ptr<print_device> devices[] = {
      std::make_shared<recording_device>(), pdf_device::to_file(pdf_path), make_printer_device("Office")};
  for (const auto& device : devices) {
    SCOPED_TRACE(device->name().toStdString());
    printer_object p(device);
    p.set_draw_width(2);
    EXPECT_DOUBLE_EQ(p.twips_per_pixel_x(), 2.4);
    p.line(0, 1440, 2880, 1440);
    const print_op rule = p.pending_document()->pages.front().ops.front();
    // DrawWidth 2 is 2 / 600 inch: 4.8 twips, 0.24 point.
    EXPECT_DOUBLE_EQ(rule.pen_width, 4.8);
    ASSERT_TRUE(p.end_doc()) << p.last_error().text().toStdString();
  }
  // On the page: 2 / 600 inch is 4 dots of a 1200-dot printer, both in the
  // PDF file and in the job that went to the print system.
  QFile written(pdf_path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(rule_thickness(written.readAll(), 1200), 4);
  ASSERT_EQ(cups_system.jobs.size(), 1u);
  EXPECT_EQ(rule_thickness(cups_system.jobs.front().pdf, 1200), 4);
}

TEST(printer_dialog_paper, the_dialogs_choices_become_the_print_systems_terms) {
  EXPECT_EQ(duplex_of(QPrinter::DuplexNone), duplex_choice::one_sided);
  EXPECT_EQ(duplex_of(QPrinter::DuplexLongSide), duplex_choice::long_edge);
  EXPECT_EQ(duplex_of(QPrinter::DuplexShortSide), duplex_choice::short_edge);
  EXPECT_EQ(duplex_of(QPrinter::DuplexAuto), duplex_choice::automatic);

  EXPECT_EQ(media_source_keyword(QPrinter::Upper), "top");
  EXPECT_EQ(media_source_keyword(QPrinter::Lower), "bottom");
  EXPECT_EQ(media_source_keyword(QPrinter::Manual), "manual");
  EXPECT_EQ(media_source_keyword(QPrinter::LargeCapacity), "large-capacity");
  EXPECT_EQ(media_source_keyword(QPrinter::Auto), "");

  const struct {
    const char* slot;
    const char* keyword;
  } input_slots[] = {
      {"Tray2", "tray-2"},
      {"ByPassTray", "by-pass-tray"},
      {"Manual", "manual"},
      {"Auto", "auto"},
      {"LargeCapacity", "large-capacity"},
      {"Tray 3", "tray-3"},
      {"", ""},
  };
  for (const auto& s : input_slots) {
    SCOPED_TRACE(s.slot);
    EXPECT_EQ(media_source_keyword(QString(s.slot)), s.keyword);
  }
}

}  // namespace
}  // namespace km::platform
