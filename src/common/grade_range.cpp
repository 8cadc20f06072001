#include "common/grade_range.h"

#include "common/shared_variables.h"
#include "platform/value.h"

namespace km {

bool is_grade_10_to_12() {
  const double grade = platform::val(g_grade);
  return grade >= 10 && grade <= 12;
}

}  // namespace km
