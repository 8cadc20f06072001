#include "common/ui/subject_grid.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstring>
#include <vector>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/system_settings.h"
#include "support/export_control_record.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km {
namespace {

using platform::msg_icon;

using combination = test::export_control_record;

class subject_grid_test : public test::clean_state_test {
 protected:
  void SetUp() override {
    drives.make_native_folder(QStringLiteral("C/DATA"));
    g_data_folder = QStringLiteral("C:\\DATA");
  }
  void TearDown() override {
    dialogs.verify();
    test::clean_state_test::TearDown();
  }

  void put_combinations(const std::vector<combination>& list) {
    QByteArray all;
    for (const combination& c : list) all += c.bytes();
    drives.write_native(QStringLiteral("C/DATA/exp_mrk_control.txt"), all);
  }
  QStringList row_texts(int row) const {
    QStringList out;
    for (int c = 0; c < grid.cols(); ++c) out << grid.text_matrix(row, c);
    return out;
  }
  // Fills the grid and closes the file, as the windows do.
  void fill() {
    fill_subject_grid(grid);
    close_file(g_exp_mrk_control_file_number);
  }

  test::temp_drives drives;
  test::scripted_dialogs dialogs;
  platform::flex_grid grid;
};

TEST_F(subject_grid_test, one_record_fills_nine_cells_as_stored) {
  put_combinations({combination()});
  fill_subject_grid(grid);
  ASSERT_EQ(grid.rows(), 1);
  EXPECT_EQ(grid.cols(), 9);
  EXPECT_EQ(grid.fixed_rows(), 0);
  EXPECT_EQ(grid.fixed_cols(), 0);
  EXPECT_EQ(row_texts(0),
            (QStringList{"10 ", "WISK ", "100", "A  ", "B  ", "C  ", "7", "CODE1", "2017/03/17"}));
  // The file stays open for the caller to close.
  EXPECT_NE(g_exp_mrk_control_file_number, 0);
  EXPECT_TRUE(platform::is_numbered_file_open(g_exp_mrk_control_file_number));
  EXPECT_EQ(g_exp_mrk_control_count, 1);
}

TEST_F(subject_grid_test, total_shows_100_for_grades_above_9) {
  struct row {
    QString grade;
    float stored;
    QString shown;
  };
  const std::vector<row> rows = {
      {"10 ", 62.5f, "100"},    {"10 ", 0.0f, "100"},   {"12", 80.0f, "100"},   {" 11", 75.0f, "100"},
      {"9", 62.5f, "62.5"},     {"9  ", 150.0f, "150"}, {"R  ", 62.5f, "62.5"}, {"   ", 40.0f, "40"},
      {"1 0", 50.0f, "100"},  // blanks inside the number are skipped
      {"7A ", 33.25f, "33.25"},
  };
  std::vector<combination> list;
  for (const row& r : rows) {
    combination c;
    c.grade = r.grade;
    c.total = r.stored;
    list.push_back(c);
  }
  put_combinations(list);
  const QByteArray before =
      test::read_native_file(drives.base() + QStringLiteral("/C/DATA/exp_mrk_control.txt"));
  fill();
  ASSERT_EQ(grid.rows(), int(rows.size()));
  for (int i = 0; i < int(rows.size()); ++i) {
    SCOPED_TRACE(rows[i].grade.toStdString());
    EXPECT_EQ(grid.text_matrix(i, 2), rows[i].shown);
  }
  // The file itself is never written.
  EXPECT_EQ(test::read_native_file(drives.base() + QStringLiteral("/C/DATA/exp_mrk_control.txt")), before);
  // The record variable keeps the last record read, as adjusted.
  EXPECT_EQ(g_exp_mrk_control_rec.get_single("subject_total"), 33.25f);
}

TEST_F(subject_grid_test, rows_follow_the_records_in_file_order) {
  combination a, b, c;
  a.subject = QStringLiteral("AFR  ");
  b.subject = QStringLiteral("ENG  ");
  c.subject = QStringLiteral("AFR  ");  // duplicates are shown as often as they occur
  c.grade = QStringLiteral("8  ");
  put_combinations({a, b, c});
  fill();
  ASSERT_EQ(grid.rows(), 3);
  EXPECT_EQ(grid.text_matrix(0, 1), QStringLiteral("AFR  "));
  EXPECT_EQ(grid.text_matrix(1, 1), QStringLiteral("ENG  "));
  EXPECT_EQ(grid.text_matrix(2, 1), QStringLiteral("AFR  "));
  EXPECT_EQ(grid.text_matrix(2, 0), QStringLiteral("8  "));
  EXPECT_EQ(g_exp_mrk_control_file_number, 0);
}

TEST_F(subject_grid_test, filling_again_replaces_every_row) {
  grid.set_rows(6);
  grid.set_cols(4);
  grid.set_text_matrix(5, 3, QStringLiteral("old"));
  put_combinations({combination(), combination(), combination()});
  fill();
  EXPECT_EQ(grid.rows(), 3);
  combination only;
  only.subject = QStringLiteral("GEO  ");
  put_combinations({only});
  fill();
  ASSERT_EQ(grid.rows(), 1);
  EXPECT_EQ(grid.text_matrix(0, 1), QStringLiteral("GEO  "));
  EXPECT_EQ(grid.cols(), 9);
}

TEST_F(subject_grid_test, subject_keeps_its_filling_blanks) {
  combination c;
  c.subject = QStringLiteral("ABC");
  c.cls = QStringLiteral("");
  put_combinations({c});
  fill();
  EXPECT_EQ(grid.text_matrix(0, 1), QStringLiteral("ABC  "));
  EXPECT_EQ(grid.text_matrix(0, 3), QStringLiteral("   "));
}

TEST_F(subject_grid_test, dates_and_numbers) {
  combination zero, garbage, negative;
  zero.date = 0.0;
  std::uint64_t nan_bits = 0x7FF8000000000000ULL;
  std::memcpy(&garbage.date, &nan_bits, sizeof garbage.date);
  negative.number = -12;
  negative.date = 42811.5;
  put_combinations({zero, garbage, negative});
  fill();
  ASSERT_EQ(grid.rows(), 3);
  EXPECT_EQ(grid.text_matrix(0, 8), QStringLiteral("00:00:00"));
  EXPECT_EQ(grid.text_matrix(1, 8), QString());
  EXPECT_EQ(grid.text_matrix(2, 8), QStringLiteral("2017/03/17 12:00:00"));
  EXPECT_EQ(grid.text_matrix(2, 6), QStringLiteral("-12"));
}

TEST_F(subject_grid_test, part_record_at_the_end_counts_as_a_record) {
  // The count is the rounded quotient: 44 + 30 bytes make two records.
  const QByteArray first = combination().bytes();
  drives.write_native(QStringLiteral("C/DATA/exp_mrk_control.txt"), first + first.left(30));
  fill();
  EXPECT_EQ(grid.rows(), 2);
}

TEST_F(subject_grid_test, missing_file_gives_no_rows_and_is_not_made) {
  grid.set_rows(3);
  fill_subject_grid(grid);
  EXPECT_EQ(grid.rows(), 0);
  EXPECT_EQ(grid.cols(), 9);
  EXPECT_EQ(g_exp_mrk_control_file_number, 0);
  EXPECT_EQ(g_exp_mrk_control_count, 0);
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\DATA\\exp_mrk_control.txt")));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(subject_grid_test, unreadable_file_is_reported_and_leaves_the_grid_empty) {
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    put_combinations({combination(), combination()});
    // Held open for appending under another number: it cannot be opened again.
    platform::open_file(50, QStringLiteral("C:\\DATA\\exp_mrk_control.txt"), platform::open_mode::append);
    dialogs
        .expect_message(
            afrikaans ? QStringLiteral("DIE LE\u00EAR C:\\DATA\\exp_mrk_control.txt KAN NIE GELEES WORD NIE!"
                                       "\r\nL\u00EAer is reeds oop")
                      : QStringLiteral("THE FILE C:\\DATA\\exp_mrk_control.txt CANNOT BE READ!"
                                       "\r\nFile already open"))
        .icon(msg_icon::critical);
    grid.set_rows(4);
    fill_subject_grid(grid);
    EXPECT_EQ(grid.rows(), 0);
    EXPECT_EQ(g_exp_mrk_control_file_number, 0);
    EXPECT_EQ(g_open_file_count, 0);
    platform::close_numbered_file(50);
    dialogs.verify();
  }
}

}  // namespace
}  // namespace km
