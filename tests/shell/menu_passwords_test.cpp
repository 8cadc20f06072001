#include "shell/menu_passwords.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "menu_test_support.h"
#include "platform/dialogs.h"
#include "platform/ui/window_registry.h"
#include "shell/punte_mnu.h"
#include "shell/sub_menu.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::msg_icon;
using test::bytes;
using test::hex;

const QString passwords_file = QStringLiteral("korva-scope-passwords.txt");

// "w$ombat$rx" lower-cased and scrambled, in quotes, CR LF.
const QByteArray default_system_line =
    bytes({0x22, 0xF7, 0xA4, 0xEF, 0xED, 0xE2, 0xE1, 0xF4, 0xA4, 0xF2, 0xF8, 0x22, 0x0D, 0x0A});

// A text scrambled as the file holds it.
QByteArray scrambled(const QByteArray& plain) {
  QByteArray out;
  for (char c : plain) out += char(static_cast<unsigned char>(c) + 128);
  return out;
}

QByteArray pair_line(const QByteArray& key, const QByteArray& plain_password) {
  return '"' + key + "\",\"" + scrambled(plain_password) + "\"\r\n";
}

class passwords_test : public test::menu_test {
 protected:
  // The administration of a button with its prompts answered.
  void administer(const QString& menu, int button, const QString& caption, const QString& system,
                  const QString& first, const QString& second) {
    dialogs.expect_input("SYSTEM PASSWORD").title("KORVA-MARKS").type(system);
    dialogs.expect_input("PASSWORD FOR \n" + caption).type(first);
    dialogs.expect_input("CONFIRM PASSWORD FOR \n" + caption).type(second);
    password_administration(menu, button, caption);
    dialogs.verify();
  }
};

TEST(password_key, is_the_menu_name_a_colon_and_the_number) {
  EXPECT_EQ(password_key("MARKS2_MENU", 5), "MARKS2_MENU:5");
  EXPECT_EQ(password_key("MARKS_MENU", 12), "MARKS_MENU:12");
}

TEST_F(passwords_test, a_new_install_has_the_default_system_password_and_no_protection) {
  password_list list = menu_password_list();
  g_system_password = default_system_password;
  EXPECT_TRUE(read_passwords_file(list));
  EXPECT_EQ(list.count(), 0);
  EXPECT_FALSE(list.is_protected("MARKS_MENU:1"));
  EXPECT_EQ(g_system_password, platform::Value(QStringLiteral("w$ombat$rx")));
}

TEST_F(passwords_test, the_first_administration_creates_the_file_with_two_lines) {
  administer("MARKS_MENU", 1, "CYCLE/OBE", "w$ombat$rx", "Geheim", "Geheim ");
  EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line + pair_line("MARKS_MENU:1", "geheim")));
  EXPECT_EQ(dialogs.beeps(), 0);
  const password_list list = menu_password_list();
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.password_at(0), "geheim");
}

TEST_F(passwords_test, every_pair_of_the_list_is_written_back_in_order) {
  administer("MARKS_MENU", 2, "MARKS BOOK", "w$ombat$rx", "Boek", "Boek");
  administer("MARKS2_MENU", 5, "EXPORT to ADMIN", "w$ombat$rx", " A\"b,C ", "A\"b,C");
  // Changing the first button again replaces its password in place.
  administer("MARKS_MENU", 2, "MARKS BOOK", "w$ombat$rx", "NUUT", "NUUT");
  EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line + pair_line("MARKS_MENU:2", "nuut") +
                                             pair_line("MARKS2_MENU:5", " a\"b,c ")));
}

