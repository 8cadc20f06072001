#include "shell/change_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>

#include "menu_test_support.h"
#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "shell/browse_for_folder.h"
#include "shell/user_info.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::msg_icon;
using test::hex;

class change_folder_test : public test::menu_test {
 protected:
  bool c_exists(const QString& relative) const {
    return QFile::exists(drives.native_drive('C') + '/' + relative);
  }
  QLabel* main_menu_folder_label() {
    platform::form* menu = platform::show_form("punte_mnu");
    return menu ? menu->control<QLabel>("dir_disp") : nullptr;
  }
};

TEST_F(change_folder_test, cancel_empties_the_data_folder_and_writes_nothing) {
  g_data_folder = "C:\\OUD";
  QLabel* label = main_menu_folder_label();
  ASSERT_NE(label, nullptr);
  // Without a remembered folder the dialog opens on the current one.
  dialogs.expect_folder("CHANGE DATA FOLDER").start_folder("C:\\OUD").cancel();
  EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::cancelled);
  EXPECT_EQ(g_data_folder, "");
  EXPECT_EQ(label->text(), "C:\\OUD");
  EXPECT_FALSE(c_exists("last_drive.txt"));
  EXPECT_FALSE(c_exists("user_info.txt"));
}

TEST_F(change_folder_test, a_folder_without_the_export_control_file_is_refused) {
  drives.write_native("D/ANDER/Exp_Control.dbf", "x");  // the dBase file alone does not count here
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    dialogs.expect_folder(afrikaans ? "WYSIG DATA GIDS" : "CHANGE DATA FOLDER").choose("D:\\ANDER");
    dialogs
        .expect_message(afrikaans ? "Gekose gids (D:\\ANDER) bevat nie punteleêrs nie ..."
                                  : "Selected folder (D:\\ANDER) does not contain marks files ...")
        .icon(msg_icon::critical)
        .title("KORVA-MARKS");
    EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::no_marks_files);
    EXPECT_EQ(g_data_folder, "D:\\ANDER");  // kept, although refused
  }
  EXPECT_FALSE(c_exists("last_drive.txt"));
  EXPECT_FALSE(c_exists("user_info.txt"));
}

TEST_F(change_folder_test, a_valid_folder_is_written_to_both_files) {
  drives.write_native("D/SKOOL/DATA/EXP_MRK_CONTROL.TXT", QByteArray(44, ' '));
  QLabel* label = main_menu_folder_label();
  dialogs.expect_folder("CHANGE DATA FOLDER").choose("D:\\Skool\\Data\\");
  EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::changed);
  EXPECT_EQ(g_data_folder, "D:\\Skool\\Data");
  EXPECT_EQ(hex(c_file("last_drive.txt")), hex("D:\r\n"));
  EXPECT_EQ(hex(c_file("user_info.txt")), hex("D:\\Skool\\Data\r\n 1 \r\n 1 \r\n"));
  EXPECT_EQ(label->text(), "D:\\SKOOL\\DATA");
}

TEST_F(change_folder_test, the_list_settings_are_carried_over_and_line_1_starts_the_dialog) {
  write_c_file("user_info.txt", "D:\\Oud, Skool\r\n 0 \r\n 0 \r\n");
  drives.write_native("D/NUUT/Exp_Mrk_control.txt", QByteArray(44, ' '));
  // A folder whose name holds a comma comes back whole.
  dialogs.expect_folder("CHANGE DATA FOLDER").start_folder("D:\\Oud, Skool").choose("D:\\NUUT");
  EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::changed);
  EXPECT_EQ(hex(c_file("user_info.txt")), hex("D:\\NUUT\r\n 0 \r\n 0 \r\n"));
}

TEST_F(change_folder_test, a_drive_root_and_a_network_share) {
  drives.write_native("C/Exp_Mrk_control.txt", QByteArray(44, ' '));
  dialogs.expect_folder("CHANGE DATA FOLDER").choose("C:\\");
  EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::changed);
  EXPECT_EQ(g_data_folder, "C:");
  EXPECT_EQ(hex(c_file("last_drive.txt")), hex("C:\r\n"));

  const QString share = drives.add_share("\\\\server\\skool");
  QDir(share).mkpath("punte");
  QFile f(share + "/punte/Exp_Mrk_control.txt");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  dialogs.expect_folder("CHANGE DATA FOLDER").start_folder("C:").choose("\\\\server\\skool\\punte");
  EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::changed);
  EXPECT_EQ(hex(c_file("last_drive.txt")), hex("\\\\server\\skool\r\n"));
  EXPECT_EQ(hex(c_file("user_info.txt")), hex("\\\\server\\skool\\punte\r\n 1 \r\n 1 \r\n"));
}

