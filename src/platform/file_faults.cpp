#include "platform/file_faults.h"

#include <unistd.h>

#include <utility>

#include "platform/services.h"

namespace km::platform {

namespace {

struct fault_state {
  file_fault_hook hook;
  std::uint64_t counted = 0;
  std::uint64_t crash_point = 0;
};

fault_state& state() {
  static fault_state s;
  return s;
}

// A test's hook and crash point never outlive the test.
const reset_step drop_hook_at_reset{reset_stage::values, [] { state() = {}; }};

}  // namespace

void set_file_fault_hook(file_fault_hook h) { state().hook = std::move(h); }

void check_file_fault(file_step step, const QString& path) {
  fault_state& s = state();
  ++s.counted;
  if (s.crash_point != 0 && s.counted == s.crash_point) ::_exit(crash_point_exit_status);
  if (s.hook) s.hook(step, path);
}

std::uint64_t file_steps_counted() { return state().counted; }

void reset_file_step_count() { state().counted = 0; }

void set_crash_point(std::uint64_t n) { state().crash_point = n; }

}  // namespace km::platform
