// Converting large older tables into record files: a pnt_dta.dbf of 30,000
// learners' marks (122 fields) and a vak_dta.dbf of 30,000 learners'
// subjects (136 fields), each timed through the whole conversion (records
// written through the temporary file, put in place, the table retired into
// \save where it is) beside the table-reading benchmark's walk over every
// field of the same table. Each round starts from a fresh copy of the table
// and an empty folder, prepared outside the timing.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "common/file_number_pool.h"
#include "datafiles/conversion_table.h"
#include "datafiles/table_converter.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_header.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/drive_map.h"

namespace {

using km::platform::dbf_field;

constexpr int rows = 30000;

// One field group of a table: name pattern with %1 for the element, its
// width and elements.
struct field_run {
  const char* pattern;
  char type;
  int width;
  int first;
  int last;
};

std::vector<dbf_field> fields_of(std::initializer_list<field_run> runs) {
  std::vector<dbf_field> fields;
  for (const field_run& r : runs)
    for (int n = r.first; n <= r.last; ++n)
      fields.push_back({r.first == 0 ? QString::fromLatin1(r.pattern) : QString::fromLatin1(r.pattern).arg(n),
                        r.type, r.width, 0, 0});
  return fields;
}

// The marks table: learner, subject, 20 marks with their symbols and four
// codes each.
std::vector<dbf_field> marks_fields() {
  std::vector<dbf_field> fields = fields_of({{"PD_T_NR", 'N', 6, 0, 0}, {"PD_VAK_NR", 'C', 5, 0, 0}});
  for (int p = 1; p <= 20; ++p) {
    const auto more = fields_of({{"PD_PNT_%1", 'C', 5, p, p}, {"PD_P_S_%1", 'C', 3, p, p}});
    fields.insert(fields.end(), more.begin(), more.end());
    for (int j = 1; j <= 4; ++j) fields.push_back({QStringLiteral("PD_FE%1_%2").arg(j).arg(p), 'C', 3, 0, 0});
  }
  return fields;
}

std::vector<dbf_field> subject_fields() {
  return fields_of({{"VD_T_NR", 'N', 6, 0, 0},
                    {"VD_A_VAK%1", 'C', 5, 1, 20},
                    {"VD_A_POS%1", 'C', 3, 1, 20},
                    {"VD_A_KMB%1", 'C', 3, 1, 20},
                    {"VD_S_VAK%1", 'C', 5, 1, 15},
                    {"VD_S_POS%1", 'C', 3, 1, 15},
                    {"VD_S_SMT%1", 'C', 5, 1, 15},
                    {"VD_S_KMB%1", 'C', 3, 1, 15},
                    {"VD_N_VAK%1", 'C', 5, 1, 5},
                    {"VD_N_POS%1", 'C', 3, 1, 5},
                    {"VD_N_KMB%1", 'C', 3, 1, 5}});
}

// Writes a table of the fields with `rows` records without the engine's
// writer: the learner number, then texts of every width in turn.
void write_table(const QString& path, std::vector<dbf_field> fields) {
  km::platform::dbf_header h = km::platform::make_dbf_header(fields);
  h.record_count = std::uint32_t(rows);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return;
  f.write(km::platform::build_dbf_header(h));
  static const char* const texts[] = {"12.5", "A", " 7", "WISK", "", "B+", "100"};
  QByteArray record;
  for (int r = 0; r < rows; ++r) {
    record = " ";
    record += QByteArray::number(100000 + r).rightJustified(6, ' ');
    for (std::size_t i = 1; i < h.fields.size(); ++i)
      record +=
          QByteArray(texts[(r + int(i)) % 7]).left(h.fields[i].width).leftJustified(h.fields[i].width, ' ');
    f.write(record);
  }
  f.write("\x1A");
}

class conversion_folder {
 public:
  conversion_folder() {
    QDir().mkpath(data());
    km::platform::drive_map map;
    map.set_drive(QLatin1Char('C'), dir_.filePath(QStringLiteral("C")));
    km::platform::set_drive_map(map);
    write_table(master(QStringLiteral("pnt_dta.dbf")), marks_fields());
    write_table(master(QStringLiteral("vak_dta.dbf")), subject_fields());
  }
  QString data() const { return dir_.filePath(QStringLiteral("C/DATA")); }
  QString master(const QString& name) const { return dir_.filePath(name); }
  // The folder as the conversion left it is cleared, the table copied in.
  void fresh(const QString& table) const {
    QDir(data()).removeRecursively();
    QDir().mkpath(data());
    QFile::copy(master(table), data() + u'/' + table);
  }

 private:
  QTemporaryDir dir_;
};

conversion_folder& folder() {
  static conversion_folder made;
  return made;
}

void convert(benchmark::State& state, const char* code, bool retire = true) {
  km::conversion declared = *km::find_conversion(code);
  if (!retire) declared.retire = km::retire_kind::none;
  const QString table = QLatin1String(declared.table);
  km::platform::data_control data1;
  data1.set_read_only(true);
  for (auto _ : state) {
    state.PauseTiming();
    data1.close_database();
    folder().fresh(table);
    data1.set_database_name(QStringLiteral("C:\\DATA"));
    data1.set_record_source(table);
    state.ResumeTiming();
    km::convert_table(declared, QStringLiteral("C:\\DATA"), data1);
  }
  data1.close_database();
  state.SetItemsProcessed(state.iterations() * rows);
}

// The table-reading benchmark's walk: every field of every record.
void read_every_field(benchmark::State& state, const char* table_name) {
  const QString table = QLatin1String(table_name);
  folder().fresh(table);
  const QString path = folder().data() + u'/' + table;
  for (auto _ : state) {
    km::platform::recordset rs(
        std::make_unique<km::platform::dbf_table>(path, km::platform::dbf_table::access::read_only));
    qint64 chars = 0;
    const int fields = rs.field_count();
    for (qint64 r = 0; r < rs.record_count(); ++r)
      for (int f = 0; f < fields; ++f) {
        const km::platform::Value v = rs.value_at(r, f);
        chars += v.is_text() ? v.as_text().size() : 0;
      }
    benchmark::DoNotOptimize(chars);
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

void convert_marks(benchmark::State& state) { convert(state, "PNTDTA"); }
// The same with the table left where it is: the records alone, without
// the checked copy into \save.
void convert_marks_records_only(benchmark::State& state) { convert(state, "PNTDTA", false); }
void read_marks(benchmark::State& state) { read_every_field(state, "pnt_dta.dbf"); }
void convert_subjects(benchmark::State& state) { convert(state, "VAKDTA"); }
void read_subjects(benchmark::State& state) { read_every_field(state, "vak_dta.dbf"); }

BENCHMARK(convert_marks)->Unit(benchmark::kMillisecond);
BENCHMARK(convert_marks_records_only)->Unit(benchmark::kMillisecond);
BENCHMARK(read_marks)->Unit(benchmark::kMillisecond);
BENCHMARK(convert_subjects)->Unit(benchmark::kMillisecond);
BENCHMARK(read_subjects)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
