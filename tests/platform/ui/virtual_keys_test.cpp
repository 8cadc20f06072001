#include "platform/ui/virtual_keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace km::platform {
namespace {

struct key_case {
  int qt_key;
  Qt::KeyboardModifiers modifiers;
  int code;
};

class virtual_keys : public ::testing::TestWithParam<key_case> {};

TEST_P(virtual_keys, name_the_key_not_the_character) {
  const auto& c = GetParam();
  EXPECT_EQ(virtual_key_code(c.qt_key, c.modifiers), c.code) << std::hex << c.qt_key;
  const QKeyEvent event(QEvent::KeyPress, c.qt_key, c.modifiers);
  EXPECT_EQ(virtual_key_code(event), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    cases, virtual_keys,
    ::testing::Values(
        // Digits of the main keyboard, shifted or not.
        key_case{Qt::Key_0, Qt::NoModifier, 48}, key_case{Qt::Key_9, Qt::NoModifier, 57},
        key_case{Qt::Key_Asterisk, Qt::ShiftModifier, 56}, key_case{Qt::Key_ParenLeft, Qt::ShiftModifier, 57},
        key_case{Qt::Key_ParenRight, Qt::ShiftModifier, 48}, key_case{Qt::Key_Exclam, Qt::ShiftModifier, 49},
        // The keypad.
        key_case{Qt::Key_0, Qt::KeypadModifier, 96}, key_case{Qt::Key_9, Qt::KeypadModifier, 105},
        key_case{Qt::Key_Asterisk, Qt::KeypadModifier, 106}, key_case{Qt::Key_Plus, Qt::KeypadModifier, 107},
        key_case{Qt::Key_Minus, Qt::KeypadModifier, 109}, key_case{Qt::Key_Period, Qt::KeypadModifier, 110},
        key_case{Qt::Key_Slash, Qt::KeypadModifier, 111}, key_case{Qt::Key_Enter, Qt::KeypadModifier, 13},
        // Keypad Delete with Num Lock off is Delete.
        key_case{Qt::Key_Delete, Qt::KeypadModifier, 46},
        // Punctuation of the main keyboard.
        key_case{Qt::Key_Equal, Qt::NoModifier, 187}, key_case{Qt::Key_Plus, Qt::ShiftModifier, 187},
        key_case{Qt::Key_Minus, Qt::NoModifier, 189}, key_case{Qt::Key_Period, Qt::NoModifier, 190},
        key_case{Qt::Key_Slash, Qt::NoModifier, 191},
        // Letters, whatever the shift state.
        key_case{Qt::Key_C, Qt::NoModifier, 67}, key_case{Qt::Key_C, Qt::ShiftModifier, 67},
        // Control keys.
        key_case{Qt::Key_Escape, Qt::NoModifier, 27}, key_case{Qt::Key_Delete, Qt::NoModifier, 46},
        key_case{Qt::Key_Return, Qt::NoModifier, 13}, key_case{Qt::Key_F1, Qt::NoModifier, 112},
        key_case{Qt::Key_F12, Qt::NoModifier, 123}, key_case{Qt::Key_Left, Qt::NoModifier, 37},
        key_case{Qt::Key_Tab, Qt::NoModifier, 9}, key_case{Qt::Key_Backtab, Qt::ShiftModifier, 9},
        // No code.
        key_case{Qt::Key_Eacute, Qt::NoModifier, 0}, key_case{Qt::Key_unknown, Qt::NoModifier, 0}));

}  // namespace
}  // namespace km::platform
