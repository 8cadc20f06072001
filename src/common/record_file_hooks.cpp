#include "common/record_file_hooks.h"

#include "common/file_number_pool.h"
#include "common/open_random_files.h"
#include "common/shared_variables.h"

namespace km {

void install_record_file_hooks() {
  g_close_all_reopen_school_hook = [] { open_random_files(QStringLiteral("SKL"), g_school_data_folder); };
}

}  // namespace km
