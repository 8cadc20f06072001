#pragma once
// The capture windows on a data folder C:\DATA that holds one
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

#include "common/open_combinations.h"
#include "common/shared_variables.h"
#include "marks/marks_messages.h"
#include "marks/marks_windows.h"
#include "marks/obe_inlees.h"
#include "marks/punte_inlees.h"
#include "platform/dbase/recordset_model.h"
#include "platform/form_timer.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/grid/bound_grid.h"
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

// One learner of the outcomes-based table: number, name, mark, effort key
// and first formative code.
struct obe_row {
  QByteArray number;
  QByteArray name;
  QByteArray mark;
  QByteArray effort_key;
  QByteArray formative;
};

class marks_window_test : public printing_test {
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

  // The export-control file with combinations of these subject totals
  // (subjects 101, 102 ...), in the folder given below the drives.
  void put_combination(float total, float second_total = -1,
                       const QString& folder = QStringLiteral("C/DATA")) {
    QByteArray file;
    int subject = 101;
    for (const float t : {total, second_total}) {
      if (t < 0) continue;
      export_control_record r;
      r.grade = QStringLiteral("8  ");
      r.subject = QString::number(subject++) + QStringLiteral("  ");
      r.total = t;
      r.cls = QStringLiteral("A  ");
      r.second_class = QStringLiteral("   ");
      r.class_when_blank = QStringLiteral("A  ");
      file += r.bytes();
    }
    drives.write_native(folder + QStringLiteral("/exp_mrk_control.txt"), file);
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
  // OBE_P<n>.DBF with these learners.
  void put_obe_rows(const std::vector<obe_row>& rows, int n = 1) const {
    dbf_builder b;
    b.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_PUNT", 'C', 5).field("EO_P_S", 'C', 2);
    for (const char* f : {"EO_FE_1", "EO_FE_2", "EO_FE_3", "EO_FE_4"}) b.field(f, 'C', 2);
    for (const obe_row& r : rows) b.record({r.number, r.name, r.mark, r.effort_key, r.formative, "", "", ""});
    b.write(native(QStringLiteral("OBE_P%1.DBF").arg(n)));
  }
  // OBE_P1.DBF with these learner numbers and marks.
  void put_obe_table(const std::vector<std::pair<QByteArray, QByteArray>>& rows) const {
    std::vector<obe_row> obe;
    for (const auto& [number, mark] : rows) obe.push_back({number, "OBE " + number, mark, "P1", "01"});
    put_obe_rows(obe);
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

  template <class Window>
  Window* open_window(const QString& name) {
    auto* w = dynamic_cast<Window*>(platform::load_form(name));
    if (w) w->show();
    capture = w;
    return w;
  }

  platform::bound_grid* grid() const { return capture->capture_grid(); }
  QString cell(int r, int c) const { return grid()->model()->data(grid()->model()->index(r, c)).toString(); }
  QStringList mark_cells() const {
    QStringList out;
    for (int r = 0; r < grid()->model()->rowCount(); ++r) out << cell(r, 2);
    return out;
  }
  // Types into a cell and ends with Enter, as the teacher does.
  void type_into(int row, int col, const QString& text) { type_into_cell(grid(), row, col, text); }
  QString label(const char* name) const {
    return find_control_as<QLabel>(capture, QLatin1String(name))->text();
  }

  // A choice of combination 1 while another capture window holds it open
  // is refused with its message.
  void expect_choice_refused_as_held_open() {
    register_open(open_kind::combination, g_data_folder, 1);
    dialogs
        .expect_message(QStringLiteral("THIS SUBJECT IS ALREADY OPEN IN ANOTHER WINDOW ... CLOSE IT FIRST !"))
        .icon(platform::msg_icon::critical);
    capture->choose_subject(0);
    dialogs.verify();
    EXPECT_FALSE(capture->combination_open());
    unregister_open(open_kind::combination, g_data_folder, 1);
  }

  capture_form* capture = nullptr;
};

class punte_inlees_test : public marks_window_test {
 protected:
  punte_inlees* open() { return window = open_window<punte_inlees>(QStringLiteral("punte_inlees")); }
  // Chooses combination 1 with this answer to the input total (the
  // conversion message expected when the totals differ) and no effort keys.
  void choose(const QString& answer, const QString& subject_total, bool effort_keys = false) {
    dialogs.expect_input(input_total_prompt(subject_total)).default_text(subject_total).type(answer);
    const QString input_total = answer.trimmed().isEmpty() ? subject_total : answer.trimmed();
    // Marks against a subject total of 0 are taken as typed: nothing converts.
    if (input_total != subject_total && subject_total != QStringLiteral("0"))
      dialogs.expect_message(converting_message(subject_total, input_total))
          .icon(platform::msg_icon::exclamation);
    dialogs.expect_message(effort_question())
        .buttons(platform::msg_buttons::yes_no)
        .answer(effort_keys ? platform::msg_answer::yes : platform::msg_answer::no);
    window->choose_subject(0);
  }
  static QString effort_question() { return QStringLiteral("ARE YOU GOING TO INPUT EFFORT KEYS ALSO ?"); }

  punte_inlees* window = nullptr;
};

}  // namespace km::test
