#pragma once
// The text sources of the conversions follow the sequential convention:
// values separated by commas or line ends (a line end separates as a comma
// does), texts in double quotes, numbers bare, flags as #TRUE# and #FALSE#
// or as numbers. They are read in groups of a fixed number of values.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/value.h"

namespace km {

using value_group = std::vector<platform::Value>;

// Takes a record-pool number into `number`, opens the file for input under
// it and gives take_group each group of group_size values until the file
// ends; then closes the number. A file that cannot be opened, or that ends
// inside a group, throws platform::file_error; a failure of take_group is
// passed on. The number is given back on every path.
void read_value_groups(const QString& path, int group_size, std::int16_t& number,
                       const std::function<void(const value_group&)>& take_group);

// The text form of a value read from such a file; a null gives "".
QString value_text(const platform::Value& value);

}  // namespace km
