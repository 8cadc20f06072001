#pragma once
// The menu windows: the main menu, the two sub-menus, the password prompt
// and the change of data folder. The program registers their factories at
// start, so any window can open them by name.

namespace km {

void register_menu_windows();

}  // namespace km
