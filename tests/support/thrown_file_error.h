#pragma once
// The kind of file error a step throws, for tests of the file routines.

#include <functional>

#include "platform/file_error.h"

namespace km::test {

// Runs the step and returns the kind of the file_error it throws; a step
// that throws none fails the test (and gives kind::other).
km::platform::file_error::kind thrown_file_error_kind(const std::function<void()>& step);

}  // namespace km::test
