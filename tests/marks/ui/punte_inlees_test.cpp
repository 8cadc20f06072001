// The cycle-marks capture window: its load, the choice of a combination
// with the input total, the marks shown against it, typed marks and their
// checks, and the refusals of a choice.
#include <QLabel>
#include <QPushButton>

#include "common/open_combinations.h"
#include "marks_window_fixture.h"
#include "shell/user_info.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

TEST_F(punte_inlees_test, opens_with_its_texts_in_both_languages) {
  put_five_learners(50);
  struct language_case {
    bool afrikaans;
    const char* caption;
    const char* undo_tip;
    const char* average_tip;
  };
  for (const language_case& c :
       {language_case{false, "MARKS INPUT", " UNDO = Reset marks to before changes ",
                      " Do SCALING (marks adjusted according to given average) ... "},
        language_case{true, "PUNTE INLEES", " 'UNDO' = Herstel punte soos voor veranderings ",
                      " Doen VERSKALINGS (punte aanpassing volgens gemiddeld verskaf) ... "}}) {
    SCOPED_TRACE(c.caption);
    g_language = c.afrikaans;
    ASSERT_TRUE(open());
    EXPECT_EQ(window->caption(), QString::fromUtf8(c.caption));
    EXPECT_TRUE(placed_as_centred(window));
    EXPECT_EQ(find_control_as<QPushButton>(window, QStringLiteral("marks_undo"))->toolTip(),
              QString::fromUtf8(c.undo_tip));
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("punte_inlees_gem"))->toolTip(),
              QString::fromUtf8(c.average_tip));
    EXPECT_EQ(find_control_as<QPushButton>(window, QStringLiteral("marks_exit"))->toolTip(),
              QStringLiteral("EXIT"));
    EXPECT_EQ(label("dir_disp"), QStringLiteral("C:\\DATA"));
    EXPECT_EQ(label("ops_ops1"), QStringLiteral("TEST SCHOOL"));
    EXPECT_EQ(find_control_as<platform::flex_grid_view>(window, QStringLiteral("vak_grid"))->grid().rows(),
              1);
    // Nothing to save, undo, print or paste before a combination is open.
    for (const char* name : {"marks_save", "marks_undo", "marks_print", "paste_into_flex"})
      EXPECT_FALSE(find_control_as<QPushButton>(window, QLatin1String(name))->isEnabled()) << name;
    EXPECT_EQ(window->timer(QStringLiteral("Timer1"))->interval(), 250);
    platform::unload_form(window);
  }
  // The school of the program's makers shows the window's caption instead.
  g_school_name = QStringLiteral("RIRUD-EDAVE");
  g_language = false;
  open();
  EXPECT_EQ(label("ops_ops1"), QStringLiteral("MARKS INPUT"));
}

TEST_F(punte_inlees_test, the_load_rewrites_user_info_with_the_data_folder_keeping_the_list_settings) {
  put_five_learners(50);
  const QString info = platform::join_win_path(g_data_folder, user_info_file_name);
  open();
  // Missing: both settings are written as 1.
  std::optional<user_info_read> read = read_user_info(info);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->data_folder, QStringLiteral("C:\\DATA"));
  EXPECT_EQ(read->effort_key_list, 1);
  EXPECT_EQ(read->formative_list, 1);
  platform::unload_form(window);

  ASSERT_TRUE(write_user_info({QStringLiteral("D:\\ELSEWHERE"), 0, 1}, info));
  open();
  read = read_user_info(info);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->data_folder, QStringLiteral("C:\\DATA"));
  EXPECT_EQ(read->effort_key_list, 0);
  EXPECT_EQ(read->formative_list, 1);
}

TEST_F(punte_inlees_test, a_choice_shows_the_marks_against_the_input_total_and_leaves_the_table_as_it_is) {
  put_five_learners(50);
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  dialogs.verify();
  ASSERT_TRUE(window->combination_open());
  EXPECT_EQ(label("vak_ops"), QStringLiteral("8   101  "));
  EXPECT_EQ(label("ops_totale"), QStringLiteral("50 -- 100"));
  EXPECT_EQ(mark_cells(), (QStringList{"50.0", "A", "", ".6", "100.0"}));
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("150.6"));
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("50.2"));
  EXPECT_EQ(window->average_percent(), 50.2);
  EXPECT_EQ(grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("MARK(100)"));
  EXPECT_EQ(grid()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("EK/SR"));
  EXPECT_EQ(grid()->col(), 2);
  // The table keeps its marks relative to the subject total; the backup is
  // the table as it was.
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), before);
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.BAK")), before);
  EXPECT_TRUE(is_open(open_kind::combination, g_data_folder, 1));
}

