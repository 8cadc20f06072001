#pragma once
// Tells whether a step raised a loose-value error of a given kind.

#include "platform/value.h"

namespace km::test {

// True when the step throws value_error of the kind; false when it throws
// another kind or nothing.
template <typename Step>
bool raises(platform::value_error::kind kind, Step step) {
  try {
    step();
  } catch (const platform::value_error& e) {
    return e.which() == kind;
  }
  return false;
}

}  // namespace km::test
