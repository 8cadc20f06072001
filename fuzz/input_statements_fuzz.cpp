// Reads arbitrary bytes as a text file opened for Input, with Input # and
// Line Input # in turn (the first byte chooses which, statement by
// statement) until the end of the file. Every statement must use up at
// least one byte, so the loop ends; reading past the end fails with the
// platform's error.
#include <cstdint>

#include "fuzz_files.h"
#include "platform/numbered_files.h"
#include "platform/platform_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace km::platform;
  km::fuzz::write_input(QStringLiteral("INPUT.TXT"), data, size);
  const unsigned choice = size > 0 ? data[0] : 0;
  try {
    open_file(1, QStringLiteral("C:\\input.txt"), open_mode::input);
    std::size_t statements = 0;
    while (!eof(1)) {
      if (++statements > size + 1) std::abort();  // a statement that read nothing
      if (choice >> (statements % 8) & 1u)
        (void)line_input(1);
      else
        (void)input_field(1);
    }
    close_numbered_file(1);
  } catch (const platform_error&) {
    close_all_numbered_files();
  }
  return 0;
}
