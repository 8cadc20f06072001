// Every run-time error of the platform layer is read the same way: the
// error number the older programs tested and the error's text, through the
// one base class.
#include "platform/platform_error.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/dbase/dbf_error.h"
#include "platform/file_error.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/grid/grid_error.h"
#include "platform/model/print/print_types.h"
#include "platform/number_format.h"
#include "platform/registry.h"
#include "platform/ui/system_info.h"
#include "platform/value.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

TEST(platform_error, each_error_carries_its_number_and_text) {
  const struct {
    const char* what;
    std::function<void()> step;
    int number;
    QString text;
  } cases[] = {
      {"CDbl of a word", [] { (void)Value(QStringLiteral("abc")).to_double(); }, 13,
       QStringLiteral("Type mismatch")},
      {"CInt past 32767", [] { (void)cint(40000.0); }, 6, QStringLiteral("Overflow")},
      {"text of Null", [] { (void)Value::null().to_text(); }, 94, QStringLiteral("Invalid use of Null")},
      {"Round to -1 places", [] { (void)round_half_even(1.0, -1); }, 5,
       QStringLiteral("Invalid procedure call or argument")},
      {"a missing folder",
       [] { throw file_error(file_error::kind::path_not_found, QStringLiteral("C:\\X\\y.txt")); }, 76,
       QStringLiteral("Path not found")},
      {"a missing table",
       [] { throw dbf_error(dbf_error_kind::not_found, QStringLiteral("The table C:\\t.dbf is not there")); },
       3011, QStringLiteral("The table C:\\t.dbf is not there")},
      {"a cell outside the grid",
       [] {
         flex_grid grid;
         grid.set_rows(2);
         (void)grid.text_matrix(5, 0);
       },
       381, QStringLiteral("Subscript out of range")},
      {"the grid's last row", [] { throw grid_error(grid_error::kind::last_row); }, 30015,
       QStringLiteral("Cannot remove last non-fixed row")},
      {"a registry path with no hive",
       [] { registry_write(QStringLiteral("NOWHERE\\Key\\Name"), Value(1), registry_type::dword); }, 5,
       QStringLiteral("Invalid procedure call or argument")},
      {"a printer property", [] { throw printer_error("the scale width cannot be 0"); }, 380,
       QStringLiteral("Invalid property value")},
      {"a system call", [] { throw system_info_error(87, QStringLiteral("The parameter is incorrect.")); },
       87, QStringLiteral("The parameter is incorrect.")},
  };
  for (const auto& c : cases) {
    try {
      c.step();
      ADD_FAILURE() << c.what << ": nothing was raised";
    } catch (const platform_error& e) {
      EXPECT_EQ(e.number(), c.number) << c.what;
      EXPECT_EQ(e.text(), c.text) << c.what;
    }
  }
}

TEST(platform_error, what_adds_the_detail_to_the_text) {
  const file_error missing(file_error::kind::file_not_found, QStringLiteral("C:\\x.txt"),
                           QStringLiteral("gone"));
  EXPECT_STREQ(missing.what(), "File not found: C:\\x.txt (gone)");
  EXPECT_EQ(missing.text(), QStringLiteral("File not found"));
  const printer_error scale("the scale width cannot be 0");
  EXPECT_STREQ(scale.what(), "the scale width cannot be 0");
}

TEST(platform_error, the_standard_texts_of_the_numbers) {
  const struct {
    int number;
    const char* text;
  } cases[] = {
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {13, "Type mismatch"},
      {53, "File not found"},
      {62, "Input past end of file"},
      {75, "Path/File access error"},
      {94, "Invalid use of Null"},
      {380, "Invalid property value"},
      {12345, "Application-defined or object-defined error"},
  };
  for (const auto& c : cases) EXPECT_EQ(standard_error_text(c.number), QString::fromUtf8(c.text)) << c.number;
  // Every kind of file error has a number with a text of its own.
  for (int k = 0; k <= int(file_error::kind::other); ++k) {
    const auto kind = static_cast<file_error::kind>(k);
    EXPECT_NE(error_description(kind), standard_error_text(12345)) << k;
  }
}

}  // namespace
}  // namespace km::platform
