// Format patterns, Str, and the decimal digit form they are judged on.
#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/system_settings.h"
#include "platform/value.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

struct format_case {
  double x;
  const char* pattern;
  const char* expected;
};

TEST(number_format, patterns_the_program_uses) {
  const format_case cases[] = {
      // one decimal, at least one digit before the point
      {12.25, "##0.0", "12.3"},
      {12.26, "##0.0", "12.3"},
      {12.24, "##0.0", "12.2"},
      {0.35, "##0.0", "0.4"},
      {0, "##0.0", "0.0"},
      {7, "##0.0", "7.0"},
      {100, "##0.0", "100.0"},
      {1234.56, "##0.0", "1234.6"},
      {99.95, "##0.0", "100.0"},
      {1.45, "##0.0", "1.5"},
      {0.05, "##0.0", "0.1"},
      {-12.25, "##0.0", "-12.3"},
      {-0.05, "##0.0", "-0.1"},
      {-0.04, "##0.0", "0.0"},
      // no digit forced before the point
      {0, "###.0", ".0"},
      {0.5, "###.0", ".5"},
      {40, "###.0", "40.0"},
      {66.666666, "###.0", "66.7"},
      {-0.5, "###.0", "-.5"},
      {999.95, "####0.0", "1000.0"},
      {123456.75, "######.0", "123456.8"},
      {0, "######.0", ".0"},
      {5, " ###0.0", " 5.0"},
      {0.35, "0.0", "0.4"},
      {2.675, "0.00", "2.68"},
      {1.005, "0.00", "1.01"},
      // whole numbers
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {1.5, "0", "2"},
      {0.4, "0", "0"},
      {-0.4, "0", "0"},
      {1e20, "0", "100000000000000000000"},
      {12, "00", "12"},
      {5, "00", "05"},
      {123, "00", "123"},
      {5, "0#", "05"},
      {0, "#", ""},
      // thousands
      {12, "0,000", "0,012"},
      {1234567, "0,000", "1,234,567"},
      {1234567890123.0, "0,000", "1,234,567,890,123"},
      {-1234567, "0,000", "-1,234,567"},
      {1234.5, "0,00", "1,235"},
      {5, "0,00", "005"},
      {15.75, "0,00", "016"},
      {1234567.89, "#,0", "1,234,568"},
      {999.5, "#,0", "1,000"},
      {0, "#,0", "0"},
      // other pattern parts
      {0.5, "0%", "50%"},
      {1234567, "0,", "1235"},
      {5, "#.##", "5."},
      {1.25, "0.0#", "1.25"},
      {1.2, "0.0#", "1.2"},
      {1, "0.0#", "1.0"},
      {12, ".00", "12.00"},
      {5, "\"R\" 0.00", "R 5.00"},
      {5, "\\$0", "$5"},
      {-5, "0.0;(0.0)", "(5.0)"},
      {5, "0.0;(0.0)", "5.0"},
      {0, "0.0;-0.0;\"nil\"", "nil"},
      {-5, "0.0;;", "-5.0"},
  };
  for (const format_case& c : cases)
    EXPECT_EQ(format_number(c.x, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
        << c.x << " with " << c.pattern;
}

TEST(number_format, empty_pattern_gives_the_text_form) {
  EXPECT_EQ(format_number(1.0 / 3.0, ""), "0.333333333333333");
  EXPECT_EQ(format_single(0.1f, ""), "0.1");
}

TEST(number_format, single_is_judged_on_seven_digits) {
  // 0.35f is 0.3499999940... : on 15 digits it rounds down, on the seven
  // digits a single shows it rounds up.
  EXPECT_EQ(format_number(double(0.35f), "0.0"), "0.3");
  EXPECT_EQ(format_single(0.35f, "0.0"), "0.4");
  EXPECT_EQ(format_single(12.25f, "##0.0"), "12.3");
  EXPECT_EQ(format_value(Value::single(0.35f), "0.0"), "0.4");
}

TEST(number_format, format_of_loose_values) {
  EXPECT_EQ(format_value(Value("12.25"), "##0.0"), "12.3");
  EXPECT_EQ(format_value(Value(" 7 "), "##0.0"), "7.0");
  EXPECT_EQ(format_value(Value("A"), "##0.0"), "A");
  EXPECT_EQ(format_value(Value("12abc"), "##0.0"), "12abc");
  EXPECT_EQ(format_value(Value(), "##0.0"), "");
  EXPECT_EQ(format_value(Value::null(), "##0.0"), "");
  EXPECT_EQ(format_value(Value::boolean(true), "0"), "-1");
  EXPECT_EQ(format_value(Value::int16(12), "##0.0"), "12.0");
  EXPECT_EQ(format_value(Value::date(42811.5), "0.0"), "42811.5");
}

TEST(number_format, separators_follow_the_system_settings) {
  system_settings().decimal = ',';
  system_settings().thousands = '.';
  EXPECT_EQ(format_number(1234567.25, "#,0.0"), "1.234.567,3");
  system_settings() = system_settings_t{};
  EXPECT_EQ(format_number(1234567.25, "#,0.0"), "1,234,567.3");
}

TEST(number_format, str_puts_a_blank_before_a_number_that_is_not_negative) {
  const format_case cases[] = {
      {5, "", " 5"},       {-5, "", "-5"},      {0, "", " 0"},        {40, "", " 40"},      {0.5, "", " .5"},
      {-0.25, "", "-.25"}, {12.5, "", " 12.5"}, {1e15, "", " 1E+15"}, {1e-5, "", " 1E-05"},
  };
  for (const format_case& c : cases) EXPECT_EQ(str_number(c.x), QString::fromUtf8(c.expected)) << c.x;
  // Str ignores the decimal setting.
  system_settings().decimal = ',';
  EXPECT_EQ(str_number(2.5), " 2.5");
  system_settings() = system_settings_t{};
}

TEST(number_format, decimal_digits_are_correctly_rounded) {
  decimal_digits d = to_decimal(0.35);
  EXPECT_EQ(d.digits, "35");
  EXPECT_EQ(d.point, 0);
  d = to_decimal(0.35, 17);
  EXPECT_EQ(d.digits, "34999999999999998");
  d = to_decimal(-1234.5);
  EXPECT_TRUE(d.negative);
  EXPECT_EQ(d.digits, "12345");
  EXPECT_EQ(d.point, 4);
  d = to_decimal(0.00012);
  EXPECT_EQ(d.digits, "12");
  EXPECT_EQ(d.point, -3);
  EXPECT_TRUE(to_decimal(0.0).is_zero());
}

TEST(number_format, round_decimal_carries_and_chooses_the_half) {
  decimal_digits d = to_decimal(9.995);
  round_decimal(d, 2, rounding::half_away_from_zero);
  EXPECT_EQ(d.digits, "1");
  EXPECT_EQ(d.point, 2);
  EXPECT_EQ(decimal_to_double(d), 10.0);

  d = to_decimal(0.5);
  round_decimal(d, 0, rounding::half_even);
  EXPECT_TRUE(d.is_zero());
  d = to_decimal(0.5);
  round_decimal(d, 0, rounding::half_away_from_zero);
  EXPECT_EQ(decimal_to_double(d), 1.0);
  d = to_decimal(-0.0049);
  round_decimal(d, 2, rounding::half_away_from_zero);
  EXPECT_TRUE(d.is_zero());
}

// One generator serves the Format patterns, Round and the number fields of
// tables; only the rule for a half differs.
TEST(number_format, fixed_text_rounds_by_the_rule_it_is_given) {
  const struct {
    double x;
    int decimals;
    const char* away;
    const char* even;
  } cases[] = {
      {2.5, 0, "3", "2"},
      {3.5, 0, "4", "4"},
      {0.35, 1, "0.4", "0.4"},  // judged on the 15-digit form, not on 0.34999...
      {0.125, 2, "0.13", "0.12"},
      {0.135, 2, "0.14", "0.14"},
      {-1.25, 1, "-1.3", "-1.2"},
      {-0.04, 1, "0.0", "0.0"},  // no "-0.0"
      {-0.5, 0, "-1", "0"},
      {99.95, 1, "100.0", "100.0"},
      {0.0004, 5, "0.00040", "0.00040"},
      {0, 2, "0.00", "0.00"},
      {1e20, 2, "100000000000000000000.00", "100000000000000000000.00"},
      {12345678901234567.0, 0, "12345678901234600", "12345678901234600"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fixed_decimal_text(c.x, c.decimals, rounding::half_away_from_zero), c.away) << c.x;
    EXPECT_EQ(fixed_decimal_text(c.x, c.decimals, rounding::half_even), c.even) << c.x;
  }
  // Round agrees with the half-even text, Format with the other.
  EXPECT_EQ(round_half_even(0.125, 2), 0.12);
  EXPECT_EQ(format_number(0.125, "0.00"), "0.13");
  EXPECT_EQ(fixed_decimal_text(std::numeric_limits<double>::infinity(), 2, rounding::half_even), "Infinity");
}

}  // namespace
}  // namespace km::platform
