// The outcomes-based capture window: the folder it takes from
// user_info.txt, the input options and the grid they lay out, the pick
// lists of the subject's codes, typed marks, the save into the
// cycle-marks table, undo, scaling, paste and the printed list.
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "common/capture_messages.h"
#include "common/open_combinations.h"
#include "marks_window_fixture.h"
#include "platform/file_system.h"
#include "platform/ui/printer/pdf_device.h"
#include "printing/poppler_tools.h"
#include "printing/print_messages.h"
#include "shell/user_info.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

class obe_inlees_test : public marks_window_test {
 protected:
  obe_inlees* open() { return window = open_window<obe_inlees>(QStringLiteral("obe_inlees")); }

  // Five learners of combination 1 (subject total as given) in name order,
  // with the marks of the conversion example, and the cycle-marks table
  // lacking learner 1005.
  void put_five_learners(float total) {
    put_combination(total);
    put_obe_rows({{"1001", "ADAMS ANN", "80.0", "", ""},
                  {"1002", "BOTHA BEN", "1.0", "", ""},
                  {"1003", "COETZEE CAS", "A", "", ""},
                  {"1004", "DU TOIT DIRK", "a", "", ""},
                  {"1005", "ERASMUS EVA", "", "", ""}});
    put_cycle_table({{"1001", "ADAMS ANN", "", ""},
                     {"1002", "BOTHA BEN", "", ""},
                     {"1003", "COETZEE CAS", "", ""},
                     {"1004", "DU TOIT DIRK", "", ""}});
  }
  // The code lists of the combination's row: its first cell (grade 8) and
  // second cell (subject 101) name them.
  void put_code_lists() {
    dbf_builder keys;
    keys.field("PS_KODE", 'C', 2).field("PS_X1", 'C', 2).field("PS_X2", 'C', 2).field("PS_X3", 'C', 2);
    keys.field("PS_BESK", 'C', 20);
    for (const char* code : {"P1", "P2", "P3"}) keys.record({code, "", "", "", QByteArray("KEY ") + code});
    keys.write(native(QStringLiteral("L8_P_S.dbf")));
    drives.write_native(QStringLiteral("C/DATA/L8_f_e.101"), "\"Goed\r\nSwak\r\n\",\"\"\r\n");
  }
  // Chooses combination `row` + 1 with this input total and these options
  // (1 summative, 2 effort keys, 3 formative, 4 multi-assessment).
  void choose(const QString& answer, const QString& subject_total, std::initializer_list<int> options,
              int row = 0) {
    dialogs.expect_input(input_total_prompt(subject_total, QStringLiteral("\r")))
        .default_text(subject_total)
        .type(answer);
    window->choose_subject(row);
    dialogs.verify();
    tick(options);
    const QString input_total = answer.isEmpty() ? subject_total : answer;
    // Marks against a subject total of 0 are taken as typed: nothing converts.
    if (input_total != subject_total && subject_total != QStringLiteral("0"))
      dialogs.expect_message(converting_message(subject_total, input_total))
          .buttons(msg_buttons::abort_retry_ignore);
    window->io_ok_Click();
    dialogs.verify();
  }
  void tick(std::initializer_list<int> options) {
    for (int i = 1; i <= 4; ++i)
      find_control_as<QCheckBox>(window, QStringLiteral("inlees_opsie_%1").arg(i))
          ->setChecked(std::find(options.begin(), options.end(), i) != options.end());
  }
  // The stored bytes of a record's mark in the OBE table (fields 8, 40, 5,
  // then five of 2 after the deletion byte).
  static QByteArray obe_mark_bytes(const QByteArray& table, int record) {
    return table.mid(32 + 8 * 32 + 1 + record * 64 + 49, 5);
  }
  std::pair<int, int> cursor() const { return {grid()->row(), grid()->col()}; }
  QListWidget* list(const char* name) const {
    return find_control_as<QListWidget>(window, QLatin1String(name));
  }
  // EXIT with a combination open: the save and No to the mark list.
  void exit_saving(const QString& from = {}, const QString& to = {}) {
    if (from != to)
      dialogs.expect_message(converting_message(from, to)).buttons(msg_buttons::abort_retry_ignore);
    dialogs.expect_message(QStringLiteral("DO YOU WANT TO PRINT A MARK LIST ?"))
        .buttons(msg_buttons::yes_no)
        .answer(msg_answer::no);
    window->marks_exit_Click();
    dialogs.verify();
  }

