// The shared variables and the hooks and services of this layer go back to
// their start with platform::reset_for_tests().
#include <gtest/gtest.h>

#include "common/data_file_services.h"
#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/dbase/data_control.h"
#include "support/reset_cases.h"

namespace km {
namespace {

TEST(state_reset, puts_the_shared_variables_hooks_and_services_back) {
  data_file_services mine;
  platform::data_control provided;
  const test::reset_case cases[] = {
      {"shared variable", [] { g_data_folder = "C:\\DATA"; }, [] { return g_data_folder; }},
      {"file-number pool", [] { g_file_in_use[5] = 1; }, [] { return QString::number(g_file_in_use[5]); }},
      {"close-all hooks",
       [] {
         g_close_all_reopen_school_hook = [] {};
         g_close_all_release_locks_hook = [](const QString&) {};
       },
       [] {
         return QString("%1 %2")
             .arg(bool(g_close_all_reopen_school_hook))
             .arg(bool(g_close_all_release_locks_hook));
       }},
      {"data-file services", [&] { set_data_file_services(&mine); },
       [&] { return QString(&data_files() == &mine ? "installed" : "stand-in"); }},
      {"start-up data control", [&] { set_startup_data_control_provider([&] { return &provided; }); },
       [&] { return QString(&startup_data_control() == &provided ? "provided" : "own"); }},
  };
  test::expect_reset_restores(cases);
}

}  // namespace
}  // namespace km
