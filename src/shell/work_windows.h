#pragma once
// Closing the open windows the orderly way before the program ends: each
// window is asked through its own exit path (form::request_close), so a
// window holding unsaved or converted work can put it right first.

#include <QStringList>

namespace km {

// Asks every loaded window whose name is not in keep to close, the window
// loaded last first, until none is left. A window's exit path may show
// another window (a sub-menu, a print window); that one is asked in turn.
// False as soon as a window stays loaded after it was asked (it refused);
// the windows not yet asked are then left as they are.
bool close_windows_orderly(const QStringList& keep);

}  // namespace km
