#include "shell/acrobat_interface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRadioButton>

#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/ui/window_registry.h"
#include "shell/manuals.h"
#include "shell/side_windows.h"
#include "shell/suite_programs.h"
#include "side_window_test_support.h"
#include "support/desktop_recorders.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::msg_icon;
using test::recording_opener;

struct marker_case {
  const char* path;
  const char* marker;  // "" when none is due
};

class manual_marker_paths : public ::testing::TestWithParam<marker_case> {};

TEST_P(manual_marker_paths, replace_only_a_trailing_lower_case_pdf) {
  const auto& c = GetParam();
  const auto marker = manual_marker_path(QString::fromLatin1(c.path));
  if (*c.marker == 0) {
    EXPECT_FALSE(marker.has_value()) << c.path;
  } else {
    ASSERT_TRUE(marker.has_value()) << c.path;
    EXPECT_EQ(*marker, QString::fromLatin1(c.marker));
  }
}

INSTANTIATE_TEST_SUITE_P(
    cases, manual_marker_paths,
    ::testing::Values(marker_case{"m_marks_afr.pdf", "m_marks_afr.dte"},
                      marker_case{"C:\\PF\\korva-manuals\\.pdf", "C:\\PF\\korva-manuals\\.dte"},
                      marker_case{"C:\\a.pdf\\b.pdf", "C:\\a.pdf\\b.dte"},
                      marker_case{"C:\\x.pdf.pdf", "C:\\x.pdf.dte"}, marker_case{"C:\\X.PDF", ""},
                      marker_case{"C:\\x.pdfx", ""}, marker_case{"C:\\readme.txt", ""}, marker_case{"", ""}));

struct manual_row {
  int index;
  const char* designed;
  const char* afrikaans;
  const char* english;
  const char* afrikaans_file;
  const char* english_file;
};

class manual_rows : public ::testing::TestWithParam<manual_row> {};

TEST_P(manual_rows, carry_their_captions_and_files_in_both_languages) {
  const auto& r = GetParam();
  EXPECT_EQ(manual_designed_caption(r.index), QString::fromLatin1(r.designed));
  EXPECT_EQ(manual_caption(r.index, true), QString::fromLatin1(r.afrikaans));
  EXPECT_EQ(manual_caption(r.index, false), QString::fromLatin1(r.english));
  EXPECT_EQ(manual_file_name(r.index, true), QString::fromLatin1(r.afrikaans_file));
  EXPECT_EQ(manual_file_name(r.index, false), QString::fromLatin1(r.english_file));
}

INSTANTIATE_TEST_SUITE_P(
    cases, manual_rows,
    ::testing::Values(manual_row{1, "SKOOLBESONDERHEDE", "SKOOLBESONDERHEDE", "SCHOOL DETAILS",
                                 "skool_besonderhede", "school_details"},
                      manual_row{3, "ASSESSERINGSTANDAARDE", "ASSESSERINGSTANDAARDE", "ASSESSMENT STANDARDS",
                                 "assessering", "assessment"},
                      manual_row{4, "SKOOLBYWONING", "SKOOLBYWONING", "ATTENDANCE", "bywoning", "attendance"},
                      manual_row{5, "GEDRAGSTELSEL", "GEDRAGSTELSEL", "MERITS/DEMERITS", "gedrag",
                                 "code_conduct"},
                      manual_row{6, "BUITEMUURS", "BUITEMUURSE INLIGTING", "EXTRA-MURAL INFORMATION",
                                 "buitemuurs", "extra_mural"},
                      manual_row{12, "KORVA-MARKS", "PUNTE/PUNTEBOEKE (KORVA-MARKS)",
                                 "MARKS/MARK BOOKS (KORVA-MARKS)", "m_marks_afr", "m_marks_eng"},
                      manual_row{13, "LEERDERS - ADMINISTRATIEF", "LEERDERS - ADMINISTRATIEF",
                                 "LEARNERS - ADMINISTRATIVE", "leerder_adm", "learner_adm"},
                      manual_row{14, "LEERDERS - AKADEMIES", "LEERDERS - AKADEMIES", "LEARNERS - ACADEMIC",
                                 "leerder_akd", "learner_acd"},
                      manual_row{15, "ANA REGISTRASIES EN PUNTE", "ANA REGISTRASIES EN PUNTE",
                                 "ANA REGISTRATIONS AND MARKS", "ana inskrywings", "ana registrations"}));

// The rows of the suite's other programs name one of the programs of the
// floating menu, in brackets after a descriptive word.
TEST(manual_list, other_programs_rows_name_suite_programs) {
  QStringList menu;
  for (int i = 1; i <= floating_menu_button_count; ++i) menu.append(floating_menu_caption(i));
  for (int i : {2, 7, 8, 9, 10, 11}) {
    const QString designed = manual_designed_caption(i);
    EXPECT_TRUE(menu.contains(designed)) << i;
    EXPECT_TRUE(manual_caption(i, true).endsWith(" (" + designed + ")")) << i;
    EXPECT_TRUE(manual_caption(i, false).endsWith(" (" + designed + ")")) << i;
  }
}

