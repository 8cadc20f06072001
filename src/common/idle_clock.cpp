#include "common/idle_clock.h"

#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/services.h"

namespace km {

namespace {
qint64 g_last_activity_ms = 0;
// A test starts with no activity noted.
const platform::reset_step no_activity_at_reset{platform::reset_stage::values,
                                                [] { g_last_activity_ms = 0; }};
}  // namespace

void reset_idle_clock() {
  g_last_activity = platform::clock().timer();
  g_last_activity_ms = platform::clock().monotonic_ms();
}

qint64 last_activity_monotonic_ms() { return g_last_activity_ms; }

}  // namespace km
