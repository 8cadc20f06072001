// The HTML page device: each sheet a block of paper size holding
// absolutely placed spans and rules.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "platform/ui/printer/html_device.h"
#include "platform/ui/printer/printer_object.h"

namespace km::platform {
namespace {

QString read_all(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

// The style of the span holding exactly this text, searched from `from`.
QString span_style(const QString& html, const QString& text, qsizetype from = 0) {
  const QRegularExpression span("<span style=\"([^\"]*)\">" + QRegularExpression::escape(text) + "</span>");
  const QRegularExpressionMatch m = span.match(html, from);
  return m.hasMatch() ? m.captured(1) : QString();
}

class html_test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  QTemporaryDir dir;
  QString path() const { return QDir(dir.path()).filePath("report/marks.html"); }
};

TEST_F(html_test, two_pages_give_two_page_blocks_with_texts_in_place) {
  printer_object p(std::make_shared<html_device>(path()), std::make_shared<fixed_text_metrics>());
  p.set_job_name("Marks <10-A>");
  p.set_font_name("Lucida Console");
  p.set_current_x(1440);
  p.set_current_y(480);
  p.print("First & only");
  p.line(0, 1000, 2000, 1000);
  p.new_page();
  p.set_orientation(page_orientation::landscape);
  p.set_font_bold(true);
  p.set_current_x(200);
  p.set_current_y(100);
  p.print("Second");
  p.set_current_x(1000);
  p.set_current_y(5000);
  p.print_rotated("Up", 900);
  ASSERT_TRUE(p.end_doc()) << p.last_error().text().toStdString();
  EXPECT_EQ(p.last_output_path(), path());

  const QString html = read_all(path());
  ASSERT_FALSE(html.isEmpty());
  EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
  EXPECT_TRUE(html.contains("<title>Marks &lt;10-A&gt;</title>"));
  EXPECT_EQ(html.count("class=\"page\""), 2);

  // Sheets of A4, the second turned.
  const qsizetype page1 =
      html.indexOf("<div class=\"page\" id=\"page-1\" style=\"width:595.28pt;height:841.89pt\">");
  const qsizetype page2 =
      html.indexOf("<div class=\"page\" id=\"page-2\" style=\"width:841.89pt;height:595.28pt\">");
  ASSERT_GE(page1, 0);
  ASSERT_GT(page2, page1);

  // Positions are the printer's plus the quarter-inch margin, in points.
  const QString first = span_style(html, "First &amp; only");
  EXPECT_TRUE(first.startsWith("left:90.00pt;top:42.00pt;")) << first.toStdString();
  EXPECT_TRUE(first.contains("font-family:'Liberation Mono','Lucida Console',monospace"))
      << first.toStdString();
  EXPECT_TRUE(first.contains("font-size:10.00pt"));
  EXPECT_LT(html.indexOf("First &amp; only"), page2);

  const QString second = span_style(html, "Second", page2);
  EXPECT_TRUE(second.startsWith("left:28.00pt;top:23.00pt;")) << second.toStdString();
  EXPECT_TRUE(second.contains("font-weight:bold"));

  const QString up = span_style(html, "Up", page2);
  EXPECT_TRUE(up.startsWith("left:68.00pt;top:268.00pt;")) << up.toStdString();
  EXPECT_TRUE(up.contains("transform:rotate(-90.0deg)")) << up.toStdString();

  // The rule: 2000 twips long, the pen (2.4 twips) centred on the line.
  EXPECT_TRUE(html.contains(
      "<div style=\"left:17.94pt;top:67.94pt;width:100.12pt;height:0.12pt;background:#000000\">"))
      << html.toStdString();
}

TEST_F(html_test, boxes_and_opaque_text) {
  printer_object p(std::make_shared<html_device>(path()), std::make_shared<fixed_text_metrics>());
  p.set_font_transparent(false);
  p.print("on white");
  p.line(0, 0, 200, 100, line_shape::filled_box, color_from_bgr(0x00FFFF));
  p.line(0, 0, 200, 100, line_shape::box);
  ASSERT_TRUE(p.end_doc());
  const QString html = read_all(path());
  EXPECT_TRUE(span_style(html, "on white").contains("background:#ffffff"));
  EXPECT_TRUE(html.contains("background:#ffff00\">"));
  EXPECT_TRUE(html.contains("box-sizing:border-box;border:0.12pt solid #000000\">"));
}

TEST_F(html_test, an_unwritable_target_fails_and_keeps_the_old_file) {
  QFile blocker(QDir(dir.path()).filePath("report"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.write("a file where the folder should be");
  blocker.close();
  printer_object p(std::make_shared<html_device>(path()), std::make_shared<fixed_text_metrics>());
  p.print("x");
  EXPECT_FALSE(p.end_doc());
  EXPECT_EQ(p.last_error().what, print_error::kind::folder_not_writable);
  EXPECT_EQ(read_all(QDir(dir.path()).filePath("report")), "a file where the folder should be");
}

}  // namespace
}  // namespace km::platform
