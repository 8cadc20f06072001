#pragma once
// The drawings the printer holds in its pending document, picked by kind,
// for tests that check what a printing routine drew and where.

#include <vector>

#include "platform/ui/printer/printer_object.h"

namespace km::test {

// The operations of one kind on page `page` (counted from 1 in the
// document), or on every page when page is 0, in drawing order.
inline std::vector<platform::print_op> pending_ops(platform::print_op::kind kind, int page = 0) {
  std::vector<platform::print_op> found;
  const platform::print_document* doc = platform::printer().pending_document();
  if (!doc) return found;
  for (std::size_t p = 0; p < doc->pages.size(); ++p) {
    if (page != 0 && int(p) + 1 != page) continue;
    for (const platform::print_op& op : doc->pages[p].ops)
      if (op.what == kind) found.push_back(op);
  }
  return found;
}

// The texts printed, on one page or on every page.
inline std::vector<platform::print_op> printed_texts(int page = 0) {
  return pending_ops(platform::print_op::kind::text, page);
}

}  // namespace km::test
