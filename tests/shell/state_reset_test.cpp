// The state this layer keeps goes back to its start with
// platform::reset_for_tests().
#include <gtest/gtest.h>

#include <QPoint>

#include "platform/ui/cursor_position.h"
#include "shell/environment.h"
#include "shell/idle_watch.h"
#include "shell/menu_passwords.h"
#include "shell/setup_txt.h"
#include "support/reset_cases.h"

namespace km {
namespace {

TEST(state_reset, puts_the_settings_passwords_and_cursor_back) {
  const test::reset_case cases[] = {
      {"setup.txt values", [] { g_setup_line3_value2 = "kept"; }, [] { return g_setup_line3_value2; }},
      {"setting-change messages", [] { EXPECT_TRUE(set_locale_info(locale_decimal, ",")); },
       [] { return QString::number(setting_change_messages()); }},
      {"stand-in password lists", [] { menu_password_list().append("punte_mnu:1", "secret"); },
       [] { return QString::number(menu_password_list().count()); }},
      {"cursor reader", [] { platform::set_cursor_reader([] { return QPoint(-7, -7); }); },
       [] { return QString::number(platform::cursor_position().x()); }},
  };
  test::expect_reset_restores(cases);
}

}  // namespace
}  // namespace km