  obe_inlees* window = nullptr;
};

TEST_F(obe_inlees_test, the_folder_of_user_info_is_taken_only_when_it_holds_a_subject_list) {
  put_five_learners(100);
  put_combination(60, 70, QStringLiteral("C/OTHER"));
  drives.make_native_folder(QStringLiteral("C/EMPTY"));
  const QString info = platform::join_win_path(g_data_folder, user_info_file_name);
  ASSERT_TRUE(write_user_info({QStringLiteral("C:\\EMPTY"), 0, 1}, info));
  open();
  EXPECT_EQ(g_data_folder, QStringLiteral("C:\\DATA"));
  EXPECT_EQ(label("dir_disp"), QStringLiteral("C:\\DATA"));
  EXPECT_FALSE(find_control_as<QCheckBox>(window, QStringLiteral("ps_info"))->isChecked());
  EXPECT_TRUE(find_control_as<QCheckBox>(window, QStringLiteral("fe_info"))->isChecked());
  platform::unload_form(window);

  ASSERT_TRUE(write_user_info({QStringLiteral("C:\\OTHER"), 1, 1}, info));
  open();
  EXPECT_EQ(label("dir_disp"), QStringLiteral("C:\\OTHER"));
  EXPECT_EQ(find_control_as<platform::flex_grid_view>(window, QStringLiteral("vak_grid"))->grid().rows(), 2);
  EXPECT_EQ(
      find_control_as<platform::flex_grid_view>(window, QStringLiteral("vak_grid"))->grid().text_matrix(1, 2),
      QStringLiteral("70"));
}

TEST_F(obe_inlees_test, the_list_settings_are_kept_only_where_user_info_already_is) {
  put_five_learners(100);
  put_code_lists();
  open();
  choose(QString(), QStringLiteral("100"), {1});
  auto* ps = find_control_as<QCheckBox>(window, QStringLiteral("ps_info"));
  ASSERT_TRUE(ps->isEnabled());
  QTest::mouseClick(ps, Qt::LeftButton);
  EXPECT_FALSE(platform::file_exists(platform::join_win_path(g_data_folder, user_info_file_name)));

  drives.write_native(QStringLiteral("C/DATA/user_info.txt"), "C:\\DATA\r\n1\r\n1\r\n");
  QTest::mouseClick(ps, Qt::LeftButton);  // ticked again
  QTest::mouseClick(ps, Qt::LeftButton);  // cleared
  const std::optional<user_info_read> read = read_user_info(QStringLiteral("C:\\DATA\\user_info.txt"));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->effort_key_list, 0);
  EXPECT_EQ(read->formative_list, 1);
  QFile written(drives.native_drive('C') + QStringLiteral("/DATA/user_info.txt"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), QByteArray("C:\\DATA\r\n 0 \r\n 1 \r\n"));
}

