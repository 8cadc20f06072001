// The environment prepared at start: number separators on the emulated
// system settings, the registry stand-in, the program root, the settings
// folders, desktop shortcuts, set-up file copies, the backup program's
// folder list and the version list.
#include "shell/environment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/folder_steps.h"
#include "platform/win_path.h"
#include "shell/suite_paths.h"
#include "shell/version_numbers.h"
#include "start_fixture.h"

namespace km {
namespace {

using platform::Value;

class environment_test : public test::start_fixture {};

// ---- number separators and the registry ---------------------------------

TEST_F(environment_test, separators_are_forced_and_each_change_announced) {
  auto& s = platform::system_settings();
  s.decimal = QLatin1Char(',');
  s.thousands = QLatin1Char('.');
  s.monetary_decimal = QLatin1Char(',');
  s.monetary_thousands = QLatin1Char(' ');
  platform::registry_write(product_name_value, Value::text(QStringLiteral("  Windows 10 Pro  ")),
                           platform::registry_type::sz);
  EXPECT_EQ(set_number_separators(), QStringLiteral("Windows 10 Pro"));
  EXPECT_EQ(s.decimal, QLatin1Char('.'));
  EXPECT_EQ(s.thousands, QLatin1Char(','));
  EXPECT_EQ(s.monetary_decimal, QLatin1Char('.'));
  EXPECT_EQ(s.monetary_thousands, QLatin1Char(','));
  EXPECT_EQ(setting_change_messages(), 4);

  // Already right: nothing changes and nothing is announced.
  set_number_separators();
  EXPECT_EQ(setting_change_messages(), 4);
}

TEST_F(environment_test, only_the_wrong_items_change) {
  platform::system_settings().thousands = QLatin1Char(' ');
  set_number_separators();
  EXPECT_EQ(setting_change_messages(), 1);
  EXPECT_EQ(get_locale_info(locale_thousands), QStringLiteral(","));
  EXPECT_EQ(get_locale_info(99), QString());
  EXPECT_FALSE(set_locale_info(99, QStringLiteral(".")));
  EXPECT_FALSE(set_locale_info(locale_decimal, QString()));
}

TEST_F(environment_test, registry_values_live_in_the_ini_on_c) {
  enable_linked_connections();
  const auto value = platform::registry_read(
      QStringLiteral("hkey_local_machine\\software\\microsoft\\windows\\currentversion\\policies\\system\\"
                     "enablelinkedconnections"));
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, Value::int32(1));
  const QByteArray ini = file_bytes(QStringLiteral("C:\\Windows\\registry.ini"));
  EXPECT_TRUE(
      ini.contains("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
                   "EnableLinkedConnections=dword:00000001\n"))
      << ini.toStdString();
  EXPECT_TRUE(ini.contains("ProductName=\"Windows 10 Pro\"\n")) << ini.toStdString();

  // Rewriting changes the one value in place.
  write_registry_dword(linked_connections_value, 7);
  EXPECT_EQ(*platform::registry_read(linked_connections_value), Value::int32(7));
  EXPECT_EQ(file_bytes(QStringLiteral("C:\\Windows\\registry.ini")).count("EnableLinkedConnections"), 1);

