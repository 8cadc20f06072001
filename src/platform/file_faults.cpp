#include "platform/file_faults.h"

#include <utility>

#include "platform/services.h"

namespace km::platform {

namespace {

file_fault_hook& hook() {
  static file_fault_hook h;
  return h;
}

// A test's hook never outlives the test.
const reset_step drop_hook_at_reset{reset_stage::values, [] { hook() = {}; }};

}  // namespace

void set_file_fault_hook(file_fault_hook h) { hook() = std::move(h); }

void check_file_fault(file_step step, const QString& path) {
  if (hook()) hook()(step, path);
}

}  // namespace km::platform
