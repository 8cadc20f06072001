#include "markbook/mark_set_shift.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"

namespace km {
namespace {

class mark_set_shift_test : public test::mark_book_test {
 protected:
  // Two learners whose mark of row r is "<r>.0" (ANN) and "<r>.5" (BEN).
  void write_full_book() {
    std::vector<QByteArray> ann, ben;
    for (int r = 1; r <= 40; ++r) {
      ann.push_back(QByteArray::number(r) + ".0");
      ben.push_back(QByteArray::number(r) + ".5");
    }
    write_book({{"101", "ANN", ann}, {"102", "BEN", ben}});
  }
  // The mark of row r (1..40) of each record, "" when blank.
  std::vector<QString> marks_of_row(int r) const {
    std::vector<QString> marks;
    for (const auto& rec : book_rows()) marks.push_back(rec[std::size_t(r + 1)]);
    return marks;
  }
  QByteArray book_bytes() const { return test::read_native_file(native(marks_table_file(n))); }
};

TEST_F(mark_set_shift_test, insert_moves_the_later_marks_one_row_on) {
  write_full_book();
  const shift_result r = insert_mark_set(folder, n, 3);
  EXPECT_EQ(r.outcome, shift_outcome::shifted);
  EXPECT_EQ(marks_of_row(2), (std::vector<QString>{"2.0", "2.5"}));
  EXPECT_EQ(marks_of_row(3), (std::vector<QString>{"", ""}));
  EXPECT_EQ(marks_of_row(4), (std::vector<QString>{"3.0", "3.5"}));
  EXPECT_EQ(marks_of_row(40), (std::vector<QString>{"39.0", "39.5"}));
  EXPECT_EQ(book_rows()[1][1], QStringLiteral("BEN"));  // number and name stay
}

TEST_F(mark_set_shift_test, delete_moves_the_later_marks_back_and_keeps_copies) {
  write_full_book();
  drives.write_native(QStringLiteral("C/DATA/setup_10ENGA.txt"), "\"TASK\"\r\n");
  const QByteArray before = book_bytes();
  const shift_result r = delete_mark_set(folder, n, 5, QStringLiteral("setup_10ENGA.txt"));
  EXPECT_EQ(r.outcome, shift_outcome::shifted);
  EXPECT_EQ(marks_of_row(4), (std::vector<QString>{"4.0", "4.5"}));
  EXPECT_EQ(marks_of_row(5), (std::vector<QString>{"6.0", "6.5"}));
  EXPECT_EQ(marks_of_row(39), (std::vector<QString>{"40.0", "40.5"}));
  EXPECT_EQ(marks_of_row(40), (std::vector<QString>{"", ""}));
  EXPECT_EQ(test::read_native_file(c(QStringLiteral("DATA/save/marks3.dbf"))), before);
  EXPECT_EQ(test::read_native_file(c(QStringLiteral("DATA/save/setup_10ENGA.txt"))),
            QByteArray("\"TASK\"\r\n"));
}

TEST_F(mark_set_shift_test, a_missing_book_has_nothing_to_shift) {
  EXPECT_EQ(insert_mark_set(folder, n, 1).outcome, shift_outcome::no_book);
  EXPECT_EQ(delete_mark_set(folder, n, 1, QString()).outcome, shift_outcome::no_book);
}

TEST_F(mark_set_shift_test, a_book_without_room_for_40_sets_is_left_alone) {
  g_language = false;
  write_book({{"101", "ANN", {"1.0"}}}, 39);
  const QByteArray before = book_bytes();
  const shift_result r = insert_mark_set(folder, n, 1);
  EXPECT_EQ(r.outcome, shift_outcome::too_few_fields);
  EXPECT_EQ(r.reason, QStringLiteral("Load the latest copy of REVIZ-URORU and recreate the \r"
                                     "export disk to allow for 40 mark sets ..."));
  EXPECT_EQ(book_bytes(), before);
}

TEST_F(mark_set_shift_test, a_book_another_program_holds_is_left_alone) {
  g_language = true;
  write_full_book();
  const QByteArray before = book_bytes();
  test::lock_holder holder(native(marks_table_file(n)));
  ASSERT_TRUE(holder.locked());
  const shift_result r = insert_mark_set(folder, n, 3);
  EXPECT_EQ(r.outcome, shift_outcome::failed);
  EXPECT_EQ(r.reason, QStringLiteral("DATASTEL C:\\DATA\\marks3  REEDS IN GEBRUIK ... PROBEER WEER LATER !"));
  EXPECT_EQ(book_bytes(), before);
}

TEST_F(mark_set_shift_test, a_book_open_on_another_computer_is_left_alone_and_named) {
  // A Windows server refuses the rename over a file another computer has
  // open; the rewrite puts everything back and says so, in both languages.
  write_full_book();
  const QByteArray before = book_bytes();
  platform::set_file_fault_hook([](platform::file_step step, const QString& path) {
    if (step == platform::file_step::table_rename)
      throw platform::file_error(platform::file_error::kind::file_already_open, path);
  });
  for (const auto& [afrikaans, reason] :
       {std::pair{true, QStringLiteral(
                            "L\u00CAER  'MARKS3.DBF'  IN  'C:\\DATA'  IS OOP OP 'N ANDER REKENAAR ... NIKS "
                            "IS VERANDER NIE !\r\nMAAK DIT DAAR TOE EN PROBEER WEER ...")},
        std::pair{false, QStringLiteral("FILE  'MARKS3.DBF'  IN  'C:\\DATA'  IS OPEN ON ANOTHER COMPUTER ... "
                                        "NOTHING WAS CHANGED !\r\nCLOSE IT THERE AND TRY AGAIN ...")}}) {
    g_language = afrikaans;
    const shift_result r = insert_mark_set(folder, n, 3);
    EXPECT_EQ(r.outcome, shift_outcome::failed);
    EXPECT_EQ(r.reason, reason);
    EXPECT_EQ(book_bytes(), before);
  }
  platform::set_file_fault_hook({});
}

TEST_F(mark_set_shift_test, last_mark_set_used_looks_at_row_40_only) {
  write_book({{"101", "ANN", {"1.0"}}});
  EXPECT_FALSE(last_mark_set_used(folder, n));
  std::vector<QByteArray> marks(40);
  marks[39] = "A";
  write_book({{"101", "ANN", {"1.0"}}, {"102", "BEN", marks}});
  EXPECT_TRUE(last_mark_set_used(folder, n));
}

}  // namespace
}  // namespace km
