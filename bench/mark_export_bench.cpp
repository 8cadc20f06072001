// Exporting one task row of a 2,000-learner mark book into punte1.dbf and
// obe_p1.dbf (4,000 appended records, every mark converted), beside the
// floor of appending the same 4,000 records through the dBase engine alone.
// Each round starts from fresh copies of the tables, made outside the
// timing.
#include <benchmark/benchmark.h>

#include <array>

#include "bench_data_folder.h"
#include "markbook/export_value.h"
#include "markbook/mark_export.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"

namespace {

using km::platform::dbf_cell;
using km::platform::dbf_table;
using km::platform::Value;

constexpr int learners = 2000;
constexpr int row = 5;
constexpr double task_total = 40;
constexpr double subject_total = 100;

const QStringList tables{QStringLiteral("marks1.dbf"), QStringLiteral("punte1.dbf"),
                         QStringLiteral("obe_p1.dbf")};

QString book_mark(int r) {
  return r % 50 == 0 ? QStringLiteral("A") : QString::number((r * 7) % 41) + QStringLiteral(".0");
}

km::platform::dbf_field field(const char* name, char type, int width) {
  km::platform::dbf_field f;
  f.name = QLatin1String(name);
  f.type = type;
  f.width = width;
  return f;
}

struct folder : km::bench::bench_data_folder {
  folder() {
    std::vector<std::vector<dbf_cell>> book;
    for (int r = 0; r < learners; ++r) {
      std::vector<dbf_cell> cells{Value(double(1000 + r)), Value(QStringLiteral("LEARNER %1").arg(r))};
      for (int m = 1; m <= 40; ++m) cells.push_back(Value(m == row ? book_mark(r) : QString()));
      book.push_back(std::move(cells));
    }
    write_master_book(QStringLiteral("marks1.dbf"), book);
    km::platform::create_dbf_table(
        master(QStringLiteral("punte1.dbf")),
        {field("EF_T_NR", 'N', 8), field("EF_NAME", 'C', 40), field("EF_PUNT", 'C', 5),
         field("EF_PS_VO", 'C', 4), field("EF_KLAS", 'C', 3)});
    km::platform::create_dbf_table(
        master(QStringLiteral("obe_p1.dbf")),
        {field("EO_T_NR", 'N', 8), field("EO_NAME", 'C', 40), field("EO_PUNT", 'C', 5),
         field("EO_P_S", 'C', 2), field("EO_FE_1", 'C', 2)});
  }
  void fresh_copies() const { bench_data_folder::fresh_copies(tables); }
};

void export_task_row(benchmark::State& state) {
  const folder f;
  km::platform::data_control punte, book, obe;
  for (auto _ : state) {
    state.PauseTiming();
    f.fresh_copies();
    state.ResumeTiming();
    const km::mark_export_result r = km::export_mark_row(
        {punte, book, obe}, {QStringLiteral("C:\\DATA"), 1, row, task_total, subject_total, QString()});
    if (r.outcome != km::mark_export_outcome::exported || r.exported != learners)
      state.SkipWithError("the export did not do its work");
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(export_task_row)->Unit(benchmark::kMillisecond);

// The floor: the same 4,000 records, values ready, appended with the
// engine alone.
void append_with_the_engine(benchmark::State& state) {
  const folder f;
  std::vector<std::array<Value, 3>> records;
  for (int r = 0; r < learners; ++r)
    records.push_back({Value(double(1000 + r)), Value(QStringLiteral("LEARNER %1").arg(r)),
                       Value(km::exported_mark(book_mark(r), task_total, subject_total))});
  for (auto _ : state) {
    state.PauseTiming();
    f.fresh_copies();
    state.ResumeTiming();
    for (const QString& name : {QStringLiteral("punte1.dbf"), QStringLiteral("obe_p1.dbf")}) {
      km::platform::recordset rs(std::make_unique<dbf_table>(f.live(name), dbf_table::access::read_write));
      for (const auto& values : records) {
        rs.add_new();
        for (int i = 0; i < 3; ++i) rs.set_value(i, values[std::size_t(i)]);
        rs.update();
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(append_with_the_engine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
