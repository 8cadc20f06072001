// The commands of the cycle-marks capture window: the save into both
// tables, undo, scaling, paste, the mark list and the ways out.
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "common/capture_messages.h"
#include "common/open_combinations.h"
#include "marks_window_fixture.h"
#include "platform/ui/printer/pdf_device.h"
#include "printing/page_fit.h"
#include "printing/poppler_tools.h"
#include "printing/print_messages.h"
#include "shell/idle_watch.h"
#include "support/class_names.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

class punte_inlees_commands_test : public punte_inlees_test {
 protected:
  // EXIT with a combination open: the save (its conversion message when
  // the totals differ) and No to the mark list.
  void exit_saving(const QString& input_total = {}, const QString& subject_total = {}) {
    if (input_total != subject_total && subject_total != QStringLiteral("0"))
      dialogs.expect_message(converting_message(input_total, subject_total)).icon(msg_icon::exclamation);
    dialogs.expect_message(QStringLiteral("DO YOU WANT TO PRINT A MARK LIST ?"))
        .buttons(msg_buttons::yes_no)
        .answer(msg_answer::no);
    window->marks_exit_Click();
    dialogs.verify();
  }
  // Prints through the printer choice into a PDF and gives its text.
  QString print_to_pdf(const std::function<void()>& call, int pages = 1) {
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    platform::printer().set_device(platform::pdf_device::to_file(pdf));
    dialogs.expect_message(printing_complete_message(pages, pdf)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); }, call);
    dialogs.verify();
    return pdf_page_text(pdf, 1);
  }
  QTemporaryDir dir;
};

TEST_F(punte_inlees_commands_test, the_save_keeps_untouched_marks_and_copies_every_mark_into_the_obe_table) {
  put_five_learners(50);
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  type_into(2, 2, QStringLiteral("75"));
  exit_saving(QStringLiteral("100"), QStringLiteral("50"));
  EXPECT_FALSE(window->combination_open());
  EXPECT_FALSE(find_control(window, QStringLiteral("vak_grid"))->isHidden());
  EXPECT_FALSE(is_open(open_kind::combination, g_data_folder, 1));

  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"25.0", "A", "37.5", "0.3", "50.0"}));
  const QByteArray after = bytes(QStringLiteral("PUNTE1.DBF"));
  for (int record : {0, 1, 3, 4})
    EXPECT_EQ(cycle_field(after, record, 2), cycle_field(before, record, 2)) << record;
  // The OBE table: the marks of its four learners, and one new record for
  // the learner it lacked, with only the number and the mark.
  const QJsonArray rows =
      python_dbf_dump(native(QStringLiteral("OBE_P1.DBF")))[QStringLiteral("rows")].toArray();
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 0), (QStringList{"1001", "1002", "1004", "1005", "1003"}));
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 2), (QStringList{"25.0", "A", "0.3", "50.0", "37.5"}));
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 1).last(), QString());
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 3).last(), QString());
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 3).first(), QStringLiteral("P1"));
  auto* numbers = find_control_as<QListWidget>(window, QStringLiteral("t_nr_lys"));
  ASSERT_EQ(numbers->count(), 4);
  EXPECT_EQ(numbers->item(3)->text(), QStringLiteral("1005"));
}

TEST_F(punte_inlees_commands_test, the_save_converts_typed_marks_and_leaves_the_rest) {
  struct save_case {
    float subject_total;
    const char* input_total;
    const char* stored;
    const char* typed;  // into record 0; nullptr: nothing typed
    const char* expected_cycle;
    const char* expected_obe;
  };
  for (const save_case& c :
       {save_case{60, "100", "", "33.3", "20.0", "20.0"},
        save_case{100, "50", "33.3", nullptr, "33.3", "33.3"}, save_case{50, "", "12", nullptr, "12", "12.0"},
        // A subject total of 0 converts nothing and says nothing of it.
        save_case{0, "100", "40.0", "55", "55.0", "55.0"}}) {
    SCOPED_TRACE(c.stored);
    const QString st = QString::number(c.subject_total);
    put_combination(c.subject_total);
    put_cycle_table({{"1001", "ADAMS", c.stored, ""}});
    put_obe_table({{"1001", ""}});
    const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
    open();
    choose(QString::fromLatin1(c.input_total), st);
    if (c.typed) type_into(0, 2, QString::fromLatin1(c.typed));
    const QString it = QString::fromLatin1(c.input_total).isEmpty() ? st : QString::fromLatin1(c.input_total);
    exit_saving(it, st);
    EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), QStringList{QString::fromLatin1(c.expected_cycle)});
    EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 2), QStringList{QString::fromLatin1(c.expected_obe)});
    if (!c.typed) {
      EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), before);
    }
    platform::unload_form(window);
  }
}

