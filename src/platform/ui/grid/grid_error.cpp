#include "platform/ui/grid/grid_error.h"

namespace km::platform {

namespace {

const char* message(grid_error::kind k) {
  switch (k) {
    case grid_error::kind::subscript_out_of_range:
      return "Subscript out of range";
    case grid_error::kind::invalid_row:
      return "Invalid Row value";
    case grid_error::kind::invalid_col:
      return "Invalid Col value";
    case grid_error::kind::invalid_value:
      return "Invalid property value";
    case grid_error::kind::last_row:
      return "Cannot remove last non-fixed row";
  }
  return "Grid error";
}

}  // namespace

grid_error::grid_error(kind k) : std::runtime_error(message(k)), kind_(k) {}

}  // namespace km::platform