TEST_F(obe_inlees_test, confirming_the_options_shows_the_marks_against_the_input_total) {
  put_five_learners(100);
  const QByteArray before = bytes(QStringLiteral("OBE_P1.DBF"));
  open();
  EXPECT_EQ(window->caption(), QStringLiteral("OBE INPUT"));
  EXPECT_TRUE(placed_as_centred(window));
  EXPECT_EQ(label("ops_stelsel"), QStringLiteral("OBE INPUT"));
  EXPECT_FALSE(find_control_as<QCheckBox>(window, QStringLiteral("ps_info"))->isEnabled());
  EXPECT_FALSE(find_control_as<QPushButton>(window, QStringLiteral("paste_into_flex"))->isEnabled());
  choose(QStringLiteral("50"), QStringLiteral("100"), {1, 3});
  EXPECT_EQ(label("ops_totale"), QStringLiteral(" 100 --  50"));
  EXPECT_EQ(mark_cells(), (QStringList{"40.0", ".5", "A", "a", ""}));
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("40.5"));
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("40.5"));
  EXPECT_EQ(grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("MARK(50)"));
  EXPECT_EQ(grid()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("E-K "));
  EXPECT_EQ(bytes(QStringLiteral("OBE_P1.BAK")), before);
  EXPECT_EQ(bytes(QStringLiteral("OBE_P1.DBF")), before);  // nothing converted in the table
  EXPECT_TRUE(is_open(open_kind::combination, g_data_folder, 1));
  // Summative and formative: the cursor visits columns 2 and 4 of each
  // learner; F-E2 to F-E4 are hidden.
  EXPECT_EQ(cursor(), std::pair(0, 2));
  window->go_to_learner(true);
  EXPECT_EQ(cursor(), std::pair(0, 4));
  window->go_to_learner(true);
  EXPECT_EQ(cursor(), std::pair(1, 2));
  EXPECT_TRUE(grid()->scrolling_view()->isColumnHidden(5));
  EXPECT_FALSE(grid()->scrolling_view()->isColumnHidden(4));
}

TEST_F(obe_inlees_test, the_multi_assessment_alone_closes_the_window) {
  put_five_learners(100);
  open();
  dialogs.expect_input(input_total_prompt(QStringLiteral("100"), QStringLiteral("\r")));
  window->choose_subject(0);
  tick({4});
  window->io_ok_Click();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("obe_inlees")));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("punte_menu1")));
}

TEST_F(obe_inlees_test, a_combination_that_cannot_be_captured_changes_nothing) {
  put_five_learners(100);
  open();
  // Held open by the cycle-marks window.
  expect_choice_refused_as_held_open();
  // The OBE table is missing: a beep, and back at the subject list.
  QFile::remove(native(QStringLiteral("OBE_P1.DBF")));
  dialogs.expect_input(input_total_prompt(QStringLiteral("100"), QStringLiteral("\r")));
  window->choose_subject(0);
  tick({1});
  window->io_ok_Click();
  EXPECT_EQ(dialogs.beeps(), 1);
  EXPECT_FALSE(window->combination_open());
  EXPECT_FALSE(find_control(window, QStringLiteral("vak_grid"))->isHidden());
  EXPECT_EQ(bytes(QStringLiteral("OBE_P1.BAK")), QByteArrayLiteral("<missing>"));
}

TEST_F(obe_inlees_test, a_picked_effort_key_goes_into_its_own_cell_and_the_cursor_moves_to_the_next_learner) {
  put_five_learners(100);
  put_code_lists();
  open();
  choose(QString(), QStringLiteral("100"), {2});
  EXPECT_EQ(window->effort_keys().codes, (QStringList{"P1", "P2", "P3", " "}));
  EXPECT_EQ(list("p_s_lys")->item(3)->text(), QStringLiteral("   NONE"));
  EXPECT_EQ(window->formative_codes().entries, (QStringList{"01 Goed", "02 Swak"}));
  EXPECT_EQ(list("f_e_lys")->item(1)->data(Qt::UserRole).toInt(), 2);
  EXPECT_EQ(cursor(), std::pair(0, 3));
  for (int r = 0; r < 5; ++r) {
    SCOPED_TRACE(r);
    ASSERT_TRUE(list("p_s_lys")->isVisible());  // the key cell, once entered, shows its list
    list("p_s_lys")->setCurrentRow(r % 3);
    QTest::keyClick(list("p_s_lys"), Qt::Key_Return);
    EXPECT_EQ(cell(r, 3), QStringLiteral("P%1").arg(r % 3 + 1));
    EXPECT_EQ(cursor(), std::pair(r < 4 ? r + 1 : 0, 3));  // after the last back to the first
    EXPECT_TRUE(list("p_s_lys")->isVisible());             // the list of the next learner's cell
  }
  // The list opened for one cell and left open never writes elsewhere: a
  // move to the mark cell hides it, and the mark is never a code.
  window->show();
  grid()->set_current(1, 3);
  ASSERT_TRUE(list("p_s_lys")->isVisible());
  grid()->set_current(1, 2);
  EXPECT_FALSE(list("p_s_lys")->isVisible());
  window->p_s_lys_DblClick();
  EXPECT_EQ(cell(1, 2), QStringLiteral("1.0"));
  // The entry for no key writes a blank.
  grid()->set_current(2, 3);
  list("p_s_lys")->setCurrentRow(3);
  window->p_s_lys_DblClick();
  EXPECT_EQ(cell(2, 3), QString());
}

