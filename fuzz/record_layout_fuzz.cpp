// Reads arbitrary bytes as a record of every fixed-length layout of the
// program's files and takes every field of it in its kind: of an array the
// first and the last element (the offsets in between follow the same rule).
// A value that does not fit its kind (a date out of range) must fail with a
// value error, never read outside the record.
#include <QByteArray>
#include <cstdint>

#include "common/record_file_layouts.h"
#include "platform/platform_error.h"
#include "platform/record_layouts.h"

namespace {

using namespace km::platform;

void read_every_field(const record_layout& layout, const QByteArray& bytes) {
  const record_buffer record(layout, bytes);
  for (const field_def& field : layout.fields) {
    for (int index : {field.first_index, field.first_index + field.count - 1}) {
      try {
        (void)record.get(field.name, index);
        (void)record.get_raw(field.name, index);
      } catch (const platform_error&) {
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  for (const record_layout* layout :
       {&exp_mrk_control_record, &user_lock_record, &km::skl_dta_record, &km::skl_add_record,
        &km::skl_epos_record, &km::skl_h_b_record, &km::msp_skl_record, &km::skl_msp_record,
        &km::pi1sma_record, &km::pi3_record, &km::hw2_record})
    read_every_field(*layout, bytes);
  return 0;
}
