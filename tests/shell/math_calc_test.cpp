#include "shell/math_calc.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/shared_variables.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "side_window_test_support.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using test::click;
using test::press_key;

class math_calc_window : public test::side_window_test {
 protected:
  void SetUp() override {
    test::side_window_test::SetUp();
    window = platform::show_form("MathCalc");
    ASSERT_NE(window, nullptr);
  }
  QString display() const { return test::find_control_as<QLabel>(window, "Display")->text(); }
  void click_all(std::initializer_list<const char*> names) {
    for (const char* name : names) click(window, name);
  }

  platform::form* window = nullptr;
};

TEST_F(math_calc_window, loads_with_its_caption_size_and_empty_display) {
  EXPECT_EQ(window->caption(), "Math Calculator");
  EXPECT_EQ(window->width_twips(), 3180);
  EXPECT_EQ(window->height_twips(), 3420);
  EXPECT_EQ(display(), "");
  for (int n = 0; n <= 9; ++n)
    EXPECT_EQ(test::find_control_as<QPushButton>(window, platform::control_name("Digits", n))->text(),
              QString::number(n));
  const std::pair<const char*, const char*> buttons[] = {
      {"Plus", "+"},    {"Minus", "-"},       {"Times", "*"},  {"Div", "/"},      {"Equals", "="},
      {"DotBttn", "."}, {"PlusMinus", "+/-"}, {"Over", "1/X"}, {"ClearBttn", "C"}};
  for (const auto& [name, caption] : buttons)
    EXPECT_EQ(test::find_control_as<QPushButton>(window, name)->text(), caption) << name;
}

TEST_F(math_calc_window, buttons_calculate_and_repeat_equals) {
  click_all({"Digits_2", "Plus", "Digits_3", "Equals"});
  EXPECT_EQ(display(), "5");
  click(window, "Equals");
  EXPECT_EQ(display(), "7");
  click_all({"Digits_4", "Over"});
  EXPECT_EQ(display(), "0.25");
  click_all({"Digits_3", "PlusMinus"});
  EXPECT_EQ(display(), "-0.253");
  click_all({"ClearBttn", "DotBttn", "Digits_5", "DotBttn"});
  EXPECT_EQ(display(), ".5");
}

TEST_F(math_calc_window, keys_work_as_their_buttons) {
  press_key(window, Qt::Key_7);
  // Shift+8 types "*" but is the key 8: a digit, not the times button.
  press_key(window, Qt::Key_Asterisk, Qt::ShiftModifier);
  EXPECT_EQ(display(), "78");
  press_key(window, Qt::Key_Asterisk, Qt::KeypadModifier);
  press_key(window, Qt::Key_2);
  press_key(window, Qt::Key_Equal);
  EXPECT_EQ(display(), "156");
  // Shift+= types "+" on the "=" key: still "=".
  press_key(window, Qt::Key_Plus, Qt::ShiftModifier);
  EXPECT_EQ(display(), "12168");
  // Keypad digits and the main keyboard's minus do nothing.
  press_key(window, Qt::Key_5, Qt::KeypadModifier);
  press_key(window, Qt::Key_Minus);
  EXPECT_EQ(display(), "12168");
  press_key(window, Qt::Key_C);
  EXPECT_EQ(display(), "");
  press_key(window, Qt::Key_Delete);
  press_key(window, Qt::Key_5);
  press_key(window, Qt::Key_Plus, Qt::KeypadModifier);
  press_key(window, Qt::Key_1);
  press_key(window, Qt::Key_Equal);
  EXPECT_EQ(display(), "1.5");
  press_key(window, Qt::Key_9);
  press_key(window, Qt::Key_Slash, Qt::KeypadModifier);
  press_key(window, Qt::Key_0);
  press_key(window, Qt::Key_Equal);
  EXPECT_EQ(display(), "0");
}

TEST_F(math_calc_window, keys_reach_the_window_from_a_focused_button) {
  auto* nine = test::find_control_as<QPushButton>(window, "Digits_9");
  press_key(nine, Qt::Key_4);
  press_key(nine, Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(display(), "");
  press_key(nine, Qt::Key_1);
  press_key(nine, Qt::Key_Equal);
  EXPECT_EQ(display(), "3");
}

TEST_F(math_calc_window, keypad_minus_gives_the_minus_button_the_focus) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  test::find_control_as<QPushButton>(window, "Digits_1")->setFocus();
  press_key(window, Qt::Key_6);
  press_key(window, Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(QApplication::focusWidget(), test::find_control(window, "Minus"));
}

TEST_F(math_calc_window, overflow_shows_the_error_and_error) {
  auto* calc = qobject_cast<MathCalc*>(window);
  ASSERT_NE(calc, nullptr);
  calc->press(calc_action::digit, 1);
  for (int i = 0; i < 200; ++i) calc->press(calc_action::digit, 0);
  click(window, "Times");
  calc->press(calc_action::digit, 1);
  for (int i = 0; i < 200; ++i) calc->press(calc_action::digit, 0);
  dialogs.expect_message("The operation resulted in the following error\r\nOverflow")
      .buttons(platform::msg_buttons::ok)
      .title("KORVA-MARKS");
  click(window, "Equals");
  EXPECT_EQ(display(), "ERROR");
  // The next digit starts afresh.
  click(window, "Digits_5");
  EXPECT_EQ(display(), "5");
}

TEST_F(math_calc_window, overflow_in_the_reciprocal_is_reported_the_same_way) {
  auto* calc = qobject_cast<MathCalc*>(window);
  ASSERT_NE(calc, nullptr);
  // 1 / 1E+200 / 1E+110 leaves 1E-310, whose reciprocal is beyond a double.
  click_all({"Digits_1", "Div", "Digits_1"});
  for (int i = 0; i < 200; ++i) click(window, "Digits_0");
  click_all({"Equals", "Div", "Digits_1"});
  for (int i = 0; i < 110; ++i) click(window, "Digits_0");
  click(window, "Equals");
  dialogs.expect_message("The operation resulted in the following error\r\nOverflow");
  click(window, "Over");
  EXPECT_EQ(display(), "ERROR");
}

TEST_F(math_calc_window, esc_unloads_and_the_next_show_starts_afresh) {
  click_all({"Digits_2", "Plus"});
  press_key(window, Qt::Key_Escape);
  EXPECT_FALSE(platform::is_loaded("MathCalc"));
  test::run_events();
  window = platform::show_form("MathCalc");
  ASSERT_NE(window, nullptr);
  click_all({"Digits_3", "Equals"});
  EXPECT_EQ(display(), "0");  // no pending operator any more
}

TEST_F(math_calc_window, the_close_box_unloads_like_esc) {
  click_all({"Digits_2", "Plus"});
  window->close();
  EXPECT_FALSE(platform::is_loaded("MathCalc"));
  test::run_events();
  window = platform::show_form("MathCalc");
  ASSERT_NE(window, nullptr);
  click_all({"Digits_3", "Equals"});
  EXPECT_EQ(display(), "0");
}

TEST_F(math_calc_window, hiding_keeps_the_calculation) {
  click_all({"Digits_2", "Plus"});
  platform::hide_form("MathCalc");
  window = platform::show_form("MathCalc");
  click_all({"Digits_3", "Equals"});
  EXPECT_EQ(display(), "5");
}

TEST(side_windows, every_window_is_registered_by_name) {
  register_side_windows();
  for (const char* name :
       {"MathCalc", "acrobat_interface", "sk0_floating", "statistics", "cre8_korva_admin_from_nw_admin"})
    EXPECT_TRUE(platform::has_form_factory(name)) << name;
}

}  // namespace
}  // namespace km
