#include "platform/model/grid/grid_error.h"

namespace km::platform {

namespace {

struct error_of_kind {
  int number;
  const char* text;
};

error_of_kind error_of(grid_error::kind k) {
  switch (k) {
    case grid_error::kind::subscript_out_of_range:
      return {381, "Subscript out of range"};
    case grid_error::kind::invalid_row:
      return {30009, "Invalid Row value"};
    case grid_error::kind::invalid_col:
      return {30010, "Invalid Col value"};
    case grid_error::kind::invalid_value:
      return {380, "Invalid property value"};
    case grid_error::kind::last_row:
      return {30015, "Cannot remove last non-fixed row"};
  }
  return {380, "Invalid property value"};
}

}  // namespace

grid_error::grid_error(kind k)
    : platform_error(error_of(k).number, QString::fromLatin1(error_of(k).text)), kind_(k) {}

}  // namespace km::platform
