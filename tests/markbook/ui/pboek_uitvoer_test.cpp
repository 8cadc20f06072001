// The export window on a data folder C:\DATA with two combinations (grade
// 8 AFR class A, subject total 100; grade 9 AFR class A, stored total 0),
// their books, set-ups and administration tables.
#include "markbook/pboek_uitvoer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "common/shared_variables.h"
#include "markbook/example_setup.h"
#include "markbook/markbook_windows.h"
#include "markbook/setup_file.h"
#include "platform/dbase/dbf_error.h"
#include "platform/record_layouts.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "shell/menu_windows.h"
#include "shell/side_windows.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/window_helpers.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;
using rows_t = std::vector<std::vector<QString>>;

QByteArray combination(const char* grade, float total) {
  platform::record_buffer r(platform::exp_mrk_control_record);
  r.blank();
  r.set_text("grade", QLatin1String(grade));
  r.set_text("subject", QStringLiteral("AFR"));
  r.set_single("subject_total", total);
  r.set_text("class", QStringLiteral("A"));
  r.set_int16("number", 2);
  return r.bytes();
}

class pboek_uitvoer_test : public with_scripted_dialogs {
 public:
  QString native(const QString& file) const {
    return drives.native_drive('C') + QStringLiteral("/DATA/") + file;
  }

 protected:
  void SetUp() override {
    drives.write_native(QStringLiteral("C/DATA/Exp_Mrk_control.txt"),
                        combination("8", 100.0f) + combination("9", 0.0f));
    for (const int n : {1, 2}) write_tables(n);
    setup_rows rows;
    rows[0] = {QStringLiteral("TASK 1"), QStringLiteral("16"), {}, {}, {}};
    rows[1] = {QStringLiteral("TASK 2"), QStringLiteral("0"), {}, {}, {}};
    write_setup_file(QStringLiteral("C:\\DATA\\setup_8AFRA.txt"), rows);
    write_setup_file(QStringLiteral("C:\\DATA\\setup_9AFRA.txt"), rows);
    g_data_folder = QStringLiteral("C:\\DATA");
    g_school_name = QStringLiteral("TEST SCHOOL");
    g_language = false;
    register_markbook_windows();
  }
  void TearDown() override {
    platform::unload_all_but(QString());
    with_scripted_dialogs::TearDown();
  }

  // Book n: two learners and a record without one, with marks in rows 1
  // and 2; the administration tables hold one learner already.
  void write_tables(int n) {
    dbf_builder book;
    book.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
    for (int r = 1; r <= 40; ++r) book.field("MB_R" + QByteArray::number(r), 'C', 8);
    const std::vector<std::vector<QByteArray>> records{
        {"1001", "Botha Zoe", "5.0", "5.0"}, {"0", "", "9.0", "9.0"}, {"1002", "Smith Jack", "A", "A"}};
    for (auto values : records) {
      values.resize(42);
      book.record(values);
    }
    book.write(native(QStringLiteral("marks%1.dbf").arg(n)));
    dbf_builder()
        .field("EF_T_NR", 'N', 8)
        .field("EF_NAME", 'C', 40)
        .field("EF_PUNT", 'C', 5)
        .record({"900", "Earlier Learner", "12.0"})
        .write(native(QStringLiteral("punte%1.dbf").arg(n)));
    dbf_builder()
        .field("EO_T_NR", 'N', 8)
        .field("EO_NAME", 'C', 40)
        .field("EO_PUNT", 'C', 5)
        .record({"900", "Earlier Learner", "12.0"})
        .write(native(QStringLiteral("obe_p%1.dbf").arg(n)));
  }

