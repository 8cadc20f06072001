// The mark-lists print window: the combinations of the export-control
// file, the opening of one with its print total and code lists, the list
// printed or exported with its codes, running totals and average, and the
// ways the window leaves its tables and files.
#include "marks/punte_druk.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "common/file_number_pool.h"
#include "marks_window_fixture.h"
#include "platform/dbase/data_control.h"
#include "platform/dialog_language.h"
#include "platform/form_timer.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/numbered_files.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/win_path.h"
#include "printing/page_fit.h"
#include "printing/poppler_tools.h"
#include "printing/print_messages.h"
#include "support/lock_holder.h"
#include "support/xlsx_reader.h"
#include "tools/sample_school.h"

namespace km::test {
namespace {

using platform::msg_icon;

struct learner {
  QByteArray number;
  QByteArray name;
  QByteArray mark;
};
struct obe_learner {
  QByteArray number;
  QByteArray name;
  QByteArray effort_key;
  QByteArray formative_code;
};

// The data folder C:\DATA of the capture window's tests, with the
// export-control file, marks tables and code lists each test writes byte
// by byte; the printer on a recording device unless a test prints into a
// PDF.
class punte_druk_test : public punte_inlees_test {
 protected:
  // A combination: subject code, class, the two classes shown after them.
  static export_control_record combination(const char* code, const char* cls, float total = 50) {
    export_control_record r;
    r.grade = QLatin1String(code);
    r.subject = QLatin1String(cls);
    r.total = total;
    r.cls = QStringLiteral("ENG");
    r.second_class = QStringLiteral("HL ");
    r.class_when_blank = QStringLiteral("   ");
    return r;
  }
  void put_combinations(const std::vector<export_control_record>& records) {
    QByteArray bytes;
    for (const export_control_record& r : records) bytes += r.bytes();
    drives.write_native(QStringLiteral("C/DATA/exp_mrk_control.txt"), bytes);
  }
  void put_cycle_table(int n, const std::vector<learner>& learners) const {
    dbf_builder b;
    b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40).field("EF_PUNT", 'C', 5).field("EF_PS_VO", 'C', 4);
    for (const learner& l : learners) b.record({l.number, l.name, l.mark, ""});
    b.write(native(QStringLiteral("PUNTE%1.DBF").arg(n)));
  }
  void put_obe_table(int n, const std::vector<obe_learner>& learners) const {
    dbf_builder b;
    b.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_PUNT", 'C', 5).field("EO_P_S", 'C', 2);
    for (const char* f : {"EO_FE_1", "EO_FE_2", "EO_FE_3", "EO_FE_4"}) b.field(f, 'C', 2);
    for (const obe_learner& l : learners)
      b.record({l.number, l.name, "", l.effort_key, l.formative_code, "", "", ""});
    b.write(native(QStringLiteral("OBE_P%1.DBF").arg(n)));
  }
  // The effort keys 1 and 2 of a subject's table.
  void put_effort_keys(const QString& table) const {
    dbf_builder b;
    b.field("PS_KODE", 'C', 2).field("PS_VAK", 'C', 5).field("PS_GRAAD", 'C', 3).field("PS_VOLGNR", 'N', 3);
    b.field("PS_BESKRYF", 'C', 40);
    b.record({"1", "", "", "1", "Uitstekend"}).record({"2", "", "", "2", "Goed"});
    b.write(native(table + QStringLiteral(".dbf")));
  }
  // Three formative descriptions in one record, as the administration
  // program writes them.
  void put_formative(const QString& file) {
    drives.write_native(QStringLiteral("C/DATA/") + file,
                        QByteArrayLiteral("\"Netjies\r\nVlytig\r\nMoet oefen\r\n\",\"x\"\r\n"));
  }
  // One combination, 101 10-A, with four learners and its code lists.
  void put_one_combination() {
    put_combinations({combination("101", "10-A ")});
    put_cycle_table(1, {{"1001", "Adams Ann", "10.0"},
                        {"1002", "Botha Ben", "A"},
                        {"1003", "", "0.0"},
                        {"1004", "Du Toit Dirk", "20.0"}});
    put_obe_table(1, {{"1003", "Cloete Cas", "2", "3"}, {"1001", "", "1", "01"}, {"1004", "", "", ""}});
    put_effort_keys(QStringLiteral("L101_P_S"));
    put_formative(QStringLiteral("L101_f_e.10A"));
  }

