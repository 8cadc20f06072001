#include "shell/write_form_file.h"

#include "common/file_number_pool.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "shell/settings_files.h"

namespace km {

void write_form_lines(const QString& win_path, const std::vector<platform::Value>& lines) {
  std::int16_t number = get_free_file_number(0);
  try {
    platform::open_file(number, win_path, platform::open_mode::output);
    for (const auto& value : lines) platform::write_fields(number, {value});
  } catch (const platform::file_error&) {
    abandon_file(number);  // the first failure is the one worth reporting
    throw;
  }
  close_file(number);  // puts the text in place; throws when it cannot
}

}  // namespace km
