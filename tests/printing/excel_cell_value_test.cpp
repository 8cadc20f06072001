// Which report texts go into a worksheet as numbers, and which make their
// column show long numbers in full.
#include "printing/excel_cell_value.h"

#include <gtest/gtest.h>

#include <optional>

namespace km {
namespace {

TEST(excel_cell_value_test, plain_numbers_become_numbers_and_the_rest_stays_text) {
  const struct {
    const char* text;
    std::optional<double> number;
  } cases[] = {
      {"74", 74.0},
      {" 74.0 ", 74.0},
      {"0", 0.0},
      {"0.5", 0.5},
      {"-3", -3.0},
      {"-0", 0.0},
      {"9999999999", 9999999999.0},
      {"-9999999999", -9999999999.0},
      {"12345.6789012345", 12345.6789012345},  // 15 digits
      {"12345.67890123456", std::nullopt},     // 16 digits would lose one
      {"10000000000", std::nullopt},           // an identity number stays text
      {"007", std::nullopt},                   // a leading zero is kept
      {"00", std::nullopt},
      {"'123", std::nullopt},
      {".5", std::nullopt},
      {"5.", std::nullopt},
      {"+5", std::nullopt},
      {"1e5", std::nullopt},
      {"1,000", std::nullopt},
      {"1 000", std::nullopt},
      {"12a", std::nullopt},
      {"A", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<double> number = worksheet_number(QString::fromLatin1(c.text));
    ASSERT_EQ(number.has_value(), c.number.has_value());
    if (number) {
      EXPECT_DOUBLE_EQ(*number, *c.number);
    }
  }
  EXPECT_FALSE(std::signbit(*worksheet_number(QStringLiteral("-0"))));
}

TEST(excel_cell_value_test, long_numbers_and_quoted_texts_want_the_thirteen_digit_format) {
  const struct {
    const char* text;
    bool wanted;
  } cases[] = {
      {"12345678901", true},
      {"10000000000", true},
      {"9999999999", false},  // exactly the limit: not above it
      {"9999999999.5", true},
      {" 8001015009087 ", true},
      {"0801015009087", true},    // the leading zero does not count
      {"800101 5009 087", true},  // blanks inside a number are skipped
      {"'0123", true},
      {"  'x", true},
      {"x'", false},
      {"12345678901 Smith", true},  // the leading number decides
      {"Smith 12345678901", false},
      {"-12345678901", false},
      {"1"
       "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000",
       true},  // too large for a number at all
      {"", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(wants_id_number_format(QString::fromLatin1(c.text)), c.wanted) << c.text;
}

}  // namespace
}  // namespace km