  punte_druk* open() {
    window = show_window<punte_druk>(QStringLiteral("punte_druk"));
    return window;
  }
  QStringList items(const char* list_name) const {
    QStringList out;
    auto* list = find_control_as<QListWidget>(window, QLatin1String(list_name));
    for (int i = 0; list && i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
  QString text_of(const char* name) const {
    QWidget* w = find_control(window, QLatin1String(name));
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    return QStringLiteral("<none>");
  }
  bool lists_shown() const {
    return !find_control(window, QStringLiteral("subject_list_0"))->isHidden() &&
           !find_control(window, QStringLiteral("subject_list_1"))->isHidden();
  }
  void set_print_total(const QString& total) {
    find_control_as<QLineEdit>(window, QStringLiteral("druk_tot_1"))->setText(total);
  }
  // A column of the mark list's learner rows.
  QStringList list_column(int c) const {
    QStringList out;
    const platform::flex_grid& grid = window->mark_list();
    for (int r = 1; r < grid.rows(); ++r) out << grid.text_matrix(r, c);
    return out;
  }
  // Prints through the printer choice into a PDF and gives its first page
  // as laid out.
  QString print_to_pdf() {
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    platform::printer().set_device(platform::pdf_device::to_file(pdf));
    dialogs.expect_message(printing_complete_message(1, pdf)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                   [&] { window->punte_druk_print_Click(); });
    dialogs.verify();
    return pdf_page_text(pdf, 1);
  }
  // The first line of the text holding the piece, its blanks run together.
  static QString line_with(const QString& text, const QString& piece) {
    for (const QString& line : text.split(QLatin1Char('\n')))
      if (line.contains(piece)) return line.simplified();
    return QStringLiteral("<no line with ") + piece + QStringLiteral(">");
  }

  QTemporaryDir dir;
  punte_druk* window = nullptr;
};

TEST_F(punte_druk_test, shows_its_texts_in_the_chosen_language) {
  put_one_combination();
  struct language_case {
    bool afrikaans;
    QStringList texts;  // caption, vak_ops, vak_tot_txt 0 and 1, opsie_an 0 and 1, the two tips
  };
  const language_case cases[] = {
      {true,
       {"KORVA-MARKS : DRUK", "DRUK PUNTELYS(TE)", " DRUKTOTAAL", " DRUKMODUS", " ALFABETIES", " RANGORDE",
        "DRUK", "EXIT"}},
      {false,
       {"KORVA-MARKS : PRINT", "PRINT MARK LIST(S)", " PRINT TOTAL", " PRINT MODE", " ALPHABETIC", " ",
        "PRINT", "EXIT"}},
  };
  for (const language_case& c : cases) {
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    ASSERT_TRUE(open());
    EXPECT_EQ((QStringList{window->caption(), text_of("vak_ops"), text_of("vak_tot_txt_0"),
                           text_of("vak_tot_txt_1"), text_of("opsie_an_0"), text_of("opsie_an_1"),
                           find_control(window, QStringLiteral("punte_druk_print"))->toolTip(),
                           find_control(window, QStringLiteral("punte_druk_exit"))->toolTip()}),
              c.texts);
    EXPECT_EQ(text_of("dir_disp"), QStringLiteral("C:\\DATA"));
    EXPECT_EQ(text_of("ops_ops1"), QStringLiteral("TEST SCHOOL"));
    EXPECT_EQ(window->timer(QStringLiteral("Timer1"))->interval(), 1000);
    EXPECT_TRUE(placed_as_centred(window));
    platform::unload_form(window);
  }
}

TEST_F(punte_druk_test, lists_the_combinations_and_opens_one_with_its_print_total_and_code_lists) {
  struct combination_case {
    export_control_record record;
    QString entry;
    QString total;
    QString number;
    QString subject_class;
    QString effort_table;
    QString formative_file;
  };
  export_control_record five = combination("5  ", "12/B-", 62.5f);
  five.class_when_blank = QStringLiteral("C  ");
  const combination_case cases[] = {
      {combination("101", "10-A "), "101 10-A  ENG HL ", "100", "101", "10-A", "L101_P_S", "L101_f_e.10A"},
      {five, "  5 12/B- C  ", "62.5", "5", "12/B-", "L5_P_S", "L5_f_e.12B"},
  };
  put_combinations({cases[0].record, cases[1].record});
  for (int n = 1; n <= 2; ++n) {
    const combination_case& c = cases[n - 1];
    put_cycle_table(n, {});
    put_obe_table(n, {});
    put_effort_keys(c.effort_table);
    put_formative(c.formative_file);
  }
  ASSERT_TRUE(open());
  // A code above 9 takes the total 100, as in the capture windows.
  EXPECT_EQ(items("subject_list_0"), (QStringList{cases[0].entry, cases[1].entry}));
  EXPECT_EQ(items("subject_list_1"), (QStringList{"100", "62.5"}));
  EXPECT_FALSE(find_control(window, QStringLiteral("punte_druk_print"))->isEnabled());
  for (int index : {1, 0}) {
    const combination_case& c = cases[index];
    SCOPED_TRACE(c.entry.toStdString());
    window->open_subject_marks(index);
    EXPECT_EQ(window->combination(), index + 1);
    EXPECT_EQ(text_of("vak_ops"), c.entry.trimmed());
    EXPECT_EQ(window->subject_number(), c.number);
    EXPECT_EQ(window->subject_class(), c.subject_class);
    EXPECT_EQ(text_of("druk_tot_1"), c.total);
    EXPECT_EQ(text_of("druk_tot_2"), c.total);
    EXPECT_FALSE(lists_shown());
    EXPECT_TRUE(find_control(window, QStringLiteral("punte_druk_print"))->isEnabled());
    EXPECT_EQ(items("p_s_key"), (QStringList{"1", "2", " "}));
    EXPECT_EQ(items("p_s_lys"), (QStringList{"1 Uitstekend", "2 Goed", "   NONE"}));
    EXPECT_EQ(items("f_e_key"), (QStringList{"01", "02", "03"}));
    EXPECT_EQ(items("f_e_lys"), (QStringList{"01 Netjies", "02 Vlytig", "03 Moet oefen"}));
    auto* f_e_lys = find_control_as<QListWidget>(window, QStringLiteral("f_e_lys"));
    EXPECT_EQ(f_e_lys->item(2)->data(Qt::UserRole).toInt(), 3);
  }
}

TEST_F(punte_druk_test, a_subject_without_code_lists_keeps_none_of_the_previous_subjects_codes) {
  put_combinations({combination("101", "10-A "), combination("102", "10-A ")});
  for (int n : {1, 2}) {
    put_cycle_table(n, {{"1001", "Adams Ann", "10.0"}});
    put_obe_table(n, {{"1001", "", "2", "3"}});
  }
  put_effort_keys(QStringLiteral("L101_P_S"));
  put_formative(QStringLiteral("L101_f_e.10A"));
  ASSERT_TRUE(open());
  window->open_subject_marks(0);
  ASSERT_EQ(items("p_s_key").size(), 3);
  window->open_subject_marks(1);
  for (const char* list : {"p_s_key", "p_s_lys", "f_e_key", "f_e_lys"})
    EXPECT_EQ(items(list), QStringList()) << list;
  // The raw codes go into the list.
  window->fill_mark_list();
  EXPECT_EQ(list_column(5), QStringList{"2"});
  EXPECT_EQ(list_column(6), QStringList{"3"});
}

TEST_F(punte_druk_test, an_entry_opens_by_double_click_or_enter_in_either_list) {
  put_one_combination();
  for (const char* list_name : {"subject_list_0", "subject_list_1"}) {
    SCOPED_TRACE(list_name);
    ASSERT_TRUE(open());
    auto* list = find_control_as<QListWidget>(window, QLatin1String(list_name));
    list->setCurrentRow(0);
    list->setFocus();
    press_key(list, Qt::Key_Return);
    EXPECT_EQ(window->combination(), 1);
    platform::unload_form(window);
  }
  ASSERT_TRUE(open());
  window->subject_list_DblClick();  // nothing chosen yet
  EXPECT_EQ(window->combination(), 0);
  find_control_as<QListWidget>(window, QStringLiteral("subject_list_1"))->setCurrentRow(0);
  window->subject_list_DblClick();
  EXPECT_EQ(window->combination(), 1);
}

TEST_F(punte_druk_test, fills_the_list_from_both_tables_in_the_chosen_order) {
  put_one_combination();
  ASSERT_TRUE(open());
  window->open_subject_marks(0);
  EXPECT_FALSE(window->list_filled());
  window->fill_mark_list();
  EXPECT_TRUE(window->list_filled());
  EXPECT_EQ(list_column(2), (QStringList{"Adams Ann", "Botha Ben", "Cloete Cas", "Du Toit Dirk"}));
  EXPECT_EQ(list_column(4), (QStringList{"   10.0", "   10.0", "   10.0", "   30.0"}));
  EXPECT_EQ(list_column(5), (QStringList{"1 Uitstekend", "", "2 Goed", ""}));
  EXPECT_EQ(list_column(6), (QStringList{"01 Netjies", "", "03 Moet oefen", ""}));
  EXPECT_EQ(window->mark_total(), 30.0);
  EXPECT_EQ(window->mark_count(), 3);

  find_control_as<QRadioButton>(window, QStringLiteral("opsie_an_1"))->setChecked(true);
  window->fill_mark_list();
  EXPECT_EQ(list_column(0), (QStringList{"4", "1", "3", "2"}));
  EXPECT_EQ(list_column(3), (QStringList{"20.0", "10.0", "0.0", "A"}));
}

TEST_F(punte_druk_test, prints_the_list_with_its_codes_running_totals_and_average) {
  put_one_combination();
  ASSERT_TRUE(open());
  window->open_subject_marks(0);
  set_print_total(QStringLiteral("50"));
  const QString text = print_to_pdf();
  // The effort-key column is as wide as its entries need.
  EXPECT_EQ(line_with(text, QStringLiteral("1001")),
            QStringLiteral("1 1001 Adams Ann 10.0 10.0 1 Uitstekend 01 Netjies"));
  EXPECT_EQ(line_with(text, QStringLiteral("1002")), QStringLiteral("2 1002 Botha Ben A 10.0"));
  EXPECT_EQ(line_with(text, QStringLiteral("1003")),
            QStringLiteral("3 1003 Cloete Cas 0.0 10.0 2 Goed 03 Moet oefen"));
  EXPECT_EQ(line_with(text, QStringLiteral("1004")), QStringLiteral("4 1004 Du Toit Dirk 20.0 30.0"));
  EXPECT_EQ(line_with(text, QStringLiteral("AVERAGE")), QStringLiteral("AVERAGE := 10.0"));
  // The percentage stands under the average, at the same print column.
  const QStringList lines = text.split(QLatin1Char('\n'));
  const qsizetype at = lines.indexOf(
      *std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains(u"AVERAGE"); }));
  ASSERT_LT(at + 1, lines.size());
  EXPECT_EQ(lines[at + 1].trimmed(), QStringLiteral("20.0%"));
  EXPECT_EQ(lines[at + 1].indexOf(QStringLiteral("20.0%")), lines[at].indexOf(QStringLiteral("10.0")));
  EXPECT_EQ(line_with(text, QStringLiteral("PAGE :")),
            QStringLiteral("PAGE : 1 101 10-A ENG HL"));  // the header

