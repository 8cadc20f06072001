#pragma once
// What the tests of the side windows share: a fresh program state with
// scripted dialogs and the side windows registered; afterwards every window
// goes, its pending events run, and the program state is fresh again.

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"

namespace km::test {

class side_window_test : public with_scripted_dialogs {
 protected:
  void SetUp() override { register_side_windows(); }
  void TearDown() override {
    with_scripted_dialogs::TearDown();
    run_events();
  }
};

}  // namespace km::test
