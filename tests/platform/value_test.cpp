// The loose value: its text form, number reading (Val and CDbl), the
// conversions to integers and Booleans, and comparison.
#include "platform/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/date_time.h"
#include "platform/system_settings.h"
#include "support/value_errors.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

class value_test : public ::testing::Test {};

struct value_text_case {
  Value value;
  const char* expected;
};

TEST_F(value_test, text_form_of_each_kind) {
  const value_text_case cases[] = {
      {Value(), ""},
      {Value::int16(5), "5"},
      {Value::int32(-42), "-42"},
      {Value::single(0.1f), "0.1"},
      {Value::single(1.0f / 3.0f), "0.3333333"},
      {Value::single(1234567.0f), "1234567"},
      {Value::single(12345678.0f), "1.234568E+07"},
      {Value::dbl(1.0 / 3.0), "0.333333333333333"},
      {Value::dbl(0.1 + 0.2), "0.3"},
      {Value::dbl(2.0 / 3.0), "0.666666666666667"},
      {Value::dbl(-2.5), "-2.5"},
      {Value::dbl(0.0), "0"},
      {Value::dbl(-0.0), "0"},
      {Value::dbl(100.0), "100"},
      {Value::dbl(1e14), "100000000000000"},
      {Value::dbl(1e15), "1E+15"},
      {Value::dbl(123456789012345678.0), "1.23456789012346E+17"},
      {Value::dbl(0.0001), "0.0001"},
      {Value::dbl(0.00001), "1E-05"},
      {Value::dbl(-1.5e-10), "-1.5E-10"},
      {Value::dbl(1e100), "1E+100"},
      {Value::boolean(true), "True"},
      {Value::boolean(false), "False"},
      {Value::date(42811), "2017/03/17"},
      {Value::date(42811.4375), "2017/03/17 10:30:00"},
      {Value::date(0), "00:00:00"},
      {Value::date(0.75), "18:00:00"},
      {Value::date(-1.25), "1899/12/29 06:00:00"},
      {Value::text(" a b "), " a b "},
  };
  for (const value_text_case& c : cases)
    EXPECT_EQ(c.value.to_text(), QString::fromUtf8(c.expected)) << c.expected;
}

TEST_F(value_test, text_form_follows_the_system_settings) {
  system_settings().hour24 = false;
  EXPECT_EQ(Value::date(0).to_text(), "12:00:00 AM");
  EXPECT_EQ(Value::date(42811.75).to_text(), "2017/03/17 6:00:00 PM");
  system_settings().short_date_format = "dd/MM/yyyy";
  EXPECT_EQ(Value::date(42811).to_text(), "17/03/2017");
  system_settings().decimal = ',';
  EXPECT_EQ(Value::dbl(2.5).to_text(), "2,5");
  EXPECT_EQ(Value::single(0.25f).to_text(), "0,25");
}

TEST_F(value_test, null_has_no_text_form) {
  try {
    (void)Value::null().to_text();
    FAIL() << "no failure";
  } catch (const value_error& e) {
    EXPECT_EQ(e.which(), value_error::kind::invalid_use_of_null);
  }
}

struct val_case {
  const char* text;
  double expected;
};

TEST_F(value_test, val_reads_the_leading_number) {
  const val_case cases[] = {
      {"1 5", 15},        {"12abc", 12},    {"1,5", 1},         {"", 0},
      {"abc", 0},         {"  -3.5", -3.5}, {".5", 0.5},        {"-.5", -0.5},
      {"+7", 7},          {"--5", 0},       {"1e3", 1000},      {"1E-2", 0.01},
      {"1d2", 100},       {"1e", 1},        {"1e+", 1},         {"1.2.3", 1.2},
      {"\t4\n2", 42},     {"12 . 5", 12.5}, {"\r5", 0},         {"&HFF", 255},
      {"&hff", 255},      {"&HFFFF", -1},   {"&H8000", -32768}, {"&H10000", 65536},
      {"&HFFFFFFFF", -1}, {"&O17", 15},     {"&H", 0},          {"&", 0},
      {"1e-400", 0},      {"0.35", 0.35},   {"-0", 0},          {"A", 0},
      {"12.0", 12},
  };
  for (const val_case& c : cases) EXPECT_EQ(val(QString::fromUtf8(c.text)), c.expected) << c.text;
  EXPECT_FALSE(std::signbit(val("-0")));
}

TEST_F(value_test, val_ignores_the_system_decimal_separator) {
  system_settings().decimal = ',';
  EXPECT_EQ(val("12.5"), 12.5);
  EXPECT_EQ(val("12,5"), 12);
}

