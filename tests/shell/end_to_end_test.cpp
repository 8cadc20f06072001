// The program started headless on the sample school, as a teacher would
// use it: the splash, a language, the main menu, the mark-book sub-menu,
// a data folder chosen and accepted, and EXIT back to the main menu and
// out of the program.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "common/file_number_pool.h"
#include "platform/form_timer.h"
#include "platform/record_layouts.h"
#include "platform/ui/window_registry.h"
#include "shell/frm_message.h"
#include "shell/menu_passwords.h"
#include "shell/menu_windows.h"
#include "shell/side_windows.h"
#include "shell/startup.h"
#include "start_fixture.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"
#include "tools/sample_school.h"

namespace km {
namespace {

using test::hex;

const QString program_folder = QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS");

struct language_run {
  const char* button;
  bool afrikaans;
  const char* road_1;
  const char* road_2;
  const char* heading;
  const char* folder_title;
};

class end_to_end : public test::start_fixture, public ::testing::WithParamInterface<language_run> {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    register_frm_message();
    register_startup_windows();
    register_menu_windows();
    register_side_windows();
    make_folder(program_folder);
    platform::set_current_directory(program_folder);
    sample_school_options school;
    school.school_record_folder = sample_school_record_folder("C:", 2017);
    make_sample_school(school);
  }

  static QString text_of(platform::form* w, const QString& name) { return w->control<QLabel>(name)->text(); }

  // The windows names in the audit trail, in order.
  QStringList audit_windows() const {
    const QByteArray trail = file_bytes("C:\\ProgramData\\OSKAVEN\\Audit_Trail.txt");
    QStringList names;
    for (qsizetype at = 0; at + 258 <= trail.size(); at += 258)
      names << platform::record_buffer(platform::audit_trail_record, trail.mid(at, 258))
                   .get_text("window_name")
                   .trimmed();
    return names;
  }
};

TEST_P(end_to_end, splash_language_menus_data_folder_and_exit) {
  const language_run& run = GetParam();

  // The start: the main window and, over it, the splash.
  ASSERT_NE(platform::load_form(QStringLiteral("startup")), nullptr);
  platform::form* splash = platform::find_form(QStringLiteral("marks_splash"));
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(g_school_name, "Hoërskool Sonvallei");
  EXPECT_EQ(platform::current_directory(), program_folder);

  // The language, and the main menu in it.
  ASSERT_TRUE(test::click(splash, QString::fromLatin1(run.button)));
  test::run_events();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("marks_splash")));
  EXPECT_EQ(g_language, run.afrikaans);
  EXPECT_EQ(hex(file_bytes("C:\\ProgramData\\OSKAVEN\\setup.txt")),
            hex(QByteArray("\"Ho\xEBrskool Sonvallei\",\"\"\r\n") + (run.afrikaans ? "#TRUE#" : "#FALSE#") +
                "\r\n\"\",\"\"\r\n"));
  platform::form* menu = platform::find_form(QStringLiteral("punte_mnu"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->control<QPushButton>("punte_menu_1")->text(), QString::fromUtf8(run.road_1));
  EXPECT_EQ(menu->control<QPushButton>("punte_menu_2")->text(), QString::fromUtf8(run.road_2));
  EXPECT_EQ(text_of(menu, "ops_ops1"), "Hoërskool Sonvallei");
  EXPECT_EQ(text_of(menu, "dir_disp"), "");

  // The mark book.
  ASSERT_TRUE(test::click(menu, "punte_menu_2"));
  platform::form* marks = platform::find_form(QStringLiteral("punte_menu2"));
  ASSERT_NE(marks, nullptr);
  EXPECT_TRUE(marks->isVisible());
  EXPECT_EQ(text_of(marks, "ops_stelsel"), QString::fromUtf8(run.heading));

  // The data folder: the sample school's folder is chosen and accepted.
  dialogs.expect_folder(QString::fromUtf8(run.folder_title)).start_folder("").choose("C:\\KORVA-DATA\\");
  ASSERT_TRUE(test::click(marks, "data_folder"));
  dialogs.verify();
  EXPECT_EQ(g_data_folder, "C:\\KORVA-DATA");
  EXPECT_EQ(text_of(menu, "dir_disp"), "C:\\KORVA-DATA");
  EXPECT_EQ(hex(file_bytes(program_folder + "\\user_info.txt")), hex("C:\\KORVA-DATA\r\n 1 \r\n 1 \r\n"));
  EXPECT_EQ(hex(file_bytes(program_folder + "\\last_drive.txt")), hex("C:\r\n"));
  // With the folder accepted, a road passes the data-folder check without a
  // word (the set-up window itself is not part of the program yet).
  ASSERT_TRUE(test::click(marks, "punte_menu_1"));
  dialogs.verify();

  // EXIT back to the main menu, which is not loaded again.
  ASSERT_TRUE(test::click(marks, "punte_exit"));
  test::run_events();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("punte_menu2")));
  EXPECT_EQ(platform::find_form(QStringLiteral("punte_mnu")), menu);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(audit_windows(), QStringList({"punte_mnu", "punte_menu2"}));

  // EXIT from the main menu ends the program.
  ASSERT_TRUE(test::click(menu, "punte_exit"));
  EXPECT_TRUE(platform::program_has_ended());
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("punte_mnu")));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("startup")));
  EXPECT_EQ(g_open_file_count, 0);
}

INSTANTIATE_TEST_SUITE_P(sample_school, end_to_end,
                         ::testing::Values(language_run{"chk_lang_2", false, "CYCLE/OBE", "MARKS BOOK",
                                                        "MARK BOOK", "CHANGE DATA FOLDER"},
                                           language_run{"chk_lang_1", true, "SIKLUS/UGO", "PUNTEBOEK",
                                                        "PUNTEBOEK", "WYSIG DATA GIDS"}),
                         [](const ::testing::TestParamInfo<language_run>& info) {
                           return std::string(info.param.afrikaans ? "afrikaans" : "english");
                         });

}  // namespace
}  // namespace km