  EXPECT_EQ(g_excel_file_name, QStringLiteral("MARKLIST 101 10-A  ENG HL "));
  EXPECT_EQ(g_print_title, QStringLiteral("101 10-A  ENG HL "));
  EXPECT_TRUE(lists_shown());
  EXPECT_FALSE(window->list_filled());
  EXPECT_EQ(list_column(1).join(QString()), QString());  // the grid is cleared
  EXPECT_EQ(window->combination(), 1);                   // a second print prints the same list
}

TEST_F(punte_druk_test, without_an_average_the_job_still_ends_and_the_lists_come_back) {
  struct no_average_case {
    const char* name;
    std::vector<learner> learners;
    QString print_total;
  };
  const no_average_case cases[] = {
      {"no learner", {}, "50"},
      {"no counted mark", {{"1001", "Adams Ann", "A"}, {"1002", "Botha Ben", ""}}, "50"},
      {"print total 0", {{"1001", "Adams Ann", "10.0"}}, "0"},
      {"print total no number", {{"1001", "Adams Ann", "10.0"}}, "5O"},
  };
  put_combinations({combination("101", "10-A ")});
  put_obe_table(1, {});
  for (const no_average_case& c : cases) {
    SCOPED_TRACE(c.name);
    put_cycle_table(1, c.learners);
    ASSERT_TRUE(open());
    window->open_subject_marks(0);
    set_print_total(c.print_total);
    const QString text = print_to_pdf();  // the job ended: the user is told
    EXPECT_TRUE(text.contains(QStringLiteral("LEARNER"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("AVERAGE"))) << text.toStdString();
    EXPECT_TRUE(lists_shown());
    EXPECT_EQ(list_column(2).join(QString()), QString());
    platform::unload_form(window);
  }
}

TEST_F(punte_druk_test, a_cancelled_printer_choice_leaves_the_combination_open) {
  put_one_combination();
  ASSERT_TRUE(open());
  window->open_subject_marks(0);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_stop")); },
                 [&] { window->punte_druk_print_Click(); });
  EXPECT_TRUE(device->documents().empty());
  EXPECT_FALSE(lists_shown());
  EXPECT_EQ(window->combination(), 1);
  EXPECT_TRUE(find_control(window, QStringLiteral("punte_druk_print"))->isEnabled());
}

TEST_F(punte_druk_test, exports_the_list_and_its_average_into_a_workbook) {
  g_language = true;
  put_one_combination();
  ASSERT_TRUE(open());
  window->open_subject_marks(0);
  set_print_total(QStringLiteral("80"));
  drives.make_native_folder(QStringLiteral("D/Export"));
  dialogs.expect_file(QStringLiteral("GIDSADRES VIR EXCEL-UITVOER"))
      .choose(QStringLiteral("D:\\Export\\Lys"));
  dialogs.expect_message(export_complete_message(QStringLiteral("Lys"), QStringLiteral("D:\\Export\\Lys")))
      .icon(msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("kies_excel")); },
                 [&] { window->punte_druk_print_Click(); });
  dialogs.verify();
  EXPECT_TRUE(device->documents().empty());
  const xlsx_reading book(drives.native_drive('D') + QStringLiteral("/Export/Lys.xlsx"));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  const int last = book.max_row(1);
  // Four learners, an empty row, the average and its percentage of 80.
  EXPECT_EQ(book.text(1, QStringLiteral("C%1").arg(last - 6)), QStringLiteral("Adams Ann"));
  EXPECT_EQ(book.text(1, QStringLiteral("G%1").arg(last - 4)), QStringLiteral("03 Moet oefen"));
  EXPECT_EQ(book.text(1, QStringLiteral("C%1").arg(last - 3)), QStringLiteral("Du Toit Dirk"));
  EXPECT_EQ(book.text(1, QStringLiteral("A%1").arg(last - 2)), QString());
  EXPECT_EQ(book.text(1, QStringLiteral("A%1").arg(last - 1)), QStringLiteral("GEMIDDELD := "));
  EXPECT_EQ(book.text(1, QStringLiteral("D%1").arg(last - 1)), QStringLiteral("10.0"));
  EXPECT_EQ(book.text(1, QStringLiteral("D%1").arg(last)), QStringLiteral("12.5%"));
}