TEST_F(value_test, val_of_a_number_beyond_a_double_is_an_overflow) {
  try {
    val("1e400");
    FAIL() << "no overflow";
  } catch (const value_error& e) {
    EXPECT_EQ(e.which(), value_error::kind::overflow);
  }
  EXPECT_THROW(val("&H100000000"), value_error);
  // Written out in full, without an exponent, and with a negative exponent
  // that still leaves it too large.
  EXPECT_THROW(val("1" + QString(400, '0')), value_error);
  EXPECT_THROW(val("-1" + QString(400, '0') + ".5"), value_error);
  EXPECT_THROW(val("1" + QString(420, '0') + "e-10"), value_error);
  // Too small is 0, however it is written.
  EXPECT_EQ(val("0." + QString(400, '0') + "1"), 0.0);
  EXPECT_EQ(val("1e-400"), 0.0);
}

TEST_F(value_test, cdbl_of_numbers_dates_and_texts) {
  EXPECT_EQ(Value().to_double(), 0.0);
  EXPECT_EQ(Value::boolean(true).to_double(), -1.0);
  EXPECT_EQ(Value::boolean(false).to_double(), 0.0);
  EXPECT_EQ(Value::date(42811.5).to_double(), 42811.5);
  EXPECT_EQ(Value::single(0.1f).to_double(), double(0.1f));
  EXPECT_EQ(Value("12.5").to_double(), 12.5);
  EXPECT_EQ(Value(" 7 ").to_double(), 7.0);
  EXPECT_EQ(Value("-2").to_double(), -2.0);
  EXPECT_EQ(Value("+.5").to_double(), 0.5);
  EXPECT_EQ(Value("1,234.5").to_double(), 1234.5);
  EXPECT_EQ(Value("1e3").to_double(), 1000.0);
  EXPECT_EQ(Value("&H10").to_double(), 16.0);
}

TEST_F(value_test, cdbl_refuses_what_is_not_wholly_a_number) {
  for (const char* text : {"", "   ", "abc", "12abc", "1 5", "1e", ".", "-", "&H", "1.2.3", "True"}) {
    try {
      (void)Value(text).to_double();
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const value_error& e) {
      EXPECT_EQ(e.which(), value_error::kind::type_mismatch) << text;
    }
  }
  try {
    (void)Value("1e999").to_double();
    ADD_FAILURE() << "no overflow";
  } catch (const value_error& e) {
    EXPECT_EQ(e.which(), value_error::kind::overflow);
  }
  EXPECT_THROW((void)Value::null().to_double(), value_error);
}

TEST_F(value_test, cdbl_uses_the_system_separators) {
  system_settings().decimal = ',';
  system_settings().thousands = '.';
  EXPECT_EQ(Value("12,5").to_double(), 12.5);
  EXPECT_EQ(Value("1.234,5").to_double(), 1234.5);
}

TEST_F(value_test, is_number_text) {
  EXPECT_TRUE(is_number_text("12.5"));
  EXPECT_TRUE(is_number_text(" -3 "));
  EXPECT_TRUE(is_number_text("1E5"));
  EXPECT_FALSE(is_number_text("12abc"));
  EXPECT_FALSE(is_number_text(""));
  EXPECT_FALSE(is_number_text(" "));
  EXPECT_FALSE(is_number_text("A"));
  EXPECT_FALSE(is_number_text("1e999"));
}

struct int_case {
  double x;
  int expected;
};

TEST_F(value_test, cint_rounds_half_to_even) {
  const int_case cases[] = {{2.5, 2},         {3.5, 4},           {-2.5, -2},  {-3.5, -4},
                            {0.5, 0},         {1.5, 2},           {2.4999, 2}, {2.5001, 3},
                            {32767.4, 32767}, {-32768.5, -32768}, {-0.4, 0},   {12, 12}};
  for (const int_case& c : cases) {
    EXPECT_EQ(Value(c.x).to_int16(), c.expected) << c.x;
    EXPECT_EQ(cint(c.x), c.expected) << c.x;
  }
  EXPECT_EQ(Value("2.5").to_int16(), 2);
  EXPECT_EQ(Value::boolean(true).to_int16(), -1);
  EXPECT_EQ(Value(2147483646.5).to_int32(), 2147483646);
  EXPECT_EQ(Value(-2147483648.0).to_int32(), -2147483647 - 1);
}