TEST_F(obe_inlees_test, codes_typed_by_keyboard_are_taken_from_the_list_or_refused_naming_it) {
  put_combination(100);
  put_obe_rows({{"1001", "ADAMS ANN", "", "P1", "01"}, {"1002", "BOTHA BEN", "", "P1", "01"}});
  put_cycle_table({{"1001", "ADAMS ANN", "", ""}, {"1002", "BOTHA BEN", "", ""}});
  put_code_lists();
  open();
  ASSERT_TRUE(activate(window));
  choose(QString(), QStringLiteral("100"), {2, 3});
  // The key cell of the first learner, entered by the keyboard, shows its list.
  EXPECT_EQ(cursor(), std::pair(0, 3));
  EXPECT_TRUE(list("p_s_lys")->isVisible());
  type_on_focus(QStringLiteral("p2"));
  press_on_focus(Qt::Key_Return);
  EXPECT_EQ(cell(0, 3), QStringLiteral("P2"));  // as the list spells it
  // Enter goes on to F-E1, and its list opens there as a click opens it.
  EXPECT_EQ(cursor(), std::pair(0, 4));
  EXPECT_TRUE(list("f_e_lys")->isVisible());
  EXPECT_FALSE(list("p_s_lys")->isVisible());
  // A code the list does not hold is refused, naming the list; the typed
  // text waits in the cell to be mended. By keyboard and by mouse alike.
  struct refusal_case {
    bool afrikaans;
    bool by_mouse;
    const char* message;
  };
  const QByteArray stored = bytes(QStringLiteral("OBE_P1.DBF"));
  for (const refusal_case& c :
       {refusal_case{false, false, "Codes can only be ' ' or a code of the FE-LIST"},
        refusal_case{true, true, "Kodes kan slegs ' ' of 'n kode van die FE-LYS wees"}}) {
    SCOPED_TRACE(c.message);
    g_language = c.afrikaans;
    if (c.by_mouse) {
      QTableView* view = grid()->current_view();
      const QPoint at = view->visualRect(grid()->model()->index(0, 4)).center();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);  // the first press of a double click
      QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
      ASSERT_TRUE(grid()->editing());
      grid()->editor()->clear();
    }
    const int beeps = dialogs.beeps();
    dialogs.expect_message(QString::fromUtf8(c.message));
    type_on_focus(QStringLiteral("04"));
    press_on_focus(Qt::Key_Return);
    dialogs.verify();
    EXPECT_EQ(dialogs.beeps(), beeps + 1);
    ASSERT_TRUE(grid()->editing());
    EXPECT_EQ(grid()->editor()->text(), QStringLiteral("04"));
    EXPECT_EQ(bytes(QStringLiteral("OBE_P1.DBF")), stored);  // the table keeps 01
    press_on_focus(Qt::Key_Escape);
  }
  g_language = false;
  // A code on the list is taken, and the cursor goes on to the next learner.
  EXPECT_EQ(cursor(), std::pair(0, 4));
  type_on_focus(QStringLiteral("02"));
  press_on_focus(Qt::Key_Return);
  EXPECT_EQ(cell(0, 4), QStringLiteral("02"));
  EXPECT_EQ(cursor(), std::pair(1, 3));
  EXPECT_TRUE(list("p_s_lys")->isVisible());
  // A cleared code is taken as no code.
  grid()->set_current(1, 4);
  press_on_focus(Qt::Key_Space);
  press_on_focus(Qt::Key_Return);
  EXPECT_EQ(cell(1, 4), QString());
}