TEST_F(punte_druk_test, reads_its_tables_without_holding_them_and_releases_them_at_the_exit) {
  put_one_combination();
  const QByteArray before = bytes(QStringLiteral("PUNTE1.DBF"));
  ASSERT_TRUE(open());
  window->open_subject_marks(0);
  // The administration program can still write every table the window reads.
  for (const char* table : {"PUNTE1.DBF", "OBE_P1.DBF", "L101_P_S.dbf"}) {
    lock_holder other(native(QLatin1String(table)));
    EXPECT_TRUE(other.locked()) << table;
  }
  for (const char* control : {"pnt_dta", "obe_pnt", "pi4_p_s"})
    EXPECT_TRUE(window->findChild<platform::data_control*>(QLatin1String(control))->read_only()) << control;
  set_print_total(QStringLiteral("50"));
  print_to_pdf();
  EXPECT_EQ(bytes(QStringLiteral("PUNTE1.DBF")), before);
  QPointer<platform::data_control> cycle =
      window->findChild<platform::data_control*>(QStringLiteral("pnt_dta"));
  ASSERT_TRUE(cycle && cycle->has_recordset());
  window->punte_druk_exit_Click();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("punte_druk")));
  EXPECT_TRUE(platform::find_form(QStringLiteral("punte_menu1"))->isVisible());
}

