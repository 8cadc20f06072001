#include "platform/clock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTime>
#include <algorithm>
#include <cmath>

#include "platform/date_time.h"
#include "platform/services.h"

namespace km::platform {

namespace {

constexpr qint64 ms_per_day = 86'400'000;

// The machine's clock, read in local time.
class system_clock final : public clock_source {
 public:
  system_clock() { started_.start(); }

  double now() override {
    const QDateTime current = QDateTime::currentDateTime();
    const QDate d = current.date();
    const QTime t = current.time();
    const double day = make_date(d.year(), d.month(), d.day()).value_or(0.0);
    return day + t.msecsSinceStartOfDay() / double(ms_per_day);
  }

  float timer() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0f; }

  qint64 monotonic_ms() override { return started_.elapsed(); }

 private:
  QElapsedTimer started_;
};

system_clock& the_system_clock() {
  static system_clock instance;
  return instance;
}

}  // namespace

clock_source& clock() {
  if (clock_source* source = services().clock) return *source;
  return the_system_clock();
}

void set_clock(clock_source* source) { services().clock = source; }

double today() { return std::trunc(clock().now()); }

fake_clock::fake_clock(double now_days) { set_now(now_days); }

double fake_clock::now() { return now_ms_ / double(ms_per_day); }

float fake_clock::timer() { return static_cast<float>((now_ms_ % ms_per_day) / 1000.0); }

qint64 fake_clock::monotonic_ms() { return monotonic_ms_; }

void fake_clock::set_now(double now_days) {
  now_ms_ = std::llround(std::max(now_days, 0.0) * double(ms_per_day));
}

void fake_clock::advance_ms(qint64 ms) {
  if (ms <= 0) return;  // time never runs backwards
  now_ms_ += ms;
  monotonic_ms_ += ms;
}

scoped_clock::scoped_clock(clock_source& source) : previous_(services().clock) { services().clock = &source; }

scoped_clock::~scoped_clock() { services().clock = previous_; }

}  // namespace km::platform
