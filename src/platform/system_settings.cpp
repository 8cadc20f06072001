#include "platform/system_settings.h"

#include "platform/services.h"

namespace km::platform {

system_settings_t& system_settings() {
  static system_settings_t settings;
  return settings;
}

namespace {

const reset_step default_settings{reset_stage::values, [] { system_settings() = system_settings_t{}; }};

}  // namespace

}  // namespace km::platform
