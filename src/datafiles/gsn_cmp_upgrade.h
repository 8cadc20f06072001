#pragma once
// The two-pass upgrade of the family-composition file Gsn_Cmp_random.txt:
// 2046 to 2090 bytes, then 2090 to 2120.

#include <QString>

#include "platform/record_layout.h"

namespace km {

// One family record into a blank record of the next layout: every field the
// two layouts share, except F39 (left blank); F58 at most 10; of the arrays
// F59 to F64 elements 1 to 10; the dates of F63 kept to their day (a value
// that is no date gives the zero date).
void carry_gsn_cmp_record(const platform::record_buffer& old_record, platform::record_buffer& new_record);

// One pass per call, told by the markers gsncmp_convert.2016 (first pass
// done) and gsncmp_convert2.2016 (second pass done; alone, it means the file
// is already in the last layout and only the first marker is written). The
// original goes into the save folder before the first pass, the file as it
// was before a pass into gsn_cmp_random.old, and the marker is written last
// (data_file_services hook of the same name).
void convert_gsn_cmp_random(const QString& folder);

}  // namespace km
