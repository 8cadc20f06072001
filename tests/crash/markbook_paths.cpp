// The mark book's paths: the export and its roll-back, the learner move,
// the update and the rebuild of a book, and the save of a set-up file.
#include <QDir>
#include <QFile>

#include "crash_fixtures.h"
#include "markbook/book_rebuild.h"
#include "markbook/book_table.h"
#include "markbook/learner_move.h"
#include "markbook/mark_book_update.h"
#include "markbook/mark_export.h"
#include "markbook/marks_dbf_record.h"
#include "markbook/setup_file.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/file_error.h"

namespace km::crash {

namespace {

void write_export_tables() {
  test::dbf_builder punte;
  punte.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40).field("EF_PUNT", 'C', 5).field("EF_KLAS", 'C', 3);
  punte.record({"900", "Earlier Learner", "12.0", "8A"}).write(native_in_data("punte3.dbf"));
  test::dbf_builder obe;
  obe.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_P_S", 'C', 2).field("EO_PUNT", 'C', 5);
  obe.record({"900", "Earlier Learner", "1", "12.0"}).write(native_in_data("obe_p3.dbf"));
  write_book("marks3.dbf", {{"1001", "Botha Zoe", "5.0"},
                            {"1002", "Smith Jack", "7.0"},
                            {"0", "", "9.0"},
                            {"1003", "Nel Danie", "A"}});
}

void export_task(int failing_append) {
  platform::data_control punte, book, obe;
  mark_export_hooks hooks;
  if (failing_append > 0)
    hooks.before_write = [failing_append](int append) {
      if (append == failing_append)
        throw platform::dbf_error(platform::dbf_error_kind::disk_error, QStringLiteral("Disk full"));
    };
  export_mark_row({punte, book, obe}, {data_folder, 3, 1, 16, 100, QStringLiteral("TEST 1")}, hooks);
}

void open_table(const QString& file) {
  platform::data_control control;
  open_book_table(control, data_folder, file, true);
}

void write_move_books(bool blank_record) {
  write_book("marks1.dbf", {{"1001", "ANN", "1.0"}, {"1002", "BEN", "1.5", "2.5", "3.5"}, {"1003", "CID"}});
  std::vector<std::vector<QByteArray>> to{{"2001", "DEE", "9.0"}};
  if (blank_record) to.push_back({"1002", "BEN"});
  write_book("marks2.dbf", to);
}

void move_ben() {
  move_learner(data_folder, 1, 2, {QStringLiteral("  1002 BEN"), QStringLiteral("1002")},
               QStringLiteral("8B"));
}

void write_update_tables() {
  test::dbf_builder b;
  b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 50).field("EF_PUNT", 'C', 8);
  for (const auto& [number, name] : std::vector<std::pair<QByteArray, QByteArray>>{
           {"101", "ANN"}, {"102", "BEN"}, {"102", "BEA"}, {"103", "CID"}, {"105", "EVE"}})
    b.record({number, name, ""});
  b.write(native_in_data("punte3.dbf"));
  write_book("marks3.dbf", {{"101", "ANN", "10.0"}, {"101", "ANN TWICE", "9.0"}, {"104", "DEE", "4.0"}});
}

void update_book() { update_mark_book(data_folder, 3, program_folder); }

void write_template() {
  QFile f(platform::to_native_path(platform::join_win_path(program_folder, mark_book_template_name)));
  if (f.open(QIODevice::WriteOnly)) f.write(mark_book_template_bytes());
}

void write_rebuild_tables() {
  write_template();
  write_book("marks3.dbf", {{"103", "CID", "3.0"}, {"0", "", "7.0"}, {"101", "ANN", "1.0"}, {"102", "BEN"}});
}

// The opening of a book in the capture window: opened, then rebuilt.
void open_and_rebuild() {
  open_table("marks3.dbf");
  rebuild_mark_book(data_folder, 3, program_folder);
}

setup_rows example_rows() {
  setup_rows rows;
  rows[0] = {QStringLiteral("TEST 1"), QStringLiteral("50"), QStringLiteral("41"), QStringLiteral("100"), {}};
  rows[1] = {QStringLiteral("TEST 2"), QStringLiteral("30"), QStringLiteral("41"), QStringLiteral("100"), {}};
  return rows;
}

void write_setup() {
  setup_rows rows = example_rows();
  rows[2] = {QStringLiteral("OLD TASK"), QStringLiteral("20"), {}, {}, {}};
  write_setup_file(in_data("setup_3.txt"), rows);
}

template <class F>
void passing_over_file_errors(F f) {
  try {
    f();
  } catch (const platform::file_error&) {
  }
}

}  // namespace

std::vector<crash_path> markbook_paths() {
  return {
      {"export", write_export_tables, [] { export_task(0); },
       [] {
         open_table("obe_p3.dbf");
         open_table("punte3.dbf");
       }},
      {"export_roll_back", write_export_tables, [] { export_task(5); }, [] { open_table("punte3.dbf"); },
       false},
      {"learner_move", [] { write_move_books(false); }, move_ben, [] { open_table("marks2.dbf"); }},
      {"learner_move_into_blank_record", [] { write_move_books(true); }, move_ben,
       [] { open_table("marks1.dbf"); }},
      {"mark_book_update", write_update_tables, update_book, update_book},
      {"mark_book_rebuild", write_rebuild_tables, [] { rebuild_mark_book(data_folder, 3, program_folder); },
       open_and_rebuild},
      {"setup_save", write_setup,
       [] { passing_over_file_errors([] { write_setup_file(in_data("setup_3.txt"), example_rows()); }); },
       [] { passing_over_file_errors([] { read_setup_file(in_data("setup_3.txt")); }); }},
  };
}

}  // namespace km::crash
