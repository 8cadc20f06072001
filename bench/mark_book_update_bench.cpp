// Bringing a 2,000-learner mark book into line with a 2,000-learner list in
// which 50 learners changed (25 left, 25 new), beside the floor of reading
// both tables once through the same engine. Each round starts from fresh
// copies of the two tables, made outside the timing.
#include <benchmark/benchmark.h>

#include "bench_data_folder.h"
#include "markbook/mark_book_update.h"
#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"

namespace {

using km::platform::dbf_cell;
using km::platform::dbf_table;
using km::platform::Value;

constexpr int learners = 2000;
constexpr int changes = 50;

struct folder : km::bench::bench_data_folder {
  folder() {
    // The book: learners 1000 .. 2999 with marks in every set.
    std::vector<std::vector<dbf_cell>> book;
    for (int r = 0; r < learners; ++r) {
      std::vector<dbf_cell> row{Value(double(1000 + r)), Value(QStringLiteral("LEARNER %1").arg(r))};
      for (int m = 0; m < 40; ++m)
        row.push_back(Value(QString::number((r + m) % 100) + QStringLiteral(".0")));
      book.push_back(std::move(row));
    }
    write_master_book(QStringLiteral("marks1.dbf"), book);
    // The learner list: the first 25 have left, 25 new ones came.
    km::platform::create_dbf_table(master(QStringLiteral("punte1.dbf")),
                                   {{QStringLiteral("EF_T_NR"), 'N', 8, 0, 0},
                                    {QStringLiteral("EF_NAME"), 'C', 50, 0, 0},
                                    {QStringLiteral("EF_PUNT"), 'C', 8, 0, 0}});
    std::vector<std::vector<dbf_cell>> list;
    for (int r = changes / 2; r < learners + changes / 2; ++r)
      list.push_back({Value(double(1000 + r)), Value(QStringLiteral("LEARNER %1").arg(r)), Value()});
    km::platform::rebuild_dbf_table(master(QStringLiteral("punte1.dbf")),
                                    master(QStringLiteral("punte1.dbf")), list);
  }

  void fresh_copies() const {
    bench_data_folder::fresh_copies({QStringLiteral("marks1.dbf"), QStringLiteral("punte1.dbf")});
    QDir(data() + QStringLiteral("/save")).removeRecursively();
  }
};

void update_mark_book(benchmark::State& state) {
  const folder f;
  for (auto _ : state) {
    state.PauseTiming();
    f.fresh_copies();
    state.ResumeTiming();
    const km::mark_book_update_result r =
        km::update_mark_book(QStringLiteral("C:\\DATA"), 1, QStringLiteral("C:\\PROGRAM"));
    if (r.added != changes / 2 || r.deleted != changes / 2)
      state.SkipWithError("the update did not do its work");
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(update_mark_book)->Unit(benchmark::kMillisecond);

// The floor: every learner number and name of both tables read once.
void read_both_tables(benchmark::State& state) {
  const folder f;
  f.fresh_copies();
  qint64 seen = 0;
  for (auto _ : state) {
    for (const QString& name : {QStringLiteral("punte1.dbf"), QStringLiteral("marks1.dbf")}) {
      km::platform::recordset rs(std::make_unique<dbf_table>(f.live(name), dbf_table::access::read_only));
      for (rs.move_first(); !rs.eof(); rs.move_next()) {
        benchmark::DoNotOptimize(rs.value(0));
        benchmark::DoNotOptimize(rs.value(1));
        ++seen;
      }
    }
  }
  state.SetItemsProcessed(seen / 2);
}
BENCHMARK(read_both_tables)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