TEST_F(punte_inlees_commands_test, a_save_without_its_obe_table_says_so_and_goes_back_to_the_list) {
  put_five_learners(50);
  QFile::remove(native(QStringLiteral("OBE_P1.DBF")));
  open();
  choose(QString(), QStringLiteral("50"));
  type_into(2, 2, QStringLiteral("20"));
  dialogs.expect_message(QStringLiteral("MARKS SAVED, BUT OBE_P1.DBF COULD NOT BE UPDATED ..."))
      .icon(msg_icon::critical);
  window->marks_save_Click();
  dialogs.verify();
  EXPECT_FALSE(window->combination_open());
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"25.0", "A", "20.0", "0.3", "50.0"}));
  // Undo, print, paste and scaling do nothing in the list.
  window->marks_undo_Click();
  window->marks_print_Click();
  window->paste_into_flex_Click();
  window->punte_inlees_gem_Click();
  for (const char* name : {"marks_save", "marks_undo", "marks_print", "paste_into_flex"})
    EXPECT_FALSE(find_control_as<QPushButton>(window, QLatin1String(name))->isEnabled()) << name;
}

TEST_F(punte_inlees_commands_test, a_command_first_finishes_the_open_edit) {
  put_five_learners(50);
  open();
  choose(QString(), QStringLiteral("50"));
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  // A refused text stops the save with its message; the editor stays.
  grid()->set_current(2, 2);
  grid()->start_edit(true, QStringLiteral("abc"));
  dialogs.expect_message(QStringLiteral("Marks can only be ' ', 'A', 'a' or 0-50"));
  window->marks_save_Click();
  dialogs.verify();
  EXPECT_TRUE(window->combination_open());
  EXPECT_TRUE(grid()->editing());
  // An accepted text is written before the command runs.
  grid()->editor()->setText(QStringLiteral("30"));
  exit_saving();
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"25.0", "A", "30.0", "0.3", "50.0"}));
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 2).last(), QStringLiteral("30.0"));
  EXPECT_NE(bytes(QStringLiteral("PUNTE1.DBF")), before);
}

TEST_F(punte_inlees_commands_test, the_choice_sorts_by_name_and_undo_restores_the_backup_prepared_again) {
  put_combination(50);
  put_cycle_table({{"1003", "SMIT SAM", "10.0", ""},
                   {"1002", "JANSEN JAN", "20.0", "", true},
                   {"1001", "BOTHA BEN", "30.0", ""}});
  put_obe_table({});
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.BAK")), before);
  const QByteArray sorted = bytes(QStringLiteral("PUNTE1.DBF"));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 1), (QStringList{"BOTHA BEN", "JANSEN JAN", "SMIT SAM"}));
  EXPECT_EQ(cycle_field(sorted, 1, 1), cycle_field(before, 1, 1));  // the deleted record stays in its place
  EXPECT_EQ(mark_cells(), (QStringList{"60.0", "20.0"}));

  type_into(0, 2, QStringLiteral("90"));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2).first(), QStringLiteral("45.0"));
  dialogs.expect_message(undo_question())
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::cancel);
  window->marks_undo_Click();
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2).first(), QStringLiteral("45.0"));

  dialogs.expect_message(undo_question())
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::ok);
  window->marks_undo_Click();
  dialogs.verify();
  // The backup came back, was put in name order again and shows against
  // the input total once more.
  ASSERT_TRUE(window->combination_open());
  EXPECT_EQ(mark_cells(), (QStringList{"60.0", "20.0"}));
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("80.0"));
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.BAK")), before);
  exit_saving(QStringLiteral("100"), QStringLiteral("50"));
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")).mid(4), sorted.mid(4));  // all but the date of the rewrite

  // A backup that is gone refuses the undo.
  open();
  choose(QString(), QStringLiteral("50"));
  QFile::remove(native(QStringLiteral("PUNTE1.BAK")));
  dialogs.expect_message(undo_question())
      .buttons(msg_buttons::ok_cancel)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::ok);
  dialogs.expect_message(QStringLiteral("NO BACKUP COPY PUNTE1.BAK ... 'UNDO' NOT POSSIBLE !"))
      .icon(msg_icon::critical);
  window->marks_undo_Click();
  dialogs.verify();
  EXPECT_TRUE(window->combination_open());
}