TEST(manual_list, captions_files_and_paths) {
  reset_shared_variables();
  EXPECT_EQ(manual_designed_caption(12), "KORVA-MARKS");
  EXPECT_EQ(manual_caption(12, false), "MARKS/MARK BOOKS (KORVA-MARKS)");
  EXPECT_EQ(manual_caption(12, true), "PUNTE/PUNTEBOEKE (KORVA-MARKS)");
  EXPECT_EQ(manual_designed_caption(6), "BUITEMUURS");
  EXPECT_EQ(manual_caption(6, true), "BUITEMUURSE INLIGTING");
  EXPECT_EQ(manual_caption(5, false), "MERITS/DEMERITS");
  EXPECT_EQ(manual_file_name(15, true), "ana inskrywings");
  EXPECT_EQ(manual_file_name(14, false), "learner_acd");
  EXPECT_EQ(manual_file_name(0, false), "");
  EXPECT_EQ(manual_caption(16, false), "");
  for (int i = 1; i <= manual_option_count; ++i) {
    EXPECT_FALSE(manual_caption(i, true).isEmpty()) << i;
    EXPECT_FALSE(manual_file_name(i, false).isEmpty()) << i;
  }
  g_program_root = "C:\\PF";
  EXPECT_EQ(manual_path(12), "C:\\PF\\korva-manuals\\m_marks_eng.pdf");
  g_language = true;
  EXPECT_EQ(manual_path(1), "C:\\PF\\korva-manuals\\skool_besonderhede.pdf");
  EXPECT_EQ(manual_path(0), "C:\\PF\\korva-manuals\\.pdf");
  reset_shared_variables();
}

// A program root C:\PF with its manuals folder and the program folder as the
// current directory, a fake clock on 2017-03-17, and the recording opener.
class acrobat_window : public test::side_window_test {
 protected:
  void SetUp() override {
    test::side_window_test::SetUp();
    g_program_root = "C:\\PF";
    drives.make_native_folder("C/PF/korva-manuals");
    drives.make_native_folder("C/PF/KORVA-MARKS");
    platform::set_current_directory("C:\\PF\\KORVA-MARKS");
  }

  acrobat_interface* load() {
    auto* w = qobject_cast<acrobat_interface*>(platform::show_form("acrobat_interface"));
    EXPECT_NE(w, nullptr);
    return w;
  }
  QByteArray read(const QString& relative) const {
    QFile f(drives.base() + "/" + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  bool exists(const QString& relative) const { return QFileInfo::exists(drives.base() + "/" + relative); }
  int checked_count(acrobat_interface* w) const {
    int n = 0;
    for (int i = 1; i <= manual_option_count; ++i) n += w->option(i)->isChecked() ? 1 : 0;
    return n;
  }

  test::temp_drives drives;
  platform::fake_clock clock{42811.4375};
  platform::scoped_clock use_clock{clock};
  recording_opener opener;
};

TEST_F(acrobat_window, without_a_manual_name_the_list_shows_the_chosen_language) {
  auto* w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->caption(), "REVIZ-URORU - ACROBAT READER");
  EXPECT_TRUE(test::placed_as_centred(w));
  for (int i = 1; i <= manual_option_count; ++i)
    EXPECT_EQ(w->option(i)->text(), manual_caption(i, false)) << i;
  EXPECT_EQ(w->option(12)->text(), "MARKS/MARK BOOKS (KORVA-MARKS)");
  EXPECT_EQ(checked_count(w), 0);
  EXPECT_TRUE(opener.opened_in.isEmpty());

  platform::unload_all_but(QString());
  test::run_events();
  g_language = true;
  w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->option(12)->text(), "PUNTE/PUNTEBOEKE (KORVA-MARKS)");
  EXPECT_EQ(w->option(6)->text(), "BUITEMUURSE INLIGTING");
}