  pboek_uitvoer* open_window() {
    return window = show_window<pboek_uitvoer>(QStringLiteral("pboek_uitvoer"));
  }
  platform::flex_grid& list() const { return grid_of(window, QStringLiteral("vak_grid")); }
  platform::flex_grid& setup() const { return grid_of(window, QStringLiteral("msflexgrid2")); }
  // The export button shares its name with the window.
  QPushButton* export_button() const {
    return window->findChild<QPushButton*>(QStringLiteral("pboek_uitvoer"));
  }
  void choose(int n) {
    list().set_row(n - 1);
    window->vak_grid_DblClick();
  }
  void double_click_row(int r) {
    setup().set_row(r);
    setup().set_col(2);
    window->msflexgrid2_DblClick();
  }
  // The folder question answered with C:\DATA, then the confirmation.
  void expect_questions(const QString& folder_title, const QString& confirmation,
                        msg_answer answer = msg_answer::yes) {
    dialogs.expect_folder(folder_title)
        .start_folder(QStringLiteral("C:\\DATA"))
        .choose(QStringLiteral("C:\\DATA"));
    dialogs.expect_message(confirmation)
        .buttons(msg_buttons::yes_no)
        .icon(msg_icon::information)
        .answer(answer);
  }
  // Number, name and mark of the live records of a table.
  rows_t live(const QString& file, int mark_field = 2) const {
    rows_t rows;
    for (const QJsonValue& row : python_dbf_dump(native(file))[QStringLiteral("rows")].toArray()) {
      const QJsonArray cells = row.toArray();
      if (cells[0].toBool()) continue;
      rows.push_back({QString::number(cells[1].toDouble()), cells[2].toString().trimmed(),
                      cells[1 + mark_field].toString().trimmed()});
    }
    return rows;
  }

  temp_drives drives;
  pboek_uitvoer* window = nullptr;
};

const std::vector<QString> earlier{QStringLiteral("900"), QStringLiteral("Earlier Learner"),
                                   QStringLiteral("12.0")};

TEST_F(pboek_uitvoer_test, opens_on_the_list_of_combinations_in_both_languages) {
  for (const bool afrikaans : {true, false}) {
    g_language = afrikaans;
    ASSERT_TRUE(open_window());
    const QString title =
        afrikaans ? QStringLiteral("PUNTEBOEK UITVOER") : QStringLiteral("MARK BOOK EXPORT");
    EXPECT_EQ(window->caption(), title);
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("ops_stelsel"))->text(), title);
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("dir_disp"))->text(),
              QStringLiteral("C:\\DATA"));
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("ops_ops1"))->text(),
              QStringLiteral("TEST SCHOOL"));
    EXPECT_EQ(find_control_as<QPushButton>(window, QStringLiteral("pboek_uitvoer_exit"))->text(),
              QStringLiteral("EXIT"));
    ASSERT_NE(export_button(), nullptr);
    EXPECT_EQ(list().rows(), 2);
    EXPECT_FALSE(find_control(window, QStringLiteral("msflexgrid2"))->isVisible());
    EXPECT_FALSE(find_control(window, QStringLiteral("ProgressBar1"))->isVisible());
    EXPECT_EQ(g_exp_mrk_control_file_number, 0);
    EXPECT_TRUE(placed_as_centred(window));
    platform::unload_form(window);
  }
}

TEST_F(pboek_uitvoer_test, a_folder_without_marks_books_closes_it) {
  QFile::remove(native(QStringLiteral("Exp_Mrk_control.txt")));
  dialogs.expect_message(QStringLiteral("There are no marks books to export ...")).icon(msg_icon::critical);
  open_window();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_uitvoer")));
}

TEST_F(pboek_uitvoer_test, the_makers_school_sees_the_window_name) {
  g_school_name = QStringLiteral("RIRUD-EDAVE");
  open_window();
  EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("ops_ops1"))->text(),
            QStringLiteral("MARK BOOK EXPORT"));
}

