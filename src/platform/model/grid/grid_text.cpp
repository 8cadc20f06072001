#include "platform/model/grid/grid_text.h"

#include "platform/value.h"

namespace km::platform {

bool grid_text_is_number(const QString& text, double* number) {
  if (text.trimmed().isEmpty()) return false;
  try {
    const double n = Value::text(text).to_double();
    if (number) *number = n;
    return true;
  } catch (const value_error&) {
    return false;
  }
}

}  // namespace km::platform
