#include "shell/sub_menu.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "menu_test_support.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "support/desktop_recorders.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::msg_icon;
using test::recording_opener;

const char* const work_windows[] = {"punte_inlees", "obe_inlees", "punte_druk",   "pboek_opstel",
                                    "pboek_inlees", "pboek_druk", "simbole_druk", "pboek_uitvoer"};

class sub_menu_test : public test::menu_test {
 protected:
  void SetUp() override {
    test::menu_test::SetUp();
    register_side_windows();
  }
  void TearDown() override {
    for (const char* name : work_windows) platform::unregister_form(name);
    test::menu_test::TearDown();
  }
  void register_work_windows() {
    for (const char* name : work_windows)
      platform::register_form(name, [this, name] { return new test::noting_window(name, closed); });
  }
  // A data folder C:\DATA holding the export-control file.
  void make_data_folder(const QString& file = "Exp_Mrk_control.txt") {
    drives.write_native("C/DATA/" + file, QByteArray(44, ' '));
    g_data_folder = "C:\\DATA";
  }
  sub_menu* show(const char* name) {
    auto* menu = static_cast<sub_menu*>(platform::show_form(name));
    EXPECT_NE(menu, nullptr);
    return menu;
  }
  static QString text_of(platform::form* w, const QString& name) { return w->control<QLabel>(name)->text(); }
  QStringList closed;
};

// --- captions -------------------------------------------------------------------

struct caption_case {
  const char* window;
  bool afrikaans;
  const char* heading;
  std::vector<std::array<const char*, 2>> roads;  // caption, tool tip
};

class sub_menu_captions : public sub_menu_test, public ::testing::WithParamInterface<caption_case> {};

TEST_P(sub_menu_captions, load) {
  const caption_case& c = GetParam();
  g_language = c.afrikaans;
  g_data_folder = "c:\\data";
  drives.make_native_folder("C/data");
  g_school_name = "Hoërskool Sonvallei";
  sub_menu* menu = show(c.window);
  EXPECT_EQ(text_of(menu, "ops_stelsel"), QString::fromUtf8(c.heading));
  ASSERT_EQ(menu->road_count(), int(c.roads.size()));
  for (int i = 1; i <= menu->road_count(); ++i) {
    EXPECT_EQ(menu->road_button(i)->text(), QString::fromUtf8(c.roads[i - 1][0])) << i;
    EXPECT_EQ(menu->road_button(i)->toolTip(), QString::fromUtf8(c.roads[i - 1][1])) << i;
  }
  EXPECT_EQ(text_of(menu, "dir_disp"), "c:\\data");  // shown unchanged
  EXPECT_EQ(text_of(menu, "ops_ops1"), "Hoërskool Sonvallei");
  EXPECT_EQ(menu->control<QPushButton>("punte_exit")->toolTip(), "EXIT");
  EXPECT_EQ(menu->control<QPushButton>("backup")->toolTip(),
            c.afrikaans ? "RUGSTEUN/HERWIN" : "BACKUP/RESTORE");
  EXPECT_EQ(menu->control<QPushButton>("data_folder")->toolTip(),
            c.afrikaans ? " VERANDER DATA-FOLDER VAN c:\\data NA ... "
                        : " CHANGE DATA FOLDER FROM c:\\data TO ... ");
  EXPECT_TRUE(menu->close_box_refused());
}

INSTANTIATE_TEST_SUITE_P(
    both_menus, sub_menu_captions,
    ::testing::Values(caption_case{"punte_menu1",
                                   false,
                                   "CYCLE/TEST, CASS/CTA MARKS",
                                   {{"INPUT MARKS", "INPUT of CASS/CTA marks/percentages"},
                                    {"INPUT ASSESSMENT", "INPUT of OBE Assessment"},
                                    {"PRINT MARK LISTS", "PRINT MARK LIST(S)"}}},
                      caption_case{"punte_menu1",
                                   true,
                                   "SIKLUS-/TOETS, DAS-/KTA PUNTE",
                                   {{"INLEES PUNTE", "INLEES van punte/persentasies"},
                                    {"INLEES ASSESSERING", "INLEES van UGO Assessering"},
                                    {"DRUK PUNTELYSTE", "DRUK PUNTELYS(TE)"}}},
                      caption_case{"punte_menu2",
                                   false,
                                   "MARK BOOK",
                                   {{"SETUP MARK BOOK", "SETUP of MARK BOOK"},
                                    {"INPUT MARKS BOOK", "INPUT of MARKS"},
                                    {"PRINT MARK LISTS", "PRINT MARK LIST(S)"},
                                    {"SYMBOL DISTRIBUTION", "PRINT SYMBOL DISTRIBUTIONS FOR ALL USED SERIES"},
                                    {"EXPORT to ADMIN", "EXPORT to ADMIN"}}},
                      caption_case{"punte_menu2",
                                   true,
                                   "PUNTEBOEK",
                                   {{"PUNTEBOEK OPSTEL", "OPSTEL van PUNTEBOEK"},
                                    {"INLEES PUNTEBOEK", "INLEES van PUNTE"},
                                    {"DRUK PUNTELYSTE", "DRUK PUNTELYSTE"},
                                    {"SIMBOOLVERSPREIDING", "DRUK SIMBOLVERSPREIDINGS VIR GEBRUIKTE REEKSE"},
                                    {"UITVOER na ADMIN", "UITVOER na ADMIN"}}}),
    [](const ::testing::TestParamInfo<caption_case>& info) {
      return std::string(info.param.window) + (info.param.afrikaans ? "_afrikaans" : "_english");
    });