TEST_F(punte_inlees_test, an_empty_answer_keeps_the_subject_total_and_converts_nothing) {
  put_five_learners(50);
  g_language = true;
  open();
  dialogs.expect_input(QStringLiteral("INLEESTOTAAL\r\n\r\n[ VAKTOTAAL = 50 ]")).type(QString());
  dialogs.expect_message(QStringLiteral("GAAN U PRESTASIESLEUTELS OOK INLEES ?"))
      .buttons(msg_buttons::yes_no)
      .answer(msg_answer::no);
  window->choose_subject(0);
  EXPECT_EQ(grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("PUNT(50)"));
  EXPECT_EQ(mark_cells(), (QStringList{"25.0", "A", "", "0.3", "50.0"}));
}

TEST_F(punte_inlees_test, an_input_total_that_is_no_plain_number_above_0_is_asked_again) {
  put_five_learners(50);
  open();
  const QString prompt = QStringLiteral("INPUT TOTAL\r\n\r\n[ SUBJECT TOTAL = 50 ]");
  for (const char* wrong : {"0", "-5", "abc", "12,5"})
    dialogs.expect_input(prompt).type(QString::fromLatin1(wrong));
  dialogs.expect_input(prompt).type(QStringLiteral("37.5"));
  dialogs.expect_message(QStringLiteral("Busy converting marks from 50 to 37.5!"))
      .icon(msg_icon::exclamation);
  dialogs.expect_message(effort_question()).buttons(msg_buttons::yes_no).answer(msg_answer::no);
  window->choose_subject(0);
  EXPECT_EQ(dialogs.beeps(), 4);
  EXPECT_EQ(window->input_total(), 37.5);
  EXPECT_EQ(grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("MARK(37.5)"));
}

TEST_F(punte_inlees_test, typed_marks_are_checked_against_the_input_total) {
  put_combination(100);
  put_cycle_table({{"1001", "ADAMS", "40.0", ""}, {"1002", "BOTHA", "", ""}, {"1003", "COETZEE", "", ""}});
  put_obe_table({});
  open();
  choose(QString(), QStringLiteral("100"));
  struct typed_case {
    const char* typed;
    const char* stored;  // nullptr: refused
  };
  for (const typed_case& c :
       {typed_case{"a", "a"}, typed_case{" 12 ", "12.0"}, typed_case{"100", "100.0"},
        typed_case{"100.1", nullptr}, typed_case{"abc", nullptr}, typed_case{"12abc", nullptr},
        typed_case{"12,5", nullptr}, typed_case{"1e2", nullptr}}) {
    SCOPED_TRACE(c.typed);
    const double sum = window->marks_sum();
    const int count = window->marks_count();
    if (!c.stored) dialogs.expect_message(QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-100"));
    type_into(1, 2, QString::fromLatin1(c.typed));
    dialogs.verify();
    if (c.stored) {
      EXPECT_FALSE(grid()->editing());
      EXPECT_EQ(cell(1, 2), QString::fromLatin1(c.stored));
      continue;
    }
    ASSERT_TRUE(grid()->editing());
    EXPECT_EQ(grid()->editor()->text(), QString::fromLatin1(c.typed));
    EXPECT_EQ(window->marks_sum(), sum);  // a refusal changes neither figure
    EXPECT_EQ(window->marks_count(), count);
    grid()->cancel_edit();
  }
  EXPECT_EQ(dialogs.beeps(), 5);
}

TEST_F(punte_inlees_test, the_figures_move_by_the_share_of_the_accepted_edit) {
  put_combination(100);
  put_cycle_table({{"1001", "ADAMS", "40.0", ""}, {"1002", "BOTHA", "20.0", ""}});
  put_obe_table({});
  open();
  choose(QString(), QStringLiteral("100"));
  EXPECT_EQ(window->marks_sum(), 60.0);
  EXPECT_EQ(window->marks_count(), 2);
  type_into(0, 2, QStringLiteral("45"));
  EXPECT_EQ(window->marks_sum(), 65.0);
  EXPECT_EQ(window->marks_count(), 2);
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("32.5"));
  type_into(0, 2, QStringLiteral("A"));
  EXPECT_EQ(window->marks_sum(), 20.0);
  EXPECT_EQ(window->marks_count(), 1);
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("20.0"));
}

