// The capture windows' writes on a combination's marks tables: the backup
// made when a combination opens, the rewrite in name order, the undo that
// puts the backup back, the bulk write of a mark column (a paste, a
// scaling) and the save that copies every mark into the other table.
#include <QFile>
#include <optional>
#include <stdexcept>

#include "crash_fixtures.h"
#include "marks/marks_table_steps.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/model/grid/flex_grid.h"

namespace km::crash {

namespace {

void write_cycle_table(const QString& file, const std::vector<std::vector<QByteArray>>& records) {
  test::dbf_builder b;
  b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40).field("EF_PUNT", 'C', 5).field("EF_KLAS", 'C', 3);
  for (const auto& r : records) b.record(r);
  b.write(native_in_data(file));
}

void write_tables() {
  write_cycle_table("punte3.dbf", {{"103", "CID", "3.0", "8A"},
                                   {"101", "ANN", "1.0", "8A"},
                                   {"104", "DEE", "A", "8B"},
                                   {"102", "BEN", "", "8A"}});
  write_cycle_table("PUNTE3.BAK", {{"101", "ANN", "9.0", "8A"}, {"102", "BEN", "8.0", "8A"}});
}

// The outcomes-based table of the combination: BEN with an older mark, a
// deleted ANN, CID with a mark; DEE is missing.
void write_tables_of_the_save() {
  write_tables();
  test::dbf_builder b;
  b.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_PUNT", 'C', 5).field("EO_P_S", 'C', 2);
  for (const char* f : {"EO_FE_1", "EO_FE_2", "EO_FE_3", "EO_FE_4"}) b.field(f, 'C', 2);
  b.record({"102", "BEN", "7.0", "1"}).record({"101", "ANN", "2.0"}, true).record({"103", "CID", "4.0"});
  b.write(native_in_data("obe_p3.dbf"));
}

void open_on(platform::data_control& control, const QString& table = QStringLiteral("punte3.dbf")) {
  control.set_database_name(data_folder);
  control.set_record_source(table);
  try {
    control.refresh();
  } catch (const platform::dbf_error&) {
  }
}

void open_cycle_table() {
  platform::data_control control;
  open_on(control);
}

void make_the_backup() {
  make_backup(data_folder, QStringLiteral("punte3.dbf"), QStringLiteral("PUNTE3.BAK"));
}

// The opening of a combination in a capture window: the table is opened
// and its backup made.
void open_and_back_up() {
  open_cycle_table();
  make_the_backup();
}

void sort_by_name() {
  platform::data_control control;
  open_on(control);
  if (!control.has_recordset()) return;
  platform::flex_grid grid;
  sort_table_by_name(control, grid, field_ref::at(1));
}

// A step that reports a failure must have left its table as it was: a
// child that finds otherwise ends with an exception, which the crash test
// counts as a failed run.
void failure_leaves_the_table(bool ok, const QString& file, const QByteArray& before) {
  QFile f(native_in_data(file));
  if (!ok && (!f.open(QIODevice::ReadOnly) || f.readAll() != before))
    throw std::runtime_error("a step that reported a failure changed its table");
}

QByteArray bytes_of(const QString& file) {
  QFile f(native_in_data(file));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A paste or a scaling: CID's and DEE's marks change, ANN's is cleared,
// BEN's is left.
void write_a_mark_column() {
  platform::data_control control;
  open_on(control);
  if (!control.has_recordset()) return;  // the window tells the teacher
  const QByteArray before = bytes_of(QStringLiteral("punte3.dbf"));
  const table_step written =
      write_mark_column(control.recordset(), field_ref::at(2),
                        {QStringLiteral("13.5"), QString(), QStringLiteral("a"), std::nullopt});
  failure_leaves_the_table(written.ok, QStringLiteral("punte3.dbf"), before);
}

// The save of the cycle marks: every mark copied into the outcomes-based
// table (BEN and CID updated, DEE appended).
void save_into_the_other_table() {
  const QByteArray before = bytes_of(QStringLiteral("obe_p3.dbf"));
  platform::data_control from, to;
  open_on(from);
  open_on(to, QStringLiteral("obe_p3.dbf"));
  if (!from.has_recordset() || !to.has_recordset()) return;  // the window tells the teacher
  const copy_result copied =
      copy_marks(from.recordset(), field_ref::at(0), field_ref::at(2), to.recordset(),
                 field_ref::named(QStringLiteral("EO_T_NR")), field_ref::named(QStringLiteral("EO_PUNT")));
  failure_leaves_the_table(copied.ok, QStringLiteral("obe_p3.dbf"), before);
}

void open_the_other_table() {
  platform::data_control control;
  open_on(control, QStringLiteral("obe_p3.dbf"));
}

void restore() {
  platform::data_control control;
  open_on(control);
  restore_backup(control, data_folder, QStringLiteral("punte3.dbf"), QStringLiteral("PUNTE3.BAK"));
}

}  // namespace

std::vector<crash_path> marks_paths() {
  return {
      {"marks_backup", write_tables, make_the_backup, open_and_back_up},
      {"marks_sort_rewrite", write_tables, sort_by_name, open_cycle_table},
      {"marks_restore_backup", write_tables, restore, open_cycle_table},
      {"marks_mark_column_write", write_tables, write_a_mark_column, open_cycle_table},
      {"marks_save_into_other_table", write_tables_of_the_save, save_into_the_other_table,
       open_the_other_table},
  };
}

}  // namespace km::crash
