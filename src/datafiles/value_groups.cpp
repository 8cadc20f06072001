#include "datafiles/value_groups.h"

#include "common/file_number_pool.h"
#include "platform/numbered_files.h"

namespace km {

void read_value_groups(const QString& path, int group_size, std::int16_t& number,
                       const std::function<void(const value_group&)>& take_group) {
  number = get_free_file_number(0);
  try {
    platform::open_file(number, path, platform::open_mode::input);
    value_group group;
    while (!platform::eof(number)) {
      group.clear();
      for (int i = 0; i < group_size; ++i) group.push_back(platform::input_field(number));
      take_group(group);
    }
  } catch (...) {
    abandon_file(number);
    throw;
  }
  close_file(number);
}

QString value_text(const platform::Value& value) { return value.is_null() ? QString() : value.to_text(); }

}  // namespace km