TEST_F(punte_druk_test, loading_and_closing_three_times_leaves_the_file_number_pool_as_it_was) {
  put_one_combination();
  const auto next_free_numbers = [] {
    std::int16_t record_file = get_free_file_number(0);
    std::int16_t short_lived = get_free_file_number(1);
    const std::pair<int, int> numbers{record_file, short_lived};
    close_file(record_file);
    close_file(short_lived);
    return numbers;
  };
  const std::pair<int, int> before = next_free_numbers();
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(open());
    window->open_subject_marks(0);  // the formative file is read too
    window->punte_druk_exit_Click();
  }
  EXPECT_EQ(next_free_numbers(), before);
  EXPECT_EQ(g_exp_mrk_control_file_number, 0);
}

TEST_F(punte_druk_test, a_table_that_fails_while_a_combination_opens_is_told_and_the_window_goes_on) {
  put_one_combination();
  // The effort keys' table as another machine left it: a code that is no number.
  dbf_builder damaged;
  damaged.field("PS_KODE", 'N', 2)
      .field("PS_VAK", 'C', 5)
      .field("PS_GRAAD", 'C', 3)
      .field("PS_VOLGNR", 'N', 3);
  damaged.field("PS_BESKRYF", 'C', 40);
  damaged.record({"x9", "", "", "1", "Uitstekend"});
  damaged.write(native(QStringLiteral("L101_P_S.dbf")));
  QMap<QString, QByteArray> before;
  for (const char* file : {"PUNTE1.DBF", "OBE_P1.DBF", "L101_P_S.dbf", "L101_f_e.10A"})
    before.insert(QLatin1String(file), bytes(QLatin1String(file)));
  ASSERT_TRUE(open());
  auto* list = find_control_as<QListWidget>(window, QStringLiteral("subject_list_0"));
  const QPoint entry = list->visualItemRect(list->item(0)).center();
  const QString failure = QStringLiteral(
      "Table 'L101_P_S.dbf' is damaged: record 1: Field 'PS_KODE' holds 'x9', which is not a number: a "
      "number "
      "field "
      "holds blanks, a sign, digits and one point");
  struct language_case {
    bool afrikaans;
    QString message;
  };
  for (const language_case& c :
       {language_case{false, QStringLiteral("UNEXPECTED ERROR: ") + failure +
                                 QStringLiteral("\r\n\r\nThe step was stopped; the program goes on.")},
        language_case{true, QStringLiteral("ONVERWAGTE FOUT: ") + failure +
                                QStringLiteral("\r\n\r\nDie stap is gestaak; die program gaan voort.")}}) {
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    platform::set_dialog_language_source([] {
      return g_language ? platform::dialog_language::afrikaans : platform::dialog_language::english;
    });
    dialogs.expect_message(c.message).icon(msg_icon::critical);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);  // the first press of a double click
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry);
    dialogs.verify();
    EXPECT_TRUE(platform::is_loaded(window));  // the program and the window go on
  }
  for (auto it = before.cbegin(); it != before.cend(); ++it)
    EXPECT_EQ(bytes(it.key()), it.value()) << it.key().toStdString();  // nothing written
}

