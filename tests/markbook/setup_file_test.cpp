#include "markbook/setup_file.h"

#include <gtest/gtest.h>

#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"

namespace km {
namespace {

using platform::file_step;

class setup_file_test : public test::temp_drives_test {
 protected:
  const QString path = QStringLiteral("C:\\DATA\\setup_10ENGA.txt");
  void SetUp() override { drives.make_native_folder(QStringLiteral("C/DATA")); }
  void TearDown() override { platform::set_file_fault_hook({}); }
  QByteArray on_disk() const { return test::read_native_file(c(QStringLiteral("DATA/setup_10ENGA.txt"))); }
};

setup_rows one_test_row() {
  setup_rows rows;
  rows[0] = {QStringLiteral("CLASS TEST 1"), QStringLiteral("20"), QStringLiteral("5"), QString(),
             QStringLiteral("S1")};
  return rows;
}

TEST_F(setup_file_test, writes_200_quoted_lines) {
  write_setup_file(path, one_test_row());
  const QByteArray bytes = on_disk();
  EXPECT_EQ(bytes.size(), 817);
  EXPECT_EQ(bytes.count("\r\n"), 200);
  QByteArray expected = "\"CLASS TEST 1\"\r\n\"20\"\r\n\"5\"\r\n\"\"\r\n\"S1\"\r\n";
  for (int i = 0; i < 195; ++i) expected += "\"\"\r\n";
  EXPECT_EQ(bytes, expected);
}

TEST_F(setup_file_test, writes_windows_1252) {
  setup_rows rows;
  rows[0].task_project = QStringLiteral("TOETS \u00EB");
  write_setup_file(path, rows);
  EXPECT_TRUE(on_disk().startsWith(QByteArray("\"TOETS \xEB\"\r\n")));
  EXPECT_EQ(read_setup_file(path).rows[0].task_project, QStringLiteral("TOETS \u00EB"));
}

TEST_F(setup_file_test, round_trips_every_cell) {
  setup_rows rows;
  for (int r = 0; r < setup_row_count; ++r)
    for (int c = 1; c <= setup_column_count; ++c)
      rows[std::size_t(r)].cell(c) = QStringLiteral("R%1C%2").arg(r).arg(c);
  write_setup_file(path, rows);
  const setup_file_read read = read_setup_file(path);
  EXPECT_TRUE(read.complete);
  EXPECT_EQ(read.rows, rows);
}

TEST_F(setup_file_test, five_values_a_line_read_the_same) {
  QByteArray text;
  for (int r = 1; r <= setup_row_count; ++r)
    text += r == 1 ? QByteArray("\"TASK 1\",\"10\",\"5\",\"\",\"\"\r\n")
                   : QByteArray("\"\",\"\",\"\",\"\",\"\"\r\n");
  text += "\"ignored after the 200th value\"\r\n";
  drives.write_native(QStringLiteral("C/DATA/setup_10ENGA.txt"), text);
  const setup_file_read read = read_setup_file(path);
  EXPECT_TRUE(read.complete);
  setup_rows expected;
  expected[0] = {QStringLiteral("TASK 1"), QStringLiteral("10"), QStringLiteral("5"), QString(), QString()};
  EXPECT_EQ(read.rows, expected);
}

TEST_F(setup_file_test, a_short_file_gives_what_it_held) {
  drives.write_native(QStringLiteral("C/DATA/setup_10ENGA.txt"), "\"TASK 1\"\r\n\"10\"\r\n\"5\"\r\n");
  const setup_file_read read = read_setup_file(path);
  EXPECT_FALSE(read.complete);
  EXPECT_EQ(read.rows[0].task_project, QStringLiteral("TASK 1"));
  EXPECT_EQ(read.rows[0].result_row, QStringLiteral("5"));
  EXPECT_EQ(read.rows[0].out_of, QString());
}

TEST_F(setup_file_test, a_missing_file_is_an_error) {
  EXPECT_THROW(read_setup_file(path), platform::file_error);
}

TEST_F(setup_file_test, a_write_that_dies_leaves_the_old_file_whole) {
  write_setup_file(path, one_test_row());
  const QByteArray before = on_disk();
  int writes = 0;
  platform::set_file_fault_hook([&](file_step step, const QString& p) {
    if (step == file_step::text_write && ++writes == 37)
      throw platform::file_error(platform::file_error::kind::disk_full, p);
  });
  setup_rows other;
  other[0].task_project = QStringLiteral("SOMETHING ELSE");
  EXPECT_THROW(write_setup_file(path, other), platform::file_error);
  platform::set_file_fault_hook({});
  EXPECT_EQ(on_disk(), before);
  write_setup_file(path, other);  // no number was left taken
  EXPECT_EQ(read_setup_file(path).rows, other);
}

}  // namespace
}  // namespace km
