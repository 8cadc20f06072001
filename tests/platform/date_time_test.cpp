// Date values, their texts in the system's formats, and reading dates from
// text.
#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/clock.h"
#include "platform/system_settings.h"
#include "platform/value.h"
#include "support/value_errors.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

class date_time_test : public ::testing::Test {
 protected:
  fake_clock fake_;  // 2017-03-17 10:30:00
  scoped_clock clock_in_place_{fake_};
};

struct day_case {
  int y, m, d;
  double expected;
};

TEST_F(date_time_test, make_date_counts_days_from_1899_12_30) {
  const day_case cases[] = {
      {2017, 3, 17, 42811}, {1899, 12, 30, 0},       {1899, 12, 29, -1},
      {1900, 1, 1, 2},      {1900, 3, 1, 61},        {2000, 2, 29, 36585},
      {100, 1, 1, -657434}, {9999, 12, 31, 2958465}, {1925, 5, 1, 9253},
  };
  for (const day_case& c : cases) {
    ASSERT_TRUE(make_date(c.y, c.m, c.d).has_value()) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(*make_date(c.y, c.m, c.d), c.expected) << c.y << "-" << c.m << "-" << c.d;
    const date_parts p = split_date(c.expected);
    EXPECT_EQ(p, (date_parts{c.y, c.m, c.d, 0, 0, 0}));
  }
}

TEST_F(date_time_test, make_date_refuses_days_that_do_not_exist) {
  EXPECT_FALSE(make_date(1900, 2, 29));
  EXPECT_FALSE(make_date(2017, 2, 29));
  EXPECT_FALSE(make_date(2017, 4, 31));
  EXPECT_FALSE(make_date(2017, 13, 1));
  EXPECT_FALSE(make_date(2017, 0, 1));
  EXPECT_FALSE(make_date(2017, 1, 0));
  EXPECT_FALSE(make_date(99, 1, 1));
  EXPECT_FALSE(make_date(10000, 1, 1));
  EXPECT_FALSE(make_time(24, 0, 0));
  EXPECT_FALSE(make_time(0, 60, 0));
  EXPECT_EQ(*make_time(18, 0, 0), 0.75);
}

TEST_F(date_time_test, split_date_handles_times_and_negative_days) {
  EXPECT_EQ(split_date(42811.4375), (date_parts{2017, 3, 17, 10, 30, 0}));
  EXPECT_EQ(split_date(-1.25), (date_parts{1899, 12, 29, 6, 0, 0}));
  EXPECT_EQ(split_date(join_date_time(-1, 0.25)), (date_parts{1899, 12, 29, 6, 0, 0}));
  // The time is rounded to the second, which may reach the next day.
  EXPECT_EQ(split_date(42811.99999999), (date_parts{2017, 3, 18, 0, 0, 0}));
  EXPECT_EQ(split_date(-1.99999999), (date_parts{1899, 12, 30, 0, 0, 0}));
  EXPECT_EQ(date_part(-1.5), -1.0);
  EXPECT_EQ(time_part(-1.5), 0.5);
}

template <typename Step>
bool overflows(Step step) {
  return test::raises(value_error::kind::overflow, step);
}

