#pragma once
// Placing a window and its frame: centred on the screen with key preview,
// the close box refused, rounded corners.

#include "platform/ui/form.h"

namespace km {

// Centres the window on the screen, 480 twips above the middle, and turns
// its key preview on (its key handler then sees the keys typed into its
// controls, which the idle clock rests on).
void centre_form(platform::form& window);

// Refuses the window's close box (the window menu's Close is gone).
void remove_close_menu(platform::form& window);

// Gives the window rounded corners: a rounded-rectangle region as large as
// the window (its twips turned into pixels) with this corner diameter.
void round_form_corners(platform::form& window, int diameter);

}  // namespace km