TEST_F(acrobat_window, a_manual_from_a_sub_menu_opens_at_once_and_keeps_the_designed_captions) {
  drives.write_native("C/PF/KORVA-MARKS/m_punteboek.pdf", "%PDF-1.4");
  g_language = true;
  g_manual_file_name = "m_punteboek.pdf";
  auto* w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(opener.opened_in, QStringList({"m_punteboek.pdf | C:\\"}));
  EXPECT_EQ(read("C/PF/KORVA-MARKS/m_punteboek.dte"), "#2017-03-17#\r\n");
  EXPECT_EQ(read("C/PF/KORVA-MARKS/m_punteboek.pdf"), "%PDF-1.4");
  EXPECT_EQ(g_manual_file_name, "");
  EXPECT_EQ(w->option(12)->text(), "KORVA-MARKS");
  EXPECT_EQ(w->option(6)->text(), "BUITEMUURS");
  EXPECT_EQ(checked_count(w), 0);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(acrobat_window, a_missing_manual_is_passed_over_silently_and_still_gets_its_marker) {
  // The scripted dialogs fail the test on any message box.
  g_manual_file_name = "m_markbook.pdf";
  ASSERT_NE(load(), nullptr);
  EXPECT_TRUE(opener.opened_in.isEmpty());
  EXPECT_EQ(read("C/PF/KORVA-MARKS/m_markbook.dte"), "#2017-03-17#\r\n");
  EXPECT_EQ(g_manual_file_name, "");
}

TEST_F(acrobat_window, a_manual_stored_in_other_letter_case_is_present) {
  drives.write_native("C/PF/KORVA-MARKS/M_MARKS_AFR.PDF", "%PDF-1.4");
  g_manual_file_name = "m_marks_afr.pdf";
  ASSERT_NE(load(), nullptr);
  EXPECT_EQ(opener.opened_in, QStringList({"m_marks_afr.pdf | C:\\"}));
  EXPECT_EQ(read("C/PF/KORVA-MARKS/m_marks_afr.dte"), "#2017-03-17#\r\n");
  EXPECT_EQ(read("C/PF/KORVA-MARKS/M_MARKS_AFR.PDF"), "%PDF-1.4");
}

TEST_F(acrobat_window, the_chosen_option_opens_from_the_manuals_folder) {
  drives.write_native("C/PF/korva-manuals/m_marks_eng.pdf", "%PDF-1.4");
  auto* w = load();
  ASSERT_NE(w, nullptr);
  test::click(w, "um_opsie_12");
  ASSERT_TRUE(w->option(12)->isChecked());
  test::click(w, "pdf_ok");
  EXPECT_EQ(opener.opened_in, QStringList({"C:\\PF\\korva-manuals\\m_marks_eng.pdf | C:\\"}));
  EXPECT_EQ(read("C/PF/korva-manuals/m_marks_eng.dte"), "#2017-03-17#\r\n");
  EXPECT_EQ(checked_count(w), 0);

  // Nothing chosen: the folder and the extension alone, no such manual,
  // and no message.
  test::click(w, "pdf_ok");
  EXPECT_EQ(opener.opened_in.size(), 1);
  EXPECT_EQ(read("C/PF/korva-manuals/.dte"), "#2017-03-17#\r\n");
}

TEST_F(acrobat_window, afrikaans_option_opens_the_afrikaans_file) {
  g_language = true;
  drives.write_native("C/PF/korva-manuals/gedrag.pdf", "%PDF-1.4");
  auto* w = load();
  ASSERT_NE(w, nullptr);
  test::click(w, "um_opsie_5");
  test::click(w, "pdf_ok");
  EXPECT_EQ(opener.opened_in, QStringList({"C:\\PF\\korva-manuals\\gedrag.pdf | C:\\"}));
}

TEST_F(acrobat_window, a_marker_that_cannot_be_written_is_reported) {
  g_program_root = "C:\\NONE";
  auto* w = load();
  ASSERT_NE(w, nullptr);
  test::click(w, "um_opsie_1");
  dialogs
      .expect_message(
          "The marker file 'C:\\NONE\\korva-manuals\\school_details.dte' could not be written "
          "(Path not found).")
      .icon(msg_icon::exclamation);
  test::click(w, "pdf_ok");
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(acrobat_window, a_name_without_pdf_writes_no_marker) {
  drives.write_native("C/PF/KORVA-MARKS/notes.PDF", "%PDF-1.4");
  const pdf_open_result r = open_pdf("notes.PDF");
  EXPECT_EQ(r.opened, "notes.PDF");
  EXPECT_EQ(r.marker, "");
  EXPECT_FALSE(r.marker_failure.has_value());
  EXPECT_EQ(read("C/PF/KORVA-MARKS/notes.PDF"), "%PDF-1.4");
  EXPECT_FALSE(exists("C/PF/KORVA-MARKS/notes.dte"));
}

TEST_F(acrobat_window, the_search_opens_any_pdf_without_a_marker) {
  drives.write_native("C/DOCS/guide.pdf", "%PDF-1.4");
  auto* w = load();
  ASSERT_NE(w, nullptr);
  dialogs.expect_file("")
      .file_kind(platform::file_dialog_kind::open)
      .file_name("*.pdf")
      .choose("C:\\DOCS\\guide.pdf");
  test::click(w, "pdf_soek");
  EXPECT_EQ(opener.opened_in, QStringList({"C:\\DOCS\\guide.pdf | C:\\"}));
  EXPECT_FALSE(exists("C/DOCS/guide.dte"));

  dialogs.expect_file("").cancel();
  test::click(w, "pdf_soek");
  dialogs.expect_file("").choose("C:\\DOCS\\gone.pdf");
  test::click(w, "pdf_soek");
  EXPECT_EQ(opener.opened_in.size(), 1);
}

TEST_F(acrobat_window, exit_unloads) {
  auto* w = load();
  ASSERT_NE(w, nullptr);
  test::click(w, "pdf_exit");
  EXPECT_FALSE(platform::is_loaded("acrobat_interface"));
}

}  // namespace
}  // namespace km