TEST_F(punte_inlees_commands_test, scaling_shifts_every_mark_by_the_same_percentage) {
  put_combination(100);
  put_cycle_table({{"1001", "ADAMS", "95.0", ""},
                   {"1002", "BOTHA", "10.0", ""},
                   {"1003", "COETZEE", "45.0", ""},
                   {"1004", "DU TOIT", "A", ""}});
  put_obe_table({});
  open();
  choose(QString(), QStringLiteral("100"));
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("50.0"));
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  const QString prompt = QStringLiteral("Current average 50\r\n\r\nNew average ...");
  // Empty, cancelled or no number: nothing is written.
  dialogs.expect_input(prompt).default_text(QStringLiteral("50")).type(QString());
  window->punte_inlees_gem_Click();
  dialogs.expect_input(prompt).cancel();
  window->punte_inlees_gem_Click();
  dialogs.expect_input(prompt).type(QStringLiteral("abc"));
  window->punte_inlees_gem_Click();
  dialogs.verify();
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), before);

  dialogs.expect_input(prompt).type(QStringLiteral("60"));
  window->punte_inlees_gem_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"100.0", "20.0", "55.0", "A"}));
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("58.3"));
}

TEST_F(punte_inlees_commands_test, scaling_against_an_input_total_writes_subject_total_marks) {
  put_combination(50);
  put_cycle_table({{"1001", "ADAMS", "10.0", ""}, {"1002", "BOTHA", "15.0", ""}});
  put_obe_table({});
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("50.0"));
  EXPECT_EQ(label("punte_inlees_gem"), QStringLiteral("25.0"));
  dialogs.expect_input(QStringLiteral("Current average 25\r\n\r\nNew average ..."))
      .type(QStringLiteral("35"));
  window->punte_inlees_gem_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"30.0", "40.0"}));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"15.0", "20.0"}));
}

TEST_F(punte_inlees_commands_test, paste_writes_the_lines_the_clipboard_holds_and_recounts) {
  put_combination(100);
  put_cycle_table({{"1001", "A", "1.0", ""},
                   {"1002", "B", "2.0", ""},
                   {"1003", "C", "3.0", ""},
                   {"1004", "D", "4.0", ""},
                   {"1005", "E", "5.0", ""}});
  put_obe_table({});
  struct language_case {
    bool afrikaans;
    const char* last_line;
  };
  for (const language_case& c : {language_case{false, "DO YOU REALY WANT TO CONTINUE ?"},
                                 language_case{true, "WIL U DEFNITIEF VOORTGAAN ?"}}) {
    g_language = c.afrikaans;
    const QString warning = paste_warning();
    EXPECT_TRUE(warning.endsWith(QStringLiteral("\r\n\r\n") + QString::fromLatin1(c.last_line)));
    EXPECT_EQ(warning.split(QStringLiteral("\r\n")).size(), 9);
  }
  g_language = false;
  open();
  choose(QString(), QStringLiteral("100"));
  dialogs.clipboard = QStringLiteral("10\n20\n30\n");
  dialogs.expect_message(paste_warning())
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::critical)
      .answer(msg_answer::no);
  window->paste_into_flex_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"1.0", "2.0", "3.0", "4.0", "5.0"}));
  dialogs.expect_message(paste_warning())
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::critical)
      .answer(msg_answer::yes);
  window->paste_into_flex_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"10.0", "20.0", "30.0", "4.0", "5.0"}));
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("69.0"));

  dialogs.clipboard = QStringLiteral("12,5\r\nA\r\n\r\na");
  dialogs.expect_message(paste_warning())
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::critical)
      .answer(msg_answer::yes);
  window->paste_into_flex_Click();
  EXPECT_EQ(mark_cells(), (QStringList{"12.0", "A", "", "a", "5.0"}));
  EXPECT_EQ(label("punte_inlees_tot"), QStringLiteral("17.0"));
  EXPECT_EQ(window->marks_count(), 2);
}