TEST_F(sub_menu_test, only_the_cycle_menu_has_a_sub_heading_emptied_at_load) {
  sub_menu* first = show("punte_menu1");
  auto* sub_heading = first->control<QLabel>("ops_subops");
  ASSERT_NE(sub_heading, nullptr);
  EXPECT_TRUE(sub_heading->text().isEmpty());
  EXPECT_EQ(show("punte_menu2")->control<QLabel>("ops_subops"), nullptr);
}

TEST_F(sub_menu_test, the_maker_school_shows_the_window_name) {
  g_school_name = maker_test_school;
  EXPECT_EQ(text_of(show("punte_menu2"), "ops_ops1"), "punte_menu2");
}

// --- the data folder at load ------------------------------------------------------

struct folder_at_load_case {
  const char* window;
  const char* folder;
  bool created;  // C:\NUUT exists afterwards
};

class data_folder_at_load : public sub_menu_test,
                            public ::testing::WithParamInterface<folder_at_load_case> {};

TEST_P(data_folder_at_load, is_created_when_given) {
  const folder_at_load_case& c = GetParam();
  g_data_folder = QString::fromUtf8(c.folder);
  EXPECT_NE(show(c.window), nullptr);
  EXPECT_EQ(platform::folder_exists("C:\\NUUT"), c.created);
}

INSTANTIATE_TEST_SUITE_P(sub_menus, data_folder_at_load,
                         ::testing::Values(folder_at_load_case{"punte_menu1", "C:\\NUUT", true},
                                           folder_at_load_case{"punte_menu2", "C:\\NUUT", true},
                                           folder_at_load_case{"punte_menu1", "", false},
                                           folder_at_load_case{"punte_menu2", "   ", false}));

TEST_F(sub_menu_test, a_folder_that_cannot_be_created_leaves_the_load_whole) {
  for (const char* folder : {"C:\\GEEN\\OUER\\DATA", "Q:\\DATA", "C:\\A<B"}) {
    g_data_folder = folder;
    EXPECT_NE(show("punte_menu2"), nullptr) << folder;
    platform::unload_form("punte_menu2");
  }
  EXPECT_FALSE(platform::folder_exists("C:\\GEEN"));
}

// --- the data-folder check ----------------------------------------------------------

TEST(folder_holds_marks_files, either_file_in_any_letter_case) {
  test::temp_drives drives;
  struct check {
    const char* file;  // written into C:\DATA; nullptr: the folder is empty
    bool passes;
  };
  const check checks[] = {{"Exp_Mrk_control.txt", true},  {"EXP_MRK_CONTROL.TXT", true},
                          {"exp_control.dbf", true},      {"Exp_Control.dbf", true},
                          {"Exp_Mrk_control.bak", false}, {nullptr, false}};
  for (const check& c : checks) {
    QDir(drives.native_drive('C') + "/DATA").removeRecursively();
    drives.make_native_folder("C/DATA");
    if (c.file) drives.write_native(QString("C/DATA/") + c.file, "x");
    EXPECT_EQ(folder_holds_marks_files("C:\\DATA"), c.passes) << (c.file ? c.file : "empty");
    EXPECT_EQ(folder_holds_marks_files("c:\\data"), c.passes) << (c.file ? c.file : "empty");
  }
  EXPECT_FALSE(folder_holds_marks_files("C:\\MISSING"));
  EXPECT_FALSE(folder_holds_marks_files(""));
}

