// The capture window on the sample school: opening a book, typing marks
// with their checks, the totals command, the column options, copy, paste,
// undo and the two-step exit.
#include "markbook/pboek_inlees.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "common/text_routines.h"
#include "markbook/example_setup.h"
#include "markbook/mark_book_update.h"
#include "markbook/open_books.h"
#include "markbook/pboek_druk.h"
#include "pboek_opstel_fixture.h"
#include "platform/clock.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset_model.h"
#include "platform/ui/grid/bound_grid.h"
#include "shell/menu_windows.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"
#include "support/qt_dialog_steps.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

class pboek_inlees_test : public pboek_opstel_test {
 protected:
  void SetUp() override {
    pboek_opstel_test::SetUp();
    setup_rows rows;
    apply_example_setup(rows, false);
    QStringList cells;
    for (const QString& c : subject_grid_cells_of(1)) cells << c;
    write_setup_file(find_setup_file(g_data_folder, cells).win_path, rows);
    update_mark_book(g_data_folder, 1, g_program_folder);
  }
  QStringList subject_grid_cells_of(int n) {
    pboek_opstel* setup_window =
        static_cast<pboek_opstel*>(platform::load_form(QStringLiteral("pboek_opstel")));
    const platform::flex_grid& g =
        find_control_as<platform::flex_grid_view>(setup_window, QStringLiteral("vak_grid"))->grid();
    QStringList cells;
    for (int c = 0; c < g.cols(); ++c) cells << g.text_matrix(n - 1, c);
    platform::unload_form(setup_window);
    return cells;
  }
  pboek_inlees* open_capture() {
    capture = static_cast<pboek_inlees*>(platform::load_form(QStringLiteral("pboek_inlees")));
    if (capture) capture->show();
    return capture;
  }
  platform::bound_grid* grid() const { return capture->capture_grid(); }
  QString cell(int r, int c) const { return grid()->model()->data(grid()->model()->index(r, c)).toString(); }
  void type_into(int row, int col, const QString& text) { type_into_cell(grid(), row, col, text); }
  int learners() const { return int(sample_learners_of(sample_combinations()[0]).size()); }

  pboek_inlees* capture = nullptr;
};

TEST_F(pboek_inlees_test, opens_a_book_with_its_headings_and_registers_it) {
  ASSERT_TRUE(open_capture());
  EXPECT_EQ(capture->caption(), QStringLiteral("MARK BOOK INPUT"));
  capture->open_mark_book(0);
  ASSERT_TRUE(capture->book_open());
  EXPECT_EQ(grid()->model()->rowCount(), learners());
  EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("A-NO"));
  EXPECT_EQ(grid()->model()->headerData(2, Qt::Horizontal).toString(),
            QStringLiteral("TASK 1 \n     10\n 0.0"));
  EXPECT_TRUE(is_book_open(g_data_folder, 1));
  // Learners stand in name order after the opening.
  for (int r = 1; r < learners(); ++r)
    EXPECT_LE(cell(r - 1, 1).compare(cell(r, 1), Qt::CaseInsensitive), 0) << r;

  capture->marks_exit_Click();
  EXPECT_FALSE(capture->book_open());
  EXPECT_FALSE(is_book_open(g_data_folder, 1));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("pboek_inlees")));
  capture->marks_exit_Click();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_inlees")));
}

