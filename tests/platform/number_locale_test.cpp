// The C library's number locale: put back to "C" for the process at start,
// and held for one thread while a library that formats with the C library
// writes a file.
#include "platform/number_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/decimal_comma_locale.h"

namespace km::platform {
namespace {

std::string printed(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", x);
  return buffer;
}

double read(const char* text) { return std::strtod(text, nullptr); }

TEST(number_locale, the_start_puts_back_the_decimal_point_a_comma_locale_took) {
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  ASSERT_EQ(printed(75.5), "75,5");  // the C library now writes a comma
  ASSERT_EQ(read("30.3"), 30.0);     // and stops reading at the point

  use_c_number_locale();
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_EQ(printed(75.5), "75.5");
  EXPECT_EQ(read("30.3"), 30.3);
}

TEST(number_locale, a_thread_holds_the_decimal_point_while_the_guard_lives) {
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  {
    const c_numbers_in_this_thread c_numbers;
    EXPECT_EQ(printed(75.5), "75.5");
    EXPECT_EQ(read("30.3"), 30.3);
    {
      const c_numbers_in_this_thread inner;
      EXPECT_EQ(printed(60.8), "60.8");
    }
    EXPECT_EQ(printed(14.6), "14.6");  // the inner guard gave back the outer's locale
    // Another thread keeps the process's locale.
    std::string elsewhere;
    std::thread([&] { elsewhere = printed(75.5); }).join();
    EXPECT_EQ(elsewhere, "75,5");
  }
  EXPECT_EQ(printed(75.5), "75,5");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), test::decimal_comma_locale_name);
}

}  // namespace
}  // namespace km::platform
