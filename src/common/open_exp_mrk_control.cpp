#include "common/open_exp_mrk_control.h"

#include "common/file_code_table.h"
#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/shared_variables.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/record_layouts.h"

namespace km {

void open_exp_mrk_control(const QString& code, const QString& folder) {
  if (code != QLatin1String("*") && code != QLatin1String("E_C")) return;
  // Its folder and code are never recorded, so this always closes the old
  // number and every request opens the file anew.
  check_file_open_needed(g_exp_mrk_control_file_number, folder, code);
  g_exp_mrk_control_count = 0;
  const QString path = file_in_folder(folder, QStringLiteral("exp_mrk_control.txt"));
  if (!platform::file_exists(path)) return;
  const int length = platform::exp_mrk_control_record.length;
  g_exp_mrk_control_file_number = get_free_file_number(0);
  try {
    platform::open_file(g_exp_mrk_control_file_number, path, platform::open_mode::random, length);
    g_exp_mrk_control_count = record_count_of(platform::lof(g_exp_mrk_control_file_number), length);
  } catch (...) {
    close_file(g_exp_mrk_control_file_number);
    throw;
  }
}

}  // namespace km
