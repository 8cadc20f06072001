#pragma once
// The cycle-marks capture window on a data folder C:\DATA that holds one
// combination (grade 8, so its total is shown as stored) with its
// cycle-marks table and outcomes-based table written byte by byte, the
// printer on a recording device and scripted dialogs.
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "common/shared_variables.h"
#include "marks/marks_messages.h"
#include "marks/marks_windows.h"
#include "marks/punte_inlees.h"
#include "platform/dbase/recordset_model.h"
#include "platform/form_timer.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/win_path.h"
#include "printing/printing_fixture.h"
#include "shell/menu_windows.h"
#include "support/dbf_builder.h"
#include "support/export_control_record.h"

namespace km::test {

// One learner of the cycle-marks table: number, name, mark, code.
struct cycle_row {
  QByteArray number;
  QByteArray name;
  QByteArray mark;
  QByteArray code;
  bool deleted = false;
};

class punte_inlees_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    drives.make_native_folder(QStringLiteral("C/DATA"));
    g_data_folder = QStringLiteral("C:\\DATA");
    g_school_name = QStringLiteral("TEST SCHOOL");
    g_language = false;
    register_menu_windows();
    register_marks_windows();
    ASSERT_TRUE(python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
  }
  void TearDown() override {
    platform::unload_all_but(QString());
    printing_test::TearDown();
  }

  // The export-control file with one combination of this subject total.
  void put_combination(float total) {
    export_control_record r;
    r.grade = QStringLiteral("8  ");
    r.subject = QStringLiteral("101  ");
    r.total = total;
    r.cls = QStringLiteral("A  ");
    r.second_class = QStringLiteral("   ");
    r.class_when_blank = QStringLiteral("A  ");
    drives.write_native(QStringLiteral("C/DATA/exp_mrk_control.txt"), r.bytes());
  }
  // PUNTE1.DBF in the sample school's layout, records in the order given.
  void put_cycle_table(const std::vector<cycle_row>& rows, bool with_code = true) const {
    dbf_builder b;
    b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40).field("EF_PUNT", 'C', 5);
    if (with_code) b.field("EF_PS_VO", 'C', 4).field("EF_KLAS", 'C', 3);
    for (const cycle_row& r : rows) {
      std::vector<QByteArray> values{r.number, r.name, r.mark};
      if (with_code) values.insert(values.end(), {r.code, "A"});
      b.record(values, r.deleted);
    }
    b.write(native(QStringLiteral("PUNTE1.DBF")));
  }
  // OBE_P1.DBF with these learner numbers and marks.
  void put_obe_table(const std::vector<std::pair<QByteArray, QByteArray>>& rows) const {
    dbf_builder b;
    b.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_PUNT", 'C', 5).field("EO_P_S", 'C', 2);
    for (const char* f : {"EO_FE_1", "EO_FE_2", "EO_FE_3", "EO_FE_4"}) b.field(f, 'C', 2);
    for (const auto& [number, mark] : rows) b.record({number, "OBE " + number, mark, "P1", "01", "", "", ""});
    b.write(native(QStringLiteral("OBE_P1.DBF")));
  }
  // Five learners in name order with the marks of the conversion example.
  void put_five_learners(float total) {
    put_combination(total);
    put_cycle_table({{"1001", "ADAMS ANN", "25.0", "P1"},
                     {"1002", "BOTHA BEN", "A", ""},
                     {"1003", "COETZEE CAS", "", ""},
                     {"1004", "DU TOIT DIRK", "0.3", ""},
                     {"1005", "ERASMUS EVA", "50.0", ""}});
    put_obe_table({{"1001", ""}, {"1002", ""}, {"1004", ""}, {"1005", ""}});
  }

  QString native(const QString& file) const {
    return platform::to_native_path(platform::join_win_path(g_data_folder, file));
  }
  QByteArray bytes(const QString& file) const {
    QFile f(native(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<missing>");
  }
  // A field of a record of the cycle-marks table as stored (fields 8, 40,
  // 5, 4, 3 wide after the deletion byte).
  static QByteArray cycle_field(const QByteArray& table, int record, int field) {
    static const int offsets[] = {1, 9, 49, 54, 58, 61};
    const int header = 32 + 5 * 32 + 1;
    const int start = header + record * 61 + offsets[field];
    return table.mid(start, offsets[field + 1] - offsets[field]);
  }
  // A column of a table as python3-dbf reads it (live and deleted rows).
  QStringList column(const QString& file, int field) const {
    QStringList out;
    for (const QJsonValue& row : python_dbf_dump(native(file))[QStringLiteral("rows")].toArray()) {
      const QJsonValue v = row.toArray().at(field + 1);
      out << (v.isDouble() ? QString::number(v.toDouble(), 'g', 15) : v.toString().trimmed());
    }
    return out;
  }

  punte_inlees* open() {
    window = dynamic_cast<punte_inlees*>(platform::load_form(QStringLiteral("punte_inlees")));
    if (window) window->show();
    return window;
  }
  // Chooses combination 1 with this answer to the input total (the
  // conversion message expected when the totals differ) and no effort keys.
  void choose(const QString& answer, const QString& subject_total, bool effort_keys = false) {
    dialogs.expect_input(input_total_prompt(subject_total)).default_text(subject_total).type(answer);
    const QString input_total = answer.trimmed().isEmpty() ? subject_total : answer.trimmed();
    if (input_total != subject_total)
      dialogs.expect_message(converting_message(subject_total, input_total))
          .icon(platform::msg_icon::exclamation);
    dialogs.expect_message(effort_question())
        .buttons(platform::msg_buttons::yes_no)
        .answer(effort_keys ? platform::msg_answer::yes : platform::msg_answer::no);
    window->choose_subject(0);
  }
  static QString effort_question() { return QStringLiteral("ARE YOU GOING TO INPUT EFFORT KEYS ALSO ?"); }

  platform::bound_grid* grid() const { return window->capture_grid(); }
  QString cell(int r, int c) const { return grid()->model()->data(grid()->model()->index(r, c)).toString(); }
  QStringList mark_cells() const {
    QStringList out;
    for (int r = 0; r < grid()->model()->rowCount(); ++r) out << cell(r, 2);
    return out;
  }
  // Types into a cell and ends with Enter, as the teacher does.
  void type_into(int row, int col, const QString& text) {
    grid()->set_current(row, col);
    grid()->current_view()->setFocus();
    QTest::keyClicks(grid()->current_view(), text.left(1));
    if (text.size() > 1) QTest::keyClicks(grid()->editor(), text.mid(1));
    QTest::keyClick(grid()->editor(), Qt::Key_Return);
  }
  QString label(const char* name) const {
    return find_control_as<QLabel>(window, QLatin1String(name))->text();
  }

  punte_inlees* window = nullptr;
};

}  // namespace km::test
