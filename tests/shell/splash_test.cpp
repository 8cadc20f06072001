// The settings file setup.txt byte for byte, and the splash: its load on a
// prepared machine, the language buttons, the timer, the school's name from
// the school record, the refusal of a second copy and the program folder
// when the root does not hold it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QLockFile>

#include "common/open_random_files.h"
#include "common/record_file_layouts.h"
#include "platform/form_timer.h"
#include "platform/record_layout.h"
#include "platform/win_path.h"
#include "shell/marks_splash.h"
#include "shell/setup_txt.h"
#include "shell/startup.h"
#include "shell/version_numbers.h"
#include "start_fixture.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using test::hex;

const QString settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
const QString settings_file = settings_folder + QStringLiteral("\\setup.txt");

class setup_txt_test : public test::start_fixture {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    g_settings_folder = settings_folder;
    g_program_path = QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS");
    make_folder(g_settings_folder);
    make_folder(g_program_path);
  }
};

TEST_F(setup_txt_test, first_run_in_english_writes_the_three_lines) {
  read_setup_txt();
  EXPECT_FALSE(platform::file_exists(settings_file));
  EXPECT_FALSE(g_language);
  ASSERT_TRUE(write_setup_txt(g_language));
  EXPECT_EQ(file_bytes(settings_file), QByteArray("\"\",\"\"\r\n#FALSE#\r\n\"\",\"\"\r\n"));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(setup_txt_test, a_two_line_file_is_rebuilt_with_nul_texts_on_line_three) {
  write_file(settings_file, "\"Old name\",\"kept\"\r\n#TRUE#\r\n");
  read_setup_txt();
  EXPECT_TRUE(g_language);
  EXPECT_EQ(g_setup_line1_value, QStringLiteral("kept"));
  const QByteArray nul4(4, '\0');
  EXPECT_EQ(hex(file_bytes(settings_file)),
            hex("\"\",\"kept\"\r\n#TRUE#\r\n\"" + nul4 + "\",\"" + nul4 + "\"\r\n"));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(setup_txt_test, damaged_files_are_rebuilt_around_what_was_read) {
  struct row {
    QByteArray file;
    bool language;
    QString line1_value;
  };
  const QByteArray nul4(4, '\0');
  const row rows[] = {
      {"", false, QString()},                                   // empty
      {"\"a\",\"b\"\r\nmaybe\r\n\"c\",\"d\"\r\n", false, "b"},  // language no Boolean
      {"\"a\"\r\n", false, QString()},                          // one field only
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.file.toStdString());
    g_setup_line1_value = g_setup_line3_value1 = g_setup_line3_value2 = QString();
    g_language = false;
    write_file(settings_file, r.file);
    read_setup_txt();
    EXPECT_EQ(g_language, r.language);
    EXPECT_EQ(g_setup_line1_value, r.line1_value);
    EXPECT_EQ(hex(file_bytes(settings_file)),
              hex("\"\",\"" + r.line1_value.toLatin1() + "\"\r\n" + (r.language ? "#TRUE#" : "#FALSE#") +
                  "\r\n\"" + nul4 + "\",\"" + nul4 + "\"\r\n"));
    // The damaged file itself is kept aside before the rebuild.
    EXPECT_EQ(hex(file_bytes(settings_folder + QStringLiteral("\\save\\setup.txt"))), hex(r.file));
  }
  // Each damaged file got its own copy: the earlier ones under numbers.
  EXPECT_EQ(file_bytes(settings_folder + QStringLiteral("\\save\\setup_1.txt")), rows[0].file);
  EXPECT_EQ(file_bytes(settings_folder + QStringLiteral("\\save\\setup_2.txt")), rows[1].file);
}

TEST_F(setup_txt_test, a_damaged_file_that_cannot_be_kept_aside_is_left_as_it_is) {
  // A file named "save" stands where the save folder would go.
  write_file(settings_folder + QStringLiteral("\\save"), "not a folder");
  const QByteArray damaged("\"a\",\"b\"\r\nmaybe\r\n");
  write_file(settings_file, damaged);
  read_setup_txt();
  EXPECT_EQ(file_bytes(settings_file), damaged);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(setup_txt_test, the_program_folders_copy_is_taken_when_the_settings_folder_has_none) {
  write_file(g_program_path + QStringLiteral("\\setup.txt"), "\"x\",\"p1\"\r\n#TRUE#\r\n\"p3a\",\"p3b\"\r\n");
  read_setup_txt();
  EXPECT_TRUE(platform::file_exists(settings_file));
  EXPECT_TRUE(g_language);
  EXPECT_EQ(g_setup_line1_value, QStringLiteral("p1"));
  EXPECT_EQ(g_setup_line3_value1, QStringLiteral("p3a"));
  EXPECT_EQ(g_setup_line3_value2, QStringLiteral("p3b"));
}

TEST_F(setup_txt_test, a_rewrite_keeps_the_values_and_puts_the_school_name_first) {
  write_file(settings_file, "\"Somebody else\",\"one\"\r\n#TRUE#\r\n\"three a\",\"three b\"\r\n");
  read_setup_txt();
  g_school_name = QStringLiteral("  Hoërskool Noord  ");
  bool english = false;
  ASSERT_TRUE(write_setup_txt(english));
  EXPECT_EQ(hex(file_bytes(settings_file)),
            hex("\"Ho\xEBrskool Noord\",\"one\"\r\n#FALSE#\r\n\"three a\",\"three b\"\r\n"));
}

TEST_F(setup_txt_test, a_settings_file_that_cannot_be_written_is_passed_over) {
  g_settings_folder = QStringLiteral("C:\\NO\\SUCH\\FOLDER");
  bool language = true;
  EXPECT_FALSE(write_setup_txt(language));
  EXPECT_EQ(g_open_file_count, 0);

  g_settings_folder = settings_folder;
  write_file(settings_file, "\"\",\"v\"\r\n#TRUE#\r\n\"a\",\"b\"\r\n");
  platform::set_read_only(settings_file, true);
  EXPECT_FALSE(write_setup_txt(language = false));
  platform::set_read_only(settings_file, false);
  EXPECT_EQ(file_bytes(settings_file), QByteArray("\"\",\"v\"\r\n#TRUE#\r\n\"a\",\"b\"\r\n"));
}

TEST_F(setup_txt_test, a_settings_file_that_cannot_be_opened_is_left_as_it_is) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
  const QByteArray content = "\"\",\"theirs\"\r\n#TRUE#\r\n\"x\",\"y\"\r\n";
  write_file(settings_file, content);
  const QString native = platform::to_native_path(settings_file);
  QFile::setPermissions(native, QFileDevice::WriteOwner);
  g_language = false;
  read_setup_txt();
  QFile::setPermissions(native, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_FALSE(g_language);
  EXPECT_EQ(g_setup_line1_value, QString());
  EXPECT_EQ(file_bytes(settings_file), content);
  EXPECT_EQ(g_open_file_count, 0);
}

// ---- the splash --------------------------------------------------------

// The main menu as the splash sees it: a window that counts its loads.
struct stand_in_menu : platform::form {
  static inline int loads = 0;
  stand_in_menu() : platform::form(QStringLiteral("punte_mnu")) {}
  void on_load() override { ++loads; }
};

class splash_test : public test::start_fixture {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    stand_in_menu::loads = 0;
    register_startup_windows();
    platform::register_form(QStringLiteral("punte_mnu"), [] { return new stand_in_menu; });
    make_folder(QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS"));
    write_file(test::program_file, "program");
  }
  marks_splash* load_splash() {
    return qobject_cast<marks_splash*>(platform::show_form(QStringLiteral("marks_splash")));
  }
  // Runs the clock on until the splash has gone (or ten seconds passed).
  void run_until_splash_gone() {
    const qint64 end = fake.monotonic_ms() + 10'000;
    while (platform::is_loaded(QStringLiteral("marks_splash")) && fake.monotonic_ms() < end)
      platform::pump_events();
  }
};

TEST_F(splash_test, first_run_marks_english_and_saves_after_two_seconds) {
  const qint64 start = fake.monotonic_ms();
  marks_splash* splash = load_splash();
  ASSERT_NE(splash, nullptr);
  EXPECT_FALSE(splash->chk_lang(1)->isChecked());
  EXPECT_TRUE(splash->chk_lang(2)->isChecked());
  EXPECT_EQ(splash->chk_lang(1)->text(), QStringLiteral("AFRIKAANS"));
  EXPECT_EQ(splash->chk_lang(2)->text(), QStringLiteral("ENGLISH"));
  EXPECT_EQ(splash->lblVersion()->text(), version_label_text());
  EXPECT_EQ(splash->lblProductName()->text(), QStringLiteral("KORVA-MARKS"));
  EXPECT_EQ(g_year, QStringLiteral("2017"));
  EXPECT_EQ(g_program_root, QStringLiteral("C:\\Program Files (x86)"));
  EXPECT_EQ(g_program_path, QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS"));
  EXPECT_EQ(g_program_folder, g_program_path);
  EXPECT_EQ(platform::current_directory(), g_program_path);
  EXPECT_EQ(g_settings_folder, settings_folder);
  EXPECT_EQ(g_frame_red, 255);
  EXPECT_EQ(g_frame_green, 192);
  EXPECT_EQ(g_frame_blue, 158);
  EXPECT_EQ(stand_in_menu::loads, 0);
  EXPECT_FALSE(platform::file_exists(settings_file));

  run_until_splash_gone();
  EXPECT_EQ(fake.monotonic_ms() - start, 2000);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("marks_splash")));
  EXPECT_EQ(stand_in_menu::loads, 1);
  EXPECT_EQ(file_bytes(settings_file), QByteArray("\"\",\"\"\r\n#FALSE#\r\n\"\",\"\"\r\n"));
}

TEST_F(splash_test, english_on_a_file_that_said_afrikaans_rewrites_line_two_at_once) {
  write_file(settings_file, "\"Old School\",\"keep1\"\r\n#TRUE#\r\n\"a\",\"b\"\r\n");
  marks_splash* splash = load_splash();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(g_language);
  EXPECT_TRUE(splash->chk_lang(1)->isChecked());
  EXPECT_FALSE(splash->chk_lang(2)->isChecked());
  ASSERT_TRUE(test::click(splash, QStringLiteral("chk_lang_2")));
  test::run_events();
  EXPECT_FALSE(g_language);
  EXPECT_EQ(file_bytes(settings_file), QByteArray("\"\",\"keep1\"\r\n#FALSE#\r\n\"a\",\"b\"\r\n"));
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("marks_splash")));
  EXPECT_EQ(stand_in_menu::loads, 1);
}

