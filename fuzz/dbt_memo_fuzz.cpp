// Reads arbitrary bytes as a memo file, in both layouts (dBase III and
// dBase IV), at the blocks the input's last bytes name and at the first
// blocks. A damaged memo must fail with the engine's error.
#include <cstdint>

#include "fuzz_files.h"
#include "platform/dbase/dbt_memo.h"
#include "platform/platform_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = km::fuzz::write_input(QStringLiteral("T.DBT"), data, size);
  // Blocks to read: 0 to 3, and one taken from the last four bytes.
  std::uint32_t named = 0;
  for (std::size_t i = size >= 4 ? size - 4 : 0; i < size; ++i) named = named << 8 | data[i];
  for (bool dbase4 : {false, true}) {
    try {
      km::platform::dbt_memo memo(path, false, dbase4);
      for (std::uint32_t block : {0u, 1u, 2u, 3u, named}) {
        try {
          (void)memo.text(block, QStringLiteral("record 1, field MEMO"));
        } catch (const km::platform::platform_error&) {
        }
      }
    } catch (const km::platform::platform_error&) {
    }
  }
  return 0;
}
