#include "markbook/pboek_opstel.h"

#include <QLabel>
#include <QLineEdit>

#include "common/text_routines.h"
#include "markbook/example_setup.h"
#include "markbook/open_books.h"
#include "markbook/setup_renumber.h"
#include "pboek_opstel_fixture.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/ui/virtual_keys.h"
#include "shell/menu_windows.h"
#include "shell/side_windows.h"
#include "support/dbf_builder.h"
#include "support/lock_holder.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

setup_rows example_rows(bool afrikaans = false) {
  setup_rows rows;
  apply_example_setup(rows, afrikaans);
  return rows;
}

QLineEdit* box(QWidget* window, int i) {
  return find_control_as<QLineEdit>(window, platform::control_name(QStringLiteral("pboek_data"), i));
}

TEST_F(pboek_opstel_test, opens_on_the_list_of_combinations_in_both_languages) {
  for (const bool afrikaans : {true, false}) {
    g_language = afrikaans;
    ASSERT_TRUE(open_window());
    EXPECT_EQ(window->caption(),
              afrikaans ? QStringLiteral("PUNTEBOEK OPSTEL") : QStringLiteral("MARK BOOK SETUP"));
    EXPECT_EQ(
        button(QStringLiteral("pboek_opstel_save"))->toolTip(),
        afrikaans ? QStringLiteral("STOOR PUNTEBOEK OPSTELLING") : QStringLiteral("SAVE MARK BOOK SETUP"));
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("pboek_teks_3"))->text(),
              afrikaans ? QStringLiteral("VERWERK NA") : QStringLiteral("RESULT"));
    EXPECT_EQ(list().rows(), int(sample_combinations().size()));
    EXPECT_EQ(find_control_as<QListWidget>(window, QStringLiteral("kopieer_vaklys_1"))->count(),
              list().rows());
    EXPECT_FALSE(find_control(window, QStringLiteral("pboek_grid"))->isVisible());
    EXPECT_FALSE(button(QStringLiteral("pboek_data_ins"))->isEnabled());
    EXPECT_TRUE(placed_as_centred(window));
    platform::unload_form(window);
  }
}

TEST_F(pboek_opstel_test, example_and_save_write_the_setup_and_the_book) {
  open_window();
  choose(1);
  EXPECT_TRUE(window->setup_shown());
  EXPECT_EQ(setup().text_matrix(1, 0), QStringLiteral(" 1"));
  EXPECT_EQ(setup().text_matrix(0, 1).trimmed(), QStringLiteral("TASK/PROJECT"));
  EXPECT_TRUE(click(window, QStringLiteral("pboek_opstel_help")));
  EXPECT_TRUE(click(window, QStringLiteral("pboek_opstel_save")));
  EXPECT_EQ(window->setup_path(), setup_path_of(1));
  const setup_file_read read = read_setup_file(window->setup_path());
  EXPECT_TRUE(read.complete);
  EXPECT_EQ(read.rows, example_rows());
  const platform::dbf_table book(platform::to_native_path(QStringLiteral("C:\\DATA\\marks1.dbf")),
                                 platform::dbf_table::access::read_only);
  EXPECT_EQ(int(book.record_count()), int(sample_learners_of(sample_combinations()[0]).size()));
  EXPECT_EQ(book.field_count(), marks_dbf_field_count);
  // Back at the list, with UPDATE on again.
  EXPECT_FALSE(window->setup_shown());
  EXPECT_TRUE(find_control(window, QStringLiteral("vak_grid"))->isVisible());
  EXPECT_TRUE(button(QStringLiteral("pboek_opstel_stoor"))->isEnabled());
}

TEST_F(pboek_opstel_test, marks_the_rows_others_are_carried_into) {
  open_window();
  choose(2);
  window->fill_example_setup();
  window->pboek_opstel_save_Click();
  choose(2);
  for (int r = 1; r <= 40; ++r) {
    const bool carried = r == 5 || r == 10 || r == 11 || r == 16 || r == 19 || r == 20 || r == 21;
    EXPECT_EQ(setup().style_at(r, 1).back_color,
              carried ? platform::flex_grid::rgb(255, 255, 192) : platform::flex_grid::rgb(255, 255, 255))
        << r;
  }
}

