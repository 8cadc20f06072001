// Field bytes of the date (D) type read and written through the program's
// one calendar: the days a field names, the years it can hold, and what a
// date out of range does.
#include "platform/dbase/dbf_field_codec.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/date_time.h"
#include "platform/dbase/dbf_error.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

const dbf_field date_field{QStringLiteral("BORN"), 'D', 8, 0, 1};

TEST(dbf_date_field, reads_the_days_of_a_yyyymmdd_text) {
  const struct {
    const char* bytes;
    Value expected;
  } cases[] = {
      {"20170317", Value::date(42811)},
      {"18991230", Value::date(0)},
      {"18991229", Value::date(-1)},
      {"20000229", Value::date(36585)},
      {"01000101", Value::date(first_date_day)},
      {"99991231", Value::date(last_date_day)},
      {"00991231", Value::null()},  // before the year 100: no date the program can hold
      {"00010101", Value::null()},
      {"20170229", Value::null()},
      {"20171301", Value::null()},
      {"2017031x", Value::null()},
      {"        ", Value::null()},
  };
  for (const auto& c : cases) EXPECT_EQ(decode_dbf_field(date_field, c.bytes), c.expected) << c.bytes;
}

TEST(dbf_date_field, writes_the_whole_day_of_a_date) {
  const struct {
    Value value;
    const char* bytes;
  } cases[] = {
      {Value::date(42811.75), "20170317"},  // the time is left out, never rounded up
      {Value::date(42811.99999999), "20170317"},
      {Value::date(-1.25), "18991229"},
      {Value::date(first_date_day), "01000101"},
      {Value::date(last_date_day + 0.5), "99991231"},
      {Value(42811.0), "20170317"},  // a number is a day count
      {Value(QStringLiteral("2017-03-17")), "20170317"},
      {Value(QStringLiteral("20170317")), "20170317"},
      {Value(QStringLiteral("   ")), "        "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(encode_dbf_field(date_field, c.value), QByteArray(c.bytes)) << c.bytes;
}

TEST(dbf_date_field, a_date_out_of_range_is_a_conversion_error) {
  const double inf = std::numeric_limits<double>::infinity();
  const Value cases[] = {
      Value(1e300),
      Value(-1e300),
      Value(inf),
      Value(-inf),
      Value(std::numeric_limits<double>::quiet_NaN()),
      Value(first_date_day - 1.0),
      Value(last_date_day + 1.0),
      Value(QStringLiteral("0099-12-31")),
      Value(QStringLiteral("2017-02-29")),
  };
  for (const Value& v : cases) {
    try {
      (void)encode_dbf_field(date_field, v);
      ADD_FAILURE() << "accepted " << ::testing::PrintToString(v);
    } catch (const dbf_error& e) {
      EXPECT_EQ(e.number(), dbf_errno::conversion) << ::testing::PrintToString(v);
    }
  }
}

// The field texts and the program's date texts name the same day across the
// whole range of the calendar.
TEST(dbf_date_field, agrees_with_the_date_texts_over_the_whole_range) {
  for (double day = first_date_day; day <= last_date_day; day += 997) {
    QByteArray expected = ymd_text(day, QLatin1Char('-')).toLatin1();
    expected.replace('-', "");
    const QByteArray bytes = encode_dbf_field(date_field, Value::date(day));
    ASSERT_EQ(bytes, expected) << day;
    ASSERT_EQ(decode_dbf_field(date_field, bytes.constData()), Value::date(day)) << day;
  }
}

}  // namespace
}  // namespace km::platform
