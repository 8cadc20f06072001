// A learner list written by our own workbook writer (libxlsxwriter) reads
// back through the learner-workbook reader in the same program: the two zip
// libraries behind them live side by side.
#include <gtest/gtest.h>

#include "platform/learner_workbook.h"
#include "platform/model/workbook/workbook.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

class learner_workbook_written_test : public test::temp_drives_test {};

TEST_F(learner_workbook_written_test, a_written_list_reads_back) {
  workbook book;
  worksheet& sheet = book.sheet(1);
  sheet.set_text(1, 1, QStringLiteral("NR"));
  sheet.set_text(1, 2, QStringLiteral("NAME"));
  sheet.set_number(2, 1, 1001);
  sheet.set_text(2, 2, QStringLiteral("  Adams J "));
  sheet.set_text(3, 1, QStringLiteral("1002"));
  sheet.set_text(3, 2, QStringLiteral("Botha P"));
  sheet.set_number(5, 1, 20000001);
  book.add_sheet().set_text(2, 1, QStringLiteral("wrong sheet"));
  QString error;
  ASSERT_TRUE(book.save(QStringLiteral("C:\\AFR_A.xlsx"), error)) << error.toStdString();

  const auto rows = read_learner_workbook(QStringLiteral("C:\\AFR_A.xlsx"));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 4u);
  EXPECT_EQ((*rows)[0].a.to_double(), 1001);
  EXPECT_EQ((*rows)[0].b.to_text(), QStringLiteral("  Adams J "));
  EXPECT_EQ((*rows)[1].a.to_text(), QStringLiteral("1002"));
  EXPECT_EQ((*rows)[1].b.to_text(), QStringLiteral("Botha P"));
  EXPECT_TRUE((*rows)[2].a.is_empty());
  EXPECT_EQ((*rows)[3].a.to_double(), 20000001);
}

}  // namespace
}  // namespace km::platform