TEST_F(obe_inlees_test, typed_marks_are_checked_as_in_the_cycle_window) {
  put_five_learners(100);
  g_language = true;
  open();
  choose(QString(), QStringLiteral("100"), {1});
  dialogs.expect_message(QStringLiteral("Punte kan slegs ' ', 'A', 'a' of 0-100 wees"));
  type_into(0, 2, QStringLiteral("101"));
  dialogs.verify();
  ASSERT_TRUE(grid()->editing());
  EXPECT_EQ(grid()->editor()->text(), QStringLiteral("101"));
  EXPECT_EQ(dialogs.beeps(), 1);
  grid()->cancel_edit();
  for (const char* wrong : {"abc", "12abc"}) {
    dialogs.expect_message(QStringLiteral("Punte kan slegs ' ', 'A', 'a' of 0-100 wees"));
    type_into(4, 2, QString::fromLatin1(wrong));
    EXPECT_TRUE(grid()->editing()) << wrong;
    grid()->cancel_edit();
  }
  type_into(4, 2, QStringLiteral("7"));
  EXPECT_EQ(cell(4, 2), QStringLiteral("7.0"));
  type_into(3, 2, QStringLiteral("a"));
  EXPECT_EQ(cell(3, 2), QStringLiteral("a"));
  const double sum = window->marks_sum();
  const int count = window->marks_count();
  type_into(0, 2, QStringLiteral("A"));
  EXPECT_EQ(window->marks_sum(), sum - 80);
  EXPECT_EQ(window->marks_count(), count - 1);
}

TEST_F(obe_inlees_test, the_save_copies_the_summative_marks_into_the_cycle_table) {
  put_five_learners(100);
  const QByteArray before = bytes(QStringLiteral("OBE_P1.DBF"));
  open();
  choose(QStringLiteral("50"), QStringLiteral("100"), {1});
  type_into(4, 2, QStringLiteral("40"));
  exit_saving(QStringLiteral("50"), QStringLiteral("100"));
  EXPECT_FALSE(window->combination_open());
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 2), (QStringList{"80.0", "1.0", "A", "a", "80.0"}));
  EXPECT_EQ(
      bytes(QStringLiteral("OBE_P1.DBF")).left(32 + 8 * 32 + 1 + 4 * 58),
      before.left(32 + 8 * 32 + 1 + 4 * 58).replace(1, 3, bytes(QStringLiteral("OBE_P1.DBF")).mid(1, 3)));
  // The cycle table: the four learners it had, and learner 1005 added with
  // only the number and the mark.
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 0), (QStringList{"1001", "1002", "1003", "1004", "1005"}));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"80.0", "1.0", "A", "a", "80.0"}));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 1).last(), QString());
}

TEST_F(obe_inlees_test,
       equal_totals_store_the_mark_formatted_and_a_subject_total_of_0_converts_silently_nothing) {
  for (const float total : {100.0f, 0.0f}) {
    SCOPED_TRACE(total);
    put_combination(total);
    put_obe_rows({{"1001", "ADAMS", "7", "", ""}, {"1002", "BOTHA", "30.0", "", ""}});
    put_cycle_table({{"1001", "ADAMS", "", ""}, {"1002", "BOTHA", "", ""}});
    const QByteArray before = bytes(QStringLiteral("OBE_P1.DBF"));
    open();
    const QString st = QString::number(total);
    choose(total > 0 ? QString() : QStringLiteral("50"), st, {1});
    EXPECT_EQ(mark_cells(), (QStringList{"7", "30.0"}));  // nothing shown converted
    exit_saving();                                        // no word of a conversion that does not happen
    EXPECT_EQ(bytes(QStringLiteral("OBE_P1.DBF")), before);
    EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"7.0", "30.0"}));
    platform::unload_form(window);
  }
}

