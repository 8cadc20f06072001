#pragma once
// The idle time-out file time_out.txt in the current directory: one
// number, the seconds of idleness after which the user is logged out to the
// main menu; 0 switches the log-out off.

namespace km {

// Seconds the idle log-out waits when time_out.txt does not say.
constexpr float default_idle_timeout = 300.0f;

// The time-out that time_out.txt holds. A missing file, and a file whose
// first field is no number, a negative number or a number too large for a
// single, count as missing: 300.
float load_idle_timeout();

}  // namespace km
