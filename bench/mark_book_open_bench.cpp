// Opening a 2,000-learner mark book as the capture window does (the
// rebuild into a fresh template copy, the column lists, the column
// averages), beside the floor of copying the same bytes. RECALCULATE
// TOTALS is measured in recalculate_totals_bench, beside its window.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "markbook/book_rebuild.h"
#include "markbook/column_average.h"
#include "markbook/column_lists.h"
#include "markbook/example_setup.h"
#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/drive_map.h"

namespace {

using km::platform::dbf_cell;
using km::platform::dbf_table;
using km::platform::Value;

constexpr int learners = 2000;

struct book_folder {
  QTemporaryDir dir;
  QString data() const { return dir.filePath(QStringLiteral("C/DATA")); }
  QString book() const { return data() + QStringLiteral("/marks1.dbf"); }
  QString master() const { return dir.filePath(QStringLiteral("master.dbf")); }

  book_folder() {
    QDir().mkpath(data());
    QDir().mkpath(dir.filePath(QStringLiteral("C/PROGRAM")));
    km::platform::drive_map map;
    map.set_drive(QLatin1Char('C'), dir.filePath(QStringLiteral("C")));
    km::platform::set_drive_map(map);
    QFile t(dir.filePath(QStringLiteral("C/PROGRAM/mrk_book.org")));
    t.open(QIODevice::WriteOnly);
    t.write(km::mark_book_template_bytes());
    t.close();
    // Learners in reverse name order, with full marks on the example's tasks.
    km::setup_rows rows;
    km::apply_example_setup(rows, false);
    std::vector<std::vector<dbf_cell>> records;
    for (int r = 0; r < learners; ++r) {
      std::vector<dbf_cell> row{Value(double(1000 + r)),
                                Value(QStringLiteral("LEARNER %1").arg(learners - r, 5))};
      for (int m = 0; m < 40; ++m)
        row.push_back(m < 21 ? Value(rows[std::size_t(m)].total + QStringLiteral(".0")) : Value());
      records.push_back(std::move(row));
    }
    km::platform::rebuild_dbf_table(master(), t.fileName(), records);
  }
  void fresh() const {
    QFile::remove(book());
    QFile::copy(master(), book());
  }
};

void open_book(benchmark::State& state) {
  const book_folder f;
  km::setup_rows rows;
  km::apply_example_setup(rows, false);
  for (auto _ : state) {
    state.PauseTiming();
    f.fresh();
    state.ResumeTiming();
    const km::rebuild_result r =
        km::rebuild_mark_book(QStringLiteral("C:\\DATA"), 1, QStringLiteral("C:\\PROGRAM"));
    if (r.kept != learners) state.SkipWithError("the rebuild lost learners");
    const km::column_lists lists = km::make_column_lists(rows);
    km::platform::recordset rs(std::make_unique<dbf_table>(f.book(), dbf_table::access::read_only));
    benchmark::DoNotOptimize(km::column_averages(rs, lists.rks_list[1]));
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(open_book)->Unit(benchmark::kMillisecond);

// The floor: the same bytes copied.
void copy_book_bytes(benchmark::State& state) {
  const book_folder f;
  for (auto _ : state) {
    QFile::remove(f.book());
    QFile::copy(f.master(), f.book());
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(copy_book_bytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