TEST_F(punte_druk_test, a_missing_marks_table_is_told_and_opens_nothing) {
  put_combinations({combination("101", "10-A ")});
  put_obe_table(1, {});
  ASSERT_TRUE(open());
  dialogs.expect_message(QStringLiteral("'punte1.dbf' not found")).icon(msg_icon::critical);
  window->open_subject_marks(0);
  dialogs.verify();
  EXPECT_EQ(window->combination(), 0);
  EXPECT_TRUE(lists_shown());
  EXPECT_FALSE(find_control(window, QStringLiteral("punte_druk_print"))->isEnabled());
  EXPECT_EQ(text_of("vak_ops"), QStringLiteral("PRINT MARK LIST(S)"));
}

TEST_F(punte_druk_test, the_sample_school_shows_its_code_lists) {
  sample_school_options options;
  options.data_folder = QStringLiteral("C:\\SAMPLE");
  make_sample_school(options);
  g_data_folder = options.data_folder;
  ASSERT_TRUE(open());
  for (int index = 0; index < int(sample_combinations().size()); ++index) {
    SCOPED_TRACE(index);
    window->open_subject_marks(index);
    EXPECT_EQ(items("p_s_key").size(), qsizetype(sample_effort_keys().size() + 1));
    EXPECT_EQ(items("f_e_key").size(), sample_formative_descriptions().size());
    window->fill_mark_list();
    // Every learner with an effort key shows it with its description.
    for (const QString& key : list_column(5))
      EXPECT_TRUE(key.isEmpty() || key.size() > 2) << key.toStdString();
    EXPECT_TRUE(list_column(6).contains(QStringLiteral("01 ") + sample_formative_descriptions()[0]));
  }
}

