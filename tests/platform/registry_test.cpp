// REG_DWORD values written to the registry stand-in: the whole part of the
// number in 32 bits, and an overflow for a number that does not fit, which
// leaves the value as it was.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <limits>

#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

const QString value_path = QStringLiteral("HKCU\\Software\\Test\\Count");

class registry_test : public test::temp_drives_test {
 protected:
  void TearDown() override { set_registry_file({}); }
};

TEST_F(registry_test, a_dword_keeps_the_whole_number_in_32_bits) {
  struct row {
    double number;
    const char* raw;
    std::int32_t read_back;
  };
  const row rows[] = {
      {1, "dword:00000001", 1},
      {2.9, "dword:00000002", 2},
      {-1, "dword:ffffffff", -1},
      {-2147483648.0, "dword:80000000", -2147483647 - 1},
      {4294967295.0, "dword:ffffffff", -1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.number);
    registry_write(value_path, Value::dbl(r.number), registry_type::dword);
    QFile ini(c("Windows/registry.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains(QByteArray("\nCount=") + r.raw + '\n'));
    EXPECT_EQ(registry_read(value_path), std::optional<Value>(Value::int32(r.read_back)));
  }
}

TEST_F(registry_test, a_number_no_dword_holds_is_an_overflow) {
  registry_write(value_path, Value::int32(7), registry_type::dword);
  for (const double number :
       {1e30, -1e30, 4294967296.0, -2147483649.0, std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(number);
    try {
      registry_write(value_path, Value::dbl(number), registry_type::dword);
      ADD_FAILURE() << "no overflow";
    } catch (const value_error& e) {
      EXPECT_EQ(e.which(), value_error::kind::overflow);
    }
    // The value written before stays.
    EXPECT_EQ(registry_read(value_path), std::optional<Value>(Value::int32(7)));
  }
}

}  // namespace
}  // namespace km::platform
