// Sorting the rows of a grid. The generic order compares two numbers as
// numbers and everything else as text, which is not a consistent order over
// a mixed column ("10" < "1a" < "2" < "10"); the standard sorts may run out
// of bounds on such an order, so the rows are put in order by a merge sort
// of our own, which stays in bounds and keeps equal rows in their order
// whatever the comparison says.

#include <QByteArray>
#include <algorithm>
#include <vector>

#include "platform/cp1252.h"
#include "platform/cp1252_case.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/grid/flex_grid_cell_format.h"
#include "platform/model/grid/grid_text.h"
#include "platform/value.h"

namespace km::platform {

namespace {

struct sort_key {
  bool is_number = false;
  double number = 0.0;
  QByteArray text;
};

enum class key_kind { generic, numeric, text_no_case, text };

key_kind kind_of(sort_order order) {
  switch (order) {
    case sort_order::generic_ascending:
    case sort_order::generic_descending:
      return key_kind::generic;
    case sort_order::numeric_ascending:
    case sort_order::numeric_descending:
      return key_kind::numeric;
    case sort_order::string_no_case_ascending:
    case sort_order::string_no_case_descending:
      return key_kind::text_no_case;
    default:
      return key_kind::text;
  }
}

bool descending(sort_order order) {
  return order == sort_order::generic_descending || order == sort_order::numeric_descending ||
         order == sort_order::string_no_case_descending || order == sort_order::string_descending;
}

sort_key make_key(const QString& text, key_kind kind) {
  sort_key key;
  switch (kind) {
    case key_kind::generic:
      // A number against a text compares as text, so both forms are kept.
      key.is_number = grid_text_is_number(text, &key.number);
      key.text = cp1252_upper(encode_cp1252(text));
      break;
    case key_kind::numeric:
      key.is_number = true;
      key.number = val(text);
      break;
    case key_kind::text_no_case:
      key.text = cp1252_upper(encode_cp1252(text));
      break;
    case key_kind::text:
      key.text = encode_cp1252(text);
      break;
  }
  return key;
}

int compare_keys(const sort_key& a, const sort_key& b) {
  if (a.is_number && b.is_number) return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
  const int c = a.text.compare(b.text);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Stable bottom-up merge sort of the positions 0..n-1 by a three-way
// comparison: an element of the right half goes first only when it
// compares strictly before the left one.
template <class Compare>
std::vector<int> merge_sort_order(int n, Compare compare) {
  std::vector<int> order(n), buffer(n);
  for (int i = 0; i < n; ++i) order[i] = i;
  for (int width = 1; width < n; width *= 2) {
    for (int lo = 0; lo < n; lo += 2 * width) {
      const int mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      int i = lo, j = mid, k = lo;
      while (i < mid && j < hi) buffer[k++] = compare(order[j], order[i]) < 0 ? order[j++] : order[i++];
      while (i < mid) buffer[k++] = order[i++];
      while (j < hi) buffer[k++] = order[j++];
    }
    order.swap(buffer);
  }
  return order;
}

}  // namespace

void flex_grid::sort(sort_order order) {
  if (order == sort_order::none || rows() == 0 || cols() == 0) return;
  int first = std::min(row_, row_sel_), last = std::max(row_, row_sel_);
  if (first == last) {
    first = fixed_rows_;
    last = rows() - 1;
  }
  first = std::max(first, fixed_rows_);
  const int count = last - first + 1;
  if (count < 2) return;
  const int key_first = std::min(col_, col_sel_), key_last = std::max(col_, col_sel_);
  const key_kind kind = kind_of(order);
  const int direction = descending(order) ? -1 : 1;

  std::vector<std::vector<sort_key>> keys(count);
  for (int i = 0; i < count; ++i)
    for (int c = key_first; c <= key_last; ++c)
      keys[i].push_back(make_key(rows_[first + i].cells[c].text, kind));

  const std::vector<int> sorted = merge_sort_order(count, [&](int a, int b) {
    for (size_t k = 0; k < keys[a].size(); ++k) {
      const int c = compare_keys(keys[a][k], keys[b][k]);
      if (c != 0) return c * direction;
    }
    return 0;
  });

  std::vector<row_data> moved;
  moved.reserve(count);
  for (int i : sorted) moved.push_back(std::move(rows_[first + i]));
  for (int i = 0; i < count; ++i) rows_[first + i] = std::move(moved[i]);
  if (may_notify()) observer_->grid_reset();
}

}  // namespace km::platform
