// An export or a learner move stopped half-way, as by a crash (an exception
// no handler of the program catches, thrown at one file step, with every
// table closed afterwards as the end of a process closes them), and what
// the next opening of a table finds and tells; and the messages of the
// mark-book update when it cannot finish.
#include <gtest/gtest.h>

#include "common/file_error_reason.h"
#include "common/file_not_written.h"
#include "common/shared_variables.h"
#include "common/step_journal.h"
#include "mark_book_fixture.h"
#include "markbook/book_rebuild.h"
#include "markbook/book_table.h"
#include "markbook/learner_move.h"
#include "markbook/mark_book_update.h"
#include "markbook/mark_export.h"
#include "platform/dbase/data_control.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "support/scripted_dialogs.h"

namespace km {
namespace {

using rows_t = std::vector<std::vector<QString>>;
using platform::file_step;

struct simulated_crash {};

class interrupted_steps_test : public test::mark_book_test {
 protected:
  void SetUp() override {
    test::mark_book_test::SetUp();
    g_language = false;
  }
  void TearDown() override { platform::set_file_fault_hook({}); }

  // The process "ends" at the nth file step whose path names the file.
  static void crash_at(const QString& file, int nth, file_step kind = file_step::write) {
    auto seen = std::make_shared<int>(0);
    platform::set_file_fault_hook([=](file_step step, const QString& path) {
      if (step == kind && path.endsWith(file, Qt::CaseInsensitive) && ++*seen == nth) throw simulated_crash{};
    });
  }

  // The next opening of a table of the folder, as any window makes it.
  void open_next(const QString& table) {
    platform::data_control control;
    open_book_table(control, folder, table, true);
  }

