#include "shell/sk0_floating.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "common/shared_variables.h"
#include "platform/ui/system_info.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "shell/suite_programs.h"
#include "side_window_test_support.h"
#include "support/desktop_recorders.h"
#include "support/fixed_system_info.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using test::recording_launcher;

// A system whose only fact asked for here is its environment.
class environment_only : public test::fixed_system_info {
 public:
  environment_only() { platform::set_system_info(this); }
  ~environment_only() override { platform::set_system_info(nullptr); }
  QString user_name() override { return {}; }
  QStringList environment() override { return entries; }
  QStringList entries{"HOME=/home/teacher", "LANG=C", "PATH=/usr/bin:/bin", "EMPTY="};
};

TEST(suite_programs, the_floating_menu_table) {
  EXPECT_EQ(floating_menu_caption(12), "KORVA-MARKS");
  const auto own = floating_menu_program(12);
  ASSERT_TRUE(own.has_value());
  EXPECT_EQ(own->relative_path, "\\KORVA-MARKS\\KORVA-MARKS.EXE");
  int own_folder = 0, common_folder = 0;
  for (int i = 1; i <= floating_menu_button_count; ++i) {
    EXPECT_FALSE(floating_menu_caption(i).isEmpty()) << i;
    const auto p = floating_menu_program(i);
    const bool starts = !(i == 1 || i == 8 || i == 9);
    ASSERT_EQ(p.has_value(), starts) << i;
    if (!p) continue;
    if (p->relative_path == "\\" + p->name + "\\" + p->name + ".EXE") ++own_folder;
    if (p->relative_path == "\\KORVA-SCOPE\\" + p->name + ".EXE") {
      ++common_folder;
      EXPECT_TRUE(i == 10 || i == 14) << i;
    }
  }
  EXPECT_EQ(own_folder, 9);
  EXPECT_EQ(common_folder, 2);
  EXPECT_FALSE(floating_menu_program(0).has_value());
  EXPECT_FALSE(floating_menu_program(15).has_value());
}

class floating_menu_window : public test::side_window_test {
 protected:
  void SetUp() override {
    test::side_window_test::SetUp();
    g_program_root = "C:\\PF";
    drives.write_native("C/PF/KORVA-MARKS/KORVA-MARKS.EXE", "program");
    drives.write_native("C/PF/KORVA-SCOPE/KORVA-TOOLS.EXE", "program");
    window = platform::show_form("sk0_floating");
    ASSERT_NE(window, nullptr);
  }

  test::temp_drives drives;
  recording_launcher launcher;
  environment_only system;
  platform::form* window = nullptr;
};

TEST_F(floating_menu_window, lists_the_process_environment_one_entry_a_line) {
  const QString text = test::find_control_as<QPlainTextEdit>(window, "system_environment")->toPlainText();
  EXPECT_EQ(text, "HOME=/home/teacher\nLANG=C\nPATH=/usr/bin:/bin\nEMPTY=\n");
}

TEST_F(floating_menu_window, has_rounded_corners_and_its_buttons) {
  const QRegion region = window->mask();
  ASSERT_FALSE(region.isEmpty());
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_TRUE(region.contains(QPoint(window->width() / 2, window->height() / 2)));
  EXPECT_EQ(window->caption(), "");
  EXPECT_EQ(test::find_control_as<QPushButton>(window, "sk0f_menu_12")->text(), "KORVA-MARKS");
  EXPECT_EQ(test::find_control_as<QPushButton>(window, "sk0f_exit")->text(), "EXIT");
}

TEST_F(floating_menu_window, starts_an_installed_program_by_its_path) {
  test::click(window, "sk0f_menu_12");
  test::click(window, "sk0f_menu_10");
  EXPECT_EQ(launcher.started,
            QStringList({"C:\\PF\\KORVA-MARKS\\KORVA-MARKS.EXE", "C:\\PF\\KORVA-SCOPE\\KORVA-TOOLS.EXE"}));
  EXPECT_TRUE(platform::is_loaded("sk0_floating"));
}

TEST_F(floating_menu_window, buttons_without_a_program_are_silent) {
  for (const char* name : {"sk0f_menu_1", "sk0f_menu_8", "sk0f_menu_9"}) test::click(window, name);
  EXPECT_TRUE(launcher.started.isEmpty());
}

TEST_F(floating_menu_window, a_missing_program_asks_for_its_installation) {
  dialogs.expect_message("Please install 'KORVA-LEARNERS' (see www.korva-scope.co.za)")
      .icon(platform::msg_icon::critical)
      .title("KORVA-MARKS");
  test::click(window, "sk0f_menu_3");
  g_language = true;
  dialogs.expect_message("Installeer asb 'KORVA-SETTINGS' (sien www.korva-scope.co.za)")
      .icon(platform::msg_icon::critical);
  test::click(window, "sk0f_menu_14");
  EXPECT_TRUE(launcher.started.isEmpty());
}

TEST_F(floating_menu_window, exit_unloads) {
  test::click(window, "sk0f_exit");
  EXPECT_FALSE(platform::is_loaded("sk0_floating"));
}

}  // namespace
}  // namespace km