TEST_F(pboek_inlees_test, typed_marks_are_checked_stored_and_carried) {
  open_capture();
  capture->open_mark_book(0);
  dialogs.expect_message(QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-10")).icon(msg_icon::none);
  type_into(2, 2, QStringLiteral("12"));
  ASSERT_TRUE(grid()->editing());
  EXPECT_EQ(grid()->editor()->text(), QStringLiteral("12"));
  EXPECT_EQ(dialogs.beeps(), 1);
  QTest::keyClick(grid()->editor(), Qt::Key_Escape);
  type_into(2, 2, QStringLiteral("7"));
  EXPECT_EQ(cell(2, 2), QStringLiteral("7.0"));
  EXPECT_EQ(grid()->row(), 3);
  EXPECT_EQ(cell(2, 6), QStringLiteral("7.0"));  // the running sum in CLASS WORK
  type_into(2, 2, QStringLiteral("9"));
  EXPECT_EQ(cell(2, 6), QStringLiteral("9.0"));
  type_into(2, 2, QStringLiteral("a"));
  EXPECT_EQ(cell(2, 2), QStringLiteral("a"));
  EXPECT_EQ(cell(2, 6), QStringLiteral("9.0"));
}

TEST_F(pboek_inlees_test, a_mark_whose_record_another_program_holds_locked_is_refused_with_a_word) {
  g_language = false;
  open_capture();
  capture->open_mark_book(0);
  ASSERT_TRUE(capture->book_open());
  auto* data2 = capture->findChild<platform::data_control*>(QStringLiteral("Data2"));
  ASSERT_NE(data2, nullptr);
  platform::recordset& rs = data2->recordset();
  rs.set_absolute_position(2);
  const platform::dbf_header& h = rs.table().header();
  const qint64 start = h.header_length + qint64(rs.record_number()) * h.record_length;
  const QString path = rs.table().path();
  const QByteArray before = test::read_native_file(path);
  {
    test::lock_holder other_program(path, start, h.record_length);
    ASSERT_TRUE(other_program.locked());
    dialogs
        .expect_message(QStringLiteral("DATASET %1\\marks1  ALREADY IN  USE ... TRY AGAIN LATER !")
                            .arg(upper_case_afrikaans(g_data_folder)))
        .icon(msg_icon::critical);
    type_into(2, 2, QStringLiteral("7"));
    EXPECT_EQ(test::read_native_file(path), before);
    EXPECT_EQ(cell(2, 2), QString());
  }
  if (grid()->editing()) QTest::keyClick(grid()->editor(), Qt::Key_Escape);
  type_into(2, 2, QStringLiteral("7"));  // the lock is given back
  EXPECT_EQ(cell(2, 2), QStringLiteral("7.0"));
}

TEST_F(pboek_inlees_test, edits_keep_out_of_names_and_totals) {
  open_capture();
  capture->open_mark_book(0);
  // A key typed into the name or a total moves to the mark column and
  // lands there: no key is lost.
  grid()->set_current(1, 1);
  QTest::keyClicks(grid()->current_view(), QStringLiteral("5"));
  ASSERT_TRUE(grid()->editing());
  EXPECT_EQ(grid()->col(), 2);
  EXPECT_EQ(grid()->editor()->text(), QStringLiteral("5"));
  QTest::keyClick(grid()->editor(), Qt::Key_Escape);
  grid()->set_current(1, 6);
  QTest::keyClicks(grid()->current_view(), QStringLiteral("5"));
  EXPECT_EQ(grid()->col(), 5);
  ASSERT_TRUE(grid()->editing());
  EXPECT_EQ(grid()->editor()->text(), QStringLiteral("5"));
  QTest::keyClick(grid()->editor(), Qt::Key_Escape);
  EXPECT_EQ(cell(1, 5), QString());
  // F2 in the name only moves: it starts no edit.
  grid()->set_current(1, 1);
  QTest::keyClick(grid()->current_view(), Qt::Key_F2);
  EXPECT_FALSE(grid()->editing());
  EXPECT_EQ(grid()->col(), 2);
  capture->DBGrid1_HeadClick(1);
  EXPECT_FALSE(find_control(capture, QStringLiteral("kol_opsies"))->isVisible());
  capture->DBGrid1_HeadClick(4);
  EXPECT_TRUE(find_control(capture, QStringLiteral("kol_opsies"))->isVisible());
  EXPECT_EQ(capture->chosen_column(), 4);
}

TEST_F(pboek_inlees_test, a_teacher_works_the_window_by_keyboard_alone) {
  // Every way back to the subject list leaves the keyboard in the list.
  struct return_case {
    const char* button;
  };
  for (const return_case& c : {return_case{"pboek_inlees_totale"}, return_case{"marks_exit"}}) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(open_capture());
    ASSERT_TRUE(activate(capture));
    auto* list = find_control_as<platform::flex_grid_view>(capture, QStringLiteral("vak_grid"));
    list->setFocus();
    press_on_focus(Qt::Key_Return);
    ASSERT_TRUE(capture->book_open());
    // The cursor starts on the learner number; the first key typed lands
    // in the first mark cell.
    EXPECT_EQ(std::pair(grid()->row(), grid()->col()), std::pair(0, 0));
    type_on_focus(QStringLiteral("7"));
    press_on_focus(Qt::Key_Return);
    EXPECT_EQ(cell(0, 2), QStringLiteral("7.0"));
    EXPECT_EQ(std::pair(grid()->row(), grid()->col()), std::pair(1, 2));
    type_on_focus(QStringLiteral("8"));
    press_on_focus(Qt::Key_Return);
    EXPECT_EQ(cell(1, 2), QStringLiteral("8.0"));

    ASSERT_TRUE(click(capture, QLatin1String(c.button)));
    ASSERT_FALSE(capture->book_open());
    EXPECT_EQ(QApplication::focusWidget(), list);
    press_on_focus(Qt::Key_Down);
    EXPECT_EQ(list->grid().row(), 1);
    press_on_focus(Qt::Key_Up);
    EXPECT_EQ(list->grid().row(), 0);
    press_on_focus(Qt::Key_Return);
    ASSERT_TRUE(capture->book_open());
    EXPECT_EQ(cell(0, 2), QStringLiteral("7.0"));
    capture->marks_exit_Click();
    capture->marks_exit_Click();
  }
}

