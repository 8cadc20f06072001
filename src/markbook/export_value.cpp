#include "markbook/export_value.h"

#include "common/text_routines.h"
#include "markbook/mark_value.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

QString exported_mark(const QString& mark, double task_total, double subject_total) {
  if (is_uncounted_mark(mark) || subject_total == 0) return mark;
  const double scaled = platform::val(mark) / task_total * subject_total;
  return mark_text(platform::rounded_decimal(scaled, 1, platform::rounding::half_even));
}

}  // namespace km