TEST_F(pboek_opstel_test, question_mark_fills_the_example_only_outside_the_boxes) {
  open_window();
  choose(1);
  auto* grid_view = find_control(window, QStringLiteral("pboek_grid"));
  grid_view->setFocus();
  press_key(grid_view, Qt::Key_Question, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(setup().text_matrix(1, 1), QString());
  press_key(grid_view, Qt::Key_Question, Qt::ShiftModifier);
  EXPECT_EQ(setup().text_matrix(1, 1), QStringLiteral("TASK 1"));

  edit_row(22);
  EXPECT_TRUE(type_text(window, QStringLiteral("pboek_data_1"), QStringLiteral("what?")));
  EXPECT_EQ(box(window, 1)->text(), QStringLiteral("WHAT?"));
  EXPECT_EQ(setup().text_matrix(22, 1), QString());
}

TEST_F(pboek_opstel_test, boxes_upper_case_refuse_quotes_and_check_numbers) {
  open_window();
  choose(1);
  edit_row(3);
  EXPECT_EQ(box(window, 0)->text(), QStringLiteral("3"));
  EXPECT_TRUE(type_text(window, QStringLiteral("pboek_data_0"), QStringLiteral("ab")));
  EXPECT_EQ(box(window, 0)->text(), QStringLiteral("ab"));  // the number box keeps lower case
  EXPECT_TRUE(type_text(window, QStringLiteral("pboek_data_1"), QStringLiteral("say \"hi\"")));
  EXPECT_EQ(box(window, 1)->text(), QStringLiteral("SAY HI"));
  EXPECT_EQ(dialogs.beeps(), 2);
  box(window, 2)->setText(QStringLiteral("x1"));
  EXPECT_FALSE(window->pboek_data_LostFocus(2));
  box(window, 2)->setText(QStringLiteral("12.5"));
  EXPECT_TRUE(window->pboek_data_LostFocus(2));
}

TEST_F(pboek_opstel_test, ok_refuses_an_empty_total_and_results_that_name_no_other_row) {
  open_window();
  choose(1);
  edit_row(3);
  box(window, 1)->setText(QStringLiteral("TASK"));
  for (const QString& result : {QStringLiteral("41"), QStringLiteral("3"), QStringLiteral("-1")}) {
    box(window, 2)->setText(QStringLiteral("10"));
    box(window, 3)->setText(result);
    const int beeps = dialogs.beeps();
    window->pboek_data_ok_Click();
    EXPECT_EQ(dialogs.beeps(), beeps + 1) << result.toStdString();
    EXPECT_TRUE(find_control(window, QStringLiteral("pboek_item"))->isVisible());
    EXPECT_EQ(setup().text_matrix(3, 1), QString());
  }
  box(window, 2)->clear();
  box(window, 3)->setText(QStringLiteral("0"));
  window->pboek_data_ok_Click();
  EXPECT_EQ(setup().text_matrix(3, 1), QString());
  box(window, 2)->setText(QStringLiteral("10"));
  window->pboek_data_ok_Click();
  EXPECT_EQ(setup().text_matrix(3, 1), QStringLiteral("TASK"));
  EXPECT_EQ(setup().text_matrix(3, 3), QStringLiteral("0"));
  EXPECT_FALSE(find_control(window, QStringLiteral("pboek_item"))->isVisible());
}

TEST_F(pboek_opstel_test, a_double_click_on_the_headings_does_nothing) {
  open_window();
  choose(1);
  edit_row(0);
  EXPECT_FALSE(find_control(window, QStringLiteral("pboek_item"))->isVisible());
  window->pboek_data_ok_Click();
  EXPECT_EQ(setup().text_matrix(0, 1).trimmed(), QStringLiteral("TASK/PROJECT"));
}

TEST_F(pboek_opstel_test, save_and_update_do_nothing_without_a_setup) {
  open_window();
  window->pboek_opstel_stoor_Click();
  window->pboek_opstel_save_Click();
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\DATA\\marks0.dbf")));
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\DATA\\setup_.txt")));
  EXPECT_TRUE(find_control(window, QStringLiteral("vak_grid"))->isVisible());
}

TEST_F(pboek_opstel_test, a_book_open_for_capture_is_not_changed) {
  open_window();
  choose(1);
  window->fill_example_setup();
  register_open_book(g_data_folder, 1);
  for (int i = 0; i < 2; ++i)
    dialogs.expect_message(QStringLiteral("MARK BOOK IS OPEN IN 'MARK BOOK INPUT' ... CLOSE IT FIRST"))
        .icon(msg_icon::critical);
  window->pboek_opstel_stoor_Click();
  window->pboek_data_ins_Click();
  EXPECT_FALSE(platform::file_exists(window->setup_path()));
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\DATA\\marks1.dbf")));
  EXPECT_EQ(setup().text_matrix(1, 1), QStringLiteral("TASK 1"));  // the teacher's edits stay
}

// The mark of set-up row r of the book's first record.
QString first_mark(int r) {
  const platform::dbf_table book(platform::to_native_path(QStringLiteral("C:\\DATA\\marks1.dbf")),
                                 platform::dbf_table::access::read_only);
  return clean_field_value(book.value(0, r + 1));
}

void put_first_marks() {
  platform::recordset rs(
      std::make_unique<platform::dbf_table>(platform::to_native_path(QStringLiteral("C:\\DATA\\marks1.dbf")),
                                            platform::dbf_table::access::read_write));
  rs.move_first();
  rs.edit();
  for (int r = 1; r <= 21; ++r)
    rs.set_value(r + 1, platform::Value(QString::number(r) + QStringLiteral(".0")));
  rs.update();
}

class rows_of_a_saved_example : public pboek_opstel_test {
 protected:
  void SetUp() override {
    pboek_opstel_test::SetUp();
    open_with_saved_example();
    put_first_marks();
  }
};

TEST_F(rows_of_a_saved_example, delete_moves_rows_marks_and_result_rows) {
  edit_row(5);
  dialogs.expect_message(QStringLiteral("DO YOU WISH TO DELETE \"CLASS WORK\" ?"))
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::information)
      .answer(msg_answer::yes);
  window->pboek_data_del_Click();
  setup_rows expected = example_rows();
  delete_setup_row(expected, 5);
  EXPECT_EQ(read_setup_file(window->setup_path()).rows, expected);
  EXPECT_EQ(setup().text_matrix(5, 1), QStringLiteral("MINI ASSIGNMENT"));
  EXPECT_EQ(first_mark(5), QStringLiteral("6.0"));
  EXPECT_EQ(first_mark(20), QStringLiteral("21.0"));
  EXPECT_EQ(first_mark(21), QString());
  EXPECT_TRUE(platform::file_exists(QStringLiteral("C:\\DATA\\save\\marks1.dbf")));
}

