#pragma once
// Wires the record-file opening into the file-number pool: after close-all
// the school record file is requested again.

namespace km {

// Sets the pool's close-all hook that reopens the school record: "SKL" for
// g_school_data_folder (which the opening fills with its default folder
// when it is blank). The application and the tests call it at start.
void install_record_file_hooks();

}  // namespace km
