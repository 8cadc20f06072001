// The print variables and what the printing layer keeps between jobs go
// back to their start with platform::reset_for_tests().
#include <gtest/gtest.h>

#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/recording_device.h"
#include "printing/print_target.h"
#include "printing/print_variables.h"
#include "printing/rotated_text.h"
#include "support/reset_cases.h"

namespace km {
namespace {

TEST(state_reset, puts_the_print_variables_and_the_kept_pieces_back) {
  const test::reset_case cases[] = {
      {"print variable", [] { g_print_title = "MARK LIST"; }, [] { return g_print_title; }},
      {"open workbook", [] { g_excel_workbook = std::make_unique<platform::workbook>(); },
       [] { return QString(g_excel_workbook ? "open" : "none"); }},
      {"rotated pictures",
       [] {
         const platform::flex_grid grid;
         print_rotated_text("TERM 1", grid);
       },
       [] { return QString::number(rotated_picture_count()); }},
      {"lent printer device", [] { lend_printer_device(std::make_shared<platform::recording_device>()); },
       [] { return QString(printer_device_lent() ? "lent" : "own"); }},
  };
  test::expect_reset_restores(cases);
}

}  // namespace
}  // namespace km