  EXPECT_FALSE(platform::registry_read(QStringLiteral("HKLM\\SOFTWARE\\Nothing\\Here")).has_value());
  EXPECT_FALSE(platform::registry_read(QStringLiteral("NOHIVE\\x\\y")).has_value());
  EXPECT_THROW(platform::registry_write(QStringLiteral("NOHIVE\\x\\y"), Value::int32(1),
                                        platform::registry_type::dword),
               platform::registry_error);
}

TEST_F(environment_test, a_registry_that_cannot_be_written_is_passed_over) {
  platform::set_registry_file(QStringLiteral("Q:\\nowhere\\registry.ini"));
  EXPECT_NO_THROW(enable_linked_connections());
  EXPECT_FALSE(platform::registry_read(linked_connections_value).has_value());
  EXPECT_NO_THROW(show_hidden_files());
}

TEST_F(environment_test, hidden_files_are_shown_only_when_explorer_hides_them) {
  write_registry_dword(explorer_hidden_value, 1);
  const QByteArray before = file_bytes(QStringLiteral("C:\\Windows\\registry.ini"));
  show_hidden_files();
  EXPECT_EQ(file_bytes(QStringLiteral("C:\\Windows\\registry.ini")), before);
  EXPECT_FALSE(platform::registry_read(explorer_super_hidden_value).has_value());

  write_registry_dword(explorer_hidden_value, 2);
  show_hidden_files();
  EXPECT_EQ(*platform::registry_read(explorer_hidden_value), Value::int32(1));
  EXPECT_EQ(*platform::registry_read(explorer_super_hidden_value), Value::int32(1));
}

// ---- program root and folders ------------------------------------------

TEST_F(environment_test, program_root_from_the_program_folder) {
  make_folder(QStringLiteral("D:\\Apps\\KORVA-MARKS"));
  make_folder(QStringLiteral("D:\\Program Files"));
  make_folder(QStringLiteral("D:\\Program Files (x86)"));
  make_folder(QStringLiteral("D:\\Program Files Extra"));
  struct row {
    QString folder;
    QString root;
  };
  const row rows[] = {
      {QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS"), QStringLiteral("C:\\Program Files (x86)")},
      {QStringLiteral("C:\\program files\\KORVA-MARKS"), QStringLiteral("C:\\program files")},
      // Not under Program Files: the drive's root is searched; (x86) wins.
      {QStringLiteral("D:\\Apps\\KORVA-MARKS"), QStringLiteral("D:\\Program Files (x86)")},
      // C: holds no Program Files folder at all.
      {QStringLiteral("C:\\Apps\\KORVA-MARKS"), QString()},
  };
  for (const row& r : rows) EXPECT_EQ(find_program_root(r.folder), r.root) << r.folder.toStdString();

  // Without (x86), the last folder holding "PROGRAM FILES" by name.
  ASSERT_NO_THROW(
      platform::rename_folder(QStringLiteral("D:\\Program Files (x86)"), QStringLiteral("D:\\Old")));
  EXPECT_EQ(find_program_root(QStringLiteral("D:\\Apps\\KORVA-MARKS")),
            QStringLiteral("D:\\Program Files Extra"));
}

TEST_F(environment_test, suite_paths_make_the_settings_folders_on_the_programs_drive) {
  make_folder(QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS"));
  set_up_suite_paths();
  EXPECT_EQ(g_program_root, QStringLiteral("C:\\Program Files (x86)"));
  EXPECT_EQ(g_program_path, QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS"));
  EXPECT_EQ(g_data_drive, QStringLiteral("C:"));
  EXPECT_EQ(g_settings_folder, QStringLiteral("C:\\ProgramData\\OSKAVEN"));
  EXPECT_TRUE(platform::folder_exists(QStringLiteral("C:\\ProgramData\\OSKAVEN")));
  EXPECT_TRUE(platform::folder_exists(QStringLiteral("C:\\OSKAVEN")));
  EXPECT_EQ(g_open_file_count, 0);
}

// ---- desktop shortcuts ---------------------------------------------------

TEST_F(environment_test, shortcuts_only_for_programs_that_are_there) {
  make_folder(QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS"));
  write_file(QStringLiteral("C:\\Program Files (x86)\\KORVA-SCOPE\\KORVA-SCOPE.EXE"), "x");
  write_file(QStringLiteral("C:\\Program Files (x86)\\KORVA-BACKUP\\korva-backup.exe"), "x");
  // An old shortcut of a flagged entry, and one that merely differs in case.
  const QString desktop = platform::desktop_folder();
  ASSERT_FALSE(desktop.isEmpty());
  drives.write_native(QStringLiteral("desktop/KORVA-MENU.desktop"), "old");
  drives.write_native(QStringLiteral("desktop/korva-menu.desktop"), "other");

  set_up_suite_paths();

  QStringList made = QDir(desktop).entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(made, QStringList({"KORVA-BACKUP.desktop", "KORVA-SCOPE.desktop", "korva-menu.desktop"}));
  const QString scope_native =
      platform::to_native_path(QStringLiteral("C:\\Program Files (x86)\\KORVA-SCOPE\\KORVA-SCOPE.EXE"));
  QFile scope(desktop + QStringLiteral("/KORVA-SCOPE.desktop"));
  ASSERT_TRUE(scope.open(QIODevice::ReadOnly));
  EXPECT_EQ(scope.readAll(), platform::desktop_entry_text(QStringLiteral("KORVA-SCOPE"), scope_native));
  EXPECT_TRUE(QFileInfo(scope).isExecutable());
}

TEST(desktop_entry, text_quotes_the_program) {
  EXPECT_EQ(platform::desktop_entry_text(QStringLiteral("KORVA-SCOPE"),
                                         QStringLiteral("/home/t/C/Program Files/a$b.EXE")),
            QByteArray("[Desktop Entry]\nType=Application\nVersion=1.0\nName=KORVA-SCOPE\n"
                       "Exec=\"/home/t/C/Program Files/a\\$b.EXE\"\nPath=/home/t/C/Program Files\n"
                       "Terminal=false\n"));
}

// ---- set-up copies and the backup list ----------------------------------

TEST_F(environment_test, setup_files_are_copied_once_per_program_and_missing_ones_from_the_setup_folder) {
  const QString root = QStringLiteral("C:\\Program Files (x86)");
  make_folder(root + QStringLiteral("\\KORVA-MARKS"));
  write_file(root + QStringLiteral("\\KORVA-SETUP\\suite.txt"), "suite");
  write_file(root + QStringLiteral("\\KORVA-SETUP\\network.dta"), "net");
  write_file(root + QStringLiteral("\\KORVA-SETUP\\setup.exe"), "exe");
  write_file(root + QStringLiteral("\\KORVA-SETUP\\notes.txt.exe"), "exe");
  write_file(root + QStringLiteral("\\KORVA-SETUP\\readme.doc"), "doc");
  write_file(root + QStringLiteral("\\KORVA-ADMIN\\admin.TXT"), "admin");
  write_file(root + QStringLiteral("\\KORVA-ADMIN\\KORVA-ADMIN.EXE"), "exe");
  write_file(QStringLiteral("C:\\ProgramData\\OSKAVEN\\suite.txt"), "already there");

  set_up_suite_paths();
  const QString settings = QStringLiteral("C:\\ProgramData\\OSKAVEN");
  EXPECT_EQ(file_bytes(settings + QStringLiteral("\\suite.txt")), QByteArray("already there"));
  EXPECT_EQ(file_bytes(settings + QStringLiteral("\\network.dta")), QByteArray("net"));
  EXPECT_FALSE(platform::file_exists(settings + QStringLiteral("\\setup.exe")));
  EXPECT_FALSE(platform::file_exists(settings + QStringLiteral("\\notes.txt.exe")));
  EXPECT_FALSE(platform::file_exists(settings + QStringLiteral("\\readme.doc")));
  EXPECT_EQ(file_bytes(settings + QStringLiteral("\\KORVA-ADMIN\\admin.TXT")), QByteArray("admin"));
  EXPECT_FALSE(platform::file_exists(settings + QStringLiteral("\\KORVA-ADMIN\\KORVA-ADMIN.EXE")));
  EXPECT_FALSE(platform::folder_exists(settings + QStringLiteral("\\KORVA-LEARNERS")));
  // No backup folder: no list.
  EXPECT_FALSE(platform::folder_exists(settings + QStringLiteral("\\KORVA-BACKUP")));

  // The next start: the program's folder exists, so a new file is not
  // copied; the set-up folder's new file is.
  write_file(root + QStringLiteral("\\KORVA-ADMIN\\later.txt"), "later");
  write_file(root + QStringLiteral("\\KORVA-SETUP\\network2.dta"), "net2");
  set_up_suite_paths();
  EXPECT_FALSE(platform::file_exists(settings + QStringLiteral("\\KORVA-ADMIN\\later.txt")));
  EXPECT_EQ(file_bytes(settings + QStringLiteral("\\network2.dta")), QByteArray("net2"));
}

TEST_F(environment_test, the_backup_program_gets_its_eleven_folders) {
  const QString root = QStringLiteral("C:\\Program Files (x86)");
  make_folder(root + QStringLiteral("\\KORVA-BACKUP"));
  g_admin_folder = QStringLiteral("C:\\OSKAVEN\\ADMIN");
  g_network_folder_4 = QStringLiteral("\\\\server\\share\\four\\data");
  set_up_suite_paths();
  QByteArray expected;
  const char* lines[] = {
      "C:\\OSKAVEN\\ADMIN", "C:\\OSKAVEN\\ADMIN", "", "\\\\server\\share\\four", "", "", "", "", "", "",
      "C:\\OSKAVEN\\ADMIN"};
  for (const char* line : lines) expected += QByteArray("\"") + line + "\"\r\n";
  EXPECT_EQ(file_bytes(QStringLiteral("C:\\ProgramData\\OSKAVEN\\KORVA-BACKUP\\path_names.txt")), expected);
  EXPECT_EQ(setup_folder_table().size(), 11);
  EXPECT_EQ(setup_folder_table().first(), QStringLiteral("KORVA-SCOPE"));
  EXPECT_EQ(setup_folder_table().at(9), QStringLiteral("KORVA-SETUP"));
  EXPECT_EQ(setup_folder_table().last(), QStringLiteral("KORVA-BACKUP"));
}

// ---- the version list ----------------------------------------------------

class version_numbers_test : public test::start_fixture {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    g_program_root = QStringLiteral("C:\\Program Files (x86)");
    g_settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
    make_folder(g_settings_folder);
    write_file(test::program_file, "x");
    write_file(QStringLiteral("C:\\Program Files (x86)\\KORVA-ADMIN\\korva-admin.exe"), "x");
    write_file(QStringLiteral("C:\\Program Files (x86)\\KORVA-SCOPE\\KORVA-TOOLS.EXE"), "x");
  }
  QByteArray list() const { return file_bytes(g_settings_folder + QStringLiteral("\\Version_Numbers.txt")); }
  QByteArray date() const { return file_bytes(g_settings_folder + QStringLiteral("\\Version_Numbers.dte")); }
  static QByteArray expected_list() {
    return "\"C:\\PROGRAM FILES (X86)\\KORVA-ADMIN\\KORVA-ADMIN.EXE\",\"\"\r\n"
           "\"C:\\PROGRAM FILES (X86)\\KORVA-MARKS\\KORVA-MARKS.EXE\",\"" +
           program_version_text().toLatin1() +
           "\"\r\n"
           "\"C:\\PROGRAM FILES (X86)\\KORVA-SCOPE\\KORVA-TOOLS.EXE\",\"\"\r\n";
  }
};

TEST_F(version_numbers_test, list_of_installed_programs_and_the_day) {
  write_version_numbers();
  EXPECT_EQ(list(), expected_list());
  EXPECT_EQ(date(), QByteArray("2017/03/17\r\n"));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(version_numbers_test, the_list_is_rewritten_at_most_once_a_day) {
  write_version_numbers();
  write_file(g_settings_folder + QStringLiteral("\\Version_Numbers.txt"), "changed by hand");
  write_version_numbers();
  EXPECT_EQ(list(), QByteArray("changed by hand"));
  fake.advance_ms(24 * 3600 * 1000);
  write_version_numbers();
  EXPECT_EQ(list(), expected_list());
  EXPECT_EQ(date(), QByteArray("2017/03/18\r\n"));
}

// Only a real date in year-month-day form names today; anything else
// rewrites the list.
TEST_F(version_numbers_test, only_a_real_date_of_today_keeps_the_list) {
  struct row {
    QByteArray dte;
    bool kept;
  };
  const row rows[] = {
      {"2017/03/17\r\n", true},  {"2017.03.17\r\n", true},
      {"2017-03-17", true},      {" 2017/03/17 \r\n", true},
      {"2017/03/16\r\n", false}, {"abc\r\n", false},
      {"\r\n", false},           {"", false},
      {"2017/3/17\r\n", false},  {"17/03/2017\r\n", false},
      {"2017/02/30\r\n", false}, {"2017.03-17\r\n", false},
      {"2017/13/17\r\n", false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.dte.toStdString());
    write_file(g_settings_folder + QStringLiteral("\\Version_Numbers.txt"), "old list");
    write_file(g_settings_folder + QStringLiteral("\\Version_Numbers.dte"), r.dte);
    write_version_numbers();
    EXPECT_EQ(list(), r.kept ? QByteArray("old list") : expected_list());
  }
}

TEST_F(version_numbers_test, a_settings_folder_that_cannot_be_written_is_passed_over) {
  g_settings_folder = QStringLiteral("C:\\NOT\\THERE");
  EXPECT_NO_THROW(write_version_numbers());
  EXPECT_EQ(g_open_file_count, 0);
}

TEST(version_text, label_and_internet_version) {
  const program_version_t v = program_version();
  EXPECT_EQ(version_label_text(),
            QStringLiteral("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
  EXPECT_EQ(get_internet_version(), QString());
  struct row {
    QString list;
    QString expected;
  };
  const row rows[] = {
      {QStringLiteral("KORVA-ADMIN,\"3.1\",KORVA-MARKS,\"4.17\""), QStringLiteral("2017.4.17")},
      {QStringLiteral("KORVA-MARKS,\"1\"\r\n, KORVA-MARKS ,\"2.5\""), QStringLiteral("2017.2.5")},
      {QStringLiteral("KORVA-ADMIN,\"3.1\""), QString()},
      {QString(), QString()},
  };
  for (const row& r : rows)
    EXPECT_EQ(internet_version_from_list(r.list, QStringLiteral("KORVA-MARKS"), 2017), r.expected)
        << r.list.toStdString();
}

}  // namespace
}  // namespace km
