// The PDF writer, read back with poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "platform/clock.h"
#include "platform/file_faults.h"
#include "platform/ui/printer/device_choice.h"
#include "platform/ui/printer/html_device.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_object.h"

namespace km::platform {
namespace {

QString run_tool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

class pdf_test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
        QStandardPaths::findExecutable("pdftotext").isEmpty())
      FAIL() << "pdfinfo and pdftotext are missing: install poppler-utils (scripts/install-deps.sh)";
  }

  QTemporaryDir dir;
  fake_clock fake;  // 2017-03-17 10:30:00
  scoped_clock use_fake{fake};
};

// Three pages as a report prints them: frame, header text, rules.
void print_three_pages(printer_object& p) {
  p.set_job_name("Marks list");
  p.set_scale_mode(scale_unit::characters);
  p.set_font_name("Lucida Console");
  p.set_font_size(10);
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) p.new_page();
    if (page == 3) p.set_orientation(page_orientation::landscape);
    p.line(0.25, 0.25, p.scale_width() - 0.5, p.scale_height() - 0.5, line_shape::box);
    p.set_current_y(1);
    p.print({print_tab{3}, QStringLiteral("PAGE : %1").arg(p.page())});
    p.print({print_tab{3}, QStringLiteral("Learner %1 first").arg(page)});
    p.print({print_tab{3}, QStringLiteral("Learner %1 second").arg(page)});
    p.line(0.25, 5, p.scale_width() - 0.5, 5);
    p.line(2, 6, 30, 6.1, line_shape::filled_box);
    p.set_current_x(10);
    p.set_current_y(40);
    p.print_rotated("Turned heading", 900);
  }
}

TEST_F(pdf_test, three_pages_on_a4_with_their_texts_in_order) {
  printer_object p(std::make_shared<pdf_device>(dir.path()));
  print_three_pages(p);
  ASSERT_TRUE(p.end_doc()) << p.last_error().text().toStdString();
  EXPECT_EQ(p.last_page_count(), 3);

  const QString expected = QDir(dir.path()).filePath("Marks list 2017-03-17 10.30.00.pdf");
  EXPECT_EQ(p.last_output_path(), expected);
  ASSERT_TRUE(QFile::exists(expected));

  const QString info = run_tool("pdfinfo", {"-f", "1", "-l", "3", expected});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\n"))) << info.toStdString();
  // A4 is 595.28 x 841.89 points; the writer rounds it to whole points.
  const QString portrait = "59[56](\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)";
  const QString landscape = "84[12](\\.\\d+)? x 59[56](\\.\\d+)? pts \\(A4\\)";
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+1 size:\\s+" + portrait))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+2 size:\\s+" + portrait)));
  EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+3 size:\\s+" + landscape)));
  EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Marks list\\n"))) << info.toStdString();

  const QString text = run_tool("pdftotext", {"-layout", expected, "-"});
  const QStringList order = {"PAGE : 1", "Learner 1 first", "Learner 1 second",
                             "PAGE : 2", "Learner 2 first", "Learner 2 second",
                             "PAGE : 3", "Learner 3 first", "Learner 3 second"};
  qsizetype at = 0;
  for (const QString& item : order) {
    const qsizetype found = text.indexOf(item, at);
    EXPECT_GE(found, at) << item.toStdString() << " missing or out of order in:\n" << text.toStdString();
    if (found >= 0) at = found + item.size();
  }
  // pdftotext ends every page with a form feed.
  EXPECT_EQ(text.count(u'\f'), 3);
}

TEST_F(pdf_test, a_second_job_in_the_same_second_gets_its_own_file) {
  printer_object p(std::make_shared<pdf_device>(dir.path()));
  p.set_job_name("Report");
  p.print("one");
  ASSERT_TRUE(p.end_doc());
  p.print("two");
  ASSERT_TRUE(p.end_doc());
  EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath("Report 2017-03-17 10.30.00.pdf")));
  EXPECT_EQ(p.last_output_path(), QDir(dir.path()).filePath("Report 2017-03-17 10.30.00 (2).pdf"));
  EXPECT_TRUE(QFile::exists(p.last_output_path()));
}

