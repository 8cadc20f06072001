#include "shell/punte_mnu.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "common/tray_icon_data.h"
#include "menu_test_support.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "shell/menu_passwords.h"
#include "shell/settings_files.h"
#include "shell/side_windows.h"
#include "support/desktop_recorders.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::msg_icon;
using test::hex;
using test::recording_launcher;

class main_menu_test : public test::menu_test {
 protected:
  void SetUp() override {
    test::menu_test::SetUp();
    register_side_windows();
  }
  void TearDown() override {
    for (const char* name : {"pboek_opstel", "pboek_druk"}) platform::unregister_form(name);
    test::menu_test::TearDown();
  }
  punte_mnu* show_menu() {
    auto* menu = static_cast<punte_mnu*>(platform::show_form("punte_mnu"));
    EXPECT_NE(menu, nullptr);
    return menu;
  }
  static QString text_of(platform::form* w, const QString& name) { return w->control<QLabel>(name)->text(); }
  static QString tip_of(platform::form* w, const QString& name) {
    return w->control<QWidget>(name)->toolTip();
  }
  void register_work_window(const QString& name, bool refuses = false) {
    platform::register_form(name,
                            [this, name, refuses] { return new test::noting_window(name, closed, refuses); });
  }
  QStringList closed;
};

TEST_F(main_menu_test, english_load) {
  g_data_folder = "c:\\skool\\hoërskool";
  g_school_name = "Hoërskool Sonvallei";
  punte_mnu* menu = show_menu();
  EXPECT_EQ(menu->road_button(1)->text(), "CYCLE/OBE");
  EXPECT_EQ(menu->road_button(2)->text(), "MARKS BOOK");
  EXPECT_EQ(menu->road_button(1)->toolTip(), "CYCLE/TEST, CASS/CTA MARKS");
  EXPECT_EQ(menu->road_button(2)->toolTip(), "MARKS BOOK");
  EXPECT_EQ(tip_of(menu, "backup"), "BACKUP/RESTORE");
  EXPECT_EQ(tip_of(menu, "system_menu"), " Display System Menu ");
  EXPECT_EQ(tip_of(menu, "punte_exit"), "EXIT");
  // The tool tip names the folder as it was before this load upper-cased it.
  EXPECT_EQ(tip_of(menu, "data_folder"), " CHANGE DATA FOLDER FROM c:\\skool\\hoërskool TO ... ");
  EXPECT_EQ(g_data_folder, "C:\\SKOOL\\HOëRSKOOL");
  EXPECT_EQ(text_of(menu, "dir_disp"), "C:\\SKOOL\\HOëRSKOOL");
  EXPECT_EQ(text_of(menu, "ops_ops1"), "Hoërskool Sonvallei");
  EXPECT_FALSE(text_of(menu, "prg_version").isEmpty());
  EXPECT_TRUE(menu->key_preview());
  EXPECT_TRUE(menu->close_box_refused());
  // The tray record names the program.
  EXPECT_EQ(g_tray_icon.tip_text().trimmed(), "KORVA-MARKS");
  EXPECT_EQ(g_tray_icon.icon_id, 1u);
  EXPECT_EQ(g_tray_icon.flags, 7u);
}

TEST_F(main_menu_test, afrikaans_load) {
  g_language = true;
  g_data_folder = "D:\\data";
  g_school_name = maker_test_school;
  punte_mnu* menu = show_menu();
  EXPECT_EQ(menu->road_button(1)->text(), "SIKLUS/UGO");
  EXPECT_EQ(menu->road_button(2)->text(), "PUNTEBOEK");
  EXPECT_EQ(menu->road_button(1)->toolTip(), "SIKLUS-/TOETS, DAS-/KTA PUNTE");
  EXPECT_EQ(menu->road_button(2)->toolTip(), "PUNTEBOEK");
  EXPECT_EQ(tip_of(menu, "backup"), "RUGSTEUN/HERWIN");
  EXPECT_EQ(tip_of(menu, "system_menu"), " Vertoon Stelselspyskaart ");
  EXPECT_EQ(tip_of(menu, "data_folder"), " VERANDER DATA-FOLDER VAN D:\\data NA ... ");
  EXPECT_EQ(text_of(menu, "ops_ops1"), "punte_mnu");
}

TEST_F(main_menu_test, the_close_box_leaves_the_menu_loaded) {
  punte_mnu* menu = show_menu();
  menu->close();
  EXPECT_TRUE(platform::is_loaded("punte_mnu"));
}

