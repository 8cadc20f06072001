#include "support/reset_cases.h"

#include <gtest/gtest.h>

#include "platform/services.h"

namespace km::test {

void expect_reset_restores(std::span<const reset_case> cases) {
  for (const reset_case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::reset_for_tests();
    const QString at_start = c.read();
    c.change();
    EXPECT_NE(c.read(), at_start) << "the change did not show";
    platform::reset_for_tests();
    EXPECT_EQ(c.read(), at_start);
  }
}

}  // namespace km::test
