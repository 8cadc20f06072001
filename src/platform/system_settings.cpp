#include "platform/system_settings.h"

namespace km::platform {

system_settings_t& system_settings() {
  static system_settings_t settings;
  return settings;
}

void reset_system_settings() { system_settings() = system_settings_t{}; }

}  // namespace km::platform