TEST_F(punte_druk_test, the_sample_schools_lists_lie_inside_the_frame_with_whole_names_and_descriptions) {
  sample_school_options options;
  options.data_folder = QStringLiteral("C:\\SAMPLE");
  make_sample_school(options);
  g_data_folder = options.data_folder;
  // The fonts as they print, not the tests' fixed metrics.
  platform::printer().set_metrics(nullptr);
  for (const bool afrikaans : {false, true}) {
    SCOPED_TRACE(afrikaans);
    g_language = afrikaans;
    ASSERT_TRUE(open());
    for (int index = 0; index < int(sample_combinations().size()); ++index) {
      SCOPED_TRACE(index);
      window->open_subject_marks(index);
      window->fill_mark_list();
      QStringList whole = list_column(2) + list_column(5) + list_column(6);
      whole.removeAll(QString());
      device->clear();
      dialogs.expect_message(printing_complete_message(1)).icon(msg_icon::information);
      while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                     [&] { window->punte_druk_print_Click(); });
      dialogs.verify();
      ASSERT_EQ(device->documents().size(), 1u);
      EXPECT_EQ(document_faults(device->last()), QStringList());
      const QStringList drawn = drawn_texts(device->last());
      for (const QString& text : whole) EXPECT_TRUE(drawn.contains(text.trimmed())) << text.toStdString();
    }
    window->punte_druk_exit_Click();
  }
}

}  // namespace
}  // namespace km::test
