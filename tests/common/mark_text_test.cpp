// What counts as a number in a typed or stored mark.
#include "common/mark_text.h"

#include <gtest/gtest.h>

namespace km {
namespace {

TEST(mark_text_test, only_a_plain_decimal_is_a_number) {
  struct decimal_case {
    const char* text;
    std::optional<double> number;
  };
  for (const decimal_case& c :
       {decimal_case{"12", 12.0}, decimal_case{" 7.5 ", 7.5}, decimal_case{".5", 0.5},
        decimal_case{"12.", 12.0}, decimal_case{"0", 0.0}, decimal_case{"12,5", std::nullopt},
        decimal_case{"1e2", std::nullopt}, decimal_case{"&H10", std::nullopt},
        decimal_case{"-1", std::nullopt}, decimal_case{"+1", std::nullopt},
        decimal_case{"1.2.3", std::nullopt}, decimal_case{".", std::nullopt}, decimal_case{"", std::nullopt},
        decimal_case{"1 2", std::nullopt}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(plain_decimal(QString::fromLatin1(c.text)), c.number);
  }
}

}  // namespace
}  // namespace km
