#include "platform/loaded_window_seam.h"

namespace km::platform {

namespace {

// Set once, by the window registry's start-up, before main.
loaded_window_routines g_routines;

}  // namespace

void set_loaded_window_routines(const loaded_window_routines& routines) { g_routines = routines; }

int loaded_window_count() { return g_routines.count ? g_routines.count() : 0; }

void unload_last_loaded_window() {
  if (g_routines.unload_last) g_routines.unload_last();
}

}  // namespace km::platform
