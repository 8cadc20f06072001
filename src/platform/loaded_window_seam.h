#pragma once
// What the engine and the logic above it may do with the loaded windows
// without drawing one: count them and unload the one loaded last. The
// window registry (ui/window_registry.cpp) puts its routines in place when
// it is linked in; a program without the window layer has no window loaded.

namespace km::platform {

struct loaded_window_routines {
  int (*count)() = nullptr;
  void (*unload_last)() = nullptr;
};

void set_loaded_window_routines(const loaded_window_routines& routines);

// The number of loaded windows: 0 without the window layer.
int loaded_window_count();
// Unloads the window loaded last (its unload hooks may refuse); nothing
// without the window layer.
void unload_last_loaded_window();

}  // namespace km::platform