TEST_F(pboek_uitvoer_test, choosing_a_combination_shows_its_setup_rows) {
  open_window();
  choose(1);
  EXPECT_EQ(window->combination(), 1);
  EXPECT_EQ(window->setup_key(), QStringLiteral("8AFRA"));
  EXPECT_FALSE(find_control(window, QStringLiteral("vak_grid"))->isVisible());
  EXPECT_TRUE(find_control(window, QStringLiteral("msflexgrid2"))->isVisible());
  EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("vak_ops"))->text(), QStringLiteral("8   AFR  "));
  EXPECT_EQ(setup().rows(), 41);
  EXPECT_EQ(setup().cols(), 7);
  const char* headings[] = {"EXP",       "NO.",    " TASK/PROJECT            ", " TOTAL  ", "   RESULT   ",
                            " OUT  OF ", " CYCLE "};
  for (int c = 0; c < 7; ++c) EXPECT_EQ(setup().text_matrix(0, c), QLatin1String(headings[c])) << c;
  EXPECT_EQ(setup().text_matrix(1, 0), QString());
  EXPECT_EQ(setup().text_matrix(1, 1), QStringLiteral("1"));
  EXPECT_EQ(setup().text_matrix(40, 1), QStringLiteral("40"));
  EXPECT_EQ(setup().text_matrix(1, 2), QStringLiteral("TASK 1"));
  EXPECT_EQ(setup().text_matrix(1, 3), QStringLiteral("16"));
}

TEST_F(pboek_uitvoer_test, the_rows_others_are_carried_into_are_shaded) {
  setup_rows rows;
  apply_example_setup(rows, false);
  rows[29] = {QStringLiteral("TASK 30"), QStringLiteral("10"), QStringLiteral("45"), {}, {}};  // no such row
  write_setup_file(QStringLiteral("C:\\DATA\\setup_8AFRA.txt"), rows);
  open_window();
  choose(1);
  std::vector<int> shaded;
  for (int r = 1; r <= 40; ++r) {
    setup().set_row(r);
    setup().set_col(2);
    if (setup().cell_back_color() == platform::flex_grid::rgb(255, 255, 192)) shaded.push_back(r);
  }
  EXPECT_EQ(shaded, (std::vector<int>{5, 10, 11, 16, 19, 20, 21}));
}

struct language_case {
  bool afrikaans;
  const char* folder_title;
  const char* confirmation;
  const char* done;
};

class export_messages : public pboek_uitvoer_test, public ::testing::WithParamInterface<language_case> {};

