// The default promotion settings: prm_prom_random.txt made afresh with one
// record, settings 1 to 3 on and setting 4 off.

#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "datafiles/code_file_name.h"
#include "datafiles/hand_written_conversions.h"
#include "datafiles/hand_written_layouts.h"
#include "datafiles/temporary_record_file.h"
#include "platform/numbered_files.h"

namespace km {

namespace {
constexpr int settings_on = 3;
}

// A file present before (the opening calls this for one with no record or
// too many) is kept in \save first, unless it is empty.
void create_prm_prom_random(const QString& folder) {
  const QString file_name = code_file_name("PRMPROM");
  remove_keeping_copy(folder, file_name);
  write_record_file(folder, file_name, g_prmprom_file_number, prm_prom_record.length, start_from::nothing,
                    [] {
                      platform::record_buffer record(prm_prom_record);
                      for (int setting = 1; setting <= settings_on; ++setting)
                        record.set_bool("prom_setting", true, setting);
                      platform::put_record(g_prmprom_file_number, 1, record);
                    });
}

}  // namespace km
