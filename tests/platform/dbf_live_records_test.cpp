// The positions of a record set over a table with hidden records: only the
// hidden record numbers are kept, and every position still finds its record.
#include <gtest/gtest.h>

#include <vector>

#include "platform/dbase/live_records.h"

namespace {

using km::platform::live_records;

std::vector<std::uint32_t> shown(const live_records& live) {
  std::vector<std::uint32_t> out;
  for (qint64 p = 0; p < live.size(); ++p) out.push_back(live.at(p));
  return out;
}

TEST(dbf_live_records, positions_skip_the_hidden_records) {
  struct live_case {
    std::uint32_t total;
    std::vector<std::uint32_t> hidden;
    std::vector<std::uint32_t> records;
  };
  const live_case cases[] = {
      {0, {}, {}},
      {4, {}, {0, 1, 2, 3}},
      {10, {2, 3, 7}, {0, 1, 4, 5, 6, 8, 9}},
      {5, {0, 1, 2}, {3, 4}},
      {5, {3, 4}, {0, 1, 2}},
      {3, {0, 1, 2}, {}},
  };
  for (const live_case& c : cases) {
    const live_records live(c.total, c.hidden);
    EXPECT_EQ(live.size(), qint64(c.records.size()));
    EXPECT_EQ(live.empty(), c.records.empty());
    EXPECT_EQ(shown(live), c.records);
  }
}

TEST(dbf_live_records, deletions_and_appends_keep_the_positions) {
  live_records live(6, {1});  // 0 2 3 4 5
  live.remove(2);             // record 3
  EXPECT_EQ(shown(live), (std::vector<std::uint32_t>{0, 2, 4, 5}));
  live.remove(0);
  EXPECT_EQ(shown(live), (std::vector<std::uint32_t>{2, 4, 5}));
  live.add(6);
  live.add(9);  // 7 and 8 came from another writer: not shown
  EXPECT_EQ(shown(live), (std::vector<std::uint32_t>{2, 4, 5, 6, 9}));
  live.remove(4);
  EXPECT_EQ(shown(live), (std::vector<std::uint32_t>{2, 4, 5, 6}));
}

}  // namespace
