#pragma once
// The side windows of the menus: the calculator, the manuals, the floating
// system menu, the system information and the administration-folder
// relocation. The program registers their factories at start, so any
// window can open them by name.

namespace km {

void register_side_windows();

}  // namespace km
