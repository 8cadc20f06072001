// Opens arbitrary bytes as a dBase table and reads every value of every
// record; a table that opens is then packed and its live records put in
// reverse order, and read again. A damaged table must fail with the
// engine's error, never crash or read outside its bytes.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_files.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/platform_error.h"

namespace {

using km::platform::dbf_table;

// Every value of every record; the numbers of the live records.
std::vector<std::uint32_t> read_all(const QString& path) {
  dbf_table table(path, dbf_table::access::read_only);
  std::vector<std::uint32_t> live;
  for (std::uint32_t r = 0; r < table.record_count(); ++r) {
    if (!table.is_deleted(r)) live.push_back(r);
    for (int f = 0; f < table.field_count(); ++f) {
      try {
        (void)table.value(r, f);
      } catch (const km::platform::platform_error&) {
        // A damaged value names its record; the others still read.
      }
    }
  }
  return live;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A table without memo fields; the memo reader has a target of its own.
  const QString path = km::fuzz::write_input(QStringLiteral("T.DBF"), data, size);
  try {
    read_all(path);
    km::platform::pack_dbf_table(path);
    std::vector<std::uint32_t> live = read_all(path);
    // After packing, the live records are 0 .. n-1.
    std::reverse(live.begin(), live.end());
    km::platform::reorder_dbf_records(path, live);
    read_all(path);
  } catch (const km::platform::platform_error&) {
  }
  return 0;
}