  test::scripted_dialogs dialogs;
};

// --- the export -------------------------------------------------------------

class interrupted_export : public interrupted_steps_test, public ::testing::WithParamInterface<int> {
 protected:
  void write_tables() {
    test::dbf_builder punte;
    punte.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40).field("EF_PUNT", 'C', 5);
    punte.record({"900", "Earlier Learner", "12.0"}).write(native(QStringLiteral("punte3.dbf")));
    test::dbf_builder obe;
    obe.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_PUNT", 'C', 5);
    obe.record({"900", "Earlier Learner", "12.0"}).write(native(QStringLiteral("obe_p3.dbf")));
    write_book(
        {{"1001", "Botha Zoe", {"5.0"}}, {"1002", "Smith Jack", {"7.0"}}, {"1003", "Nel Danie", {"A"}}});
  }
  rows_t punte_rows() const { return live_rows(native(QStringLiteral("punte3.dbf"))); }
  rows_t obe_rows() const { return live_rows(native(QStringLiteral("obe_p3.dbf"))); }
};

// The parameter: the append (numbered over both tables) before which the
// process ends.
TEST_P(interrupted_export, is_undone_by_the_next_opening_of_either_table_which_tells_once) {
  write_tables();
  const rows_t punte_before = punte_rows();
  const rows_t obe_before = obe_rows();
  {
    platform::data_control punte, book, obe;
    mark_export_hooks hooks;
    const int stop = GetParam();
    hooks.before_write = [stop](int append) {
      if (append == stop) throw simulated_crash{};
    };
    EXPECT_THROW(
        export_mark_row({punte, book, obe}, {folder, n, 1, 16, 100, QStringLiteral("TEST 1")}, hooks),
        simulated_crash);
  }
  ASSERT_NE(punte_rows().size() + obe_rows().size(), punte_before.size() + obe_before.size());
  // Before the next opening, another program adds a learner to punte3.dbf:
  // the roll-back leaves that record.
  {
    platform::data_control other;
    other.set_database_name(folder);
    other.set_record_source(QStringLiteral("punte3.dbf"));
    other.refresh();
    other.recordset().add_new();
    other.recordset().set_value(0, platform::Value(2000.0));
    other.recordset().set_value(1, platform::Value(QStringLiteral("Other Program")));
    other.recordset().update();
  }

  dialogs
      .expect_message(
          QStringLiteral("THE EXPORT OF TASK TEST 1 WAS INTERRUPTED AND UNDONE ... EXPORT IT AGAIN"))
      .icon(platform::msg_icon::exclamation);
  open_next(GetParam() % 2 ? QStringLiteral("obe_p3.dbf") : QStringLiteral("punte3.dbf"));
  dialogs.verify();
  rows_t punte_expected = punte_before;
  punte_expected.push_back({QStringLiteral("2000"), QStringLiteral("Other Program"), QString()});
  EXPECT_EQ(punte_rows(), punte_expected);
  EXPECT_EQ(obe_rows(), obe_before);

  open_next(QStringLiteral("punte3.dbf"));  // told once: no second message
  open_next(QStringLiteral("marks3.dbf"));
}

INSTANTIATE_TEST_SUITE_P(appends, interrupted_export, ::testing::Values(2, 3, 4, 6));

TEST_F(interrupted_steps_test, the_export_undone_message_in_afrikaans) {
  g_language = true;
  EXPECT_EQ(
      export_undone_message(QStringLiteral("TOETS")),
      QStringLiteral("DIE UITVOER VAN TAAK TOETS IS ONDERBREEK EN ONGEDAAN GEMAAK ... VOER DIT WEER UIT"));
}

// --- the learner move -------------------------------------------------------

struct move_case {
  const char* name;
  int target;      // combination of the to-group's book
  bool blank_row;  // the to-group's book has a record of the learner without marks
  const char* crash_file;
  int crash_nth;  // the nth write to that file
  bool finished;  // the next opening finishes the move (else it undoes it)
};

class interrupted_move : public interrupted_steps_test, public ::testing::WithParamInterface<move_case> {};

TEST_P(interrupted_move, is_finished_or_undone_by_the_next_opening) {
  const move_case& c = GetParam();
  std::vector<QByteArray> marks{"1.5", "2.5", "3.5"};
  test::write_mark_book(native(marks_table_file(1)),
                        {{"1001", "ANN", {"1.0"}}, {"1002", "BEN", marks}, {"1003", "CID", {}}});
  std::vector<test::book_record> to{{"2001", "DEE", {"9.0"}}};
  if (c.blank_row) to.push_back({"1002", "BEN", {}});
  test::write_mark_book(native(marks_table_file(c.target)), to);
  const rows_t from_before = live_rows(native(marks_table_file(1)));
  const rows_t to_before = live_rows(native(marks_table_file(c.target)));

  crash_at(QString::fromLatin1(c.crash_file), c.crash_nth);
  EXPECT_THROW(move_learner(folder, 1, c.target, {QStringLiteral("  1002 BEN"), QStringLiteral("1002")},
                            QStringLiteral("8B")),
               simulated_crash);
  platform::set_file_fault_hook({});

  dialogs
      .expect_message(
          c.finished
              ? QStringLiteral("THE MOVE OF LEARNER   1002 BEN WAS INTERRUPTED AND HAS NOW BEEN FINISHED")
              : QStringLiteral("THE MOVE OF LEARNER   1002 BEN WAS INTERRUPTED AND UNDONE ... MOVE AGAIN"))
      .icon(platform::msg_icon::exclamation);
  open_next(marks_table_file(c.target));
  dialogs.verify();
  const rows_t from_after = live_rows(native(marks_table_file(1)));
  const rows_t to_after = live_rows(native(marks_table_file(c.target)));
  if (!c.finished) {
    EXPECT_EQ(from_after, from_before);
    EXPECT_EQ(to_after, to_before);
    return;
  }
  ASSERT_EQ(from_after.size(), 2u);
  EXPECT_EQ(from_after[1][1], QStringLiteral("CID"));
  ASSERT_EQ(to_after.size(), 2u);
  EXPECT_EQ(to_after[1][0], QStringLiteral("1002"));
  EXPECT_EQ(to_after[1][2], QStringLiteral("1.5"));
  open_next(marks_table_file(1));  // told once
}

INSTANTIATE_TEST_SUITE_P(
    crash_points, interrupted_move,
    ::testing::Values(move_case{"in_before_out", 2, false, "marks1.dbf", 1, true},
                      move_case{"blank_row_filled_before_out", 2, true, "marks1.dbf", 1, true},
                      move_case{"append_half_written", 2, false, "marks2.dbf", 2, false},
                      move_case{"blank_row_half_written", 2, true, "marks2.dbf", 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the mark-book update's messages ----------------------------------------

TEST_F(interrupted_steps_test, an_update_that_cannot_keep_a_copy_names_what_it_already_changed) {
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    write_learners({{"101", "ANN"}, {"102", "BEN"}});
    write_book({{"101", "ANN", {"10.0"}}, {"104", "DEE", {"4.0"}}});
    const platform::file_error full(platform::file_error::kind::disk_full,
                                    QStringLiteral("C:\\DATA\\save\\marks3.dbf"));
    platform::set_file_fault_hook([&](file_step step, const QString&) {
      if (step == file_step::copy) throw full;
    });
    const mark_book_update_result r = update_mark_book(folder, n, QStringLiteral("C:\\PROGRAM"));
    platform::set_file_fault_hook({});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.deleted, 0);
    EXPECT_TRUE(r.save_failed);
    EXPECT_EQ(
        r.book_message,
        afrikaans
            ? QStringLiteral("GEEN KOPIE VAN C:\\DATA\\marks3.dbf KON GEMAAK WORD NIE ... GEEN LEERDER IS "
                             "VERWYDER NIE ... REEDS GEDOEN: LEERDERS BYGEVOEG: 1 (") +
                  file_error_reason(full) + QStringLiteral(")")
            : QStringLiteral("NO COPY OF C:\\DATA\\marks3.dbf COULD BE MADE ... NO LEARNER WAS REMOVED "
                             "... ALREADY DONE: LEARNERS ADDED: 1 (") +
                  file_error_reason(full) + QStringLiteral(")"));
    EXPECT_EQ(book_rows().size(), 3u);  // the learner added stays: the message says so
  }
}

struct missing_book_case {
  const char* name;
  const char* folder;
  bool with_template;
};

class book_not_made : public interrupted_steps_test,
                      public ::testing::WithParamInterface<missing_book_case> {};

TEST_P(book_not_made, says_why) {
  const missing_book_case& c = GetParam();
  drives.make_native_folder(QStringLiteral("C/") + QString::fromLatin1(c.folder).mid(3));
  if (c.with_template)
    drives.write_native(QStringLiteral("C/PROGRAM/mrk_book.org"),
                        test::dbf_builder().field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40).dbf());
  const QString data = QString::fromLatin1(c.folder);
  const mark_book_update_result r = update_mark_book(data, n, QStringLiteral("C:\\PROGRAM"));
  EXPECT_TRUE(r.book_missing);
  const QString expected =
      c.with_template ? file_not_written_text(data + QStringLiteral("\\marks3.dbf")) + QStringLiteral(" (") +
                            file_error_reason(platform::file_error::kind::bad_file_name) + QStringLiteral(")")
                      : template_missing_message();
  EXPECT_EQ(r.book_message, expected);
}

INSTANTIATE_TEST_SUITE_P(cases, book_not_made,
                         ::testing::Values(missing_book_case{"folder_name_with_a_quote", "C:\\MY \"CLASS\"",
                                                             true},
                                           missing_book_case{"no_template", "C:\\DATA", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace km