TEST_F(punte_inlees_test, an_accepted_mark_is_written_at_once_relative_to_the_subject_total) {
  put_five_learners(50);
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  type_into(2, 2, QStringLiteral("75"));
  EXPECT_EQ(cell(2, 2), QStringLiteral("75.0"));
  const QByteArray table = bytes(QStringLiteral("PUNTE1.DBF"));
  EXPECT_EQ(cycle_field(table, 2, 2), QByteArray("37.5 "));
  // Retyping a converted mark as it shows keeps its stored text.
  type_into(3, 2, QStringLiteral(".6"));
  EXPECT_EQ(cycle_field(bytes(QStringLiteral("PUNTE1.DBF")), 3, 2), QByteArray("0.3  "));
}

TEST_F(punte_inlees_test, a_mark_that_would_not_fit_its_field_is_refused) {
  put_combination(1000);
  put_cycle_table({{"1001", "ADAMS", "", ""}});
  put_obe_table({});
  open();
  choose(QStringLiteral("100"), QStringLiteral("1000"));
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  dialogs.expect_message(QStringLiteral("MARK 1000.0 DOES NOT FIT FIELD EF_PUNT ... NOTHING WAS CHANGED !"))
      .icon(msg_icon::critical);
  type_into(0, 2, QStringLiteral("100"));
  EXPECT_TRUE(grid()->editing());
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), before);
}

TEST_F(punte_inlees_test, enter_runs_down_the_marks_or_from_mark_to_code_to_the_next_mark) {
  put_five_learners(50);
  open();
  choose(QString(), QStringLiteral("50"));
  type_into(0, 2, QStringLiteral("10"));
  EXPECT_EQ(std::pair(grid()->row(), grid()->col()), std::pair(1, 2));
  platform::unload_form(window);

  open();
  choose(QString(), QStringLiteral("50"), true);
  EXPECT_TRUE(window->with_effort_keys());
  type_into(0, 2, QStringLiteral("10"));
  EXPECT_EQ(std::pair(grid()->row(), grid()->col()), std::pair(0, 3));
  type_into(0, 3, QStringLiteral("P2"));
  EXPECT_EQ(std::pair(grid()->row(), grid()->col()), std::pair(1, 2));
  EXPECT_EQ(cell(0, 3), QStringLiteral("P2"));
  // The number and the name are never edited: a key there goes to the
  // mark, and lands in it.
  grid()->set_current(2, 1);
  QTest::keyClicks(grid()->current_view(), QStringLiteral("5"));
  EXPECT_EQ(grid()->col(), 2);
  ASSERT_TRUE(grid()->editing());
  EXPECT_EQ(grid()->editor()->text(), QStringLiteral("5"));
  QTest::keyClick(grid()->editor(), Qt::Key_Return);
  EXPECT_EQ(cell(2, 2), QStringLiteral("5.0"));
}

TEST_F(punte_inlees_test, a_choice_is_refused_without_changing_anything) {
  put_five_learners(50);
  open();
  // The table is missing: a beep only.
  QFile::remove(native(QStringLiteral("PUNTE1.DBF")));
  window->choose_subject(0);
  EXPECT_EQ(dialogs.beeps(), 1);
  EXPECT_FALSE(window->combination_open());

  // Too few fields.
  put_cycle_table({{"1001", "ADAMS", "25.0", ""}}, false);
  const QByteArray three = bytes(QStringLiteral("PUNTE1.DBF"));
  dialogs.expect_input(input_total_prompt(QStringLiteral("50")));
  dialogs.expect_message(QStringLiteral("TABLE PUNTE1.DBF HAS TOO FEW FIELDS ...")).icon(msg_icon::critical);
  window->choose_subject(0);
  dialogs.verify();
  EXPECT_FALSE(window->combination_open());
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), three);
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.BAK")), QByteArrayLiteral("<missing>"));

  // Held open by another capture window.
  put_five_learners(50);
  expect_choice_refused_as_held_open();
}

TEST_F(punte_inlees_test, a_backup_that_cannot_be_made_opens_nothing) {
  put_five_learners(50);
  // A folder in the backup's place cannot be replaced by a copy, also for root.
  drives.make_native_folder(QStringLiteral("C/DATA/PUNTE1.BAK"));
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  open();
  dialogs.expect_input(input_total_prompt(QStringLiteral("50"))).type(QStringLiteral("100"));
  dialogs.expect_message(QStringLiteral("BACKUP COPY PUNTE1.BAK COULD NOT BE MADE ... MARKS NOT OPENED !"))
      .icon(msg_icon::critical);
  window->choose_subject(0);
  dialogs.verify();
  EXPECT_FALSE(window->combination_open());
  EXPECT_FALSE(find_control(window, QStringLiteral("vak_grid"))->isHidden());
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), before);
  EXPECT_FALSE(is_open(open_kind::combination, g_data_folder, 1));
}

}  // namespace
}  // namespace km::test
