// Reading a large mark book: every field of every record of a 100,000-record
// table of 42 fields (learner number N 6, name C 40, 40 marks C 6), made in
// a temporary folder at start. KM_BENCH_DBF names another .dbf to read
// instead (to time the whole process beside another reader).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/dbase/dbf_header.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"

namespace {

using km::platform::dbf_field;
using km::platform::dbf_table;
using km::platform::recordset;

// The bytes of a mark book of n records, written without the engine's writer
// so that only reading is measured.
QByteArray mark_book_bytes(int n) {
  std::vector<dbf_field> fields{{QStringLiteral("MB_T_NR"), 'N', 6, 0, 0},
                                {QStringLiteral("MB_NAME"), 'C', 40, 0, 0}};
  for (int i = 1; i <= 40; ++i) fields.push_back({QStringLiteral("MB_R%1").arg(i), 'C', 6, 0, 0});
  km::platform::dbf_header h = km::platform::make_dbf_header(fields);
  h.record_count = std::uint32_t(n);
  QByteArray out = km::platform::build_dbf_header(h);
  out.reserve(out.size() + qint64(n) * h.record_length + 1);
  static const char* const marks[] = {"  12.5", "   7.0", "     A", "      ", "  45.5", " 100.0", "   0.0"};
  for (int r = 0; r < n; ++r) {
    out += ' ';
    out += QByteArray::number(100000 + r).rightJustified(6, ' ');
    out +=
        QByteArray("LEARNER ").append(QByteArray::number(r)).append(" VAN DER MERWE").leftJustified(40, ' ');
    for (int m = 0; m < 40; ++m) out += marks[(r + m) % 7];
  }
  out += '\x1A';
  return out;
}

QString table_path() {
  static QTemporaryDir dir;
  static const QString path = [] {
    if (const char* given = std::getenv("KM_BENCH_DBF"); given && *given)
      return QString::fromLocal8Bit(given);
    const QString p = dir.filePath(QStringLiteral("marks_bench.dbf"));
    QFile f(p);
    if (f.open(QIODevice::WriteOnly)) f.write(mark_book_bytes(100000));
    return p;
  }();
  return path;
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
  state.SetItemsProcessed(records);
  state.counters["records"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
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

}  // namespace

BENCHMARK_MAIN();