TEST_F(rows_of_a_saved_example, delete_answered_no_changes_nothing) {
  edit_row(5);
  const QByteArray before = file_bytes(window->setup_path());
  dialogs.expect_message(QStringLiteral("DO YOU WISH TO DELETE \"CLASS WORK\" ?"))
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::information)
      .answer(msg_answer::no);
  window->pboek_data_del_Click();
  EXPECT_EQ(file_bytes(window->setup_path()), before);
  EXPECT_EQ(first_mark(5), QStringLiteral("5.0"));
  EXPECT_TRUE(find_control(window, QStringLiteral("pboek_item"))->isVisible());
}

TEST_F(rows_of_a_saved_example, insert_opens_an_empty_row_and_shifts_the_marks) {
  dialogs.expect_input(QStringLiteral("INSERT BEFORE LINE ..."))
      .title(QStringLiteral("INSERT"))
      .type(QStringLiteral("5"));
  window->pboek_data_ins_Click();
  setup_rows expected = example_rows();
  insert_setup_row(expected, 5);
  EXPECT_EQ(read_setup_file(window->setup_path()).rows, expected);
  EXPECT_EQ(setup().text_matrix(6, 1), QStringLiteral("CLASS WORK"));
  EXPECT_EQ(setup().text_matrix(6, 3), QStringLiteral("12"));
  EXPECT_EQ(first_mark(4), QStringLiteral("4.0"));
  EXPECT_EQ(first_mark(5), QString());
  EXPECT_EQ(first_mark(6), QStringLiteral("5.0"));
}