TEST_F(pboek_inlees_test, totals_are_recalculated_for_every_learner) {
  open_capture();
  capture->open_mark_book(0);
  const int rows[] = {1, 2, 3, 4, 6, 7, 8, 9, 12, 13, 14, 15, 17, 18};
  const char* full[] = {"10", "10", "10", "10", "20", "10", "10", "10", "20", "20", "50", "50", "20", "20"};
  for (int i = 0; i < 14; ++i) {
    grid()->set_current(0, rows[i] + 1);
    grid()->start_edit(true, QString::fromLatin1(full[i]));
    ASSERT_TRUE(grid()->commit_edit()) << rows[i];
  }
  capture->pboek_inlees_totale_Click();
  EXPECT_FALSE(capture->book_open());  // back at the list
  capture->open_mark_book(0);
  // The first learner in name order got full marks.
  EXPECT_EQ(cell(0, 22), QStringLiteral("100.0"));
  EXPECT_EQ(cell(0, 12), QStringLiteral("60.0"));
  EXPECT_EQ(cell(1, 22), QString());  // the others have none
}

// Each learner's new totals repaint that learner's row alone, never the
// whole grid once a learner (which made the command slow on a big class).
TEST_F(pboek_inlees_test, recalculated_totals_repaint_only_the_rows_written) {
  open_capture();
  capture->open_mark_book(0);
  ASSERT_GT(learners(), 1);
  grid()->set_current(0, 2);
  grid()->start_edit(true, QStringLiteral("10"));
  ASSERT_TRUE(grid()->commit_edit());
  QSignalSpy changed(grid()->model(), &QAbstractItemModel::dataChanged);
  capture->pboek_inlees_totale_Click();
  ASSERT_FALSE(changed.isEmpty());
  for (const QList<QVariant>& signal : changed) {
    const auto first = signal.at(0).value<QModelIndex>();
    const auto last = signal.at(1).value<QModelIndex>();
    EXPECT_EQ(first.row(), last.row()) << "rows " << first.row() << " to " << last.row() << " marked changed";
  }
}

