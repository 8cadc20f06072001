// The mark-book print grid from a set-up and a book written byte by byte.
#include "markbook/print_grid.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "platform/dbase/dbf_table.h"
#include "support/dbf_builder.h"
#include "support/temp_drives.h"

namespace km {
namespace {

class print_grid_test : public test::temp_drives_test {
 protected:
  void SetUp() override {
    g_language = false;
    test::dbf_builder b;
    b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
    for (int r = 1; r <= 40; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
    std::vector<QByteArray> ann{"1001", "ADAMS", "7.0", "15.0", "A", "3.0"};
    std::vector<QByteArray> ben{"1002", "BOTHA", "", "20.0", "4.0", "1.0"};
    ann.resize(42);
    ben.resize(42);
    b.record(ann).record(ben);
    path = b.write(drives.native_drive('C') + QStringLiteral("/marks1.dbf"));
    book = std::make_unique<platform::recordset>(
        std::make_unique<platform::dbf_table>(path, platform::dbf_table::access::read_only));
  }
  static setup_rows named(std::initializer_list<std::pair<int, const char*>> tasks) {
    setup_rows rows;
    for (const auto& [row, total] : tasks)
      rows[std::size_t(row - 1)] = {
          QStringLiteral("TASK %1").arg(row), QString::fromLatin1(total), {}, {}, {}};
    return rows;
  }
  QString path;
  std::unique_ptr<platform::recordset> book;
  platform::flex_grid grid;
};

TEST_F(print_grid_test, named_rows_in_their_own_columns) {
  fill_print_grid(grid, named({{1, "10"}, {2, "20"}, {3, "5"}}), *book);
  EXPECT_EQ(grid.format_string(), QStringLiteral("<NO|^  A.NO|<LEARNER|<M1|<M2|<M3"));
  EXPECT_EQ(grid.cols(), 43);
  EXPECT_EQ(grid.rows(), 4);
  EXPECT_EQ(grid.text_matrix(1, 3), QStringLiteral("10"));
  EXPECT_EQ(grid.text_matrix(1, 5), QStringLiteral("5"));
  EXPECT_EQ(grid.text_matrix(2, 0), QStringLiteral("1"));
  EXPECT_EQ(grid.text_matrix(3, 0), QStringLiteral("2"));
  EXPECT_EQ(grid.text_matrix(2, 1), QStringLiteral("1001"));
  EXPECT_EQ(grid.text_matrix(2, 2), QStringLiteral("ADAMS"));
  EXPECT_EQ(grid.text_matrix(2, 5), QStringLiteral("A"));
  EXPECT_EQ(grid.text_matrix(3, 3), QString());
  EXPECT_EQ(grid.col_width(2), 2500);
  for (int c = 3; c <= 5; ++c) EXPECT_EQ(grid.col_width(c), 300) << c;
  for (int c = 6; c <= 42; ++c) EXPECT_EQ(grid.col_width(c), 0) << c;
}

TEST_F(print_grid_test, a_gap_keeps_every_heading_over_its_marks) {
  fill_print_grid(grid, named({{1, "10"}, {2, "20"}, {4, "5"}}), *book);
  EXPECT_EQ(grid.text_matrix(0, 6), QStringLiteral("M4"));
  EXPECT_EQ(grid.text_matrix(2, 6), QStringLiteral("3.0"));  // row 4's mark under M4
  EXPECT_EQ(grid.col_width(5), 0);
  EXPECT_EQ(grid.col_width(6), 300);
}

TEST_F(print_grid_test, afrikaans_headings) {
  g_language = true;
  fill_print_grid(grid, named({{1, "10"}}), *book);
  EXPECT_EQ(grid.format_string(), QStringLiteral("<NR|^  T.NR|<LEERDER|<P1"));
}

}  // namespace
}  // namespace km
