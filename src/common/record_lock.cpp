#include "common/record_lock.h"

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "common/user_name.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/record_layouts.h"

namespace km {

namespace {

bool is_own_folder_lock(const platform::record_buffer& rec, const QString& folder, const QString& user) {
  return trim_blanks(rec.get_text("lock_type")) == QLatin1String("L") &&
         trim_blanks(rec.get_text("locked_item")) == folder &&
         QString::compare(trim_blanks(rec.get_text("user_name")), user, Qt::CaseInsensitive) == 0;
}

// Scans the open lock file and blanks the first qualifying record.
void release_first_lock(std::int16_t number, const QString& folder) {
  const int length = platform::user_lock_record.length;
  const QString wanted = trim_blanks(folder);
  const QString user = trim_blanks(get_user_name());
  platform::record_buffer& rec = g_lock_record;
  g_lock_record_count = std::int32_t(platform::lof(number) / length);  // a part record at the end is not read
  for (g_lock_record_no = 1; g_lock_record_no <= g_lock_record_count; ++g_lock_record_no) {
    platform::get_record(number, g_lock_record_no, rec);
    if (!is_own_folder_lock(rec, wanted, user)) continue;
    rec.blank();
    platform::put_record(number, g_lock_record_no, rec);
    return;
  }
}

}  // namespace

bool release_user_record_locks(const QString& folder) {
  if (!platform::folder_exists(folder)) return false;
  const QString path = file_in_folder(g_user_folder, QStringLiteral("user_lock_record.txt"));
  try {
    g_user_lock_file_number = get_free_file_number(0);
    platform::open_file(g_user_lock_file_number, path, platform::open_mode::random,
                        platform::user_lock_record.length);
    release_first_lock(g_user_lock_file_number, folder);
  } catch (const platform::file_error&) {
    // The lock stays; the number is given back below all the same.
  }
  try {
    close_file(g_user_lock_file_number);
  } catch (const platform::file_error&) {
    // Closing a random file writes nothing more; the number is free again.
  }
  return true;
}

void install_record_lock_hook() {
  g_close_all_release_locks_hook = [](const QString& folder) { release_user_record_locks(folder); };
}

}  // namespace km
