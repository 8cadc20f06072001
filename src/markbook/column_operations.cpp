#include "markbook/column_operations.h"

#include <algorithm>

#include "common/language_text.h"
#include "common/mark_text.h"
#include "common/text_routines.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

QString scaling_prompt(double current_average) {
  return in_language(u"Huidige gemiddeld ", u"Current average ") + platform::str_number(current_average) +
         QStringLiteral("\r\r") + in_language(u"Nuwe gemiddeld ...", u"New average ...");
}

std::vector<merit_entry> merit_order(std::vector<merit_entry> entries) {
  std::stable_partition(entries.begin(), entries.end(),
                        [](const merit_entry& e) { return !is_uncounted_mark(e.mark); });
  const auto counted_end = std::find_if(entries.begin(), entries.end(),
                                        [](const merit_entry& e) { return is_uncounted_mark(e.mark); });
  std::stable_sort(entries.begin(), counted_end, [](const merit_entry& a, const merit_entry& b) {
    return platform::val(a.mark) > platform::val(b.mark);
  });
  return entries;
}

}  // namespace km