TEST_F(change_folder_test, files_that_cannot_be_written_are_told_and_the_program_goes_on) {
  drives.write_native("D/DATA/Exp_Mrk_control.txt", "x");
  QDir(drives.native_drive('C')).mkdir("last_drive.txt");
  QDir(drives.native_drive('C')).mkdir("user_info.txt");
  QLabel* label = main_menu_folder_label();
  dialogs.expect_folder("CHANGE DATA FOLDER").choose("D:\\DATA");
  dialogs.expect_message("Could not write last_drive.txt ...").icon(msg_icon::exclamation);
  dialogs.expect_message("Could not write user_info.txt ...").icon(msg_icon::exclamation);
  EXPECT_EQ(change_data_folder(nullptr), change_folder_outcome::changed);
  EXPECT_FALSE(platform::program_has_ended());
  EXPECT_EQ(g_data_folder, "D:\\DATA");
  EXPECT_EQ(label->text(), "D:\\DATA");
}

TEST_F(change_folder_test, the_window_does_it_all_while_it_loads_and_goes) {
  drives.write_native("D/DATA/Exp_Mrk_control.txt", "x");
  dialogs.expect_folder("CHANGE DATA FOLDER").choose("D:\\DATA");
  platform::show_form("change_folder", true);
  EXPECT_FALSE(platform::is_loaded("change_folder"));
  EXPECT_EQ(g_data_folder, "D:\\DATA");
  // Also after a refusal the window does not stay behind.
  dialogs.expect_folder("CHANGE DATA FOLDER").choose("D:\\");
  dialogs.expect_message("Selected folder (D:) does not contain marks files ...").icon(msg_icon::critical);
  platform::show_form("change_folder", true);
  EXPECT_FALSE(platform::is_loaded("change_folder"));
}

TEST_F(change_folder_test, a_key_on_the_window_is_activity) {
  change_folder window;
  g_last_activity = 1.0f;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_FALSE(window.on_key_down(&key));
  EXPECT_NE(g_last_activity, 1.0f);
}

// --- browse_for_folder and user_info.txt ---------------------------------------

TEST_F(change_folder_test, browse_for_folder_trims_and_drops_one_trailing_backslash) {
  dialogs.expect_folder("T").start_folder("C:\\A").choose("C:\\A\\B\\");
  EXPECT_EQ(browse_for_folder(nullptr, "  C:\\A  ", "T"), "C:\\A\\B");
  dialogs.expect_folder("T").choose(QString("C:\\X") + QChar(0) + "rest");
  EXPECT_EQ(browse_for_folder(nullptr, "", "T"), "C:\\X");
  dialogs.expect_folder("T").cancel();
  EXPECT_EQ(browse_for_folder(nullptr, "", "T"), "");
}

TEST_F(change_folder_test, user_info_reads_what_it_can) {
  struct read_case {
    const char* name;
    QByteArray bytes;
    std::optional<QString> folder;
    std::optional<int> effort, formative;
  };
  const read_case cases[] = {
      {"three lines", "C:\\DATA\r\n 1 \r\n 0 \r\n", "C:\\DATA", 1, 0},
      {"quoted folder", "\"C:\\A, B\"\r\n0\r\n1\r\n", "C:\\A, B", 0, 1},
      {"folder only", "C:\\DATA\r\n", "C:\\DATA", std::nullopt, std::nullopt},
      {"not numbers", "C:\\DATA\r\nja\r\n1,5\r\n", "C:\\DATA", std::nullopt, 1},
      {"empty file", "", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const read_case& c : cases) {
    SCOPED_TRACE(c.name);
    write_c_file("user_info.txt", c.bytes);
    const auto read = read_user_info();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->data_folder, c.folder);
    EXPECT_EQ(read->effort_key_list, c.effort);
    EXPECT_EQ(read->formative_list, c.formative);
  }
  QFile::remove(drives.native_drive('C') + "/user_info.txt");
  EXPECT_FALSE(read_user_info().has_value());
}

TEST_F(change_folder_test, user_info_writes_three_print_lines) {
  EXPECT_TRUE(write_user_info({"C:\\A, B", 0, 1}));
  EXPECT_EQ(hex(c_file("user_info.txt")), hex("C:\\A, B\r\n 0 \r\n 1 \r\n"));
  const auto back = read_user_info();
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->data_folder, "C:\\A, B");
}

}  // namespace
}  // namespace km