TEST_F(value_test, cint_out_of_range_is_an_overflow) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double x : {32767.5, 32768.0, -32769.0, -32768.500001, 1e10, inf, -inf, std::nan("")}) {
    EXPECT_TRUE(test::raises(value_error::kind::overflow, [x] { (void)Value(x).to_int16(); })) << x;
    EXPECT_TRUE(test::raises(value_error::kind::overflow, [x] { (void)cint(x); })) << x;
  }
  EXPECT_TRUE(test::raises(value_error::kind::overflow, [] { (void)clng(std::nan("")); }));
  EXPECT_THROW((void)Value(2147483647.5).to_int32(), value_error);
  EXPECT_THROW((void)Value("abc").to_int16(), value_error);
}

TEST_F(value_test, cbool) {
  EXPECT_TRUE(Value("True").to_bool());
  EXPECT_TRUE(Value(" true ").to_bool());
  EXPECT_FALSE(Value("FALSE").to_bool());
  EXPECT_FALSE(Value("0").to_bool());
  EXPECT_TRUE(Value("2").to_bool());
  EXPECT_TRUE(Value(-1).to_bool());
  EXPECT_FALSE(Value(0.0).to_bool());
  EXPECT_FALSE(Value().to_bool());
  EXPECT_THROW((void)Value("abc").to_bool(), value_error);
  EXPECT_THROW((void)Value::null().to_bool(), value_error);
}

struct compare_case {
  Value a;
  Value b;
  ordering expected;
};

TEST_F(value_test, compare_as_the_platform_does) {
  const compare_case cases[] = {
      {Value(3), Value(7), ordering::less},
      {Value(7), Value(3), ordering::greater},
      {Value(4), Value(4.0), ordering::equal},
      {Value::int16(4), Value::single(4.5f), ordering::less},
      {Value("10"), Value("9"), ordering::less},
      {Value("ab"), Value("abc"), ordering::less},
      {Value("B"), Value("a"), ordering::less},
      {Value(5), Value(""), ordering::less},
      {Value(""), Value(5), ordering::greater},
      {Value(1e300), Value("0"), ordering::less},
      {Value::null(), Value(1), ordering::unordered},
      {Value(1), Value::null(), ordering::unordered},
      {Value::null(), Value::null(), ordering::unordered},
      {Value(), Value(0), ordering::equal},
      {Value(), Value(-1), ordering::greater},
      {Value(), Value(""), ordering::equal},
      {Value(), Value("a"), ordering::less},
      {Value(), Value(), ordering::equal},
      {Value::boolean(true), Value(0), ordering::less},
      {Value::date(42811), Value(42811), ordering::equal},
      {Value::date(42811), Value(42812.5), ordering::less},
      // By code page codes: the euro sign is 0x80, below e-acute (0xE9),
      // though its Unicode value is far above.
      {Value::text(QString::fromUtf8("\u20AC")), Value::text(QString::fromUtf8("\u00E9")), ordering::less},
  };
  for (const compare_case& c : cases)
    EXPECT_EQ(compare(c.a, c.b), c.expected)
        << c.a.to_text().toStdString() << " ? " << c.b.to_text().toStdString();
}

struct round_case {
  double x;
  int decimals;
  double expected;
};

TEST_F(value_test, round_is_half_to_even_on_the_decimal_form) {
  const round_case cases[] = {
      {2.5, 0, 2},
      {3.5, 0, 4},
      {-2.5, 0, -2},
      {0.5, 0, 0},
      {1.5, 0, 2},
      {0.125, 2, 0.12},
      {0.135, 2, 0.14},
      {2.675, 2, 2.68},
      {1.23456, 4, 1.2346},
      {12345.6789, 0, 12346},
      {66.66666666, 4, 66.6667},
      {1e20, 2, 1e20},
      {0.0, 3, 0.0},
      {-0.004, 2, 0.0},
      {999.5, 0, 1000},
      {0.04, 0, 0},
  };
  for (const round_case& c : cases) EXPECT_EQ(round_half_even(c.x, c.decimals), c.expected) << c.x;
  EXPECT_THROW(round_half_even(1.0, -1), value_error);
}

TEST_F(value_test, number_text_of_single_and_double) {
  EXPECT_EQ(single_text(0.1f), "0.1");
  EXPECT_EQ(number_text(double(0.1f)), "0.100000001490116");
  EXPECT_EQ(number_text(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(number_text(123456789012345.0), "123456789012345");
  EXPECT_EQ(number_text(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(single_text(-7.5f), "-7.5");
}

}  // namespace
}  // namespace km::platform
