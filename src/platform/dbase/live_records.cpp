#include "platform/dbase/live_records.h"

#include <algorithm>

namespace km::platform {

live_records::live_records(std::uint32_t total, std::vector<std::uint32_t> hidden)
    : total_(total), hidden_(std::move(hidden)) {}

std::uint32_t live_records::at(qint64 position) const {
  // Hidden record i has hidden_[i] - i shown records before it; those with
  // at most `position` shown records before them lie before the record asked
  // for.
  std::size_t lo = 0, hi = hidden_.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (qint64(hidden_[mid]) - qint64(mid) <= position)
      lo = mid + 1;
    else
      hi = mid;
  }
  return std::uint32_t(position + qint64(lo));
}

void live_records::add(std::uint32_t record) {
  for (std::uint32_t r = total_; r < record; ++r) hidden_.push_back(r);
  total_ = std::max(total_, record + 1);
}

void live_records::remove(qint64 position) {
  const std::uint32_t record = at(position);
  hidden_.insert(std::lower_bound(hidden_.begin(), hidden_.end(), record), record);
}

}  // namespace km::platform
