#include "shell/cre8_korva_admin_from_nw_admin.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QListWidget>

#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "side_window_test_support.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::msg_icon;

QStringList items(QListWidget* list) {
  QStringList out;
  if (!list) return out;
  for (int i = 0; i < list->count(); ++i) out.append(list->item(i)->text());
  return out;
}

class relocation_window : public test::side_window_test {
 protected:
  void SetUp() override {
    test::side_window_test::SetUp();
    g_admin_folder = "D:\\NW_ADMIN";
    g_settings_folder = "C:\\ProgramData\\OSKAVEN";
    g_program_root = "C:\\PF";
    drives.write_native("D/NW_ADMIN/LEERDERS/a.txt", "a");
    drives.write_native("D/NW_ADMIN/FOTOS/b.jpg", "b");
    drives.write_native("D/NW_ADMIN/KASBOEK/c.txt", "c");
    drives.write_native("D/NW_ADMIN/top.txt", "top");
    drives.make_native_folder("C/ProgramData/OSKAVEN");
  }
  bool exists(const QString& relative) const { return QFileInfo::exists(drives.base() + "/" + relative); }

  test::temp_drives drives;
  platform::fake_clock clock{42811.4375};
  platform::scoped_clock use_clock{clock};
};

TEST_F(relocation_window, runs_while_loading_and_shows_the_moved_folders) {
  dialogs
      .expect_message(
          "All folders from the 'D:\\NW_ADMIN' folder will now be moved to the new 'D:\\OSKAVEN\\ADMIN' "
          "folder !")
      .icon(msg_icon::critical)
      .title("KORVA-MARKS");
  dialogs
      .expect_message(
          "The relocation of D:\\NW_ADMIN to D:\\OSKAVEN\\ADMIN is complete ...\r\n\r\n"
          "The D:\\NW_ADMIN folder was renamed to D:\\NW_ADMIN_20170317")
      .icon(msg_icon::critical);
  auto* w = platform::show_form("cre8_korva_admin_from_nw_admin");
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(items(test::find_control_as<QListWidget>(w, "van_dir")), QStringList());
  EXPECT_EQ(items(test::find_control_as<QListWidget>(w, "na_dir")), QStringList({"FOTOS", "LEERDERS"}));
  EXPECT_TRUE(exists("D/OSKAVEN/ADMIN/LEERDERS/a.txt"));
  EXPECT_FALSE(exists("D/OSKAVEN/ADMIN/KASBOEK"));
  EXPECT_TRUE(exists("D/NW_ADMIN_20170317/KASBOEK/c.txt"));
  EXPECT_TRUE(exists("C/ProgramData/OSKAVEN/network.dta"));
  EXPECT_EQ(g_admin_folder, "D:\\OSKAVEN\\ADMIN");
}

TEST_F(relocation_window, the_lists_follow_the_progress) {
  // Nothing is listed before the announcement; a folder passes to the moved
  // list once it is copied, and one whose copy failed stays to be moved.
  dialogs
      .expect_message(
          "All folders from the 'D:\\NW_ADMIN' folder will now be moved to the new "
          "'D:\\OSKAVEN\\ADMIN' folder !")
      .icon(msg_icon::critical)
      .while_shown([] {
        auto* w = platform::find_form("cre8_korva_admin_from_nw_admin");
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(items(w->findChild<QListWidget*>("van_dir")), QStringList());
      });
  dialogs
      .expect_message(
          "The folder 'LEERDERS' could not be copied to 'D:\\OSKAVEN\\ADMIN' (File already exists)."
          "\r\n\r\nThe relocation was stopped: the network files were not changed and the "
          "'D:\\NW_ADMIN' folder was not renamed.")
      .icon(msg_icon::critical)
      .while_shown([] {
        auto* w = platform::find_form("cre8_korva_admin_from_nw_admin");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(items(w->findChild<QListWidget*>("van_dir")), QStringList({"LEERDERS"}));
        EXPECT_EQ(items(w->findChild<QListWidget*>("na_dir")), QStringList({"FOTOS"}));
      });
  drives.write_native("D/OSKAVEN/ADMIN/LEERDERS", "a file in the way");
  auto* w = platform::show_form("cre8_korva_admin_from_nw_admin");
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(platform::is_loaded("cre8_korva_admin_from_nw_admin"));
  EXPECT_TRUE(exists("D/NW_ADMIN/top.txt"));
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/network.dta"));
  EXPECT_EQ(g_admin_folder, "D:\\NW_ADMIN");
}

TEST_F(relocation_window, a_path_without_nw_admin_is_reported_and_the_window_goes) {
  g_admin_folder = "D:\\ADMIN";
  dialogs.expect_message("The folder 'D:\\ADMIN' does not contain '\\NW_ADMIN': nothing was moved.")
      .icon(msg_icon::critical);
  EXPECT_EQ(platform::show_form("cre8_korva_admin_from_nw_admin"), nullptr);
  EXPECT_FALSE(platform::is_loaded("cre8_korva_admin_from_nw_admin"));
  EXPECT_FALSE(exists("D/OSKAVEN"));
}

TEST_F(relocation_window, a_missing_old_folder_unloads_the_window_silently) {
  g_admin_folder = "D:\\GONE\\NW_ADMIN";
  EXPECT_EQ(platform::show_form("cre8_korva_admin_from_nw_admin"), nullptr);
  EXPECT_FALSE(platform::is_loaded("cre8_korva_admin_from_nw_admin"));
}

}  // namespace
}  // namespace km
