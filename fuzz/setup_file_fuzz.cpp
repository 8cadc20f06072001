// Reads arbitrary bytes as a mark book's set-up file (200 values read with
// Input #). A short or damaged file gives the rows it held.
#include <cstdint>

#include "fuzz_files.h"
#include "markbook/setup_file.h"
#include "platform/numbered_files.h"
#include "platform/platform_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  km::fuzz::write_input(QStringLiteral("setup_fuzz.txt"), data, size);
  try {
    (void)km::read_setup_file(QStringLiteral("C:\\SETUP_FUZZ.TXT"));
  } catch (const km::platform::platform_error&) {
  }
  km::platform::close_all_numbered_files();
  return 0;
}