TEST_F(splash_test, a_settings_file_that_cannot_be_saved_is_reported_and_kept) {
  const QByteArray old = "\"Old School\",\"keep1\"\r\n#TRUE#\r\n\"a\",\"b\"\r\n";
  write_file(settings_file, old);
  platform::set_read_only(settings_file, true);
  marks_splash* splash = load_splash();
  ASSERT_NE(splash, nullptr);
  // Reported in the language just chosen; the menu comes all the same.
  dialogs.expect_message(QStringLiteral("Could not write ") + settings_file + QStringLiteral(" ..."))
      .icon(platform::msg_icon::exclamation)
      .buttons(platform::msg_buttons::ok);
  splash->chk_lang_Click(2);
  dialogs.verify();
  platform::set_read_only(settings_file, false);
  EXPECT_EQ(file_bytes(settings_file), old);
  EXPECT_EQ(stand_in_menu::loads, 1);
}

TEST_F(splash_test, afrikaans_button_sets_the_language) {
  marks_splash* splash = load_splash();
  ASSERT_NE(splash, nullptr);
  splash->chk_lang_Click(1);
  EXPECT_TRUE(g_language);
  EXPECT_EQ(file_bytes(settings_file), QByteArray("\"\",\"\"\r\n#TRUE#\r\n\"\",\"\"\r\n"));
  EXPECT_EQ(stand_in_menu::loads, 1);
}

