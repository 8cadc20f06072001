// Reads arbitrary bytes as a learner workbook in the .xlsx format (a zip
// container of XML parts): the cells of columns A and B, or nothing for a
// damaged file.
#include <cstdint>

#include "fuzz_files.h"
#include "platform/learner_workbook_parts.h"
#include "platform/platform_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = km::fuzz::write_input(QStringLiteral("learners.xlsx"), data, size);
  try {
    (void)km::platform::read_xlsx_learners(path);
  } catch (const km::platform::platform_error&) {
  }
  return 0;
}