TEST_F(obe_inlees_test, undo_restores_the_backup_and_scaling_shifts_the_summative_marks) {
  put_combination(100);
  put_obe_rows({{"1003", "SMIT", "95.0", "", ""},
                {"1001", "ADAMS", "10.0", "", ""},
                {"1002", "BOTHA", "45.0", "", ""}});
  put_cycle_table({});
  const QByteArray before = bytes(QStringLiteral("OBE_P1.DBF"));
  open();
  choose(QString(), QStringLiteral("100"), {1});
  EXPECT_EQ(mark_cells(), (QStringList{"10.0", "45.0", "95.0"}));
  const QByteArray sorted = bytes(QStringLiteral("OBE_P1.DBF"));
  const QString prompt = QStringLiteral("Current average  50\r\rNew average ...");
  dialogs.expect_input(prompt).default_text(QStringLiteral("50")).type(QString());
  window->punte_inlees_gem_Click();
  dialogs.verify();
  EXPECT_EQ(bytes(QStringLiteral("OBE_P1.DBF")), sorted);
  dialogs.expect_input(prompt).type(QStringLiteral("60"));
  window->punte_inlees_gem_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"20.0", "55.0", "100.0"}));
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("58.3"));

  const QString undo = QStringLiteral("'UNDO' will reset marks to previous values!");
  dialogs.expect_message(undo)
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::cancel);
  window->marks_undo_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"20.0", "55.0", "100.0"}));
  dialogs.expect_message(undo)
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::ok);
  window->marks_undo_Click();
  dialogs.verify();
  EXPECT_EQ(mark_cells(), (QStringList{"10.0", "45.0", "95.0"}));
  exit_saving();
  EXPECT_EQ(bytes(QStringLiteral("OBE_P1.DBF")).mid(4), sorted.mid(4));
  EXPECT_EQ(bytes(QStringLiteral("OBE_P1.BAK")), before);
}

TEST_F(obe_inlees_test, a_subject_without_an_effort_key_table_gets_no_codes_of_the_last_one) {
  put_combination(100, 100);
  put_code_lists();
  put_obe_rows({{"1001", "ADAMS", "", "", ""}});
  put_obe_rows({{"1001", "ADAMS", "", "", ""}}, 2);
  put_cycle_table({});
  open();
  choose(QString(), QStringLiteral("100"), {2});
  EXPECT_FALSE(window->effort_keys().empty());
  exit_saving();
  QFile::remove(native(QStringLiteral("L8_P_S.dbf")));
  QFile::remove(native(QStringLiteral("L8_f_e.101")));
  choose(QString(), QStringLiteral("100"), {2}, 1);
  EXPECT_TRUE(window->effort_keys().empty());
  EXPECT_EQ(list("p_s_lys")->count(), 0);
  EXPECT_EQ(list("p_s_key")->count(), 0);
  EXPECT_EQ(list("f_e_lys")->count(), 0);
}

