#include "printing/workbook_sink.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace km {
namespace {

TEST(workbook_sink_test, the_null_workbook_counts_sheets_and_cannot_be_saved) {
  null_workbook book;
  EXPECT_EQ(book.sheet_count(), 1);
  book.add_sheet();
  book.select_sheet(2);
  EXPECT_EQ(book.current_sheet(), 2);
  EXPECT_THROW(book.select_sheet(3), std::out_of_range);
  EXPECT_THROW(book.select_sheet(0), std::out_of_range);
  QString error;
  EXPECT_FALSE(book.save(QStringLiteral("C:\\x.xlsx"), error));
  EXPECT_EQ(error, QStringLiteral("No workbook writer is installed."));
}

TEST(workbook_sink_test, the_installed_factory_makes_new_workbooks) {
  set_workbook_factory({});
  EXPECT_TRUE(dynamic_cast<null_workbook*>(new_workbook().get()));
  int made = 0;
  set_workbook_factory([&] {
    ++made;
    return std::unique_ptr<workbook_sink>();
  });
  EXPECT_FALSE(new_workbook());
  EXPECT_EQ(made, 1);
  set_workbook_factory({});
  EXPECT_EQ(workbook_extension(), QStringLiteral(".xlsx"));
}

}  // namespace
}  // namespace km
