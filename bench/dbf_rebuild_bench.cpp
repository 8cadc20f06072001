// Rebuilding a mark book on its template, as opening a book does: take the
// fields of the 2,000 records of a 42-field table as stored and write them
// into a copy of the empty template through a temporary file renamed over
// the table.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"

namespace {

using km::platform::dbf_cell;
using km::platform::dbf_field;
using km::platform::dbf_table;
using km::platform::recordset;
using km::platform::Value;

std::vector<dbf_field> mark_book_fields() {
  std::vector<dbf_field> fields{{QStringLiteral("MB_T_NR"), 'N', 6, 0, 0},
                                {QStringLiteral("MB_NAME"), 'C', 40, 0, 0}};
  for (int i = 1; i <= 40; ++i) fields.push_back({QStringLiteral("MB_R%1").arg(i), 'C', 6, 0, 0});
  return fields;
}

void rebuild_mark_book(benchmark::State& state) {
  QTemporaryDir dir;
  const QString tpl = dir.filePath(QStringLiteral("mrk_book.org"));
  const QString table = dir.filePath(QStringLiteral("marks1.dbf"));
  km::platform::create_dbf_table(tpl, mark_book_fields());
  std::vector<std::vector<dbf_cell>> rows;
  const QString marks[] = {QStringLiteral("12.5"), QStringLiteral("7.0"), QStringLiteral("A"), QString(),
                           QStringLiteral("100.0")};
  for (int r = 0; r < 2000; ++r) {
    std::vector<dbf_cell> row{Value(double(1000 + r)), Value(QStringLiteral("LEARNER %1").arg(r))};
    for (int m = 0; m < 40; ++m)
      row.push_back(marks[(r + m) % 5].isEmpty() ? Value() : Value(marks[(r + m) % 5]));
    rows.push_back(std::move(row));
  }
  km::platform::rebuild_dbf_table(table, tpl, rows);

  qint64 records = 0;
  for (auto _ : state) {
    std::vector<std::vector<dbf_cell>> kept;
    {
      recordset rs(std::make_unique<dbf_table>(table, dbf_table::access::read_only));
      kept.reserve(std::size_t(rs.record_count()));
      for (rs.move_first(); !rs.eof(); rs.move_next()) {
        std::vector<dbf_cell> row;
        row.reserve(std::size_t(rs.field_count()));
        for (int f = 0; f < rs.field_count(); ++f)
          row.push_back(dbf_cell::stored(rs.table(), rs.record_number(), f));
        kept.push_back(std::move(row));
      }
    }
    km::platform::rebuild_dbf_table(table, tpl, kept);
    records += qint64(kept.size());
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(rebuild_mark_book)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