TEST_F(pdf_test, the_default_folder_is_used_and_created) {
  const QString folder = QDir(dir.path()).filePath("docs/KORVA-MARKS");
  set_pdf_folder(folder);
  printer_object p(make_printer_device(pdf_printer_name()));
  EXPECT_EQ(p.device_name(), pdf_printer_name());
  p.set_job_name("Set/up: 10?");
  p.print("x");
  const bool ok = p.end_doc();
  set_pdf_folder(QString());
  ASSERT_TRUE(ok) << p.last_error().text().toStdString();
  EXPECT_EQ(p.last_output_path(), QDir(folder).filePath("Set_up_ 10_ 2017-03-17 10.30.00.pdf"));
  EXPECT_TRUE(QFile::exists(p.last_output_path()));
}

TEST_F(pdf_test, an_unwritable_folder_fails_at_end_doc_and_leaves_nothing) {
  QFile blocker(QDir(dir.path()).filePath("not-a-folder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString folder = QDir(dir.path()).filePath("not-a-folder/out");
  printer_object p(std::make_shared<pdf_device>(folder));
  p.print("lost");
  EXPECT_FALSE(p.end_doc());
  EXPECT_EQ(p.last_error().what, print_error::kind::folder_not_writable);
  EXPECT_EQ(p.last_error().path, folder);
  EXPECT_TRUE(p.last_output_path().isEmpty());
  EXPECT_FALSE(p.document_open());
}

TEST_F(pdf_test, to_file_replaces_the_named_file) {
  const QString path = QDir(dir.path()).filePath("report.pdf");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
  }
  printer_object p(pdf_device::to_file(path));
  p.print("Replaced");
  ASSERT_TRUE(p.end_doc());
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");
  EXPECT_TRUE(run_tool("pdftotext", {path, "-"}).contains("Replaced"));
}

// A printed file is put in place by a rename; its folder's entries are then
// flushed, so that the finished file outlasts a power cut.
TEST_F(pdf_test, a_printed_file_has_its_folder_flushed_after_it_is_put_in_place) {
  struct output_case {
    const char* name;
    std::function<std::shared_ptr<print_device>(const QString&)> device;
  };
  const output_case cases[] = {
      {"report.pdf", [](const QString& path) { return pdf_device::to_file(path); }},
      {"report.html", [](const QString& path) { return std::make_shared<html_device>(path); }},
  };
  for (const output_case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = QDir(dir.path()).filePath(QLatin1String(c.name));
    QStringList flushed;
    set_file_fault_hook([&](file_step step, const QString& at) {
      if (step == file_step::folder_sync) flushed << at;
    });
    printer_object p(c.device(path));
    p.print("Flushed");
    EXPECT_TRUE(p.end_doc());
    set_file_fault_hook({});
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(flushed, QStringList{QDir(dir.path()).absolutePath()});
  }
}

struct file_name_case {
  const char* job;
  double now;
  const char* expected;
};

TEST(pdf_file_name, job_name_and_time_make_the_name) {
  const file_name_case table[] = {
      {"Marks list", 42811.4375, "Marks list 2017-03-17 10.30.00.pdf"},
      {"  MARK BOOK 10/A  ", 42811.0, "MARK BOOK 10_A 2017-03-17 00.00.00.pdf"},
      {"a\\b:c*d?e\"f<g>h|i", 45000.999988426, "a_b_c_d_e_f_g_h_i 2023-03-15 23.59.59.pdf"},
      {"", 42811.5, "KORVA-MARKS 2017-03-17 12.00.00.pdf"},
      {"..", 42811.5, "KORVA-MARKS 2017-03-17 12.00.00.pdf"},
  };
  for (const file_name_case& c : table) {
    SCOPED_TRACE(c.job);
    EXPECT_EQ(pdf_file_name(c.job, c.now), c.expected);
  }
}

TEST(printer_choice, the_pdf_writer_is_always_offered) {
  const QStringList names = available_printer_names();
  ASSERT_FALSE(names.isEmpty());
  EXPECT_EQ(names.back(), pdf_printer_name());
  EXPECT_EQ(names.count(pdf_printer_name()), 1);
  EXPECT_FALSE(default_printer_name().isEmpty());
  // An unknown printer name falls back to the PDF writer.
  EXPECT_EQ(make_printer_device("No Such Printer 42")->name(), pdf_printer_name());
}

}  // namespace
}  // namespace km::platform
