#pragma once
// The idle watch of the start-up window: every 100 ms it looks at the
// cursor; five seconds before the idle time-out it shows the closing-down
// warning, and once the time-out has passed it logs the user out: every
// window but the start-up window closes and the main menu opens afresh.
//
// Idle time is measured on the clock's monotonic time, so the watch keeps
// working across midnight. g_last_activity (seconds since midnight) stays
// the shared mark of activity: the work windows' key handlers set it
// (reset_idle_clock), and the watch notices each change and takes its
// moment from the difference to the current time.

#include <QPoint>

#include "platform/ui/form.h"

namespace km {

// Closes every loaded window whose name is not exactly "startup", each
// through its own orderly close (the last loaded first); windows that
// remain after that, or that an exit path opened again, are unloaded.
void close_all_forms();

class idle_watch {
 public:
  // owner: the window the warning hides while it is shown.
  explicit idle_watch(platform::form& owner);

  // At load: the last activity is now; the cursor is not yet known.
  void start();
  // One tick of the 100 ms timer.
  void tick();

  bool warning_shown() const { return warning_active_; }
  bool log_out_pending() const { return log_out_pending_; }
  // Log-outs completed since start (tests and the status of the window).
  int log_outs() const { return log_outs_; }

 private:
  // Brings the monotonic mark up to date with g_last_activity.
  void follow_activity();
  void mark_activity_now();
  // Seconds since the last activity, on the monotonic clock.
  double idle_seconds() const;
  void show_warning();
  // Goes on with a log-out: first closes what waits for the user, then,
  // once nothing does, unloads the windows and opens the main menu.
  void continue_log_out();

  platform::form& owner_;
  bool position_recorded_ = false;
  QPoint last_position_;
  float seen_activity_ = 0.0f;   // g_last_activity as the watch last saw it
  qint64 activity_ms_ = 0;       // its moment on the monotonic clock
  bool warning_active_ = false;  // the warning's message is on the screen
  bool log_out_pending_ = false;
  bool in_log_out_ = false;  // a step of the log-out is running
  int log_outs_ = 0;
};

}  // namespace km
