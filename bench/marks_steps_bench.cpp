// The table steps of the capture windows on a 2,000-learner combination:
// choosing it (the backup of PUNTE1.DBF, then the rewrite of a table in
// reverse name order into name order) and saving (every mark copied into an
// OBE table that lacks half the learners), beside the floor of copying the
// table file alone. Each round starts from fresh copies of the tables, made
// outside the timing.
#include <benchmark/benchmark.h>

#include "bench_data_folder.h"
#include "marks/marks_table_steps.h"
#include "marks/marks_tables.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/file_system.h"
#include "platform/model/grid/flex_grid.h"

namespace {

using km::field_ref;
using km::platform::dbf_cell;
using km::platform::Value;

constexpr int learners = 2000;
const QString data_folder = QStringLiteral("C:\\DATA");
const QString punte = km::cycle_table_name(1);
const QString obe = km::obe_table_name(1);
const QString backup = km::cycle_backup_name(1);

// A text field of the tables.
km::platform::dbf_field text_field(const char* name, int width) { return {QLatin1String(name), 'C', width}; }

QString cycle_mark(int r) {
  return r % 50 == 0 ? QStringLiteral("A") : QString::number((r * 7) % 41) + QStringLiteral(".5");
}

struct folder : km::bench::bench_data_folder {
  folder() {
    // PUNTE1.DBF in reverse name order, every learner with a mark.
    write_master(punte,
                 {km::platform::dbf_field{QStringLiteral("EF_T_NR"), 'N', 8}, text_field("EF_NAME", 40),
                  text_field("EF_PUNT", 5), text_field("EF_PS_VO", 4), text_field("EF_KLAS", 3)},
                 [](int r) {
                   const int n = learners - 1 - r;
                   return std::vector<dbf_cell>{
                       Value(double(10000000 + n)),
                       Value(QStringLiteral("LEARNER %1").arg(n, 4, 10, QLatin1Char('0'))),
                       Value(cycle_mark(n)), Value(QString()), Value(QStringLiteral("8A"))};
                 });
    // OBE_P1.DBF with every second learner, holding an older mark.
    write_master(obe,
                 {km::platform::dbf_field{QStringLiteral("EO_T_NR"), 'N', 8}, text_field("EO_NAME", 40),
                  text_field("EO_PUNT", 5), text_field("EO_P_S", 2), text_field("EO_FE_1", 2),
                  text_field("EO_FE_2", 2), text_field("EO_FE_3", 2), text_field("EO_FE_4", 2)},
                 [](int r) {
                   return r % 2 ? std::vector<dbf_cell>{}
                                : std::vector<dbf_cell>{
                                      Value(double(10000000 + r)),
                                      Value(QStringLiteral("LEARNER %1").arg(r, 4, 10, QLatin1Char('0'))),
                                      Value(QStringLiteral("1.0"))};
                 });
  }

  template <class Row>
  void write_master(const QString& name, const std::vector<km::platform::dbf_field>& fields, Row row) const {
    const QString layout = master(name + QStringLiteral(".layout"));
    km::platform::create_dbf_table(layout, fields);
    std::vector<std::vector<dbf_cell>> rows;
    for (int r = 0; r < learners; ++r)
      if (auto cells = row(r); !cells.empty()) rows.push_back(std::move(cells));
    km::platform::rebuild_dbf_table(master(name), layout, rows);
  }
};

void open(km::platform::data_control& control, const QString& table) {
  control.set_database_name(data_folder);
  control.set_record_source(table);
  control.refresh();
}

void choose_combination(benchmark::State& state) {
  const folder f;
  km::platform::data_control control;
  km::platform::flex_grid grid;
  for (auto _ : state) {
    state.PauseTiming();
    control.close_database();
    f.fresh_copies({punte});
    open(control, punte);
    state.ResumeTiming();
    const km::table_step saved = km::make_backup(data_folder, punte, backup);
    const km::sort_result sorted = km::sort_table_by_name(control, grid, field_ref::at(1));
    if (!saved.ok || !sorted.ok || !sorted.rewritten) state.SkipWithError("the steps did not do their work");
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(choose_combination)->Unit(benchmark::kMillisecond);

// One save: every mark of `from` copied into `to`, on fresh copies of both
// tables each time.
struct copy_case {
  QString from, to;
  const char *from_number, *from_mark, *to_number, *to_mark;
  int updated, added;
};

void copy_between(benchmark::State& state, const copy_case& c) {
  const folder f;
  km::platform::data_control from, to;
  for (auto _ : state) {
    state.PauseTiming();
    from.close_database();
    to.close_database();
    f.fresh_copies({punte, obe});
    open(from, c.from);
    open(to, c.to);
    state.ResumeTiming();
    const km::copy_result r = km::copy_marks(from.recordset(), field_ref::named(QLatin1String(c.from_number)),
                                             field_ref::named(QLatin1String(c.from_mark)), to.recordset(),
                                             field_ref::named(QLatin1String(c.to_number)),
                                             field_ref::named(QLatin1String(c.to_mark)));
    if (!r.ok || r.updated != c.updated || r.added != c.added)
      state.SkipWithError("the copy did not do its work");
  }
  state.SetItemsProcessed(state.iterations() * learners);
}

// The cycle-marks save: into an outcomes-based table that lacks half the
// learners.
void save_into_obe(benchmark::State& state) {
  copy_between(state, {punte, obe, "EF_T_NR", "EF_PUNT", "EO_T_NR", "EO_PUNT", learners / 2, learners / 2});
}
BENCHMARK(save_into_obe)->Unit(benchmark::kMillisecond);

// The outcomes-based save: every summative mark copied into the cycle-marks
// table, which holds every learner already.
void save_into_cycle(benchmark::State& state) {
  copy_between(state, {obe, punte, "eo_t_nr", "eo_punt", "ef_t_nr", "ef_punt", learners / 2, 0});
}
BENCHMARK(save_into_cycle)->Unit(benchmark::kMillisecond);

// A floor of the saves: both tables opened and every field of every record
// read.
void read_both_tables(benchmark::State& state) {
  const folder f;
  f.fresh_copies({punte, obe});
  km::platform::data_control first, second;
  for (auto _ : state) {
    qint64 fields = 0;
    for (auto [control, table] : {std::pair{&first, punte}, std::pair{&second, obe}}) {
      control->close_database();
      open(*control, table);
      const km::platform::recordset& rs = control->recordset();
      for (qint64 p = 0; p < rs.record_count(); ++p)
        for (int c = 0; c < rs.field_count(); ++c) fields += rs.value_at(p, c).is_null() ? 0 : 1;
    }
    benchmark::DoNotOptimize(fields);
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(read_both_tables)->Unit(benchmark::kMillisecond);

// The floor: the table file copied, as the backup copies it, and nothing else.
void copy_table_file(benchmark::State& state) {
  const folder f;
  f.fresh_copies({punte});
  for (auto _ : state)
    km::platform::copy_file(km::platform::join_win_path(data_folder, punte),
                            km::platform::join_win_path(data_folder, backup), true);
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(copy_table_file)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
