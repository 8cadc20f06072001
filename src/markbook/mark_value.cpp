#include "markbook/mark_value.h"

#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

double round_one_decimal(double x) {
  return platform::rounded_decimal(x, 1, platform::rounding::half_away_from_zero);
}

QString running_sum(const QString& old_mark, const QString& new_mark, const std::optional<QString>& target) {
  double sum = target ? platform::val(*target) : 0.0;
  const double old_value = platform::val(old_mark);
  if (old_value > 0) sum -= old_value;
  return mark_text(sum + platform::val(new_mark));
}

}  // namespace km
