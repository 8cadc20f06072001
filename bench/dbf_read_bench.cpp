// Reading a large mark book: every field of every record of a 100,000-record
// table of 42 fields (learner number N 6, name C 40, 40 marks C 6), made in
// a temporary folder at start. The same walk is timed through our engine and
// through shapelib's C API (a peer reader), in one binary, so the two can be
// compared run by run. KM_BENCH_DBF names another .dbf to read instead (to
// time the whole process beside another reader, with a benchmark filter).
#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

#include "platform/dbase/dbf_header.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"

namespace {

using km::platform::dbf_field;
using km::platform::dbf_table;
using km::platform::recordset;

// Writes a mark book of n records, without the engine's writer so that only
// reading is measured, record by record so that the writing leaves no large
// buffer behind in the process.
void write_mark_book(const QString& path, int n) {
  std::vector<dbf_field> fields{{QStringLiteral("MB_T_NR"), 'N', 6, 0, 0},
                                {QStringLiteral("MB_NAME"), 'C', 40, 0, 0}};
  for (int i = 1; i <= 40; ++i) fields.push_back({QStringLiteral("MB_R%1").arg(i), 'C', 6, 0, 0});
  km::platform::dbf_header h = km::platform::make_dbf_header(fields);
  h.record_count = std::uint32_t(n);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return;
  f.write(km::platform::build_dbf_header(h));
  static const char* const marks[] = {"  12.5", "   7.0", "     A", "      ", "  45.5", " 100.0", "   0.0"};
  QByteArray record;
  for (int r = 0; r < n; ++r) {
    record = " ";
    record += QByteArray::number(100000 + r).rightJustified(6, ' ');
    record +=
        QByteArray("LEARNER ").append(QByteArray::number(r)).append(" VAN DER MERWE").leftJustified(40, ' ');
    for (int m = 0; m < 40; ++m) record += marks[(r + m) % 7];
    f.write(record);
  }
  f.write("\x1A");
}

QString table_path() {
  static QTemporaryDir dir;
  static const QString path = [] {
    if (const char* given = std::getenv("KM_BENCH_DBF"); given && *given)
      return QString::fromLocal8Bit(given);
    const QString p = dir.filePath(QStringLiteral("marks_bench.dbf"));
    write_mark_book(p, 100000);
    return p;
  }();
  return path;
}

void count_records(benchmark::State& state, qint64 records) {
  state.SetItemsProcessed(records);
  state.counters["records"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}

// Opens the table afresh and walks it once per iteration; the walk returns
// how many text characters it read, so that no read is optimised away.
template <typename Walk>
void time_walk(benchmark::State& state, Walk walk) {
  const QString path = table_path();
  qint64 records = 0;
  for (auto _ : state) {
    recordset rs(std::make_unique<dbf_table>(path, dbf_table::access::read_only));
    benchmark::DoNotOptimize(walk(rs));
    records += rs.record_count();
  }
  count_records(state, records);
}

qint64 text_length(const km::platform::Value& v) { return v.is_text() ? v.as_text().size() : 0; }

void read_every_field(benchmark::State& state) {
  time_walk(state, [](recordset& rs) {
    qint64 chars = 0;
    const int fields = rs.field_count();
    for (qint64 r = 0; r < rs.record_count(); ++r)
      for (int f = 0; f < fields; ++f) chars += text_length(rs.value_at(r, f));
    return chars;
  });
}
BENCHMARK(read_every_field)->Unit(benchmark::kMillisecond);

// The same walk through the cursor, as the program's loops do it.
void walk_with_cursor(benchmark::State& state) {
  time_walk(state, [](recordset& rs) {
    qint64 chars = 0;
    const int fields = rs.field_count();
    for (rs.move_first(); !rs.eof(); rs.move_next())
      for (int f = 0; f < fields; ++f) chars += text_length(rs.value(f));
    return chars;
  });
}
BENCHMARK(walk_with_cursor)->Unit(benchmark::kMillisecond);

// The peer: shapelib's C API reading every field of every record, numbers
// as numbers and texts as texts.
void shapelib_every_field(benchmark::State& state) {
  const QByteArray path = QFile::encodeName(table_path());
  qint64 records = 0;
  for (auto _ : state) {
    DBFHandle dbf = DBFOpen(path.constData(), "rb");
    if (!dbf) {
      state.SkipWithError("shapelib cannot open the table");
      return;
    }
    const int count = DBFGetRecordCount(dbf);
    const int fields = DBFGetFieldCount(dbf);
    std::vector<bool> numeric(std::size_t(fields), false);
    for (int f = 0; f < fields; ++f) {
      const DBFFieldType t = DBFGetFieldInfo(dbf, f, nullptr, nullptr, nullptr);
      numeric[std::size_t(f)] = t == FTInteger || t == FTDouble;
    }
    qint64 chars = 0;
    double sum = 0;
    for (int r = 0; r < count; ++r) {
      if (DBFIsRecordDeleted(dbf, r)) continue;
      for (int f = 0; f < fields; ++f) {
        if (numeric[std::size_t(f)])
          sum += DBFReadDoubleAttribute(dbf, r, f);
        else
          chars += qint64(std::strlen(DBFReadStringAttribute(dbf, r, f)));
      }
    }
    benchmark::DoNotOptimize(chars);
    benchmark::DoNotOptimize(sum);
    records += count;
    DBFClose(dbf);
  }
  count_records(state, records);
}
BENCHMARK(shapelib_every_field)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
