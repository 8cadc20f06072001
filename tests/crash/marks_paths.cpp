// The capture windows' writes on a combination's marks table: the backup
// made when a combination opens, the rewrite in name order and the undo
// that puts the backup back.
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

void open_on(platform::data_control& control) {
  control.set_database_name(data_folder);
  control.set_record_source(QStringLiteral("punte3.dbf"));
  try {
    control.refresh();
  } catch (const platform::dbf_error&) {
  }
}

void open_table() {
  platform::data_control control;
  open_on(control);
}

void make_the_backup() {
  make_backup(data_folder, QStringLiteral("punte3.dbf"), QStringLiteral("PUNTE3.BAK"));
}

// The opening of a combination in a capture window: the table is opened
// and its backup made.
void open_and_back_up() {
  open_table();
  make_the_backup();
}

void sort_by_name() {
  platform::data_control control;
  open_on(control);
  if (!control.has_recordset()) return;
  platform::flex_grid grid;
  sort_table_by_name(control, grid, field_ref::at(1));
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
      {"marks_sort_rewrite", write_tables, sort_by_name, open_table},
      {"marks_restore_backup", write_tables, restore, open_table},
  };
}

}  // namespace km::crash