TEST_F(passwords_test, the_file_reads_back_into_the_list) {
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:1", "een") +
                                   pair_line("MARKS2_MENU:3", "") + pair_line("MARKS1_MENU:2", " twee "));
  password_list list = menu_password_list();
  g_system_password = QString();
  ASSERT_TRUE(read_passwords_file(list));
  EXPECT_EQ(g_system_password.to_text(), "w$ombat$rx");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.key_at(2), "MARKS1_MENU:2");
  EXPECT_EQ(list.password_at(2), " twee ");
  EXPECT_TRUE(list.is_protected("MARKS_MENU:1"));
  EXPECT_FALSE(list.is_protected("MARKS2_MENU:3"));  // found, but empty
  EXPECT_FALSE(list.is_protected("MARKS2_MENU:4"));  // not there
  EXPECT_EQ(g_password_line_key.to_text(), "MARKS1_MENU:2");
}

TEST_F(passwords_test, a_damaged_pair_is_skipped_and_the_rest_still_reads) {
  write_c_file(passwords_file,
               default_system_line + "\"MARKS_MENU:1\",\"plain\"\r\n" + pair_line("MARKS_MENU:2", "twee"));
  password_list list = menu_password_list();
  ASSERT_TRUE(read_passwords_file(list));
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.key_at(0), "MARKS_MENU:2");
}

TEST_F(passwords_test, refusals_change_nothing) {
  struct refusal {
    const char* name;
    QString system, first, second;
    bool asks_new;
  };
  const refusal cases[] = {
      {"system password in capitals", "W$OMBAT$RX", {}, {}, false},
      {"wrong system password", "kangaroo", {}, {}, false},
      {"confirmation differs", "w$ombat$rx", "een", "twee", true},
      {"confirmation differs in letter case", "w$ombat$rx", "Een", "een", true},
  };
  for (const refusal& c : cases) {
    SCOPED_TRACE(c.name);
    write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:1", "oud"));
    const int beeps = dialogs.beeps();
    dialogs.expect_input("SYSTEM PASSWORD").type(c.system);
    if (c.asks_new) {
      dialogs.expect_input("PASSWORD FOR \nCYCLE/OBE").type(c.first);
      dialogs.expect_input("CONFIRM PASSWORD FOR \nCYCLE/OBE").type(c.second);
    }
    password_administration("MARKS_MENU", 1, "CYCLE/OBE");
    dialogs.verify();
    EXPECT_EQ(dialogs.beeps(), beeps + 1);
    EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line + pair_line("MARKS_MENU:1", "oud")));
  }
}

TEST_F(passwords_test, an_empty_or_cancelled_system_password_stops_silently) {
  dialogs.expect_input("SYSTEM PASSWORD").type("   ");
  dialogs.expect_input("SYSTEM PASSWORD").cancel();
  password_administration("MARKS_MENU", 1, "CYCLE/OBE");
  password_administration("MARKS_MENU", 1, "CYCLE/OBE");
  EXPECT_EQ(dialogs.beeps(), 0);
  EXPECT_FALSE(QFile::exists(drives.native_drive('C') + "/" + passwords_file));
}

TEST_F(passwords_test, a_wrong_system_password_still_creates_the_missing_file) {
  dialogs.expect_input("SYSTEM PASSWORD").type("nope");
  password_administration("MARKS_MENU", 1, "CYCLE/OBE");
  EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line));
}

TEST_F(passwords_test, cancel_at_both_new_password_boxes_stores_an_empty_password) {
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:1", "oud"));
  dialogs.expect_input("SYSTEM PASSWORD").type("w$ombat$rx");
  dialogs.expect_input("PASSWORD FOR \nCYCLE/OBE").cancel();
  dialogs.expect_input("CONFIRM PASSWORD FOR \nCYCLE/OBE").cancel();
  password_administration("MARKS_MENU", 1, "CYCLE/OBE");
  EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line + "\"MARKS_MENU:1\",\"\"\r\n"));
  EXPECT_FALSE(menu_password_list().is_protected("MARKS_MENU:1"));
}