TEST_F(obe_inlees_test, paste_writes_the_chosen_column_and_leaves_records_beyond_the_clipboard) {
  put_combination(100);
  put_obe_rows({{"1001", "A", "1.0", "P1", "01"},
                {"1002", "B", "2.0", "P1", "01"},
                {"1003", "C", "3.0", "P1", "01"},
                {"1004", "D", "4.0", "P1", "01"},
                {"1005", "E", "5.0", "P1", "01"}});
  put_cycle_table({});
  g_language = true;
  open();
  choose(QString(), QStringLiteral("100"), {1});
  const QString warning = paste_warning(paste_wording::outcomes);
  EXPECT_TRUE(warning.startsWith(QStringLiteral("Hierdie funksie sal blindelings")));
  EXPECT_TRUE(warning.contains(QStringLiteral("op die skerm is nie.\r\n\r\n")));
  struct paste_case {
    int target;
    const char* clipboard;
    int column;
    QStringList expected;
  };
  for (const paste_case& c : {paste_case{1, "12,5\nA\n7\n", 2, {"12.0", "A", "7.0", "4.0", "5.0"}},
                              paste_case{2, "B\n\nC", 3, {"B", "", "C", "P1", "P1"}}}) {
    SCOPED_TRACE(c.target);
    dialogs.clipboard = QString::fromLatin1(c.clipboard);
    dialogs.expect_message(warning)
        .buttons(msg_buttons::yes_no)
        .icon(msg_icon::critical)
        .answer(msg_answer::yes);
    window->paste_into_flex_Click();
    dialogs.verify();
    ASSERT_TRUE(find_control(window, QStringLiteral("paste_raam"))->isVisible());
    for (int i = 1; i <= 3; ++i)
      find_control_as<QCheckBox>(window, QStringLiteral("pr_teks_%1").arg(i))->setChecked(i == c.target);
    window->pr_ok_Click();
    QStringList cells;
    for (int r = 0; r < 5; ++r) cells << cell(r, c.column);
    EXPECT_EQ(cells, c.expected);
  }
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("28.0"));
}

TEST_F(obe_inlees_test, the_printed_list_keeps_its_order_and_converts_from_the_total_its_marks_show) {
  put_combination(100);
  put_obe_rows({{"1001", "Botha Zo\xEB", "80.0", "", ""}, {"1002", "Coetzee Cas", "90.0", "", ""}});
  put_cycle_table({});
  open();
  choose(QStringLiteral("50"), QStringLiteral("100"), {1});
  QTemporaryDir dir;
  const auto print = [&](const std::function<void()>& call) {
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    platform::printer().set_device(platform::pdf_device::to_file(pdf));
    dialogs.expect_message(printing_complete_message(1, pdf)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); }, call);
    dialogs.verify();
    return pdf_page_text(pdf, 1);
  };
  print([&] { window->pnt_grid_HeadClick(2); });
  const platform::flex_grid& list = window->print_grid();
  ASSERT_EQ(list.rows(), 2);
  EXPECT_EQ(list.text_matrix(0, 0) + "\t" + list.text_matrix(0, 1) + "\t" + list.text_matrix(0, 2),
            QStringLiteral("1002\tCoetzee Cas\t45.0"));
  print([&] { window->marks_print_Click(); });
  EXPECT_EQ(window->print_grid().text_matrix(0, 0), QStringLiteral("1002"));  // the order stays
}

TEST_F(obe_inlees_test, the_list_printed_from_the_exit_converts_from_the_subject_total) {
  put_combination(100);
  put_obe_rows({{"1001", "Botha", "80.0", "", ""}});
  put_cycle_table({});
  open();
  choose(QStringLiteral("50"), QStringLiteral("100"), {1});
  EXPECT_EQ(mark_cells(), QStringList{"40.0"});
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
  platform::printer().set_device(platform::pdf_device::to_file(pdf));
  dialogs.expect_message(converting_message(QStringLiteral("50"), QStringLiteral("100")))
      .buttons(msg_buttons::abort_retry_ignore);
  dialogs.expect_message(QStringLiteral("DO YOU WANT TO PRINT A MARK LIST ?"))
      .buttons(msg_buttons::yes_no)
      .answer(msg_answer::yes);
  dialogs.expect_message(printing_complete_message(1, pdf)).icon(msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                 [&] { window->marks_exit_Click(); });
  dialogs.verify();
  const QString text = pdf_page_text(pdf, 1);
  EXPECT_TRUE(text.contains(QStringLiteral(" 80.0"))) << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("160.0"))) << text.toStdString();
  EXPECT_FALSE(window->combination_open());
}

}  // namespace
}  // namespace km::test