TEST_F(rows_of_a_saved_example, insert_answers_outside_the_rows_change_nothing) {
  const QByteArray before = file_bytes(window->setup_path());
  for (const char* answer : {"41", "-2", "2.5"}) {
    dialogs.expect_input(QStringLiteral("INSERT BEFORE LINE ...")).type(QString::fromLatin1(answer));
    window->pboek_data_ins_Click();
  }
  EXPECT_EQ(dialogs.beeps(), 3);
  for (const char* answer : {"", "0", "abc"}) {
    dialogs.expect_input(QStringLiteral("INSERT BEFORE LINE ...")).type(QString::fromLatin1(answer));
    window->pboek_data_ins_Click();
  }
  EXPECT_EQ(dialogs.beeps(), 3);
  EXPECT_EQ(file_bytes(window->setup_path()), before);
  EXPECT_EQ(first_mark(5), QStringLiteral("5.0"));
}

TEST_F(rows_of_a_saved_example, insert_while_line_40_is_named_is_refused) {
  setup().set_text_matrix(40, 1, QStringLiteral("LAST TASK"));
  dialogs.expect_input(QStringLiteral("INSERT BEFORE LINE ...")).type(QStringLiteral("1"));
  dialogs.expect_message(QStringLiteral("LINE 40 IS IN USE ... DELETE A TASK/PROJECT FIRST"))
      .icon(msg_icon::critical);
  window->pboek_data_ins_Click();
  EXPECT_EQ(setup().text_matrix(1, 1), QStringLiteral("TASK 1"));
  EXPECT_EQ(first_mark(1), QStringLiteral("1.0"));
}

}  // namespace
}  // namespace km::test

namespace km::test {
namespace {

TEST_F(pboek_opstel_test, the_mark_book_menu_opens_it_and_exit_goes_back) {
  register_menu_windows();
  register_side_windows();
  auto* menu = platform::show_form(QStringLiteral("punte_menu2"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(click(menu, QStringLiteral("punte_menu_1")));
  window = static_cast<pboek_opstel*>(platform::find_form(QStringLiteral("pboek_opstel")));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(click(window, QStringLiteral("pboek_opstel_calculator")));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("MathCalc")));
  EXPECT_TRUE(click(window, QStringLiteral("pboek_opstel_exit")));
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_opstel")));
  EXPECT_TRUE(platform::find_form(QStringLiteral("punte_menu2"))->isVisible());
  EXPECT_EQ(g_exp_mrk_control_file_number, 0);  // the export-control file is closed
}

TEST_F(pboek_opstel_test, the_makers_school_sees_the_window_name) {
  g_school_name = QStringLiteral("RIRUD-EDAVE");
  open_window();
  EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("ops_ops1"))->text(),
            QStringLiteral("MARK BOOK SETUP"));
}

TEST_F(rows_of_a_saved_example, insert_on_a_book_another_program_holds_changes_nothing) {
  const QByteArray setup_before = file_bytes(window->setup_path());
  const QByteArray book_before = file_bytes(QStringLiteral("C:\\DATA\\marks1.dbf"));
  lock_holder holder(platform::to_native_path(QStringLiteral("C:\\DATA\\marks1.dbf")));
  ASSERT_TRUE(holder.locked());
  dialogs.expect_input(QStringLiteral("INSERT BEFORE LINE ...")).type(QStringLiteral("3"));
  dialogs.expect_message(QStringLiteral("DATASET C:\\DATA\\marks1  ALREADY IN  USE ... TRY AGAIN LATER !"))
      .icon(msg_icon::critical);
  window->pboek_data_ins_Click();
  EXPECT_EQ(setup().text_matrix(3, 1), QStringLiteral("TASK 3"));
  EXPECT_EQ(file_bytes(window->setup_path()), setup_before);
  EXPECT_EQ(file_bytes(QStringLiteral("C:\\DATA\\marks1.dbf")), book_before);
}

}  // namespace
}  // namespace km::test
