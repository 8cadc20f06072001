#include "platform/form_timer.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

#include "platform/clock.h"
#include "platform/program.h"
#include "platform/services.h"

namespace km::platform {

namespace {

// Every timer that exists, so that a fake clock can find the next one due.
std::vector<form_timer*>& all_timers() {
  static std::vector<form_timer*> timers;
  return timers;
}

quint64 g_start_sequence = 0;

// A timer a test left behind (its window's timers go with the window) stops,
// so that it cannot fire in the next test.
void stop_timers() {
  for (form_timer* t : all_timers()) t->set_enabled(false);
}
const reset_step stop_timers_at_reset{reset_stage::windows, stop_timers};
const reset_step restart_sequence{reset_stage::values, [] { g_start_sequence = 0; }};

}  // namespace

bool clock_is_fake() { return dynamic_cast<fake_clock*>(&clock()) != nullptr; }

form_timer::form_timer(QObject* parent, const QString& name, int interval_ms, bool enabled)
    : QObject(parent), interval_(interval_ms), enabled_(enabled) {
  setObjectName(name);
  real_.setTimerType(Qt::PreciseTimer);
  connect(&real_, &QTimer::timeout, this, &form_timer::on_real_tick);
  all_timers().push_back(this);
  restart();
}

form_timer::~form_timer() { std::erase(all_timers(), this); }

void form_timer::set_enabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  restart();
}

void form_timer::set_interval(int ms) {
  interval_ = ms;
  if (enabled_) restart();
}

void form_timer::restart() {
  started_seq_ = ++g_start_sequence;
  due_ms_ = clock().monotonic_ms() + interval_;
  real_.stop();
  if (running() && !clock_is_fake()) real_.start(interval_);
}

void form_timer::fire() {
  if (running()) due_ms_ = clock().monotonic_ms() + interval_;
  if (handler_) handler_();
}

void form_timer::on_real_tick() {
  // A fake clock put in place after the timer started takes over.
  if (clock_is_fake()) {
    real_.stop();
    return;
  }
  run_handler([this] { fire(); });
}

form_timer* form_timer::next_due() {
  form_timer* best = nullptr;
  for (form_timer* t : all_timers()) {
    if (!t->running()) continue;
    if (!best || t->due_ms_ < best->due_ms_ ||
        (t->due_ms_ == best->due_ms_ && t->started_seq_ < best->started_seq_))
      best = t;
  }
  return best;
}

void pump_events() {
  if (take_pending_program_end()) throw program_ended();
  if (auto* fake = dynamic_cast<fake_clock*>(&clock())) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (take_pending_program_end()) throw program_ended();
    if (form_timer* next = form_timer::next_due()) {
      const qint64 now = fake->monotonic_ms();
      if (next->due_ms() > now) fake->advance_ms(next->due_ms() - now);
      next->fire();
    } else {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  } else {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  if (take_pending_program_end()) throw program_ended();
}

}  // namespace km::platform
