#include "datafiles/skl_add_upgrade.h"

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/record_file_layouts.h"
#include "common/shared_variables.h"
#include "datafiles/checked_files.h"
#include "datafiles/layout_upgrades.h"
#include "platform/file_system.h"

namespace km {

namespace {

// No older layout of this record is known but the current one: the file
// belongs to the suite's other programs, and a layout guessed here must
// never rewrite it. Old and new are therefore the same 458-byte record.
const platform::record_layout& old_skl_add_record = skl_add_record;

}  // namespace

void carry_skl_add_record(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  for (const char* field : {"SD_CLUSTER", "SD_GPS_LATITUDE", "SD_GPS_LONGITUDE", "SD_KWINTIEL_NOMMER",
                            "SD_SEKSIE21_SKOOL", "SD_TIPE_SKOOL"})
    new_record.set_raw(field, old_record.get_raw(field));
  for (int i = 1; i <= 6; ++i)
    new_record.set_raw("SD_SEKSIE21_INFO", old_record.get_raw("SD_SEKSIE21_INFO", i), i);
  for (int i = 1; i <= 4; ++i) {
    new_record.set_raw("SD_TERMYN_BGN", old_record.get_raw("SD_TERMYN_BGN", i), i);
    new_record.set_raw("SD_TERMYN_END", old_record.get_raw("SD_TERMYN_END", i), i);
  }
}

void upgrade_skl_add_2016(const QString& folder) {
  close_file(g_skladd_file_number);
  const QString current = file_in_folder(folder, QStringLiteral("skl_add_random.txt"));
  const QString previous = file_in_folder(folder, QStringLiteral("skl_add_prv_random.txt"));
  const QString marker = file_in_folder(folder, QStringLiteral("skladd_convert.2016"));
  if (platform::file_exists(current)) {
    // A copy left by a run that did not finish is the only whole one.
    if (!platform::file_exists(previous)) {
      if (layout_by_length(platform::file_length(current), old_skl_add_record.length,
                           skl_add_record.length) == layout_of_file::old_layout)
        copy_checked(current, previous);
    }
    if (platform::file_exists(previous) &&
        layout_by_length(platform::file_length(previous), old_skl_add_record.length, skl_add_record.length) ==
            layout_of_file::old_layout) {
      const QString work = work_file_of(current);
      write_in_new_layout(previous, work, old_skl_add_record, skl_add_record, &carry_skl_add_record);
      put_in_place(work, current);
    }
  }
  write_date_marker(marker);
}

}  // namespace km
