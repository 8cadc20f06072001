#pragma once
// The 2016 upgrade of the school's additional record, skl_add_random.txt.

#include <QString>

#include "platform/record_layout.h"

namespace km {

// The fields carried by name from the older record into a blank new one.
void carry_skl_add_record(const platform::record_buffer& old_record, platform::record_buffer& new_record);

// Keeps a checked copy as skl_add_prv_random.txt (or takes the one an
// unfinished run left), writes the records again and then the marker
// skladd_convert.2016. A missing file, or one that is not whole records,
// only gets the marker (data_file_services hook of the same name).
void upgrade_skl_add_2016(const QString& folder);

}  // namespace km