TEST_F(sub_menu_test, a_folder_with_marks_files_opens_the_work_window_without_a_word) {
  register_work_windows();
  make_data_folder("Exp_Control.dbf");
  sub_menu* menu = show("punte_menu2");
  test::click(menu, "punte_menu_1");
  EXPECT_TRUE(platform::is_loaded("pboek_opstel"));
  EXPECT_TRUE(platform::find_form("pboek_opstel")->isVisible());
  EXPECT_TRUE(platform::is_loaded("punte_menu2"));  // stays behind it
}

TEST_F(sub_menu_test, a_folder_without_marks_files_is_told_then_the_work_window_opens_regardless) {
  register_work_windows();
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    g_data_folder = "C:\\LEEG";
    sub_menu* menu = show("punte_menu1");
    // The folder is made by the load; it holds nothing.
    dialogs
        .expect_message(afrikaans ? "Bestaande gids (C:\\LEEG) bevat nie punteleêrs nie ..."
                                  : "Current folder (C:\\LEEG) does not contain marks files ...")
        .icon(msg_icon::critical)
        .title("KORVA-MARKS");
    dialogs.expect_folder(afrikaans ? "WYSIG DATA GIDS" : "CHANGE DATA FOLDER").cancel();
    test::click(menu, "punte_menu_2");
    dialogs.verify();
    EXPECT_TRUE(platform::is_loaded("obe_inlees"));
    platform::unload_form("obe_inlees");
    platform::unload_form("punte_menu1");
  }
}

TEST_F(sub_menu_test, the_check_accepts_the_folder_chosen_in_the_change_of_folder) {
  register_work_windows();
  g_data_folder = "";
  sub_menu* menu = show("punte_menu2");
  drives.write_native("D/SKOOL/exp_mrk_control.txt", QByteArray(44, ' '));
  dialogs.expect_message("Current folder () does not contain marks files ...").icon(msg_icon::critical);
  dialogs.expect_folder("CHANGE DATA FOLDER").choose("D:\\SKOOL\\");
  test::click(menu, "punte_menu_3");
  dialogs.verify();
  EXPECT_EQ(g_data_folder, "D:\\SKOOL");
  EXPECT_TRUE(platform::is_loaded("pboek_druk"));
  // The next road goes through without a message.
  test::click(menu, "punte_menu_4");
  EXPECT_TRUE(platform::is_loaded("simbole_druk"));
}

TEST_F(sub_menu_test, a_work_window_that_is_not_there_yet_opens_nothing) {
  make_data_folder();
  sub_menu* menu = show("punte_menu2");
  test::click(menu, "punte_menu_5");
  EXPECT_FALSE(platform::is_loaded("pboek_uitvoer"));
  EXPECT_EQ(platform::last_loaded_form(), menu);
}

TEST_F(sub_menu_test, a_refused_password_opens_nothing) {
  register_work_windows();
  make_data_folder();
  drives.write_native(
      "C/korva-scope-passwords.txt",
      QByteArray("\"\xF7\xA4\xEF\xED\xE2\xE1\xF4\xA4\xF2\xF8\"\r\n\"MARKS1_MENU:3\",\"\xF8\"\r\n"));
  sub_menu* menu = show("punte_menu1");
  EXPECT_EQ(button_text_colour(menu->road_button(3)), protected_button_colour);
  test::when_shown("sk1_wagwoord", [](platform::form* prompt) {
    test::type_text(prompt, "scr_wagwoord", "y");
    test::click(prompt, "wagwoord_ok");
  });
  test::press_key(menu, Qt::Key_3);
  EXPECT_FALSE(platform::is_loaded("punte_druk"));
  EXPECT_EQ(dialogs.beeps(), 2);
  test::when_shown("sk1_wagwoord", [](platform::form* prompt) {
    test::type_text(prompt, "scr_wagwoord", "X");
    test::click(prompt, "wagwoord_ok");
  });
  test::click(menu, "punte_menu_3");
  EXPECT_TRUE(platform::is_loaded("punte_druk"));
}

// --- keys ---------------------------------------------------------------------------

struct menu_key_case {
  const char* window;
  int key;
  const char* opens;  // nullptr: nothing
};

class sub_menu_keys : public sub_menu_test, public ::testing::WithParamInterface<menu_key_case> {};

TEST_P(sub_menu_keys, top_row_digits_act_as_the_roads) {
  const menu_key_case& c = GetParam();
  register_work_windows();
  make_data_folder();
  sub_menu* menu = show(c.window);
  g_last_activity = 1.0f;
  test::press_key(menu, c.key);
  EXPECT_NE(g_last_activity, 1.0f);  // every key counts as activity
  EXPECT_FALSE(platform::program_has_ended());
  for (const char* w : work_windows) EXPECT_EQ(platform::is_loaded(w), c.opens && QString(w) == c.opens) << w;
}

