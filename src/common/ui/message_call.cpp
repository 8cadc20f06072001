#include "common/ui/message_call.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <algorithm>
#include <deque>
#include <limits>
#include <stdexcept>

#include "common/shared_variables.h"
#include "platform/form_timer.h"
#include "platform/program.h"
#include "platform/services.h"
#include "platform/ui/form.h"
#include "platform/ui/window_registry.h"

namespace km {

using platform::form;

namespace {

struct message_call {
  QPointer<QWidget> owner;
  QString text;
  QString title;
  int ms = 0;
  bool show_image = false;

  bool same_message(const message_call& other) const {
    return owner == other.owner && text == other.text && title == other.title;
  }
};

bool g_message_active = false;
message_call g_current_message;
std::deque<message_call> g_waiting_messages;
std::int32_t g_close_ms_left = 0;

// A test ends with no timed message showing or waiting.
void no_messages() {
  g_message_active = false;
  g_current_message = message_call();
  g_waiting_messages.clear();
  g_close_ms_left = 0;
}
const platform::reset_step no_messages_at_reset{platform::reset_stage::values, no_messages};

// An owner that was unloaded meanwhile (the idle log-out unloads windows
// during the wait) is not shown again.
bool owner_still_there(const QPointer<QWidget>& owner) {
  if (!owner) return false;
  if (auto* f = qobject_cast<form*>(owner.data())) return platform::is_loaded(f);
  return true;
}

void fill_message_lines(form& window, const QString& text) {
  auto* first = window.control<QLabel>(platform::control_name(QStringLiteral("lblMessage"), 0));
  auto* second = window.control<QLabel>(platform::control_name(QStringLiteral("lblMessage"), 1));
  const qsizetype dollar = text.indexOf(QLatin1Char('$'));
  if (dollar >= 0) {
    if (first) first->setText(text.left(dollar));
    if (second) second->setText(text.mid(dollar + 1));
  } else if (first) {
    first->setText(text);
  }
}

void show_one_message(const message_call& call) {
  // A message window that no call is waiting for would otherwise be found
  // by the load below and never closed.
  if (form* stray = platform::find_form(QStringLiteral("frmMessage"))) platform::unload_form(stray);
  QPointer<form> window = platform::load_form(QStringLiteral("frmMessage"));
  if (!window) throw std::runtime_error("the message window frmMessage is not registered");

  // Whatever ends the wait (the close timer, the window unloaded by someone
  // else, the program ending), the window goes and the owner comes back.
  struct finish {
    const QPointer<form>& window;
    const QPointer<QWidget>& owner;
    ~finish() {
      if (window && platform::is_loaded(window.data())) platform::unload_form(window.data());
      if (owner_still_there(owner)) {
        owner->show();
        owner->raise();
        owner->activateWindow();
        owner->setFocus(Qt::OtherFocusReason);
      }
    }
  } finish_call{window, call.owner};

  window->set_caption(call.title.isEmpty() ? platform::program_title() : call.title);
  fill_message_lines(*window, call.text);
  QPointer<platform::form_timer> close_timer = window->timer(QStringLiteral("Timer1"));
  platform::form_timer* count_down = window->timer(QStringLiteral("tmrLabel"));
  if (close_timer) close_timer->set_interval(call.ms);
  set_message_close_ms(call.ms);
  if (close_timer) close_timer->set_enabled(true);
  if (count_down) count_down->set_enabled(true);
  if (owner_still_there(call.owner)) call.owner->hide();
  if (!call.show_image)
    if (auto* image = window->control<QWidget>(QStringLiteral("Image1"))) image->hide();
  window->show_modeless();
  // A time of 0 or less never starts the close timer: the window closes at once.
  while (window && platform::is_loaded(window.data()) && close_timer && close_timer->running())
    platform::pump_events();
}

}  // namespace

void show_message_window(QWidget* owner, const QString& text, const QString& title, int ms, bool show_image) {
  message_call call{owner, text, title, ms, show_image};
  if (g_message_active) {
    const auto same = [&call](const message_call& m) { return m.same_message(call); };
    if (!call.same_message(g_current_message) &&
        std::none_of(g_waiting_messages.begin(), g_waiting_messages.end(), same))
      g_waiting_messages.push_back(call);
    return;
  }
  g_message_active = true;
  struct end_of_calls {
    ~end_of_calls() {
      g_message_active = false;
      g_waiting_messages.clear();
      g_current_message = message_call();
    }
  } end_guard;
  g_current_message = call;
  show_one_message(call);
  while (!g_waiting_messages.empty()) {
    g_current_message = g_waiting_messages.front();
    g_waiting_messages.pop_front();
    show_one_message(g_current_message);
  }
}

bool message_call_active() { return g_message_active; }
int queued_message_count() { return int(g_waiting_messages.size()); }

std::int32_t message_close_ms() { return g_close_ms_left; }

void set_message_close_ms(std::int32_t ms) {
  g_close_ms_left = ms;
  g_message_close_ms = static_cast<std::int16_t>(std::clamp<std::int32_t>(
      ms, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

void wait_milliseconds(int ms) {
  if (ms <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  // Each wait has a timer of its own, so a wait inside a wait leaves the
  // outer one's time alone.
  platform::form_timer timer(nullptr, QStringLiteral("wait"), ms, false);
  timer.set_handler([&timer] { timer.set_enabled(false); });
  timer.set_enabled(true);
  while (timer.running()) platform::pump_events();
}

}  // namespace km