TEST_F(date_time_test, dates_outside_the_years_100_to_9999_overflow) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double days;
    bool in_range;
  } cases[] = {
      {1e300, false},
      {-1e300, false},
      {inf, false},
      {-inf, false},
      {nan, false},
      {first_date_day - 1.0, false},           // 0099-12-31
      {first_date_day - 0.5, true},            // 0100-01-01 12:00 (the fraction counts forward)
      {first_date_day, true},                  // 0100-01-01
      {last_date_day, true},                   // 9999-12-31
      {last_date_day + 0.99999999, true},      // 9999-12-31 at the last second
      {last_date_day + 1.0, false},            // 10000-01-01
      {double(std::int64_t(1) << 62), false},  // far past any 64-bit day count in seconds
  };
  for (const auto& c : cases) {
    EXPECT_EQ(is_date_in_range(c.days), c.in_range) << c.days;
    EXPECT_EQ(overflows([&] { checked_date(c.days); }), !c.in_range) << c.days;
    EXPECT_EQ(overflows([&] { Value::date(c.days); }), !c.in_range) << c.days;
    EXPECT_EQ(overflows([&] { split_date(c.days); }), !c.in_range) << c.days;
    EXPECT_EQ(overflows([&] { date_text(c.days); }), !c.in_range) << c.days;
    EXPECT_EQ(overflows([&] { ymd_text(c.days, QLatin1Char('-')); }), !c.in_range) << c.days;
  }
}

TEST_F(date_time_test, the_edges_of_the_date_range_show_four_digit_years) {
  EXPECT_EQ(Value::date(first_date_day).to_text(), "0100/01/01");
  EXPECT_EQ(Value::date(first_date_day - 0.5).to_text(), "0100/01/01 12:00:00");
  EXPECT_EQ(Value::date(last_date_day).to_text(), "9999/12/31");
  // Rounding to the second never carries past the last day.
  EXPECT_EQ(split_date(last_date_day + 0.99999999), (date_parts{9999, 12, 31, 23, 59, 59}));
  EXPECT_EQ(*make_date(100, 1, 1), first_date_day);
  EXPECT_EQ(*make_date(9999, 12, 31), last_date_day);
}

struct text_case {
  double days;
  const char* expected;
};

TEST_F(date_time_test, date_text_in_the_default_settings) {
  const text_case cases[] = {
      {42811, "2017/03/17"},   {42811.4375, "2017/03/17 10:30:00"},
      {0, "00:00:00"},         {0.5, "12:00:00"},
      {0.75, "18:00:00"},      {9253, "1925/05/01"},
      {-657434, "0100/01/01"}, {42811 + 9.0 / 24 + 5.0 / 1440, "2017/03/17 09:05:00"},
  };
  for (const text_case& c : cases) EXPECT_EQ(date_text(c.days), c.expected) << c.days;
}

TEST_F(date_time_test, date_text_on_a_12_hour_clock) {
  system_settings().hour24 = false;
  const text_case cases[] = {
      {0, "12:00:00 AM"},    {0.5, "12:00:00 PM"},
      {0.75, "6:00:00 PM"},  {42811 + 9.0 / 24 + 5.0 / 1440, "2017/03/17 9:05:00 AM"},
      {42811, "2017/03/17"},
  };
  for (const text_case& c : cases) EXPECT_EQ(date_text(c.days), c.expected) << c.days;
}

TEST_F(date_time_test, short_date_text_follows_the_format) {
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"yyyy/MM/dd", "2017/03/07"}, {"dd/MM/yyyy", "07/03/2017"}, {"M/d/yyyy", "3/7/2017"},
      {"yy/MM/dd", "17/03/07"},     {"yyyy-MM-dd", "2017-03-07"}, {"d.M.yy", "7.3.17"},
  };
  for (const auto& c : cases) {
    system_settings().short_date_format = c.format;
    EXPECT_EQ(short_date_text(*make_date(2017, 3, 7)), c.expected) << c.format;
  }
  EXPECT_EQ(ymd_text(*make_date(2017, 3, 7), '.'), "2017.03.07");
}

struct read_case {
  const char* text;
  std::optional<double> expected;
};