TEST_F(splash_test, the_school_name_comes_from_the_school_record_in_the_opening_folder) {
  // With no school-data folder the opening uses the default record folder,
  // "\L" and the year's last two digits on the current drive.
  platform::record_buffer record(skl_dta_record);
  record.blank();
  record.set_text("SD_SKOOL", QStringLiteral("Hoërskool Rooiwal"));
  record.set_text("SD_PROV", QStringLiteral("Limpopo"));
  write_file(QStringLiteral("C:\\L17\\Skl_Dta_random.txt"), record.bytes());
  ASSERT_NE(load_splash(), nullptr);
  EXPECT_EQ(g_school_name, QStringLiteral("Hoërskool Rooiwal"));
  EXPECT_EQ(g_school_data_folder, QStringLiteral("\\L17"));
  EXPECT_EQ(g_skl_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
  run_until_splash_gone();
  EXPECT_TRUE(file_bytes(settings_file).startsWith("\"Ho\xEBrskool Rooiwal\",\"\"\r\n"));
}

TEST_F(splash_test, no_school_record_leaves_the_name_empty) {
  write_file(QStringLiteral("C:\\skl_dta_random.txt"), QByteArray(2756, ' '));  // not where the opening looks
  ASSERT_NE(load_splash(), nullptr);
  EXPECT_EQ(g_school_name, QString());
  EXPECT_EQ(g_skl_file_number, 0);
}

TEST_F(splash_test, a_second_copy_is_told_and_ends_without_touching_the_settings) {
  QLockFile first_copy(drives.base() + QStringLiteral("/korva-marks.lock"));
  ASSERT_TRUE(first_copy.tryLock(0));
  platform::set_instance_lock_file(drives.base() + QStringLiteral("/korva-marks.lock"));
  dialogs.expect_message(QStringLiteral("KORVA-MARKS system already loaded - see TASK BAR ..."))
      .icon(platform::msg_icon::critical)
      .buttons(platform::msg_buttons::ok)
      .title(QStringLiteral("KORVA-MARKS"));
  EXPECT_THROW(load_splash(), platform::program_ended);
  EXPECT_FALSE(platform::folder_exists(settings_folder));
  EXPECT_FALSE(platform::file_exists(settings_file));
  EXPECT_EQ(stand_in_menu::loads, 0);
}

TEST_F(splash_test, the_first_copy_takes_the_lock_and_keeps_it) {
  ASSERT_NE(load_splash(), nullptr);
  QLockFile other(drives.base() + QStringLiteral("/korva-marks.lock"));
  EXPECT_FALSE(other.tryLock(0));
}

TEST_F(splash_test, a_root_without_the_program_folder_keeps_the_programs_own_folder) {
  // The program runs from D:\Apps\KORVA-MARKS; D: has both Program Files
  // folders, neither holding KORVA-MARKS.
  platform::set_program_file_path(QStringLiteral("D:\\Apps\\KORVA-MARKS\\KORVA-MARKS.EXE"));
  write_file(QStringLiteral("D:\\Apps\\KORVA-MARKS\\KORVA-MARKS.EXE"), "program");
  make_folder(QStringLiteral("D:\\Program Files"));
  make_folder(QStringLiteral("D:\\Program Files (x86)"));
  ASSERT_NE(load_splash(), nullptr);
  EXPECT_EQ(g_program_root, QStringLiteral("D:\\Program Files (x86)"));
  EXPECT_EQ(g_program_path, QStringLiteral("D:\\Apps\\KORVA-MARKS"));
  EXPECT_EQ(g_program_folder, QStringLiteral("D:\\Apps\\KORVA-MARKS"));
  EXPECT_EQ(platform::current_directory(), QStringLiteral("D:\\Apps\\KORVA-MARKS"));
  EXPECT_EQ(g_settings_folder, QStringLiteral("D:\\ProgramData\\OSKAVEN"));
  EXPECT_TRUE(platform::folder_exists(QStringLiteral("D:\\OSKAVEN")));
}

TEST_F(splash_test, a_program_folder_that_is_nowhere_leaves_the_current_directory) {
  platform::set_program_file_path(QStringLiteral("D:\\Gone\\KORVA-MARKS\\KORVA-MARKS.EXE"));
  platform::set_current_directory(QStringLiteral("C:\\"));
  ASSERT_NE(load_splash(), nullptr);
  EXPECT_EQ(g_program_root, QString());
  EXPECT_EQ(g_program_path, QStringLiteral("D:\\Gone\\KORVA-MARKS"));
  EXPECT_EQ(platform::current_directory(), QStringLiteral("C:\\"));
  run_until_splash_gone();
  EXPECT_EQ(stand_in_menu::loads, 1);
}

TEST(splash_colour, seven_pastels_by_the_random_fraction) {
  struct row {
    double r;
    QColor colour;
  };
  const row rows[] = {
      {0.0, QColor(255, 192, 192)},
      {0.142857, QColor(255, 192, 192)},
      {1.0 / 7.0 + 1e-9, QColor(255, 224, 192)},
      {0.5, QColor(192, 255, 192)},
      {0.999999, QColor(255, 192, 255)},
  };
  for (const row& r : rows) EXPECT_EQ(splash_colour_for(r.r), r.colour) << r.r;
}

TEST(splash_texts, second_copy_message_in_both_languages) {
  EXPECT_EQ(second_copy_text(true), QStringLiteral("KORVA-MARKS stelsel reeds gelaai - sien 'TASK BAR' ..."));
  EXPECT_EQ(second_copy_text(false), QStringLiteral("KORVA-MARKS system already loaded - see TASK BAR ..."));
}

}  // namespace
}  // namespace km