TEST_F(passwords_test, a_character_above_127_is_refused_at_the_box_and_nothing_is_written) {
  const QString message =
      "Passwords may hold plain letters, digits and signs only (no ë, ê, ô ...) - nothing was changed ...";
  struct box {
    const char* name;
    QString system, first, second;
    int boxes;
  };
  const box cases[] = {
      {"system password", "w$ombät$rx", {}, {}, 1},
      {"new password", "w$ombat$rx", "wêreld", {}, 2},
      {"confirmation", "w$ombat$rx", "wereld", "wêreld", 3},
  };
  for (const box& c : cases) {
    SCOPED_TRACE(c.name);
    write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:1", "oud"));
    dialogs.expect_input("SYSTEM PASSWORD").type(c.system);
    if (c.boxes >= 2) dialogs.expect_input("PASSWORD FOR \nCYCLE/OBE").type(c.first);
    if (c.boxes >= 3) dialogs.expect_input("CONFIRM PASSWORD FOR \nCYCLE/OBE").type(c.second);
    dialogs.expect_message(message).icon(msg_icon::exclamation).title("KORVA-MARKS");
    password_administration("MARKS_MENU", 1, "CYCLE/OBE");
    dialogs.verify();
    EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line + pair_line("MARKS_MENU:1", "oud")));
  }
}

TEST_F(passwords_test, afrikaans_prompts) {
  g_language = true;
  dialogs.expect_input("STELSEL WAGWOORD").type("w$ombat$rx");
  dialogs.expect_input("WAGWOORD VIR \nPUNTEBOEK").type("x");
  dialogs.expect_input("BEVESTIG WAGWOORD VIR \nPUNTEBOEK").type("x");
  password_administration("MARKS_MENU", 2, "PUNTEBOEK");
  EXPECT_TRUE(menu_password_list().is_protected("MARKS_MENU:2"));
}

TEST_F(passwords_test, a_password_file_that_cannot_be_written_is_reported) {
  // A folder in the file's place: nothing can be written there.
  QDir(drives.native_drive('C')).mkdir(passwords_file);
  dialogs.expect_input("SYSTEM PASSWORD").type("w$ombat$rx");
  dialogs.expect_input("PASSWORD FOR \nCYCLE/OBE").type("x");
  dialogs.expect_input("CONFIRM PASSWORD FOR \nCYCLE/OBE").type("x");
  dialogs.expect_message("Could not write korva-scope-passwords.txt ...").icon(msg_icon::exclamation);
  password_administration("MARKS_MENU", 1, "CYCLE/OBE");
  EXPECT_FALSE(platform::program_has_ended());
}

TEST_F(passwords_test, a_password_file_that_cannot_be_read_is_not_overwritten) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
  const QByteArray content = default_system_line + pair_line("MARKS_MENU:1", "oud");
  write_c_file(passwords_file, content);
  const QString native = drives.native_drive('C') + "/" + passwords_file;
  QFile::setPermissions(native, QFileDevice::WriteOwner);
  dialogs.expect_input("SYSTEM PASSWORD").type("w$ombat$rx");
  dialogs
      .expect_message("Passwords file (korva-scope-passwords.txt) cannot be read - nothing was changed ...")
      .icon(msg_icon::critical);
  password_administration("MARKS_MENU", 1, "CYCLE/OBE");
  QFile::setPermissions(native, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(hex(c_file(passwords_file)), hex(content));
}

// --- the menus and the prompt ----------------------------------------------

