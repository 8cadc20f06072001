#pragma once
// Key-down codes of the Windows virtual-key table, which the program's key
// handlers test ("27" is Esc, "48" to "57" the digit keys of the main
// keyboard, "106" the keypad's "*" ...). A code names the key, not the
// character: the shift state plays no part, so Shift+8 ("*" on a US
// keyboard) is the key 8, code 56, while the keypad's "*" is code 106.
// Characters of the main keyboard map as on a US layout.

#include <Qt>

class QKeyEvent;

namespace km::platform {

// The code of a Qt key with its modifiers (the keypad modifier tells the
// keypad's keys apart); 0 for a key without one.
int virtual_key_code(int qt_key, Qt::KeyboardModifiers modifiers);
int virtual_key_code(const QKeyEvent& event);

}  // namespace km::platform
