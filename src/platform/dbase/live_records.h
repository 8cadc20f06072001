#pragma once
// The records a record set shows, by position: every record of the table
// but the hidden ones (deleted records, and records another writer appended
// after the set was opened). Only the hidden record numbers are kept, so the
// memory follows the deletions, not the size of the table.

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace km::platform {

class live_records {
 public:
  live_records() = default;
  // Records 0 .. total - 1 without the hidden ones (ascending).
  live_records(std::uint32_t total, std::vector<std::uint32_t> hidden);

  qint64 size() const { return qint64(total_) - qint64(hidden_.size()); }
  bool empty() const { return size() == 0; }
  // The record number at a position (0 <= position < size()).
  std::uint32_t at(qint64 position) const;
  // Shows a record appended to the table; records between the last one
  // shown and it (appended by another writer) stay hidden.
  void add(std::uint32_t record);
  // Hides the record at a position.
  void remove(qint64 position);

 private:
  std::uint32_t total_ = 0;
  std::vector<std::uint32_t> hidden_;
};

}  // namespace km::platform
