#pragma once
// A window's timer as the program uses it: Enabled and Interval properties
// and one handler. Setting Enabled to true, or changing the Interval while
// enabled, starts the count afresh; an interval of 0 never fires.
//
// Under the system clock a QTimer drives the handler. Under a fake clock
// (tests) no real timer runs: pump_events advances the fake clock to the
// next timer that is due and runs its handler, so waits take no real time
// and happen in the same order every run. Tests may also call fire() or the
// window's public handler directly.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace km::platform {

class form_timer : public QObject {
  Q_OBJECT

 public:
  form_timer(QObject* parent, const QString& name, int interval_ms = 0, bool enabled = false);
  ~form_timer() override;

  bool enabled() const { return enabled_; }
  void set_enabled(bool on);
  int interval() const { return interval_; }
  void set_interval(int ms);
  // Enabled with an interval above 0.
  bool running() const { return enabled_ && interval_ > 0; }

  void set_handler(std::function<void()> handler) { handler_ = std::move(handler); }
  // One tick: runs the handler now. The next tick is due one interval later.
  void fire();

  // When the next tick is due, on the clock's monotonic milliseconds.
  qint64 due_ms() const { return due_ms_; }

  // Under a fake clock: the running timer that is due first (ties go to
  // the one started first), or nullptr.
  static form_timer* next_due();

 private:
  void restart();
  void on_real_tick();

  std::function<void()> handler_;
  QTimer real_;
  int interval_ = 0;
  bool enabled_ = false;
  qint64 due_ms_ = 0;
  quint64 started_seq_ = 0;
};

// True while the clock in use is a fake clock.
bool clock_is_fake();

// One step of a wait that keeps the program responsive: processes pending
// events; under a fake clock then advances it to the next due form timer
// and runs that timer's handler; under the system clock waits for the next
// event instead. Throws program_ended when the program has ended meanwhile.
void pump_events();

}  // namespace km::platform
