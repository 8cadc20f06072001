#pragma once
// The clock of the program: the date and time of day, the seconds since
// midnight and a monotonic time for measuring intervals. Everything that
// asks for the time goes through clock(), so tests can put a fake_clock in
// its place and move time on by hand.

#include <QtGlobal>

namespace km::platform {

class clock_source {
 public:
  virtual ~clock_source() = default;
  // The current local date and time as a date value: days since 1899-12-30,
  // the fraction being the time of day.
  virtual double now() = 0;
  // Seconds since midnight, local time.
  virtual float timer() = 0;
  // Milliseconds on a clock that never runs backwards.
  virtual qint64 monotonic_ms() = 0;
};

// The clock in use: the system clock unless set_clock() put another in place.
clock_source& clock();

// Puts a clock in place (not owned; it must outlive its use). nullptr puts
// the system clock back.
void set_clock(clock_source* source);

// Today's date: the day part of now().
double today();

// A clock that only moves when told. Time is kept in whole milliseconds, so
// moving it on many times adds no rounding drift.
class fake_clock : public clock_source {
 public:
  // Starts at 2017-03-17 10:30:00 unless told otherwise.
  explicit fake_clock(double now_days = 42811.4375);

  double now() override;
  float timer() override;
  qint64 monotonic_ms() override;

  // Sets the date and time (a date value from 1899-12-30 on); the
  // monotonic time does not change.
  void set_now(double now_days);
  // Moves both the date and time and the monotonic time on; a negative
  // step is ignored.
  void advance_ms(qint64 ms);

 private:
  qint64 now_ms_ = 0;  // milliseconds since 1899-12-30 00:00
  qint64 monotonic_ms_ = 0;
};

// Puts a clock in place for the life of this object, then restores the
// clock that was in place before.
class scoped_clock {
 public:
  explicit scoped_clock(clock_source& source);
  ~scoped_clock();
  scoped_clock(const scoped_clock&) = delete;
  scoped_clock& operator=(const scoped_clock&) = delete;

 private:
  clock_source* previous_;
};

}  // namespace km::platform
