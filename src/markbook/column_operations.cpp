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
  QStringList marks;
  for (const merit_entry& e : entries) marks << e.mark;
  std::vector<merit_entry> ordered;
  for (const int i : merit_positions(marks)) ordered.push_back(entries[std::size_t(i)]);
  return ordered;
}

}  // namespace km