class password_windows_test : public test::menu_test {
 protected:
  platform::form* show_main_menu() {
    platform::form* menu = platform::show_form("punte_mnu");
    EXPECT_NE(menu, nullptr);
    return menu;
  }
  void administer_button_one(const QString& first, const QString& second) {
    dialogs.expect_input("SYSTEM PASSWORD").type("w$ombat$rx");
    dialogs.expect_input("PASSWORD FOR \nCYCLE/OBE").type(first);
    dialogs.expect_input("CONFIRM PASSWORD FOR \nCYCLE/OBE").type(second);
    password_administration("MARKS_MENU", 1, "CYCLE/OBE");
    dialogs.verify();
  }
  static QPushButton* road(platform::form* menu, int i) {
    return menu->control<QPushButton>(platform::control_name("punte_menu", i));
  }
  // Answers the prompt, once it is on the screen, by typing and Enter.
  static void answer_prompt(const QString& typed) {
    test::when_shown("sk1_wagwoord", [typed](platform::form* prompt) {
      EXPECT_EQ(prompt->caption(), "PASSWORD");
      EXPECT_EQ(prompt->control<QLabel>("scr_wwd_txt")->text(), "PASSWORD");
      EXPECT_EQ(prompt->control<QLineEdit>("scr_wagwoord")->echoMode(), QLineEdit::Password);
      test::type_text(prompt, "scr_wagwoord", typed);
      // Each typed character shows as "*".
      EXPECT_EQ(prompt->control<QLineEdit>("scr_wagwoord")->displayText(), QString(typed.size(), '*'));
      test::press_key(prompt->control<QLineEdit>("scr_wagwoord"), Qt::Key_Return);
    });
  }
};

TEST_F(password_windows_test, no_file_means_black_buttons_and_no_prompt) {
  platform::form* menu = show_main_menu();
  EXPECT_EQ(button_text_colour(road(menu, 1)), plain_button_colour);
  EXPECT_EQ(button_text_colour(road(menu, 2)), plain_button_colour);
  EXPECT_TRUE(password_check("MARKS_MENU", 1));
  EXPECT_EQ(g_password_key, "MARKS_MENU:1");
  EXPECT_FALSE(platform::is_loaded("sk1_wagwoord"));
}

