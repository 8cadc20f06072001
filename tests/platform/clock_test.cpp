// The program's clock and the fake that tests put in its place.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include "platform/date_time.h"

namespace km::platform {
namespace {

constexpr qint64 ms_per_day = 86'400'000;

TEST(clock, fake_starts_at_a_known_moment) {
  fake_clock fake;
  EXPECT_EQ(fake.now(), 42811.4375);  // 2017-03-17 10:30:00
  EXPECT_EQ(fake.timer(), 37800.0f);
  EXPECT_EQ(fake.monotonic_ms(), 0);
}

TEST(clock, fake_moves_only_when_told) {
  fake_clock fake(*make_date(2020, 6, 1));
  EXPECT_EQ(fake.now(), *make_date(2020, 6, 1));
  fake.advance_ms(1500);
  EXPECT_EQ(fake.monotonic_ms(), 1500);
  EXPECT_EQ(fake.timer(), 1.5f);
  EXPECT_EQ(fake.now(), *make_date(2020, 6, 1) + 1500.0 / ms_per_day);
  fake.advance_ms(-1000);  // ignored: time never runs backwards
  EXPECT_EQ(fake.monotonic_ms(), 1500);
  fake.set_now(*make_date(2021, 1, 1) + 0.5);
  EXPECT_EQ(fake.timer(), 43200.0f);
  EXPECT_EQ(fake.monotonic_ms(), 1500);  // setting the date does not move the monotonic time
}

TEST(clock, many_small_steps_add_up_exactly) {
  fake_clock fake(0.0);
  for (int i = 0; i < 100000; ++i) fake.advance_ms(1);
  EXPECT_EQ(fake.monotonic_ms(), 100000);
  EXPECT_EQ(fake.timer(), 100.0f);
  EXPECT_EQ(fake.now(), 100000.0 / ms_per_day);
}

TEST(clock, timer_wraps_at_midnight) {
  fake_clock fake(*make_date(2017, 3, 17) + 0.999);
  fake.advance_ms(ms_per_day / 500);  // 0.002 of a day
  EXPECT_NEAR(fake.timer(), 86.4f, 0.001f);
  EXPECT_EQ(split_date(fake.now()).day, 18);
}

TEST(clock, set_clock_puts_the_fake_in_place_and_back) {
  fake_clock fake;
  set_clock(&fake);
  EXPECT_EQ(&clock(), &fake);
  EXPECT_EQ(clock().now(), 42811.4375);
  EXPECT_EQ(today(), 42811.0);
  set_clock(nullptr);
  EXPECT_NE(&clock(), &fake);
}

TEST(clock, scoped_clock_restores_the_clock_before_it) {
  fake_clock outer(1000.25), inner(2000.75);
  {
    scoped_clock a(outer);
    {
      scoped_clock b(inner);
      EXPECT_EQ(clock().now(), 2000.75);
      EXPECT_EQ(today(), 2000.0);
    }
    EXPECT_EQ(clock().now(), 1000.25);
  }
  EXPECT_NE(&clock(), &outer);
}

TEST(clock, system_clock_is_monotonic) {
  set_clock(nullptr);
  const qint64 first = clock().monotonic_ms();
  const qint64 second = clock().monotonic_ms();
  EXPECT_GE(second, first);
  const float t = clock().timer();
  EXPECT_GE(t, 0.0f);
  EXPECT_LT(t, 86400.0f);
}

}  // namespace
}  // namespace km::platform
