// Feeds arbitrary bytes to the .xls reader. A compound file (by its
// signature) goes through the whole reader; any other input is taken as a
// workbook stream, so the record reader is reached without a valid
// compound file around it.
#include <cstddef>
#include <cstdint>

#include "platform/xls/compound_file.h"
#include "platform/xls/sheet_cells.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace km::platform::xls;
  const bytes input(data, size);
  if (size >= 8 && data[0] == 0xD0 && data[1] == 0xCF) {
    if (const auto file = compound_file::open(input)) {
      if (const auto stream = file->stream(u"Workbook")) first_sheet_columns(*stream);
      if (const auto stream = file->stream(u"Book")) first_sheet_columns(*stream);
    }
  } else {
    first_sheet_columns(input);
  }
  return 0;
}
