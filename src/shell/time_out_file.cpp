#include "shell/time_out_file.h"

#include <cmath>
#include <optional>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/value.h"
#include "shell/settings_files.h"

namespace km {

namespace {

const char* const time_out_file = "time_out.txt";

// The first field of the file as a time-out; nothing when it is unusable.
std::optional<float> read_time_out(std::int16_t number) {
  const platform::Value field = platform::input_field(number);
  if (field.is_empty() || field.is_null()) return std::nullopt;
  double seconds = 0;
  try {
    seconds = field.to_double();
  } catch (const platform::value_error&) {
    return std::nullopt;
  }
  const float single = static_cast<float>(seconds);
  if (!std::isfinite(seconds) || !std::isfinite(single) || single < 0.0f) return std::nullopt;
  return single;
}

}  // namespace

float load_idle_timeout() {
  const QString path = QString::fromLatin1(time_out_file);
  if (!platform::file_exists(path)) return default_idle_timeout;
  g_file_number = get_free_file_number(1);
  std::optional<float> seconds;
  try {
    platform::open_file(g_file_number, path, platform::open_mode::input);
    seconds = read_time_out(g_file_number);
  } catch (const platform::file_error&) {
    seconds.reset();
  }
  abandon_file(g_file_number);
  return seconds.value_or(default_idle_timeout);
}

}  // namespace km