// A clock whose monotonic time moves on by a step at every reading.
class stepping_clock : public platform::fake_clock {
 public:
  explicit stepping_clock(qint64 step) : step_(step) {}
  qint64 monotonic_ms() override {
    advance_ms(step_);
    return fake_clock::monotonic_ms();
  }

 private:
  qint64 step_;
};

// Counts the paint events a widget gets.
class paint_counter : public QObject {
 public:
  explicit paint_counter(QWidget* watched) { watched->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Drawing the bar costs as much as the work on many learners, so the
// totals command shows the count done only when time has passed since the
// bar was last drawn, and at the last learner; with time passing between
// learners the bar shows every one.
TEST_F(pboek_inlees_test, the_totals_progress_bar_is_drawn_only_as_time_passes) {
  struct progress_case {
    qint64 step_ms;  // between two readings of the clock
    bool every_learner;
  };
  for (const progress_case& c : {progress_case{0, false}, progress_case{1000, true}}) {
    SCOPED_TRACE(c.step_ms);
    stepping_clock clock(c.step_ms);
    platform::scoped_clock in_place(clock);
    open_capture();
    capture->open_mark_book(0);
    ASSERT_TRUE(capture->book_open());
    ASSERT_GT(learners(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(capture));  // drawn as a teacher sees it
    auto* bar = find_control_as<QProgressBar>(capture, QStringLiteral("ProgressBar1"));
    paint_counter counted(bar);
    capture->pboek_inlees_totale_Click();
    EXPECT_EQ(counted.paints, c.every_learner ? learners() : 1);
    EXPECT_EQ(bar->value(), learners());
    EXPECT_FALSE(bar->isVisible());
    platform::unload_form(capture);
  }
}

TEST_F(pboek_inlees_test, undo_puts_back_the_marks_of_the_opening) {
  open_capture();
  capture->open_mark_book(0);
  type_into(0, 3, QStringLiteral("4"));
  type_into(1, 3, QStringLiteral("5"));
  dialogs.expect_message(QStringLiteral("'UNDO' reset marks to previous values!"))
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::cancel);
  capture->pboek_inlees_undo_Click();
  EXPECT_EQ(cell(0, 3), QStringLiteral("4.0"));
  dialogs.expect_message(QStringLiteral("'UNDO' reset marks to previous values!"))
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::ok);
  capture->pboek_inlees_undo_Click();
  EXPECT_EQ(cell(0, 3), QString());
  EXPECT_EQ(cell(1, 3), QString());
  EXPECT_EQ(cell(0, 6), QString());  // the running sums too
}

TEST_F(pboek_inlees_test, paste_needs_a_mark_column_and_a_yes) {
  open_capture();
  capture->open_mark_book(0);
  grid()->set_current(0, 1);
  dialogs.expect_message(QStringLiteral("First select marks column into which marks must be pasted !"))
      .icon(msg_icon::critical);
  capture->paste_into_flex_Click();
  grid()->set_current(0, 3);
  type_into(3, 3, QStringLiteral("4"));
  grid()->set_current(0, 3);
  dialogs.clipboard = QStringLiteral("5\n7.5\tX\nA\n");
  const QString warning = QStringLiteral(
      "This function will indiscriminately paste any information from\r\n"
      "the Windows clipboard as marks in the marks file. It is of extreme\r\n"
      "importance not to execute this function if the data in the clipboard\r\n"
      "is not in EXACTLY the same sequence as the learners on the screen.\r\n\r\n"
      "This function contains no validation and will overwrite any marks on\r\n"
      "the marks file (consider LEARNER SEQUENCE and SUBJECT TOTAL)\r\n\r\n"
      "DO YOU REALY WANT TO CONTINUE ?");
  dialogs.expect_message(warning)
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::critical)
      .answer(msg_answer::no);
  capture->paste_into_flex_Click();
  EXPECT_EQ(cell(0, 3), QString());
  dialogs.expect_message(warning)
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::critical)
      .answer(msg_answer::yes);
  capture->paste_into_flex_Click();
  EXPECT_EQ(cell(0, 3), QStringLiteral("5.0"));
  EXPECT_EQ(cell(1, 3), QStringLiteral("7.5"));
  EXPECT_EQ(cell(2, 3), QStringLiteral("A"));
  EXPECT_EQ(cell(3, 3), QStringLiteral("4.0"));  // after the last line: kept
}

