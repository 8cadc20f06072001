#pragma once
// The idle clock: the moment of the user's last activity, which the idle
// log-out measures from.

#include <QtGlobal>

namespace km {

// The last activity is now (seconds since midnight).
void reset_idle_clock();
// When reset_idle_clock last ran, on the clock's monotonic milliseconds
// (0 before it ever ran): the idle watch measures idle time from it.
qint64 last_activity_monotonic_ms();

}  // namespace km