TEST_P(export_messages, confirm_then_export_and_say_so) {
  const language_case& c = GetParam();
  g_language = c.afrikaans;
  open_window();
  // The window's load leaves its audit record; the export writes nothing
  // beside the data folder.
  const QStringList root_before = QDir(drives.native_drive('C')).entryList(QDir::AllEntries);
  choose(1);
  expect_questions(QString::fromUtf8(c.folder_title), QString::fromUtf8(c.confirmation));
  dialogs.expect_message(QString::fromUtf8(c.done)).icon(msg_icon::exclamation);
  double_click_row(1);
  dialogs.verify();
  EXPECT_EQ(window->chosen_row(), 1);
  const rows_t exported{earlier,
                        {QStringLiteral("1001"), QStringLiteral("Botha Zoe"), QStringLiteral("31.2")},
                        {QStringLiteral("1002"), QStringLiteral("Smith Jack"), QStringLiteral("A")}};
  EXPECT_EQ(live(QStringLiteral("punte1.dbf")), exported);
  EXPECT_EQ(live(QStringLiteral("obe_p1.dbf")), exported);
  EXPECT_FALSE(find_control(window, QStringLiteral("ProgressBar1"))->isVisible());
  EXPECT_EQ(find_control_as<QProgressBar>(window, QStringLiteral("ProgressBar1"))->value(), 3);
  EXPECT_FALSE(QFile::exists(drives.native_drive('C') + QStringLiteral("/marks1.dbf")));
  EXPECT_EQ(QDir(drives.native_drive('C')).entryList(QDir::AllEntries), root_before);

  // The button repeats the export: every learner goes in again.
  expect_questions(QString::fromUtf8(c.folder_title), QString::fromUtf8(c.confirmation));
  dialogs.expect_message(QString::fromUtf8(c.done)).icon(msg_icon::exclamation);
  QTest::mouseClick(export_button(), Qt::LeftButton);
  EXPECT_EQ(live(QStringLiteral("punte1.dbf")).size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(
    languages, export_messages,
    ::testing::Values(language_case{false, "DATA FOLDER FOR EXPORT", "DO YOU WISH TO EXPORT \"TASK 1\" ?",
                                    "Marks for 8AFRA exported sucessfully ..."},
                      language_case{true, "DATA GIDS VIR UITVOER", "WIL U DEFNITIEF \"TASK 1\" UITVOER ?",
                                    "Punte vir 8AFRA suksesvol uitgevoer ..."}),
    [](const auto& info) { return std::string(info.param.afrikaans ? "afrikaans" : "english"); });

// An export the process never finished (it ends at the third append, as a
// kill would end it) is undone when the window opens next, and the
// teacher is told once, naming the task.
TEST_P(export_messages, an_export_a_crash_stopped_is_undone_when_the_window_opens_next) {
  struct process_ended {};
  const language_case& c = GetParam();
  g_language = c.afrikaans;
  open_window();
  choose(1);
  window->set_before_write([](int append) {
    if (append == 3) throw process_ended{};
  });
  expect_questions(QString::fromUtf8(c.folder_title), QString::fromUtf8(c.confirmation));
  EXPECT_THROW(double_click_row(1), process_ended);
  dialogs.verify();
  platform::unload_form(window);
  ASSERT_EQ(live(QStringLiteral("punte1.dbf")).size(), 2u);  // the first learner went in

  dialogs
      .expect_message(c.afrikaans
                          ? QStringLiteral("DIE UITVOER VAN TAAK TASK 1 IS ONDERBREEK EN ONGEDAAN GEMAAK "
                                           "... VOER DIT WEER UIT")
                          : QStringLiteral("THE EXPORT OF TASK TASK 1 WAS INTERRUPTED AND UNDONE ... "
                                           "EXPORT IT AGAIN"))
      .icon(msg_icon::exclamation);
  open_window();
  dialogs.verify();
  EXPECT_EQ(live(QStringLiteral("punte1.dbf")), rows_t{earlier});
  EXPECT_EQ(live(QStringLiteral("obe_p1.dbf")), rows_t{earlier});
  platform::unload_form(window);
  open_window();  // told once
}

TEST_F(pboek_uitvoer_test, a_combination_whose_subject_total_is_0_exports_the_marks_as_stored) {
  open_window();
  choose(2);
  expect_questions(QStringLiteral("DATA FOLDER FOR EXPORT"),
                   QStringLiteral("DO YOU WISH TO EXPORT \"TASK 1\" ?"));
  dialogs.expect_message(QStringLiteral("Marks for 9AFRA exported sucessfully ..."))
      .icon(msg_icon::exclamation);
  double_click_row(1);
  EXPECT_EQ(live(QStringLiteral("obe_p2.dbf"))[1][2], QStringLiteral("5.0"));
}

TEST_F(pboek_uitvoer_test, the_button_before_a_row_is_chosen_asks_for_one) {
  open_window();
  choose(1);
  // A double click on the heading row chooses nothing.
  double_click_row(0);
  EXPECT_EQ(window->chosen_row(), 0);
  dialogs.expect_message(QStringLiteral("NO MARK SERIES SELECTED ... DOUBLE CLICK ON SERIES TO EXPORT  !"))
      .buttons(msg_buttons::ok)
      .icon(msg_icon::none);
  QTest::mouseClick(export_button(), Qt::LeftButton);
}

TEST_F(pboek_uitvoer_test, cancelling_the_folder_keeps_the_data_folder_and_closes_the_window) {
  const QByteArray punte_before = read_native_file(native(QStringLiteral("punte1.dbf")));
  open_window();
  choose(1);
  dialogs.expect_folder(QStringLiteral("DATA FOLDER FOR EXPORT")).cancel();
  double_click_row(1);
  EXPECT_EQ(g_data_folder, QStringLiteral("C:\\DATA"));
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_uitvoer")));
  EXPECT_EQ(read_native_file(native(QStringLiteral("punte1.dbf"))), punte_before);
}

TEST_F(pboek_uitvoer_test, no_answers_no_export) {
  const QByteArray punte_before = read_native_file(native(QStringLiteral("punte1.dbf")));
  open_window();
  choose(1);
  expect_questions(QStringLiteral("DATA FOLDER FOR EXPORT"),
                   QStringLiteral("DO YOU WISH TO EXPORT \"TASK 1\" ?"), msg_answer::no);
  double_click_row(1);
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("pboek_uitvoer")));
  EXPECT_EQ(read_native_file(native(QStringLiteral("punte1.dbf"))), punte_before);
}