TEST_F(main_menu_test, road_buttons_open_the_sub_menus_and_name_the_road) {
  g_data_folder = "C:\\DATA";
  punte_mnu* menu = show_menu();
  test::click(menu, "punte_menu_1");
  ASSERT_TRUE(platform::is_loaded("punte_menu1"));
  EXPECT_TRUE(platform::find_form("punte_menu1")->isVisible());
  EXPECT_EQ(text_of(menu, "ops_stelsel"), "CYCLE/TEST, CASS/CTA MARKS");
  EXPECT_TRUE(platform::is_loaded("punte_mnu"));  // stays loaded behind it
  test::click(menu, "punte_menu_2");
  EXPECT_TRUE(platform::is_loaded("punte_menu2"));
  EXPECT_EQ(text_of(menu, "ops_stelsel"), "MARKS BOOK");
}

TEST_F(main_menu_test, top_row_digit_keys) {
  punte_mnu* menu = show_menu();
  test::press_key(menu, Qt::Key_1, Qt::KeypadModifier);  // the numeric keypad is not used
  test::press_key(menu, Qt::Key_3);
  EXPECT_FALSE(platform::is_loaded("punte_menu1"));
  test::press_key(menu, Qt::Key_1);
  EXPECT_TRUE(platform::is_loaded("punte_menu1"));
  test::press_key(menu, Qt::Key_2);
  EXPECT_TRUE(platform::is_loaded("punte_menu2"));
}

TEST_F(main_menu_test, keys_on_the_main_menu_are_no_activity_for_the_idle_clock) {
  punte_mnu* menu = show_menu();
  g_last_activity = 12.0f;
  test::press_key(menu, Qt::Key_5);
  EXPECT_EQ(g_last_activity, 12.0f);
}

TEST_F(main_menu_test, key_0_ends_the_program) {
  punte_mnu* menu = show_menu();
  EXPECT_THROW(menu->key_down(0), platform::program_ended);
  EXPECT_TRUE(platform::program_has_ended());
}

TEST_F(main_menu_test, key_0_pressed_ends_the_program_through_the_handler) {
  punte_mnu* menu = show_menu();
  test::press_key(menu, Qt::Key_0);
  EXPECT_TRUE(platform::program_has_ended());
}

TEST_F(main_menu_test, exit_closes_every_window_through_its_own_exit_then_ends) {
  register_work_window("pboek_opstel");
  register_work_window("pboek_druk");
  punte_mnu* menu = show_menu();
  platform::show_form("punte_menu2");
  platform::show_form("pboek_opstel");
  platform::show_form("pboek_druk");
  EXPECT_THROW(menu->punte_exit_click(), platform::program_ended);
  // The window opened last is asked first; the sub-menu is unloaded too.
  EXPECT_EQ(closed, QStringList({"pboek_druk", "pboek_opstel"}));
  EXPECT_FALSE(platform::is_loaded("punte_menu2"));
  EXPECT_FALSE(platform::is_loaded("punte_mnu"));
  EXPECT_FALSE(menu->tray_icon_shown());
}

TEST_F(main_menu_test, a_window_that_stays_keeps_the_program_running) {
  register_work_window("pboek_opstel", true);
  punte_mnu* menu = show_menu();
  platform::show_form("pboek_opstel");
  EXPECT_NO_THROW(menu->punte_exit_click());
  EXPECT_NO_THROW(menu->key_down(0));
  EXPECT_EQ(closed, QStringList({"pboek_opstel", "pboek_opstel"}));
  EXPECT_FALSE(platform::program_has_ended());
  EXPECT_TRUE(platform::is_loaded("punte_mnu"));
}

TEST_F(main_menu_test, key_0_closes_work_windows_the_orderly_way) {
  register_work_window("pboek_opstel");
  punte_mnu* menu = show_menu();
  platform::show_form("pboek_opstel");
  EXPECT_THROW(menu->key_down(0), platform::program_ended);
  EXPECT_EQ(closed, QStringList({"pboek_opstel"}));
}

TEST(print_number_text, is_the_print_form_of_a_number) {
  const std::pair<float, const char*> cases[] = {{600.0f, " 600 "},    {0.0f, " 0 "},  {2.5f, " 2.5 "},
                                                 {0.5f, " .5 "},       {-3.0f, "-3 "}, {-0.25f, "-.25 "},
                                                 {86400.0f, " 86400 "}};
  for (const auto& [x, text] : cases) EXPECT_EQ(print_number_text(x), text) << x;
}

