// The program's own user manuals, as the program folder holds them: the
// help button of each sub-menu opens its manual in the chosen language from
// the laid-out program folder, and each PDF is an A4 document whose text
// holds every heading of its source text, in its own language only.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "menu_test_support.h"
#include "platform/file_system.h"
#include "platform/win_path.h"
#include "shell/side_windows.h"
#include "support/desktop_recorders.h"
#include "support/program_folder.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

const QString manuals_program_folder = QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS");

struct manual_case {
  const char* menu;
  bool afrikaans;
  const char* file;
  const char* source;    // docs/manuals/<source>
  const char* title;     // the manual's first heading
  const char* not_this;  // a heading of the same manual in the other language
};

void PrintTo(const manual_case& m, std::ostream* os) { *os << m.file; }

// Plain text of a PDF by poppler, with runs of white space made one blank.
QString pdf_text(const QString& native) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {native, QStringLiteral("-")});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext failed on " << native.toStdString() << ": "
                  << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

QString pdf_info(const QString& native) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {native});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdfinfo failed on " << native.toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The headings (h1 to h3) of a manual's source text, as a reader sees them.
QStringList source_headings(const char* source) {
  QFile f(QStringLiteral(KM_SOURCE_DIR "/docs/manuals/") + QString::fromLatin1(source));
  if (!f.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "no source text " << source;
    return {};
  }
  const QString html = QString::fromUtf8(f.readAll());
  static const QRegularExpression heading(QStringLiteral("<h[1-3]>(.*?)</h[1-3]>"),
                                          QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  QStringList headings;
  for (auto it = heading.globalMatch(html); it.hasNext();) {
    QString text = it.next().captured(1);
    text.remove(tag);
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    headings << text.simplified();
  }
  return headings;
}

class manuals_test : public test::menu_test, public ::testing::WithParamInterface<manual_case> {
 protected:
  void SetUp() override {
    test::menu_test::SetUp();
    register_side_windows();
    native_program_ = platform::to_native_path(manuals_program_folder);
    test::lay_out_program_folder(native_program_);
    platform::set_current_directory(manuals_program_folder);
  }
  QString native_program_;
};

TEST_P(manuals_test, the_help_button_opens_the_manual_of_its_language_from_the_program_folder) {
  const manual_case& m = GetParam();
  g_language = m.afrikaans;
  test::recording_opener opener;
  auto* menu = platform::show_form(QString::fromLatin1(m.menu));
  ASSERT_NE(menu, nullptr);
  // The cycle menu shows the manuals window modally: it is closed once it
  // has opened the manual.
  const bool modal = QString::fromLatin1(m.menu) == QStringLiteral("punte_menu1");
  if (modal)
    test::when_shown(QStringLiteral("acrobat_interface"),
                     [](platform::form* w) { platform::unload_form(w); });
  ASSERT_TRUE(test::click(menu, QStringLiteral("help_pdf")));
  if (!modal) platform::unload_form(QStringLiteral("acrobat_interface"));
  ASSERT_EQ(opener.opened, QStringList({QString::fromLatin1(m.file)}));
  EXPECT_TRUE(QFile::exists(native_program_ + "/" + QString::fromLatin1(m.file)));
}

TEST_P(manuals_test, each_manual_is_an_a4_document_with_every_heading_in_its_own_language) {
  const manual_case& m = GetParam();
  const QString pdf = native_program_ + "/" + QString::fromLatin1(m.file);
  const QString info = pdf_info(pdf);
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 842"))))
      << info.toStdString();
  const QString text = pdf_text(pdf);
  EXPECT_TRUE(text.startsWith(QString::fromUtf8(m.title))) << text.left(200).toStdString();
  EXPECT_FALSE(text.contains(QString::fromUtf8(m.not_this)));
  const QStringList headings = source_headings(m.source);
  EXPECT_GE(headings.size(), 5);
  for (const QString& h : headings) EXPECT_TRUE(text.contains(h)) << m.file << ": " << h.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    both_sub_menus, manuals_test,
    ::testing::Values(manual_case{"punte_menu2", true, "m_punteboek.pdf", "markbook.af.html",
                                  "KORVA-MARKS: DIE PUNTEBOEK", "THE MARK BOOK"},
                      manual_case{"punte_menu2", false, "m_markbook.pdf", "markbook.en.html",
                                  "KORVA-MARKS: THE MARK BOOK", "DIE PUNTEBOEK"},
                      manual_case{"punte_menu1", true, "m_marks_afr.pdf", "marks.af.html",
                                  "KORVA-MARKS: SIKLUS- EN UGO-PUNTE", "CYCLE AND OBE MARKS"},
                      manual_case{"punte_menu1", false, "m_marks_eng.pdf", "marks.en.html",
                                  "KORVA-MARKS: CYCLE AND OBE MARKS", "SIKLUS- EN UGO-PUNTE"}),
    [](const ::testing::TestParamInfo<manual_case>& info) {
      return std::string(info.param.source).substr(0, std::string(info.param.source).find('.')) +
             (info.param.afrikaans ? "_afrikaans" : "_english");
    });

}  // namespace
}  // namespace km