TEST_F(password_windows_test, a_protected_button_is_red_and_shows_the_lock) {
  write_c_file(passwords_file,
               default_system_line + pair_line("MARKS_MENU:2", "boek") + pair_line("MARKS_MENU:1", "   "));
  platform::form* menu = show_main_menu();
  EXPECT_EQ(button_text_colour(road(menu, 1)), plain_button_colour);  // a blank password protects nothing
  EXPECT_EQ(button_text_colour(road(menu, 2)), protected_button_colour);
  EXPECT_EQ(road(menu, 2)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
  auto* lock = menu->control<QLabel>("password_show");
  auto move_over = [](QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  };
  move_over(road(menu, 2));
  EXPECT_TRUE(lock->isVisibleTo(menu));
  move_over(road(menu, 1));
  EXPECT_FALSE(lock->isVisibleTo(menu));
  move_over(road(menu, 2));
  move_over(menu);
  EXPECT_FALSE(lock->isVisibleTo(menu));
}

TEST_F(password_windows_test, the_prompt_takes_the_password_in_any_letter_case) {
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:2", "boek"));
  show_main_menu();
  answer_prompt("BoEk");
  EXPECT_TRUE(password_check("MARKS_MENU", 2));
  EXPECT_TRUE(g_password_ok);
  EXPECT_EQ(dialogs.beeps(), 0);
  EXPECT_FALSE(platform::is_loaded("sk1_wagwoord"));
}

TEST_F(password_windows_test, the_prompt_in_afrikaans) {
  g_language = true;
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:1", "een"));
  show_main_menu();
  test::when_shown("sk1_wagwoord", [](platform::form* prompt) {
    EXPECT_EQ(prompt->caption(), "WAGWOORD");
    EXPECT_EQ(prompt->control<QLabel>("scr_wwd_txt")->text(), "WAGWOORD");
    test::type_text(prompt, "scr_wagwoord", "een");
    test::click(prompt, "wagwoord_ok");
  });
  EXPECT_TRUE(password_check("MARKS_MENU", 1));
}

TEST_F(password_windows_test, a_wrong_password_beeps_twice_and_opens_nothing) {
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:2", "boek"));
  platform::form* menu = show_main_menu();
  answer_prompt("boek ");
  test::click(menu, "punte_menu_2");
  EXPECT_FALSE(g_password_ok);
  EXPECT_EQ(dialogs.beeps(), 2);
  EXPECT_FALSE(platform::is_loaded("punte_menu2"));
}

TEST_F(password_windows_test, key_2_asks_as_the_click_does) {
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:2", "boek"));
  platform::form* menu = show_main_menu();
  answer_prompt("boek");
  test::press_key(menu, Qt::Key_2);
  EXPECT_TRUE(g_password_ok);
  EXPECT_TRUE(platform::is_loaded("punte_menu2"));
}

TEST_F(password_windows_test, closing_the_prompt_by_its_frame_refuses) {
  write_c_file(passwords_file, default_system_line + pair_line("MARKS_MENU:1", "een"));
  show_main_menu();
  test::when_shown("sk1_wagwoord", [](platform::form* prompt) { prompt->close(); });
  EXPECT_FALSE(password_check("MARKS_MENU", 1));
  EXPECT_EQ(dialogs.beeps(), 1);
}

TEST_F(password_windows_test, a_blank_typed_before_a_password_belongs_to_it) {
  show_main_menu();
  administer_button_one(" abc", "abc");
  for (const auto& [typed, accepted] : {std::pair{QString("abc"), false}, std::pair{QString(" ABC"), true}}) {
    answer_prompt(typed);
    EXPECT_EQ(password_check("MARKS_MENU", 1), accepted) << typed.toStdString();
  }
}

TEST_F(password_windows_test, right_click_administers_and_the_colour_follows_at_the_next_load) {
  platform::form* menu = show_main_menu();
  dialogs.expect_input("SYSTEM PASSWORD").type("w$ombat$rx");
  dialogs.expect_input("PASSWORD FOR \nMARKS BOOK").type("Boek");
  dialogs.expect_input("CONFIRM PASSWORD FOR \nMARKS BOOK").type("Boek");
  QTest::mouseClick(road(menu, 2), Qt::RightButton);
  dialogs.verify();
  EXPECT_EQ(button_text_colour(road(menu, 2)), plain_button_colour);  // until the next load
  EXPECT_FALSE(platform::is_loaded("punte_menu2"));                   // a right click opens nothing
  // Right after it was set, the password is asked, in any letter case.
  answer_prompt("BOEK");
  EXPECT_TRUE(password_check("MARKS_MENU", 2));
  platform::unload_form("punte_mnu");
  menu = show_main_menu();
  EXPECT_EQ(button_text_colour(road(menu, 2)), protected_button_colour);
}

TEST_F(password_windows_test, each_menu_load_appends_the_file_and_a_change_takes_the_first_entry) {
  write_c_file(passwords_file,
               default_system_line + pair_line("MARKS2_MENU:1", "een") + pair_line("MARKS2_MENU:4", "vier"));
  show_main_menu();
  for (int i = 0; i < 2; ++i) {
    ASSERT_NE(platform::show_form("punte_menu2"), nullptr);
    platform::unload_form("punte_menu2");
  }
  password_list list = menu_password_list();
  ASSERT_EQ(list.count(), 6);  // the main menu's load and two sub-menu loads
  EXPECT_EQ(list.find("MARKS2_MENU:4"), 1);

  platform::form* sub = platform::show_form("punte_menu2");
  dialogs.expect_input("SYSTEM PASSWORD").type("w$ombat$rx");
  dialogs.expect_input("PASSWORD FOR \nSYMBOL DISTRIBUTION").type("nuut");
  dialogs.expect_input("CONFIRM PASSWORD FOR \nSYMBOL DISTRIBUTION").type("nuut");
  QTest::mouseClick(road(sub, 4), Qt::RightButton);
  dialogs.verify();
  EXPECT_EQ(hex(c_file(passwords_file)), hex(default_system_line + pair_line("MARKS2_MENU:1", "een") +
                                             pair_line("MARKS2_MENU:4", "nuut")));
  EXPECT_EQ(menu_password_list().password_at(1), "nuut");
}

}  // namespace
}  // namespace km
