// The print variables and what the printing layer keeps between jobs go
// back to their start with platform::reset_for_tests().
#include <gtest/gtest.h>

#include <typeinfo>

#include "platform/ui/grid/flex_grid.h"
#include "platform/ui/printer/recording_device.h"
#include "printing/print_target.h"
#include "printing/print_variables.h"
#include "printing/rotated_text.h"
#include "printing/workbook_sink.h"
#include "support/reset_cases.h"

namespace km {
namespace {

// A workbook told apart from the null one by its type.
class marked_workbook : public null_workbook {};

TEST(state_reset, puts_the_print_variables_and_the_kept_pieces_back) {
  const test::reset_case cases[] = {
      {"print variable", [] { g_print_title = "MARK LIST"; }, [] { return g_print_title; }},
      {"workbook writer", [] { set_workbook_factory([] { return std::make_unique<marked_workbook>(); }); },
       [] {
         const std::unique_ptr<workbook_sink> book = new_workbook();
         return QString::fromLatin1(typeid(*book).name());
       }},
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
