#pragma once
// Reading the school record (Skl_Dta_random.txt, code "SKL", layout
// skl_dta_record in record_file_layouts.h).

#include <QString>
#include <cstdint>

namespace km {

// The school's name: field SD_SKOOL of record 1 of the school record file
// open under `number`, its trailing blanks removed ("" when the field is
// blank or NUL-filled, or the file holds no record). Throws
// platform::file_error when the number is not open.
QString read_school_name(std::int16_t number);

}  // namespace km