// Exports that go wrong: the critical message, no done message (the
// scripted dialogs fail on it), and both tables with the live records they
// had.
struct failing_case {
  const char* name;
  int row;
  std::function<void(pboek_uitvoer_test&, pboek_uitvoer&)> spoil;
  const char* message;
  bool punte_bytes_kept;
};

class export_refusals : public pboek_uitvoer_test, public ::testing::WithParamInterface<failing_case> {};

TEST_P(export_refusals, leave_both_tables_as_they_were) {
  const failing_case& c = GetParam();
  open_window();
  choose(1);
  c.spoil(*this, *window);
  const QByteArray punte_before = read_native_file(native(QStringLiteral("punte1.dbf")));
  const rows_t punte_rows = live(QStringLiteral("punte1.dbf"));
  expect_questions(QStringLiteral("DATA FOLDER FOR EXPORT"),
                   QStringLiteral("DO YOU WISH TO EXPORT \"TASK %1\" ?").arg(c.row));
  dialogs.expect_message(QString::fromUtf8(c.message)).icon(msg_icon::critical);
  double_click_row(c.row);
  dialogs.verify();
  EXPECT_EQ(live(QStringLiteral("punte1.dbf")), punte_rows);
  if (QFile::exists(native(QStringLiteral("obe_p1.dbf")))) {
    EXPECT_EQ(live(QStringLiteral("obe_p1.dbf")), rows_t{earlier});
  }
  if (c.punte_bytes_kept) {
    EXPECT_EQ(read_native_file(native(QStringLiteral("punte1.dbf"))), punte_before);
  }
  EXPECT_FALSE(find_control(window, QStringLiteral("ProgressBar1"))->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    exports, export_refusals,
    ::testing::Values(failing_case{"obe_missing", 1,
                                   [](pboek_uitvoer_test& t, pboek_uitvoer&) {
                                     QFile::remove(t.native(QStringLiteral("obe_p1.dbf")));
                                   },
                                   "DATASET C:\\DATA\\obe_p1 IS MISSING OR CANNOT BE OPENED ...", true},
                      failing_case{"task_total_0_with_a_number", 2,
                                   [](pboek_uitvoer_test&, pboek_uitvoer&) {},
                                   "TOTAL OF SERIES IS NOT A NUMBER ABOVE 0 ...", true},
                      failing_case{"write_fails_at_the_third_append", 1,
                                   [](pboek_uitvoer_test&, pboek_uitvoer& w) {
                                     w.set_before_write([](int append) {
                                       if (append == 3)
                                         throw platform::dbf_error(platform::dbf_error_kind::disk_error,
                                                                   QStringLiteral("Disk full"));
                                     });
                                   },
                                   "EXPORT FAILED: Disk full ... NO MARKS WERE EXPORTED", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(pboek_uitvoer_test, the_mark_book_menu_opens_it_and_exit_goes_back) {
  register_menu_windows();
  register_side_windows();
  auto* menu = platform::show_form(QStringLiteral("punte_menu2"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(click(menu, QStringLiteral("punte_menu_5")));
  window = static_cast<pboek_uitvoer*>(platform::find_form(QStringLiteral("pboek_uitvoer")));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(click(window, QStringLiteral("pboek_uitvoer_exit")));
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_uitvoer")));
  EXPECT_TRUE(platform::find_form(QStringLiteral("punte_menu2"))->isVisible());
}

}  // namespace
}  // namespace km::test
