// The value rules, each a pure function of a table value.

#include "datafiles/field_rules.h"

#include <gtest/gtest.h>

#include "platform/date_time.h"
#include "support/hex_dump.h"
#include "support/value_printing.h"

namespace km {
namespace {

using platform::Value;
using platform::value_error;

Value text(const char* t) { return Value(QString::fromUtf8(t)); }

TEST(field_rules, text_keeps_leading_blanks_cuts_and_pads_in_cp1252) {
  struct text_case {
    Value value;
    int width;
    QByteArray expected;
  };
  const text_case cases[] = {
      {text(" AB  "), 5, " AB  "},
      {text("ABCDEFG"), 5, "ABCDE"},
      {Value::null(), 3, "   "},
      {text("Hoër"), 4, "Ho\xEBr"},
      {Value(12.0), 4, "12  "},
      {Value(true), 5, "True "},
      {text(QByteArray("\0\0x", 3).constData()), 3, "   "},
  };
  for (const text_case& c : cases) EXPECT_EQ(test::hex(text_rule(c.value, c.width)), test::hex(c.expected));
  EXPECT_EQ(trimmed_text_rule(text(" AB "), 5), QByteArray("AB   "));
  EXPECT_EQ(trimmed_text_rule(Value::null(), 5), QByteArray("     "));
}

TEST(field_rules, numbers_read_their_leading_number) {
  struct number_case {
    Value value;
    float single;
  };
  const number_case cases[] = {
      {text(""), 0.0F},   {text("3 lines"), 3.0F}, {text("x"), 0.0F},
      {Value(2.5), 2.5F}, {Value::null(), 0.0F},   {text("  -12.25"), -12.25F},
  };
  for (const number_case& c : cases)
    EXPECT_EQ(single_rule(c.value), c.single) << ::testing::PrintToString(c.value);
}

TEST(field_rules, whole_numbers_round_halves_to_even_and_overflow_outside_16_bits) {
  struct int_case {
    double value;
    std::int16_t expected;
  };
  const int_case cases[] = {{2.5, 2}, {3.5, 4}, {2012.5, 2012}, {2013.5, 2014}, {-1, -1}, {32767, 32767}};
  for (const int_case& c : cases)
    EXPECT_EQ(int16_rule(Value(c.value)), c.expected) << ::testing::PrintToString(c.value);
  EXPECT_EQ(int16_rule(Value::null()), 0);
  for (const double out : {40000.0, -32769.0}) EXPECT_THROW(int16_rule(Value(out)), value_error) << out;
}

TEST(field_rules, a_strict_number_refuses_texts_that_are_not_numbers) {
  EXPECT_EQ(strict_single_rule(text("17")), 17.0F);
  EXPECT_EQ(strict_single_rule(Value(4.0)), 4.0F);
  for (const char* bad : {"abc", "", "3 lines"})
    EXPECT_THROW(strict_single_rule(text(bad)), value_error) << bad;
  EXPECT_THROW(strict_single_rule(Value::null()), value_error);
}

TEST(field_rules, dates_are_days_and_never_today) {
  const double day = *platform::make_date(2012, 3, 5);
  struct date_case {
    Value value;
    double expected;
  };
  const date_case cases[] = {
      {Value::date(day), day},   {Value::date(day + 0.75), day},
      {Value::date(0), 0},       {text("2012/03/05"), day},
      {text("2012-03-05"), day}, {text("2012.03.05"), day},
      {text("junk"), 0},         {text(""), 0},
      {text("2012/13/05"), 0},   {Value::null(), 0},
      {text("5/3/2012"), 0},
  };
  for (const date_case& c : cases)
    EXPECT_EQ(date_rule(c.value), c.expected) << ::testing::PrintToString(c.value);
}

TEST(field_rules, flags_from_booleans_literals_and_numbers) {
  struct flag_case {
    Value value;
    bool expected;
  };
  const flag_case cases[] = {
      {Value::null(), false}, {text(""), false},      {Value(true), true}, {Value(false), false},
      {text("TRUE"), true},   {text("false"), false}, {text("0"), false},  {text("3"), true},
      {Value(0.0), false},    {Value(-2.0), true},
  };
  for (const flag_case& c : cases)
    EXPECT_EQ(flag_rule(c.value), c.expected) << ::testing::PrintToString(c.value);
  EXPECT_THROW(flag_rule(text("x")), value_error);
}

TEST(field_rules, done_flags_are_numbers_not_zero_or_a_logical_true) {
  struct flag_case {
    Value value;
    bool expected;
  };
  const flag_case cases[] = {
      {text("1"), true},     {text("2"), true},      {text("0"), false},
      {text(""), false},     {text("x"), false},     {Value(true), true},
      {Value(false), false}, {Value::null(), false}, {text("True"), false},
  };
  for (const flag_case& c : cases)
    EXPECT_EQ(nonzero_flag_rule(c.value), c.expected) << ::testing::PrintToString(c.value);
}

TEST(field_rules, characters_one_per_element_and_level_texts) {
  EXPECT_EQ(chars_rule(text("AB"), 4), QByteArray("AB  "));
  EXPECT_EQ(chars_rule(Value::null(), 3), QByteArray("   "));
  struct level_case {
    Value value;
    QByteArray expected;
  };
  const level_case cases[] = {
      {text("3"), "3  "},          {text("12.50"), "12."}, {text(""), "0  "},
      {text("2012/03/05"), "201"}, {Value(7.0), "7  "},
  };
  for (const level_case& c : cases)
    EXPECT_EQ(number_text_rule(c.value, 3), c.expected) << ::testing::PrintToString(c.value);
}

TEST(field_rules, raw_numbers_take_null_as_0_without_cleaning) {
  EXPECT_EQ(raw_single_rule(Value::null()), 0.0F);
  EXPECT_EQ(raw_single_rule(Value(40.0)), 40.0F);
  EXPECT_EQ(raw_single_rule(text(" 12 ")), 12.0F);
}

TEST(field_rules, stored_bytes_are_little_endian) {
  struct stored_case {
    rule how;
    Value value;
    int width;
    QByteArray expected;
  };
  const stored_case cases[] = {
      {rule::single, text("12"), 4, test::bytes({0x00, 0x00, 0x40, 0x41})},
      {rule::int16, text("2012"), 2, test::bytes({0xDC, 0x07})},
      {rule::flag, Value(true), 2, test::bytes({0xFF, 0xFF})},
      {rule::date, text("2012-03-05"), 8, test::bytes({0x00, 0x00, 0x00, 0x00, 0xA0, 0x01, 0xE4, 0x40})},
      {rule::text, text("AB"), 3, "AB "},
  };
  for (const stored_case& c : cases) {
    QByteArray record(c.width + 2, '\x55');
    store_by_rule(c.how, c.value, record, 1, c.width, 1);
    EXPECT_EQ(test::hex(record), test::hex("\x55" + c.expected + "\x55"))
        << ::testing::PrintToString(c.value);
  }
}

}  // namespace
}  // namespace km
