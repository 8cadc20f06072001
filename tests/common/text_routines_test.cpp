// The shared text, number and date routines.
#include "common/text_routines.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/date_time.h"
#include "platform/system_settings.h"
#include "support/clean_state.h"
#include "support/value_printing.h"

namespace km {
namespace {

using platform::value_error;

double day(int y, int m, int d) { return *platform::make_date(y, m, d); }

QString u8(const char* s) { return QString::fromUtf8(s); }

class text_routines_test : public test::clean_state_test {
 protected:
  // "Today" is a day that none of the dates below is, so a result of today
  // cannot be mistaken for a date read from the text.
  platform::fake_clock fake_{day(2020, 6, 1) + 0.25};
  platform::scoped_clock clock_in_place_{fake_};
  const double today_ = day(2020, 6, 1);
};

// ---- get_max_value / get_min_value -----------------------------------------

struct pair_case {
  Value a;
  Value b;
  double expected;
};

TEST_F(text_routines_test, get_max_value) {
  const pair_case cases[] = {
      {Value(3), Value(7), 7},
      {Value(7), Value(3), 7},
      {Value(-1), Value(0), 0},
      {Value(0 - 1), Value(0), 0},
      {Value(4), Value(0), 4},
      {Value(""), Value(7), 0},  // empty first value: 0 whatever the second
      {Value(), Value(7), 0},
      {Value(5), Value(""), 0},         // a number is smaller than a text; "" is no number
      {Value("12.5"), Value(7), 12.5},  // the text is the larger
      {Value(7), Value("abc"), 0},
      {Value("10"), Value("9"), 9},  // texts by character code
      {Value(" "), Value(3), 0},     // " " is a text and no number
      {Value::null(), Value(5), 0},
      {Value(5), Value::null(), 5},
      {Value::boolean(true), Value(0), 0},
      {Value::date(42811), Value(3), 42811},
      {Value::single(2.5f), Value::int16(2), 2.5},
  };
  for (const pair_case& c : cases) EXPECT_EQ(get_max_value(c.a, c.b), c.expected);
}

TEST_F(text_routines_test, get_min_value) {
  const pair_case cases[] = {
      {Value("12.5"), Value(7), 7}, {Value(""), Value(3), 0},
      {Value("abc"), Value(2), 0},  {Value(4), Value(4), 4},
      {Value("1,5"), Value(3), 1},  {Value(-2.5), Value("1 5"), -2.5},
      {Value(), Value(-1), -1},     {Value::boolean(true), Value(0), 0},
  };
  for (const pair_case& c : cases) EXPECT_EQ(get_min_value(c.a, c.b), c.expected);
}

TEST_F(text_routines_test, get_min_value_with_null_reaches_the_caller) {
  for (const auto& [a, b] : {std::pair{Value::null(), Value(1)}, std::pair{Value(1), Value::null()}}) {
    try {
      get_min_value(a, b);
      ADD_FAILURE() << "no failure";
    } catch (const value_error& e) {
      EXPECT_EQ(e.which(), value_error::kind::invalid_use_of_null);
    }
  }
}

// ---- right_justify / left_justify -------------------------------------------

struct justify_case {
  Value value;
  int width;
  const char* fill;  // nullptr: no fill given
  const char* expected;
};

TEST_F(text_routines_test, right_justify) {
  const justify_case cases[] = {
      {Value(42), 5, "0", "00042"},       {Value("  7 "), 3, nullptr, "  7"},
      {Value(123456), 4, "0", "3456"},    {Value::null(), 4, "0", "    "},
      {Value(), 3, "0", "000"},           {Value("abc"), 0, "0", ""},
      {Value(" ab"), 4, nullptr, "  ab"},  // leading blanks go
      {Value("7"), 3, "  ", "  7"},        // a blank fill is a blank
      {Value("7"), 3, "", "  7"},         {Value("7"), 3, "xy", "xx7"},
      {Value(12.5), 6, "*", "**12.5"},    {Value::date(42811), 12, nullptr, "  2017/03/17"},
      {Value("x"), -2, nullptr, ""},
  };
  for (const justify_case& c : cases) {
    Value value = c.value;
    const QString result =
        c.fill ? right_justify(value, c.width, QString(c.fill)) : right_justify(value, c.width);
    EXPECT_EQ(result, c.expected) << c.expected;
    EXPECT_EQ(value, c.value) << "the value is left as it is";
  }
}

TEST_F(text_routines_test, left_justify) {
  const justify_case cases[] = {
      {Value("ab "), 5, ".", "ab..."},
      {Value(" ab"), 4, nullptr, " ab "},  // leading blanks stay
      {Value("abcdef"), 3, nullptr, "abc"},
      {Value::null(), 3, ".", "   "},
      {Value(), 2, ".", ".."},
      {Value("a"), 3, "", "a  "},
      {Value("a"), 3, " x", "a  "},  // not trimmed: the first character is a blank
      {Value(7), 3, "0", "700"},
      {Value("a"), 0, nullptr, ""},
  };
  for (const justify_case& c : cases) {
    Value value = c.value;
    const QString result =
        c.fill ? left_justify(value, c.width, QString(c.fill)) : left_justify(value, c.width);
    EXPECT_EQ(result, c.expected) << c.expected;
    EXPECT_EQ(value, c.value) << "the value is left as it is";
  }
}

TEST_F(text_routines_test, justify_leaves_a_blank_fill_variable_as_it_is) {
  const Value value(7);
  QString fill = "   ";
  EXPECT_EQ(right_justify(value, 3, fill), "  7");
  EXPECT_EQ(fill, "   ");

  const Value other("a");
  QString empty_fill;
  EXPECT_EQ(left_justify(other, 3, empty_fill), "a  ");
  EXPECT_TRUE(empty_fill.isEmpty());
  QString blanks = "  ";
  EXPECT_EQ(left_justify(other, 3, blanks), "a  ");
  EXPECT_EQ(blanks, "  ");
}

TEST_F(text_routines_test, justify_of_an_expression_leaves_nothing_to_set) {
  EXPECT_EQ(right_justify(Value(7), 2, "0"), "07");
  EXPECT_EQ(left_justify(Value("ab"), 3, "-"), "ab-");
}

// ---- format_date -------------------------------------------------------------

struct format_date_case {
  Value value;
  Value expected;  // Value() is the empty result
};

TEST_F(text_routines_test, format_date) {
  const format_date_case cases[] = {
      {Value::date(0), Value("")},
      {Value("2017.03.17"), Value("2017.03.17")},
      {Value("2017.03.17 xyz"), Value("2017.03.17 xyz")},  // returned as it is
      {Value("20170317"), Value("2017.03.17")},
      {Value::int32(20170317), Value("2017.03.17")},
      {Value::date(day(2017, 3, 17)), Value("2017.03.17")},
      {Value(""), Value()},
      {Value("   "), Value()},
      {Value(), Value()},
      {Value::null(), Value()},
      {Value("17/03"), Value()},  // two parts
      {Value("17.03"), Value()},
      {Value("2017/03/17"), Value("2017.03.17")},
      {Value("2017/3/7"), Value("2017.03.07")},
      {Value("17/03/17"), Value("2017.03.17")},
      {Value("2017/03/17 10:30:00"), Value("2017.03.17")},
      {Value("abc"), Value("")},
      {Value("2017/02/30"), Value("")},
      {Value(12.75), Value("")},  // no date
      {Value(12.5), Value()},     // 5 December, but only two parts
      {Value("00:00:00"), Value("")},
      {Value("12:00:00 AM"), Value("")},
      {Value("10:30:00"), Value("")},  // a time alone
      {Value("10:30 PM"), Value("")},
      {Value::date(0.4375), Value("")},
      {Value::date(42811.4375), Value("2017.03.17")},
  };
  for (const format_date_case& c : cases) {
    const Value result = format_date(c.value);
    EXPECT_EQ(result, c.expected) << (c.value.is_null() ? std::string("null")
                                                        : c.value.to_text().toStdString());
  }
}

TEST_F(text_routines_test, format_date_keeps_the_century) {
  // Once read through a two-digit year, 1925 came back as 2025.
  EXPECT_EQ(format_date(Value::date(day(1925, 5, 1))), Value("1925.05.01"));
  EXPECT_EQ(format_date(Value("1925/05/01")), Value("1925.05.01"));
  EXPECT_EQ(format_date(Value("1925-05-01")), Value("1925.05.01"));
  EXPECT_EQ(format_date(Value::date(day(2045, 12, 31))), Value("2045.12.31"));
}

TEST_F(text_routines_test, format_date_of_a_text_with_dashes_splits_at_the_dashes) {
  // Taken for "yyyymmdd" this gave "2017.-0.17".
  EXPECT_EQ(format_date(Value("2017-03-17")), Value("2017.03.17"));
  EXPECT_EQ(format_date(Value("2017-3-7")), Value("2017.03.07"));
  EXPECT_EQ(format_date(Value("2017-03")), Value());
}

TEST_F(text_routines_test, format_date_gives_year_month_day_on_every_system) {
  platform::system_settings().short_date_format = "dd/MM/yyyy";
  EXPECT_EQ(format_date(Value::date(day(2017, 3, 17))), Value("2017.03.17"));
  EXPECT_EQ(format_date(Value("17/03/2017")), Value("2017.03.17"));
  platform::system_settings().hour24 = false;
  platform::system_settings().short_date_format = "M/d/yyyy";
  EXPECT_EQ(format_date(Value::date(day(2017, 3, 17) + 0.75)), Value("2017.03.17"));
  EXPECT_EQ(format_date(Value::date(0)), Value(""));
  EXPECT_EQ(format_date(Value("3/17/2017 6:00:00 PM")), Value("2017.03.17"));
}

TEST_F(text_routines_test, format_date_and_parse_date_go_round) {
  for (double d : {day(2017, 3, 17), day(1925, 5, 1), day(2000, 2, 29), day(1999, 12, 31)}) {
    const Value text = format_date(Value::date(d));
    EXPECT_EQ(parse_date(text), d) << text.to_text().toStdString();
  }
  EXPECT_EQ(parse_date(format_date(Value::date(0))), 0.0);
}

// ---- parse_date ---------------------------------------------------------------

TEST_F(text_routines_test, parse_date) {
  const double march17 = day(2017, 3, 17);
  const struct {
    Value value;
    double expected;
  } cases[] = {
      {Value("2017-03-17"), march17},
      {Value("2017.03.17"), march17},
      {Value("2017/03/17"), march17},
      {Value("2017-03.17"), march17},
      {Value("2017.03-17"), march17},
      {Value("2017.13.01"), today_},
      {Value("2017.02.00"), today_},
      {Value("2017.02.32"), today_},
      {Value("17/03/2017"), today_},
      {Value("2017 03 17"), today_},
      {Value("abc"), today_},
      {Value(42811), today_},
      {Value("2017.02.30"), 0},
      {Value("2017/02/30"), 0},
      {Value("2017/13/01"), 0},
      {Value(""), 0},
      {Value("   "), 0},
      {Value(), 0},
      {Value::null(), 0},
      {Value("2017/03/17 10:30:00"), march17 + 0.4375},
      {Value::date(march17), march17},
      {Value::date(0), 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(parse_date(c.value), c.expected)
        << (c.value.is_null() ? std::string("null") : c.value.to_text().toStdString());
}

TEST_F(text_routines_test, parse_date_of_a_date_value_on_another_system) {
  // The text of a date is "17/03/2017" here, which the text rules would
  // take for today's date.
  platform::system_settings().short_date_format = "dd/MM/yyyy";
  EXPECT_EQ(parse_date(Value::date(day(2017, 3, 17))), day(2017, 3, 17));
  EXPECT_EQ(parse_date(Value("2017.03.17")), day(2017, 3, 17));
}

// ---- upper and title case -------------------------------------------------------

struct case_case {
  const char* text;
  const char* expected;
};

TEST_F(text_routines_test, upper_case_afrikaans) {
  const case_case cases[] = {
      {"Hoërskool Noord", "HOëRSKOOL NOORD"},
      {"hoerskool", "HOëRSKOOL"},
      {"Laerskool hoerskool", "LAERSKOOL HOëRSKOOL"},
      {"éêëïôû", "éêëïôû"},
      {"ÉÊËÏ", "éêëï"},  // accented capitals become small
      {"abc xyz 123", "ABC XYZ 123"},
      {"ß", "ß"},
      {"šœžÿ", "šœžÿ"},
      {"ŠŒŽŸ", "šœžÿ"},
      {"×÷", "×÷"},
      {"", ""},
  };
  for (const case_case& c : cases) EXPECT_EQ(upper_case_afrikaans(u8(c.text)), u8(c.expected)) << c.text;
}

TEST_F(text_routines_test, title_case_afrikaans) {
  const case_case cases[] = {
      {"VAN DER MERWE-SMIT", "Van Der Merwe-Smit"},
      {"HOERSKOOL  NOORD", "Hoërskool Noord"},
      {"jan_piet", "Jan_Piet"},
      {"", ""},
      {"van - wyk", "Van- Wyk"},
      {"  jan  ", "Jan"},
      {"ÉLAN", "Élan"},
      {"o'NEIL", "O'neil"},
      {"de la rey _ smit", "De La Rey_ Smit"},
      {"a--b", "A--B"},
  };
  for (const case_case& c : cases) EXPECT_EQ(title_case_afrikaans(u8(c.text)), u8(c.expected)) << c.text;
}

// ---- fill_array ---------------------------------------------------------------------

TEST_F(text_routines_test, fill_array_sets_every_element) {
  std::vector<Value> values(5, Value(1));
  fill_array(values, Value("x"));
  for (const Value& v : values) EXPECT_EQ(v, Value("x"));

  std::vector<QString> texts{"a", "b", "c"};
  fill_array(texts, QString());
  EXPECT_EQ(texts, (std::vector<QString>{"", "", ""}));

  std::vector<Value> none;
  fill_array(none, Value(1));
  EXPECT_TRUE(none.empty());

  std::vector<int> many(40000, 1);  // more than a 16-bit index reaches
  fill_array(many, 0);
  EXPECT_EQ(many.back(), 0);
}

// ---- clean_field_value -----------------------------------------------------------

TEST_F(text_routines_test, clean_field_value) {
  const struct {
    Value value;
    QString expected;
  } cases[] = {
      {Value("   "), ""},
      {Value(QString(4, QChar(0))), ""},
      {Value(QString(QChar(0)) + "abc"), ""},
      {Value(" ab  "), " ab"},
      {Value::null(), ""},
      {Value::date(0), ""},
      {Value(), ""},
      {Value(12.5), "12.5"},
      {Value::boolean(true), "True"},
      {Value::boolean(false), "False"},
      {Value(0), "0"},
      {Value::date(42811), "2017/03/17"},
      {Value::date(0.5), "12:00:00"},
      {Value("00:00:00"), "00:00:00"},  // a text, not the zero date
      {Value("ab\t"), "ab\t"},
  };
  for (const auto& c : cases) EXPECT_EQ(clean_field_value(c.value), c.expected) << c.expected.toStdString();
}

TEST_F(text_routines_test, clean_field_value_of_the_zero_date_on_a_12_hour_clock) {
  platform::system_settings().hour24 = false;
  EXPECT_EQ(clean_field_value(Value::date(0)), "");
  EXPECT_EQ(clean_field_value(Value::date(0.5)), "12:00:00 PM");
}

// ---- scramble_text / unscramble_text -----------------------------------------------

TEST_F(text_routines_test, scramble_raises_each_code_by_128) {
  const QString scrambled = scramble_text("abc");
  EXPECT_EQ(platform::encode_cp1252(scrambled), QByteArray("\xE1\xE2\xE3"));
  EXPECT_EQ(unscramble_text(scrambled), "abc");
  EXPECT_EQ(scramble_text(""), "");
  EXPECT_EQ(unscramble_text(""), "");
}

TEST_F(text_routines_test, scramble_and_unscramble_are_inverse_for_every_code) {
  QString all;
  for (int code = 0; code < 128; ++code) all += QChar(code);
  const QString scrambled = scramble_text(all);
  const QByteArray bytes = platform::encode_cp1252(scrambled);
  ASSERT_EQ(bytes.size(), 128);
  for (int code = 0; code < 128; ++code) EXPECT_EQ(static_cast<unsigned char>(bytes[code]), code + 128);
  EXPECT_EQ(unscramble_text(scrambled), all);
  EXPECT_EQ(unscramble_text(platform::decode_cp1252(bytes)), all);
}

TEST_F(text_routines_test, scramble_out_of_range_reaches_the_caller) {
  const auto expect_failure = [](auto routine, const QString& text, value_error::kind kind) {
    try {
      routine(text);
      ADD_FAILURE() << "no failure";
    } catch (const value_error& e) {
      EXPECT_EQ(e.which(), kind);
    }
  };
  expect_failure(scramble_text, u8("caf\u00E9"), value_error::kind::invalid_argument);
  expect_failure(scramble_text, u8("\u20AC"), value_error::kind::invalid_argument);
  expect_failure(unscramble_text, "abc", value_error::kind::invalid_argument);
  expect_failure(unscramble_text, u8("\u0101"), value_error::kind::invalid_argument);  // not in the code page
  expect_failure(scramble_text, QString(32767, 'a'), value_error::kind::overflow);
  expect_failure(unscramble_text, QString(32767, QChar(0xE1)), value_error::kind::overflow);
  EXPECT_EQ(scramble_text(QString(32766, 'a')).size(), 32766);
}

}  // namespace
}  // namespace km
