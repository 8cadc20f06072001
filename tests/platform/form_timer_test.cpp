// Window timers under a fake clock: the wait step runs the timer that is
// due first, moving the clock to it; Enabled and Interval restart the
// count; an interval of 0 never fires.
#include "platform/form_timer.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"

namespace km::platform {
namespace {

class form_timer_test : public ::testing::Test {
 protected:
  fake_clock fake;
  scoped_clock use{fake};
};

TEST_F(form_timer_test, the_wait_step_runs_due_timers_in_time_order) {
  std::vector<std::pair<qint64, char>> ticks;
  const qint64 start = fake.monotonic_ms();
  form_timer slow(nullptr, "slow", 250, true);
  form_timer fast(nullptr, "fast", 100, true);
  slow.set_handler([&] { ticks.push_back({fake.monotonic_ms() - start, 's'}); });
  fast.set_handler([&] { ticks.push_back({fake.monotonic_ms() - start, 'f'}); });
  while (ticks.size() < 7) pump_events();
  const std::vector<std::pair<qint64, char>> expected = {{100, 'f'}, {200, 'f'}, {250, 's'}, {300, 'f'},
                                                         {400, 'f'}, {500, 's'}, {500, 'f'}};
  EXPECT_EQ(ticks, expected) << "at 500 the slow timer, started first, goes first";
}

TEST_F(form_timer_test, a_timer_that_switches_itself_off_ends_a_wait) {
  form_timer once(nullptr, "Timer1", 5000, true);
  once.set_handler([&] { once.set_enabled(false); });
  const qint64 start = fake.monotonic_ms();
  const float timer_start = fake.timer();
  while (once.running()) pump_events();
  EXPECT_EQ(fake.monotonic_ms() - start, 5000);
  EXPECT_FLOAT_EQ(fake.timer() - timer_start, 5.0f) << "the seconds-since-midnight clock moves too";
}

TEST_F(form_timer_test, enabling_or_changing_the_interval_restarts_the_count) {
  int fired = 0;
  form_timer t(nullptr, "t", 1000, true);
  t.set_handler([&] { ++fired; });
  fake.advance_ms(600);
  t.set_interval(1000);  // restarts: due 1000 ms from now
  EXPECT_EQ(t.due_ms(), fake.monotonic_ms() + 1000);
  t.set_enabled(true);  // already on: no restart
  EXPECT_EQ(t.due_ms(), fake.monotonic_ms() + 1000);
  t.set_enabled(false);
  fake.advance_ms(300);
  t.set_enabled(true);
  EXPECT_EQ(t.due_ms(), fake.monotonic_ms() + 1000);
  EXPECT_EQ(fired, 0);
}

TEST_F(form_timer_test, an_interval_of_zero_or_a_disabled_timer_never_fires) {
  form_timer zero(nullptr, "zero", 0, true);
  form_timer off(nullptr, "off", 100, false);
  EXPECT_FALSE(zero.running());
  EXPECT_FALSE(off.running());
  form_timer* next = form_timer::next_due();
  EXPECT_TRUE(next != &zero && next != &off);
}

TEST_F(form_timer_test, fire_runs_the_handler_on_demand) {
  int fired = 0;
  form_timer t(nullptr, "t", 0, false);
  t.set_handler([&] { ++fired; });
  t.fire();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(t.objectName(), "t");
}

TEST_F(form_timer_test, a_deleted_timer_is_no_longer_due) {
  auto* t = new form_timer(nullptr, "gone", 10, true);
  EXPECT_EQ(form_timer::next_due(), t);
  delete t;
  EXPECT_EQ(form_timer::next_due(), nullptr);
}

}  // namespace
}  // namespace km::platform

namespace km::platform {
namespace {

// The program's own path: under the system clock a real timer drives the
// handler from the event loop (no time is measured here).
TEST(form_timer_system_clock, a_real_timer_drives_the_handler) {
  ASSERT_FALSE(clock_is_fake());
  form_timer once(nullptr, "Timer1", 20, true);
  int fired = 0;
  once.set_handler([&] {
    ++fired;
    once.set_enabled(false);
  });
  while (once.running()) pump_events();
  EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace km::platform