TEST_F(pboek_inlees_test, missing_and_faulty_books_close_the_window) {
  open_capture();
  dialogs.expect_message(QStringLiteral("3 See 'MARK BOOK SETUP' to create mark book"))
      .icon(msg_icon::critical);
  capture->open_mark_book(1);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_inlees")));

  test::dbf_builder b;
  b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
  for (int r = 1; r <= 39; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
  b.record({"1", "A"});
  b.write(drives.native_drive('C') + QStringLiteral("/DATA/marks2.dbf"));
  open_capture();
  dialogs
      .expect_message(QStringLiteral("Load the latest copy of REVIZ-URORU and recreate the \r"
                                     "export disk to allow for 40 mark sets ..."))
      .icon(msg_icon::critical);
  capture->open_mark_book(1);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_inlees")));
}

}  // namespace
}  // namespace km::test

namespace km::test {
namespace {

TEST_F(pboek_inlees_test, the_mark_book_menu_opens_it) {
  register_menu_windows();
  auto* menu = platform::show_form(QStringLiteral("punte_menu2"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(click(menu, QStringLiteral("punte_menu_2")));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("pboek_inlees")));
}

TEST_F(pboek_inlees_test, a_short_setup_file_is_a_faulty_book) {
  QStringList cells = subject_grid_cells_of(1);
  const QString path = find_setup_file(g_data_folder, cells).win_path;
  QByteArray text;
  for (int i = 0; i < 199; ++i) text += "\"\"\r\n";
  drives.write_native(QStringLiteral("C/DATA/") + platform::file_name_part(path), text);
  open_capture();
  dialogs.expect_message(QStringLiteral("MARK BOOK FAULTY - SEE MARK BOOK SETUP")).icon(msg_icon::critical);
  capture->open_mark_book(0);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_inlees")));
  EXPECT_FALSE(is_book_open(g_data_folder, 1));
}

TEST_F(pboek_inlees_test, scaling_asks_the_new_average_and_moves_the_marks) {
  open_capture();
  capture->open_mark_book(0);
  type_into(0, 2, QStringLiteral("5"));
  type_into(1, 2, QStringLiteral("7"));
  capture->DBGrid1_HeadClick(2);
  dialogs.expect_input(QStringLiteral("Current average  60\r\rNew average ..."))
      .default_text(QStringLiteral("60"))
      .type(QStringLiteral("70"));
  capture->kol_opsie_Click(1);
  EXPECT_EQ(cell(0, 2), QStringLiteral("6.0"));
  EXPECT_EQ(cell(1, 2), QStringLiteral("8.0"));
  EXPECT_FALSE(find_control(capture, QStringLiteral("kol_opsies"))->isVisible());
  EXPECT_EQ(capture->column_average(2), 70.0);
  capture->DBGrid1_HeadClick(6);
  dialogs.expect_message(QStringLiteral("Scaling not possible on total columns ..."))
      .icon(msg_icon::critical);
  capture->kol_opsie_Click(1);
}

TEST_F(pboek_inlees_test, the_merit_list_puts_the_best_first) {
  open_capture();
  capture->open_mark_book(0);
  type_into(0, 2, QStringLiteral("5"));
  type_into(1, 2, QStringLiteral("9"));
  type_into(2, 2, QStringLiteral("A"));
  capture->DBGrid1_HeadClick(2);
  // The print window comes up modally in merit-list mode, over the
  // capture window, and closes back onto it.
  QString heading;
  bool merit_mode = false;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* print = platform::find_form(QStringLiteral("pboek_druk"));
    if (!print || !print->isVisible()) return;
    poll.stop();
    heading = find_control_as<QLabel>(print, QStringLiteral("vak_ops"))->text();
    merit_mode = static_cast<pboek_druk*>(print)->merit_mode();
    click(print, QStringLiteral("pboek_druk_exit"));
  });
  poll.start();
  capture->kol_opsie_Click(2);
  poll.stop();
  EXPECT_EQ(heading, QStringLiteral("PRINT MERIT LIST"));
  EXPECT_TRUE(merit_mode);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_druk")));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("pboek_inlees")));
  const platform::flex_grid& merit = capture->merit_grid();
  EXPECT_EQ(merit.text_matrix(0, 2), QStringLiteral("TASK 1"));
  EXPECT_EQ(merit.text_matrix(1, 2), QStringLiteral("9.0"));
  EXPECT_EQ(merit.text_matrix(2, 2), QStringLiteral("5.0"));
  EXPECT_EQ(merit.text_matrix(3, 2), QStringLiteral("A"));
  EXPECT_EQ(merit.rows(), learners() + 1);
  EXPECT_TRUE(capture->merit_title().startsWith(QStringLiteral("MERIT LIST ")));
}

}  // namespace
}  // namespace km::test

