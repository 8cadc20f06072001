#include "common/school_record.h"

#include "common/record_file_layouts.h"
#include "common/text_routines.h"
#include "platform/numbered_files.h"
#include "platform/record_layout.h"

namespace km {

QString read_school_name(std::int16_t number) {
  platform::record_buffer record(skl_dta_record);
  platform::get_record(number, 1, record);
  return clean_field_value(platform::Value(record.get_text("SD_SKOOL")));
}

}  // namespace km