// --- the idle time-out --------------------------------------------------------

struct timeout_case {
  const char* name;
  float before;       // seconds
  const char* typed;  // nullptr: Cancel
  float after;
  const char* file;     // what time_out.txt holds afterwards; nullptr: not written
  const char* message;  // nullptr: none
  msg_icon icon = msg_icon::information;
};

class idle_timeout_test : public main_menu_test, public ::testing::WithParamInterface<timeout_case> {};

TEST_P(idle_timeout_test, answer) {
  const timeout_case& c = GetParam();
  g_idle_timeout = c.before;
  punte_mnu* menu = show_menu();
  auto& box = dialogs.expect_input("TIME OUT IN MINUTES")
                  .title("KORVA-MARKS")
                  .default_text(platform::single_text(c.before / 60.0f));
  if (c.typed)
    box.type(QString::fromUtf8(c.typed));
  else
    box.cancel();
  if (c.message) dialogs.expect_message(QString::fromUtf8(c.message)).icon(c.icon).title("KORVA-MARKS");
  test::click(menu, "timeout");
  dialogs.verify();
  EXPECT_EQ(g_idle_timeout, c.after);
  if (c.file)
    EXPECT_EQ(hex(c_file("time_out.txt")), hex(QByteArray(c.file)));
  else
    EXPECT_FALSE(QFile::exists(drives.native_drive('C') + "/time_out.txt"));
}

const char* const refused_negative =
    "TIME DURATION NOT CHANGED: \"-5\" IS NOT A NUMBER OF MINUTES FROM 0 TO 1440.\r\nTHE TIME OUT STAYS 5 "
    "MINUTES ...";

INSTANTIATE_TEST_SUITE_P(
    main_menu, idle_timeout_test,
    ::testing::Values(
        timeout_case{"ten", 300, "10", 600, " 600 \r\n", "TIME DURATION CHANGED TO 10 MINUTES ..."},
        timeout_case{"blanks_around", 300, " 10 ", 600, " 600 \r\n",
                     "TIME DURATION CHANGED TO 10 MINUTES ..."},
        timeout_case{"half", 300, "2.5", 150, " 150 \r\n", "TIME DURATION CHANGED TO 2.5 MINUTES ..."},
        timeout_case{"off", 300, "0", 0, " 0 \r\n", "TIME DURATION CHANGED TO 0 MINUTES ..."},
        timeout_case{"a_day", 300, "1440", 86400, " 86400 \r\n", "TIME DURATION CHANGED TO 1440 MINUTES ..."},
        // The leading number counts, as Val reads it.
        timeout_case{"number_then_text", 300, "10 min", 600, " 600 \r\n",
                     "TIME DURATION CHANGED TO 10 MINUTES ..."},
        timeout_case{"comma", 300, "2,5", 120, " 120 \r\n", "TIME DURATION CHANGED TO 2 MINUTES ..."},
        timeout_case{"blanks_inside", 300, "1 5", 900, " 900 \r\n",
                     "TIME DURATION CHANGED TO 15 MINUTES ..."},
        // The same value again is saved again and told.
        timeout_case{"same_again", 300, "5", 300, " 300 \r\n", "TIME DURATION CHANGED TO 5 MINUTES ..."},
        // Nothing asked for: nothing changes and nothing is said.
        timeout_case{"empty", 300, "   ", 300, nullptr, nullptr},
        timeout_case{"cancel", 150, nullptr, 150, nullptr, nullptr},
        // Refused: told, the time-out in force stays.
        timeout_case{"negative", 300, "-5", 300, nullptr, refused_negative, msg_icon::exclamation},
        timeout_case{"not_a_number", 300, "tien", 300, nullptr,
                     "TIME DURATION NOT CHANGED: \"tien\" IS NOT A NUMBER OF MINUTES FROM 0 TO 1440.\r\nTHE "
                     "TIME OUT STAYS 5 MINUTES ...",
                     msg_icon::exclamation},
        timeout_case{"too_large", 0, "1441", 0, nullptr,
                     "TIME DURATION NOT CHANGED: \"1441\" IS NOT A NUMBER OF MINUTES FROM 0 TO 1440.\r\nTHE "
                     "TIME OUT STAYS 0 MINUTES ...",
                     msg_icon::exclamation},
        timeout_case{"huge", 300, "1e400", 300, nullptr,
                     "TIME DURATION NOT CHANGED: \"1e400\" IS NOT A NUMBER OF MINUTES FROM 0 TO 1440.\r\nTHE "
                     "TIME OUT STAYS 5 MINUTES ...",
                     msg_icon::exclamation}),
    [](const ::testing::TestParamInfo<timeout_case>& info) { return std::string(info.param.name); });