namespace km::test {
namespace {

TEST_F(pboek_inlees_test, focus_from_another_control_applies_the_layout_again) {
  open_capture();
  capture->open_mark_book(0);
  capture->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(capture));
  grid()->set_current(3, 4);
  grid()->current_view()->setFocus();
  EXPECT_EQ(grid()->row(), 3);
  auto* button = find_control_as<QPushButton>(capture, QStringLiteral("marks_copy"));
  button->setFocus();
  grid()->current_view()->setFocus();
  EXPECT_EQ(grid()->row(), 0);
  EXPECT_EQ(grid()->col(), 0);
}

TEST_F(pboek_inlees_test, a_refused_mark_keeps_its_place_and_editor) {
  open_capture();
  capture->open_mark_book(0);
  capture->activateWindow();
  dialogs.expect_message(QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-10"));
  type_into(5, 3, QStringLiteral("11"));
  EXPECT_TRUE(grid()->editing());
  EXPECT_EQ(grid()->row(), 5);
  EXPECT_EQ(grid()->col(), 3);
}

TEST_F(pboek_inlees_test, the_closed_refusal_box_gives_the_keyboard_back_to_the_cell) {
  open_capture();
  ASSERT_TRUE(activate(capture));
  capture->open_mark_book(0);
  grid()->set_current(5, 3);
  // The real message box, closed with Enter as the teacher does.
  QString shown;
  qt_dialog_steps steps({[&](QDialog* box) {
    if (auto* box_text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) shown = box_text->text();
    QTest::keyClick(box, Qt::Key_Return);
  }});
  type_on_focus(QStringLiteral("11"));
  press_on_focus(Qt::Key_Return);
  steps.verify();
  run_events();  // the window system gives the window back its activation
  EXPECT_EQ(shown, QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-10"));
  ASSERT_TRUE(grid()->editing());
  EXPECT_EQ(QApplication::focusWidget(), grid()->editor());
  // The teacher mends the mark at once.
  press_on_focus(Qt::Key_Backspace);
  type_on_focus(QStringLiteral("0"));
  press_on_focus(Qt::Key_Return);
  EXPECT_EQ(cell(5, 3), QStringLiteral("10.0"));
  EXPECT_EQ(std::pair(grid()->row(), grid()->col()), std::pair(6, 3));
}

TEST_F(pboek_inlees_test, an_empty_book_without_a_learner_list_closes_quietly) {
  test::dbf_builder b;
  b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
  for (int r = 1; r <= 40; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
  b.write(drives.native_drive('C') + QStringLiteral("/DATA/marks2.dbf"));
  open_capture();
  capture->open_mark_book(1);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_inlees")));
}

}  // namespace
}  // namespace km::test

namespace km::test {
namespace {

TEST_F(pboek_inlees_test, a_learner_moves_from_the_subject_list) {
  // Group 8B is combination 3: give it a book.
  setup_rows rows;
  apply_example_setup(rows, false);
  write_setup_file(find_setup_file(g_data_folder, subject_grid_cells_of(3)).win_path, rows);
  update_mark_book(g_data_folder, 3, g_program_folder);
  open_capture();
  const QString groups = QStringLiteral("8A, 8A, 8B, 9A, 9A, 10A, 11B, 12A");
  dialogs.expect_input(groups)
      .title(QStringLiteral("MOVE LEARNER FROM GROUP ..."))
      .type(QStringLiteral("8A"));
  dialogs.expect_input(groups)
      .title(QStringLiteral("MOVE LEARNER TO GROUP ..."))
      .type(QStringLiteral(" 8A "));
  dialogs.expect_message(QStringLiteral("'FROM' and 'TO' GROUPS MUST DIFFER ...")).icon(msg_icon::critical);
  dialogs.expect_input(groups).type(QStringLiteral("8A"));
  dialogs.expect_input(groups).type(QStringLiteral("8B"));
  capture->skuif_leerders_Click();
  EXPECT_EQ(dialogs.beeps(), 1);
  auto* list = find_control_as<QListWidget>(capture, QStringLiteral("ppl_skuif_lys"));
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(list->count(), learners());
  const QString entry = list->item(0)->text();
  dialogs
      .expect_message(QStringLiteral("DO YOU REALY WISH TO MOVE ") + entry +
                      QStringLiteral("\r\nFROM GROUP 8A TO GROUP 8B ?"))
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::critical)
      .answer(msg_answer::yes);
  capture->ppl_skuif_lys_Click(0);
  EXPECT_FALSE(list->isVisible());
  const platform::dbf_table from(platform::to_native_path(QStringLiteral("C:\\DATA\\marks1.dbf")),
                                 platform::dbf_table::access::read_only);
  EXPECT_EQ(int(from.record_count()) - int(from.deleted_records().size()), learners() - 1);
}

TEST_F(pboek_inlees_test, a_mark_set_is_copied_onto_another_after_a_yes) {
  open_capture();
  capture->open_mark_book(0);
  type_into(0, 2, QStringLiteral("5"));
  capture->marks_copy_Click();
  auto* from = find_control_as<QListWidget>(capture, QStringLiteral("kopieer_reeks_0"));
  auto* to = find_control_as<QListWidget>(capture, QStringLiteral("kopieer_reeks_1"));
  ASSERT_EQ(from->count(), 21);
  from->item(0)->setSelected(true);
  to->item(1)->setSelected(true);
  dialogs
      .expect_message(
          QStringLiteral("DO YOU WISH TO COPY MARK BOOK SETUP FOR \r\nTASK 1\r\n TO \r\nTASK 2 ?"))
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::yes);
  capture->copy_ok_Click();
  EXPECT_EQ(cell(0, 3), QStringLiteral("5.0"));
  EXPECT_EQ(cell(1, 3), QString());
}

}  // namespace
}  // namespace km::test

namespace km::test {
namespace {

TEST_F(pboek_inlees_test, the_column_options_go_when_the_focus_leaves_them) {
  open_capture();
  capture->open_mark_book(0);
  capture->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(capture));
  capture->DBGrid1_HeadClick(3);
  auto* option = find_control_as<QRadioButton>(capture, QStringLiteral("kol_opsie_1"));
  option->setFocus();
  ASSERT_TRUE(find_control(capture, QStringLiteral("kol_opsies"))->isVisible());
  find_control(capture, QStringLiteral("marks_copy"))->setFocus();
  EXPECT_FALSE(find_control(capture, QStringLiteral("kol_opsies"))->isVisible());
  EXPECT_EQ(cell(0, 3), QString());  // no option ran
}

}  // namespace
}  // namespace km::test
