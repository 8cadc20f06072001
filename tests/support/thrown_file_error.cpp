#include "support/thrown_file_error.h"

#include <gtest/gtest.h>

namespace km::test {

km::platform::file_error::kind thrown_file_error_kind(const std::function<void()>& step) {
  try {
    step();
  } catch (const km::platform::file_error& e) {
    return e.which();
  }
  ADD_FAILURE() << "no file_error";
  return km::platform::file_error::kind::other;
}

}  // namespace km::test