TEST_F(punte_inlees_commands_test, the_mark_list_shows_running_totals_and_the_average) {
  put_combination(50);
  put_cycle_table({{"1001", "ADAMS", "10.0", "P1"},
                   {"1002", "BOTHA", "A", ""},
                   {"1003", "COETZEE", "", ""},
                   {"1004", "DU TOIT", "20.0", ""}});
  put_obe_table({});
  open();
  choose(QString(), QStringLiteral("50"));
  const QString text = print_to_pdf([&] { window->marks_print_Click(); });
  const platform::flex_grid& list = window->print_grid();
  ASSERT_EQ(list.rows(), 5);
  QStringList marks, totals;
  for (int r = 1; r < 5; ++r) {
    marks << list.text_matrix(r, 3);
    totals << list.text_matrix(r, 5);
  }
  EXPECT_EQ(marks, (QStringList{" 10.0", "    A", "     ", " 20.0"}));
  EXPECT_EQ(totals, (QStringList{"   10.0", "   10.0", "   10.0", "   30.0"}));
  EXPECT_TRUE(window->list_printed());
  EXPECT_TRUE(text.contains(QStringLiteral("AVERAGE := 15.0 30.0%"))) << text.toStdString();
  // The title: grade, subject with its blanks as "_", class, description.
  EXPECT_TRUE(text.contains(QStringLiteral("8   101__ A"))) << text.toStdString();
  EXPECT_EQ(g_excel_file_name, QStringLiteral("MARKS 8   101__ A "));
}

TEST_F(punte_inlees_commands_test, the_average_stands_below_the_table_from_its_left_edge) {
  struct class_case {
    bool afrikaans;
    int learners;
    const char* effort_question;
    const char* label;
  };
  const class_case cases[] = {
      {false, 8, "ARE YOU GOING TO INPUT EFFORT KEYS ALSO ?", "AVERAGE := "},
      {true, 8, "GAAN U PRESTASIESLEUTELS OOK INLEES ?", "GEMIDDELD := "},
      {false, 40, "ARE YOU GOING TO INPUT EFFORT KEYS ALSO ?", "AVERAGE := "},
      {true, 40, "GAAN U PRESTASIESLEUTELS OOK INLEES ?", "GEMIDDELD := "},
  };
  platform::printer().set_metrics(nullptr);  // the fonts as they print
  for (const class_case& c : cases) {
    SCOPED_TRACE(c.label + std::to_string(c.learners));
    g_language = c.afrikaans;
    put_combination(50);
    const QStringList names = class_names(c.learners);
    std::vector<cycle_row> rows;
    for (int k = 0; k < c.learners; ++k)
      rows.push_back(
          {QByteArray::number(1001 + k), names[k].toLatin1(), QByteArray::number(k % 50) + ".0", ""});
    put_cycle_table(rows);
    put_obe_table({});
    open();
    dialogs.expect_input(input_total_prompt(QStringLiteral("50")))
        .default_text(QStringLiteral("50"))
        .type({});
    dialogs.expect_message(QString::fromLatin1(c.effort_question))
        .buttons(msg_buttons::yes_no)
        .answer(msg_answer::no);
    window->choose_subject(0);
    device->clear();
    dialogs.expect_message(printing_complete_message(1)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                   [&] { window->marks_print_Click(); });
    dialogs.verify();
    ASSERT_EQ(device->documents().size(), 1u);
    const platform::print_document& document = device->last();
    EXPECT_EQ(document_faults(document), QStringList());
    ASSERT_EQ(document.pages.size(), 1u);
    const platform::print_page& page = document.pages[0];
    // The table: its left edge is the leftmost rule down inside the page
    // frame, its foot the lowest rule across that starts there.
    const std::optional<page_frame_edges> frame = page_frame(page);
    ASSERT_TRUE(frame);
    double table_left = frame->right;
    for (const platform::print_op& op : page.ops)
      if (op.what == platform::print_op::kind::line && op.x1 == op.x2 && op.x1 > frame->left + 1)
        table_left = std::min(table_left, op.x1);
    double table_foot = 0;
    std::optional<double> first_text_x;  // of the name column
    for (const platform::print_op& op : page.ops) {
      if (op.what == platform::print_op::kind::line && op.y1 == op.y2 && std::abs(op.x1 - table_left) < 1)
        table_foot = std::max(table_foot, op.y1);
      if (op.what == platform::print_op::kind::text && op.text.trimmed() == names[0]) first_text_x = op.x1;
    }
    ASSERT_TRUE(first_text_x);
    const QString label = QString::fromLatin1(c.label);
    const platform::print_op* average = nullptr;
    for (const platform::print_op& op : page.ops)
      if (op.what == platform::print_op::kind::text && op.text.startsWith(label)) average = &op;
    ASSERT_NE(average, nullptr);
    EXPECT_GT(average->y1, table_foot);
    EXPECT_GE(average->x1, table_left);
    EXPECT_LT(average->x1, *first_text_x);  // left of the names, not after the last cell
    window->marks_exit_Click();             // the list is printed: no question
    dialogs.verify();
    platform::unload_form(window);
  }
}

