#pragma once
// The base of the test fixtures. The test main resets every piece of
// process-wide state (platform::reset_for_tests) before each test and after
// it; a fixture derived from this one resets it once more in TearDown, while
// its members (temporary drives, scripted dialogs, the data the windows
// show) are still there: the windows and files a test left behind go first,
// then the members.

#include <gtest/gtest.h>

#include "platform/services.h"

namespace km::test {

class clean_state_test : public ::testing::Test {
 protected:
  void TearDown() override { platform::reset_for_tests(); }
};

}  // namespace km::test
