// Keys typed into a dialog belong to the dialog: the digits that are the
// menus' shortcuts (0 ends the program, 1 and 2 open the roads) do nothing
// to the menu behind a real Qt dialog that the menu opened.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "menu_test_support.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "support/qt_dialog_steps.h"
#include "support/window_helpers.h"

namespace km {
namespace {

class dialog_keys_test : public test::menu_test {
 protected:
  void SetUp() override {
    test::menu_test::SetUp();
    register_side_windows();
  }
  // The menu is the active window, as it is for the user who clicks it:
  // the dialogs it opens are then parented to it.
  static void make_active(platform::form* menu) {
    QApplication::setActiveWindow(menu);
    ASSERT_EQ(QApplication::activeWindow(), menu);
  }
  static QStringList loaded_names() {
    QStringList names;
    for (platform::form* f : platform::loaded_forms()) names.append(f->name());
    return names;
  }
};

TEST_F(dialog_keys_test, digits_typed_into_the_time_out_box_stay_in_the_box) {
  g_idle_timeout = 300;
  platform::form* menu = platform::show_form("punte_mnu");
  make_active(menu);
  const QStringList before = loaded_names();
  test::qt_dialog_steps steps({[menu](QDialog* box) {
                                 EXPECT_EQ(box->parentWidget(), menu);
                                 test::type_into_dialog(box, "\b\b\b10");
                                 QTest::keyClick(box, Qt::Key_Return);
                               },
                               [](QDialog* message) { QTest::keyClick(message, Qt::Key_Return); }});
  test::click(menu, "timeout");
  steps.verify();
  EXPECT_FALSE(platform::program_has_ended());
  EXPECT_EQ(loaded_names(), before);
  EXPECT_EQ(g_idle_timeout, 600.0f);
}

class folder_dialog_keys : public dialog_keys_test, public ::testing::WithParamInterface<const char*> {};

TEST_P(folder_dialog_keys, a_path_with_digits_typed_into_the_folder_dialog_stays_in_the_dialog) {
  if (QString(GetParam()) != "punte_mnu") platform::show_form("punte_mnu");
  platform::form* menu = platform::show_form(GetParam());
  make_active(menu);
  const QStringList before = loaded_names();
  test::qt_dialog_steps steps({[](QDialog* folder) {
    EXPECT_NE(folder->parentWidget(), nullptr);
    test::type_into_dialog(folder, "C:\\KORVA-DATA\\2010\\120");
    folder->reject();
  }});
  test::click(menu, "data_folder");
  steps.verify();
  EXPECT_FALSE(platform::program_has_ended());
  EXPECT_EQ(loaded_names(), before);
}

INSTANTIATE_TEST_SUITE_P(every_menu, folder_dialog_keys,
                         ::testing::Values("punte_mnu", "punte_menu1", "punte_menu2"));

}  // namespace
}  // namespace km
