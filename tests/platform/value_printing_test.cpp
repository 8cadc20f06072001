// Failure messages print Qt texts and loose values readably in every test
// program, without the test file asking for the printers: a QChar as its
// character and code, never as the bytes of a 2-byte object.
#include <gtest/gtest.h>

#include <QChar>
#include <QString>

#include "platform/value.h"

namespace {

using km::platform::Value;

TEST(value_printing, qt_texts_and_values_print_readably) {
  struct print_case {
    std::string printed;
    const char* expected;
  };
  const print_case cases[] = {
      {::testing::PrintToString(QChar(u'3')), "'3' (U+33)"},
      {::testing::PrintToString(QChar(u'\u00EB')), "'\u00EB' (U+EB)"},
      {::testing::PrintToString(QStringLiteral("KORVA")), "\"KORVA\""},
      {::testing::PrintToString(Value(12.5)), "double(12.5)"},
      {::testing::PrintToString(Value::null()), "null"},
  };
  for (const print_case& c : cases) EXPECT_EQ(c.printed, c.expected);
}

}  // namespace