TEST_F(main_menu_test, idle_timeout_in_afrikaans) {
  g_language = true;
  g_idle_timeout = 300;
  punte_mnu* menu = show_menu();
  dialogs.expect_input("TYDSDUUR IN MINUTE").default_text("5").type("10");
  dialogs.expect_message("TYDSDUUR VERANDER NA 10 MINUTE ...").icon(msg_icon::information);
  test::click(menu, "timeout");
  dialogs.expect_input("TYDSDUUR IN MINUTE").default_text("10").type("tien");
  dialogs
      .expect_message(
          "TYDSDUUR NIE VERANDER NIE: \"tien\" IS NIE 'N GETAL MINUTE VAN 0 TOT 1440 NIE.\r\nDIE TYDSDUUR "
          "BLY 10 MINUTE ...")
      .icon(msg_icon::exclamation);
  test::click(menu, "timeout");
  EXPECT_EQ(g_idle_timeout, 600.0f);
}

TEST_F(main_menu_test, an_unwritable_time_out_file_is_told_and_the_program_goes_on) {
  QDir(drives.native_drive('C')).mkdir("time_out.txt");
  g_idle_timeout = 300;
  punte_mnu* menu = show_menu();
  dialogs.expect_input("TIME OUT IN MINUTES").type("10");
  dialogs.expect_message("Could not write time_out.txt ...").icon(msg_icon::exclamation);
  dialogs.expect_message("TIME DURATION CHANGED TO 10 MINUTES ...").icon(msg_icon::information);
  test::click(menu, "timeout");
  EXPECT_EQ(g_idle_timeout, 600.0f);
  EXPECT_FALSE(platform::program_has_ended());
}

TEST_F(main_menu_test, the_lock_showing_leaves_the_window_its_size) {
  punte_mnu* menu = show_menu();
  test::run_events();
  const QSize before = menu->size();
  set_button_text_colour(menu->road_button(2), protected_button_colour);
  menu->punte_menu_mouse_move(2);
  test::run_events();
  EXPECT_TRUE(menu->control<QLabel>("password_show")->isVisible());
  EXPECT_EQ(menu->size(), before);
}

// --- the side buttons ---------------------------------------------------------

TEST_F(main_menu_test, backup_starts_the_backup_program_only_when_it_is_there) {
  recording_launcher launcher;
  g_program_root = "C:\\PF";
  punte_mnu* menu = show_menu();
  test::click(menu, "backup");
  EXPECT_TRUE(launcher.started.isEmpty());
  drives.write_native("C/PF/korva-backup/korva-backup.exe", "MZ");
  test::click(menu, "backup");
  EXPECT_EQ(launcher.started, QStringList({"C:\\PF\\korva-backup\\korva-backup.exe"}));
}

TEST_F(main_menu_test, system_menu_shows_the_floating_menu) {
  punte_mnu* menu = show_menu();
  test::click(menu, "system_menu");
  EXPECT_TRUE(platform::is_loaded("sk0_floating"));
}

TEST_F(main_menu_test, the_web_button_names_the_web_site) {
  punte_mnu* menu = show_menu();
  dialogs.expect_message("Visit our web site: www.korva-scope.co.za").icon(msg_icon::information);
  test::click(menu, "www_call");
}

TEST_F(main_menu_test, the_data_folder_button_shows_the_change_of_data_folder) {
  g_data_folder = "C:\\OUD";
  punte_mnu* menu = show_menu();
  dialogs.expect_folder("CHANGE DATA FOLDER").cancel();
  test::click(menu, "data_folder");
  EXPECT_EQ(g_data_folder, "");
  EXPECT_EQ(text_of(menu, "dir_disp"), "C:\\OUD");
  EXPECT_FALSE(platform::is_loaded("change_folder"));
}

TEST_F(main_menu_test, the_clock_shows_the_time_of_day) {
  platform::fake_clock clock(42811.5 + 1.0 / 24 / 60 * 7);  // 2017-03-17 12:07:00
  platform::scoped_clock use(clock);
  punte_mnu* menu = show_menu();
  menu->Timer1_Timer();
  EXPECT_EQ(text_of(menu, "ops_tyd"), "12:07:00");
}

}  // namespace
}  // namespace km
