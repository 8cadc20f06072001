#pragma once
// The windows of printing, registered with the window registry so that any
// part of the program can open them by name.

namespace km {

// Registers kies_drukker (the printer choice) and wys_druk_vordering (the
// print progress window).
void register_printing_windows();

}  // namespace km
