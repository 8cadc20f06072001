#pragma once
// Where the mouse cursor is on the screen. Tests put their own reader in
// place, so that a watch over the cursor can be driven without a mouse.

#include <QPoint>
#include <functional>

namespace km::platform {

// The cursor's place in screen pixels.
QPoint cursor_position();

// Replaces the system's reader; nullptr puts it back.
using cursor_reader = std::function<QPoint()>;
void set_cursor_reader(cursor_reader reader);

}  // namespace km::platform