TEST_F(date_time_test, reading_dates_in_year_month_day_order) {
  const read_case cases[] = {
      {"2017/03/17", 42811},
      {"2017-03-17", 42811},
      {"2017.03.17", 42811},
      {"2017/3/7", *make_date(2017, 3, 7)},
      {" 17/03/17 ", 42811},
      {"17/ 3/17", 42811},
      {"29/01/01", *make_date(2029, 1, 1)},
      {"30/01/01", *make_date(1930, 1, 1)},
      {"00/01/01", *make_date(2000, 1, 1)},
      {"03/17", 42811},  // month and day of the current year
      {"17/03", 42811},  // no 17th month: day and month
      {"17/13", std::nullopt},
      {"2017/03", *make_date(2017, 3, 1)},
      {"2017/03/17 10:30:00", 42811.4375},
      {"2017/03/17 10:30 PM", 42811 + 22.5 / 24},
      {"1899/12/29 06:00", -1.25},
      {"10:30:00", 0.4375},
      {"12:00:00 AM", 0.0},
      {"12:00:00 PM", 0.5},
      {"12:30 am", 0.5 / 24},
      {"2017/02/30", std::nullopt},
      {"2017/13/01", std::nullopt},
      {"25:00:00", std::nullopt},
      {"10:60", std::nullopt},
      {"13:00 PM", std::nullopt},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"12", std::nullopt},
      {"20170317", std::nullopt},
      {"2017/03/17abc", std::nullopt},
      {"2017/03/17/01", std::nullopt},
      {"17/2017/03", std::nullopt},
      {"0017/03/17", std::nullopt},
  };
  for (const read_case& c : cases) EXPECT_EQ(read_date_text(c.text), c.expected) << c.text;
}

TEST_F(date_time_test, reading_dates_in_other_orders) {
  system_settings().short_date_format = "dd/MM/yyyy";
  EXPECT_EQ(read_date_text("17/03/2017"), 42811);
  EXPECT_EQ(read_date_text("17/03/17"), 42811);
  EXPECT_EQ(read_date_text("2017/03/17"), 42811);  // a leading four-digit year is year, month, day
  EXPECT_EQ(read_date_text("17/03"), 42811);
  EXPECT_EQ(read_date_text("03/17/2017"), std::nullopt);

  system_settings().short_date_format = "M/d/yyyy";
  EXPECT_EQ(read_date_text("3/17/2017"), 42811);
  EXPECT_EQ(read_date_text("17/3/2017"), std::nullopt);
}

TEST_F(date_time_test, two_digit_year_window_is_a_setting) {
  system_settings().two_digit_year_max = 2049;
  EXPECT_EQ(read_date_text("45/01/01"), *make_date(2045, 1, 1));
  EXPECT_EQ(read_date_text("50/01/01"), *make_date(1950, 1, 1));
}

TEST_F(date_time_test, twelve_hour_designators_from_the_settings) {
  system_settings().am_designator = "vm";
  system_settings().pm_designator = "nm";
  system_settings().hour24 = false;
  EXPECT_EQ(read_date_text("6:00 nm"), 0.75);
  EXPECT_EQ(time_text(0.75), "6:00:00 nm");
  EXPECT_EQ(read_date_text("6:00 PM"), 0.75);
}

TEST_F(date_time_test, date_text_reads_back_to_the_same_value) {
  for (double d : {42811.0, 42811.4375, 0.75, -1.25, 9253.0, 2958465.5}) {
    EXPECT_EQ(read_date_text(date_text(d)), d) << d;
    system_settings().hour24 = false;
    system_settings().short_date_format = "dd/MM/yyyy";
    EXPECT_EQ(read_date_text(date_text(d)), d) << d;
    system_settings() = system_settings_t{};
  }
}

TEST_F(date_time_test, is_date_of_values_and_texts) {
  EXPECT_TRUE(is_date(Value::date(42811)));
  EXPECT_TRUE(is_date(Value("2017/03/17")));
  EXPECT_TRUE(is_date(Value("10:30")));
  EXPECT_FALSE(is_date(Value(42811.0)));
  EXPECT_FALSE(is_date(Value("12abc")));
  EXPECT_FALSE(is_date(Value()));
  EXPECT_FALSE(is_date(Value::null()));
}

}  // namespace
}  // namespace km::platform
