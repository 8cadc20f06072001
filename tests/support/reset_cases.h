#pragma once
// Tables of cases for platform::reset_for_tests(): each case changes one
// service or piece of state and reads it back as text. For each case the
// check reads the state after a reset, makes the change (which must show),
// resets, and expects the first reading again.

#include <QString>
#include <functional>
#include <span>

namespace km::test {

struct reset_case {
  const char* what;
  std::function<void()> change;
  std::function<QString()> read;
};

void expect_reset_restores(std::span<const reset_case> cases);

}  // namespace km::test
