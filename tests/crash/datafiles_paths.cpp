// The record files' paths, each taken by opening its file code as the
// program does: a table converted into its record file (one plain, one with
// a memo file), and a record file of an older layout rebuilt in the new one.
#include <QFile>
#include <cstdint>

#include "common/file_number_pool.h"
#include "common/open_random_files.h"
#include "common/shared_variables.h"
#include "crash_fixtures.h"
#include "datafiles/datafile_services.h"

namespace km::crash {

namespace {

void open_code(const char* code) {
  static datafile_services services;
  g_year = QStringLiteral("2014");
  set_data_file_services(&services);
  open_random_files(QLatin1String(code), QString(QLatin1String(data_folder)));
  std::int16_t all = 999;
  close_file(all);
}

// 17 history rows: as long as 44 records of the older 34-byte layout.
void write_history_table() {
  test::dbf_builder b;
  b.field("PH_T_NR", 'N', 6);
  for (int i = 1; i <= 5; ++i) b.field("PH_STD_" + QByteArray::number(i), 'C', 4);
  for (int i = 1; i <= 5; ++i) b.field("PH_JAAR_" + QByteArray::number(i), 'N', 7, 1);
  for (int n = 1; n <= 17; ++n)
    b.record(
        {QByteArray::number(n), "10", "", "", "", "", QByteArray::number(2000 + n) + ".0", "", "", "", ""});
  b.write(native_in_data("Ppl_hst.dbf"));
}

void write_hostel_table() {
  test::dbf_builder b;
  b.field("KH_T_NR", 'N', 6)
      .field("KH_KOSHUIS", 'C', 12)
      .field("KH_KAMER", 'C', 5)
      .field("KH_WASGOED", 'C', 5);
  b.field("KH_MEMO", 'M', 10);
  b.record({"3", "Noord", "12", "", "een nota"}).record({"4", "Suid", "", "", "nog een, langer"});
  b.write(native_in_data("k_h_dta.dbf"));
}

// A learner history file of the older 34-byte layout, without its marker.
void write_old_history_file() {
  QByteArray old;
  for (int r = 0; r < 17; ++r)
    for (int i = 0; i < 34; ++i) old += char('A' + (r * 7 + i) % 26);
  QFile f(native_in_data("Ppl_hst_random.txt"));
  if (f.open(QIODevice::WriteOnly)) f.write(old);
}

}  // namespace

std::vector<crash_path> datafiles_paths() {
  const auto history = [] { open_code("PPLHST"); };
  return {
      {"learner_history_conversion", write_history_table, history, history},
      {"hostel_conversion_with_memo", write_hostel_table, [] { open_code("KHDTA"); },
       [] { open_code("KHDTA"); }},
      {"learner_history_layout_upgrade", write_old_history_file, history, history},
  };
}

}  // namespace km::crash