INSTANTIATE_TEST_SUITE_P(both_menus, sub_menu_keys,
                         ::testing::Values(menu_key_case{"punte_menu1", Qt::Key_1, "punte_inlees"},
                                           menu_key_case{"punte_menu1", Qt::Key_3, "punte_druk"},
                                           menu_key_case{"punte_menu1", Qt::Key_4, nullptr},
                                           menu_key_case{"punte_menu1", Qt::Key_0, nullptr},
                                           menu_key_case{"punte_menu2", Qt::Key_2, "pboek_inlees"},
                                           menu_key_case{"punte_menu2", Qt::Key_4, "simbole_druk"},
                                           menu_key_case{"punte_menu2", Qt::Key_5, "pboek_uitvoer"},
                                           menu_key_case{"punte_menu2", Qt::Key_6, nullptr}));

TEST_F(sub_menu_test, the_keypad_digits_are_not_the_roads) {
  register_work_windows();
  make_data_folder();
  test::press_key(show("punte_menu2"), Qt::Key_1, Qt::KeypadModifier);
  EXPECT_FALSE(platform::is_loaded("pboek_opstel"));
}

TEST_F(sub_menu_test, key_0_on_the_mark_book_menu_ends_the_program_without_a_message) {
  register_work_windows();
  make_data_folder();
  platform::show_form("punte_mnu");
  sub_menu* menu = show("punte_menu2");
  test::click(menu, "punte_menu_2");
  EXPECT_THROW(menu->key_down(0), platform::program_ended);
  EXPECT_EQ(closed, QStringList({"pboek_inlees"}));  // asked through its own exit first
}

TEST_F(sub_menu_test, key_0_pressed_on_the_mark_book_menu_ends_the_program) {
  test::press_key(show("punte_menu2"), Qt::Key_0);
  EXPECT_TRUE(platform::program_has_ended());
}

// --- the side buttons and EXIT --------------------------------------------------------

TEST_F(sub_menu_test, help_opens_the_manual_modally_from_the_cycle_menu) {
  recording_opener opener;
  drives.write_native("C/m_marks_eng.pdf", "%PDF");
  sub_menu* menu = show("punte_menu1");
  bool was_modal = false;
  test::when_shown("acrobat_interface", [&was_modal](platform::form* manuals) {
    was_modal = manuals->windowModality() == Qt::ApplicationModal;
    platform::unload_form(manuals);
  });
  test::click(menu, "help_pdf");
  EXPECT_TRUE(was_modal);
  EXPECT_EQ(opener.opened, QStringList({"m_marks_eng.pdf"}));
  EXPECT_EQ(g_manual_file_name, "");  // the manuals window took it
  EXPECT_FALSE(platform::is_loaded("acrobat_interface"));
}

TEST_F(sub_menu_test, help_opens_the_manual_modeless_from_the_mark_book_menu) {
  recording_opener opener;
  g_language = true;
  drives.write_native("C/m_punteboek.pdf", "%PDF");
  sub_menu* menu = show("punte_menu2");
  test::click(menu, "help_pdf");
  ASSERT_TRUE(platform::is_loaded("acrobat_interface"));
  EXPECT_EQ(platform::find_form("acrobat_interface")->windowModality(), Qt::NonModal);
  EXPECT_EQ(opener.opened, QStringList({"m_punteboek.pdf"}));
}

TEST_F(sub_menu_test, exit_goes_back_to_the_main_menu_without_loading_it_again) {
  platform::form* main = platform::show_form("punte_mnu");
  main->control<QLabel>("dir_disp")->setText("marked");
  sub_menu* menu = show("punte_menu1");
  test::click(menu, "punte_exit");
  EXPECT_FALSE(platform::is_loaded("punte_menu1"));
  EXPECT_EQ(platform::find_form("punte_mnu"), main);
  EXPECT_EQ(main->control<QLabel>("dir_disp")->text(), "marked");
  EXPECT_TRUE(main->isVisible());
  // Opened again, the sub-menu loads afresh.
  EXPECT_NE(show("punte_menu1"), nullptr);
}

TEST_F(sub_menu_test, the_data_folder_button_shows_the_change_of_folder) {
  sub_menu* menu = show("punte_menu2");
  dialogs.expect_folder("CHANGE DATA FOLDER").cancel();
  test::click(menu, "data_folder");
}

}  // namespace
}  // namespace km