TEST_F(punte_inlees_commands_test, the_mark_heading_prints_the_list_ordered_by_mark) {
  put_combination(50);
  put_cycle_table(
      {{"1001", "ADAMS", "10.0", ""}, {"1002", "BOTHA", "A", ""}, {"1003", "COETZEE", "30.0", ""}});
  put_obe_table({});
  open();
  choose(QString(), QStringLiteral("50"));
  window->pnt_grid_HeadClick(1);  // another heading prints nothing
  EXPECT_FALSE(window->list_printed());
  print_to_pdf([&] { window->pnt_grid_HeadClick(2); });
  const platform::flex_grid& list = window->print_grid();
  QStringList order;
  for (int r = 1; r < list.rows(); ++r)
    order << list.text_matrix(r, 0) + QStringLiteral(":") + list.text_matrix(r, 5);
  EXPECT_EQ(order, (QStringList{"3:   30.0", "1:   40.0", "2:   40.0"}));
}

TEST_F(punte_inlees_commands_test, the_list_from_the_exit_shows_the_saved_marks_against_the_subject_total) {
  put_combination(50);
  put_cycle_table({{"1001", "ADAMS", "25.0", ""}, {"1002", "BOTHA", "", ""}});
  put_obe_table({});
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  type_into(1, 2, QStringLiteral("75"));
  dialogs.expect_message(converting_message(QStringLiteral("100"), QStringLiteral("50")))
      .icon(msg_icon::exclamation);
  dialogs.expect_message(QStringLiteral("DO YOU WANT TO PRINT A MARK LIST ?"))
      .buttons(msg_buttons::yes_no)
      .answer(msg_answer::yes);
  const QString text = print_to_pdf([&] { window->marks_exit_Click(); });
  EXPECT_TRUE(text.contains(QStringLiteral("AVERAGE := 31.3 62.5%"))) << text.toStdString();
  EXPECT_FALSE(window->combination_open());
}

TEST_F(punte_inlees_commands_test, a_list_without_numeric_marks_has_no_average_line_and_ends_its_job) {
  put_combination(50);
  put_cycle_table({{"1001", "ADAMS", "A", ""}, {"1002", "BOTHA", "", ""}});
  put_obe_table({});
  open();
  choose(QString(), QStringLiteral("50"));
  const QString text = print_to_pdf([&] { window->marks_print_Click(); });
  EXPECT_FALSE(text.contains(QStringLiteral("AVERAGE"))) << text.toStdString();
  EXPECT_EQ(platform::printer().pending_document(), nullptr);
}

TEST_F(punte_inlees_commands_test,
       leaving_by_log_out_or_by_a_crash_keeps_the_marks_against_the_subject_total) {
  put_five_learners(50);
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  type_into(2, 2, QStringLiteral("75"));
  // The log-out closes every window: the save runs, its message dismissed.
  dialogs.expect_message(converting_message(QStringLiteral("100"), QStringLiteral("50")))
      .icon(msg_icon::exclamation);
  close_all_forms();
  dialogs.verify();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("punte_inlees")));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"25.0", "A", "37.5", "0.3", "50.0"}));
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 2), (QStringList{"25.0", "A", "0.3", "50.0", "37.5"}));
  EXPECT_FALSE(is_open(open_kind::combination, g_data_folder, 1));

  // Dropped without its save, as a crash would leave it: the table already
  // holds every mark against the subject total.
  put_five_learners(50);
  open();
  choose(QStringLiteral("100"), QStringLiteral("50"));
  type_into(1, 2, QStringLiteral("80"));
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"25.0", "40.0", "", "0.3", "50.0"}));
  platform::unload_form(window);
  EXPECT_EQ(column(QStringLiteral("PUNTE1.DBF"), 2), (QStringList{"25.0", "40.0", "", "0.3", "50.0"}));
  EXPECT_EQ(column(QStringLiteral("OBE_P1.DBF"), 2), (QStringList{"", "", "", ""}));
  EXPECT_FALSE(is_open(open_kind::combination, g_data_folder, 1));
}

TEST_F(punte_inlees_commands_test, exit_in_the_list_closes_the_window_and_shows_the_menu) {
  put_five_learners(50);
  open();
  window->marks_exit_Click();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("punte_inlees")));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("punte_menu1")));
}

}  // namespace
}  // namespace km::test
