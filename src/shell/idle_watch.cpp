#include "shell/idle_watch.h"

#include <QPointer>
#include <algorithm>
#include <cmath>

#include "common/idle_clock.h"
#include "common/shared_variables.h"
#include "common/ui/message_call.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "platform/ui/cursor_position.h"
#include "platform/ui/window_registry.h"

namespace km {

namespace {

const QString startup_name = QStringLiteral("startup");
const QString main_menu_name = QStringLiteral("punte_mnu");
const QString message_window_name = QStringLiteral("frmMessage");

// Windows shown modally and still on the screen, the last loaded first.
QList<QPointer<platform::form>> modal_windows() {
  QList<QPointer<platform::form>> out;
  const QList<platform::form*> windows = platform::loaded_forms();
  for (auto it = windows.crbegin(); it != windows.crend(); ++it)
    if ((*it)->isVisible() && (*it)->windowModality() != Qt::NonModal) out.append(*it);
  return out;
}

}  // namespace

void close_all_forms() {
  const QList<platform::form*> windows = platform::loaded_forms();
  for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
    QPointer<platform::form> window(*it);
    if (!window || !platform::is_loaded(window.data()) || window->objectName() == startup_name) continue;
    window->request_close();
  }
  // An exit path may refuse, or open its menu again: what is left goes.
  platform::unload_all_but(startup_name);
}

idle_watch::idle_watch(platform::form& owner) : owner_(owner) {}

void idle_watch::start() {
  position_recorded_ = false;
  mark_activity_now();
}

void idle_watch::mark_activity_now() {
  g_last_activity = platform::clock().timer();
  seen_activity_ = g_last_activity;
  activity_ms_ = platform::clock().monotonic_ms();
}

void idle_watch::follow_activity() {
  if (g_last_activity == seen_activity_) return;
  // Someone marked activity since the last tick. reset_idle_clock notes its
  // moment on the monotonic clock; a mark made otherwise is placed by its
  // distance from now, and one that lies ahead of now (the day turned
  // meanwhile) or far back counts as now.
  seen_activity_ = g_last_activity;
  const qint64 now_ms = platform::clock().monotonic_ms();
  const qint64 stamped = last_activity_monotonic_ms();
  if (stamped > activity_ms_ && stamped <= now_ms) {
    activity_ms_ = stamped;
    return;
  }
  const double ago = double(platform::clock().timer()) - double(g_last_activity);
  if (ago >= 0.0 && ago <= 1.0)
    activity_ms_ = std::max(activity_ms_, now_ms - static_cast<qint64>(std::llround(ago * 1000.0)));
  else
    activity_ms_ = now_ms;
}

double idle_watch::idle_seconds() const {
  return double(platform::clock().monotonic_ms() - activity_ms_) / 1000.0;
}

void idle_watch::tick() {
  const QPoint position = platform::cursor_position();
  if (!position_recorded_) {
    position_recorded_ = true;
  } else if (position != last_position_) {
    mark_activity_now();
  }
  last_position_ = position;
  follow_activity();

  if (log_out_pending_) {
    continue_log_out();
    return;
  }
  if (g_idle_timeout == 0.0f) return;

  // Warning in the last five seconds; both tests are strict.
  if (!warning_active_ && idle_seconds() > double(g_idle_timeout) - 5.0) show_warning();
  if (log_out_pending_) return;
  follow_activity();
  if (g_idle_timeout != 0.0f && idle_seconds() > double(g_idle_timeout)) {
    log_out_pending_ = true;
    continue_log_out();
  }
}

void idle_watch::show_warning() {
  warning_active_ = true;
  struct end_of_warning {
    bool& active;
    ~end_of_warning() { active = false; }
  } guard{warning_active_};
  show_message_window(&owner_, QString(), QStringLiteral("TIME-OUT"), 5000);
}

void idle_watch::continue_log_out() {
  if (in_log_out_) {
    // A window's exit path asks something while the windows close: nobody
    // is there to answer.
    platform::dialogs().dismiss_open_prompts();
    return;
  }
  in_log_out_ = true;
  struct end_of_step {
    bool& flag;
    ~end_of_step() { flag = false; }
  } guard{in_log_out_};

  // What waits for the user is closed first; its loop unwinds before the
  // windows go, so no handler resumes in a window that is gone.
  bool waiting = false;
  if (platform::dialogs().open_prompts() > 0) {
    platform::dialogs().dismiss_open_prompts();
    waiting = true;
  }
  for (const QPointer<platform::form>& window : modal_windows()) {
    if (!window) continue;
    window->request_close();
    if (window && platform::is_loaded(window.data()) && window->isVisible()) window->hide();
    waiting = true;
  }
  if (platform::form* message = platform::find_form(message_window_name)) {
    // The warning (or another timed message) is still waiting: end it.
    platform::unload_form(message);
    waiting = true;
  }
  if (waiting || warning_active_ || message_call_active()) return;

  close_all_forms();
  log_out_pending_ = false;
  ++log_outs_;
  platform::show_form(main_menu_name);
  mark_activity_now();
}

}  // namespace km
