// The mark list of the mark-lists print window for a combination of 2,000
// learners: every learner in the outcomes-based table with an effort key
// and a formative code, code lists of 20 effort keys and 99 formative
// descriptions. Reading both tables is the floor; the list is reading them
// and filling the grid with the codes joined in, in name order and by mark.
#include <benchmark/benchmark.h>

#include <QFile>

#include "bench_data_folder.h"
#include "marks/code_lists.h"
#include "marks/mark_list_rows.h"
#include "platform/dbase/data_control.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/print/text_metrics.h"

namespace {

using km::platform::dbf_cell;
using km::platform::Value;

constexpr int learners = 2000;
constexpr int effort_keys = 20;
constexpr int descriptions = 99;
const QString data_folder = QStringLiteral("C:\\DATA");

km::platform::dbf_field text_field(const char* name, int width) { return {QLatin1String(name), 'C', width}; }
km::platform::dbf_field number_field(const char* name) { return {QLatin1String(name), 'N', 8}; }

QString name_of(int r) {
  // Surnames in no order, some starting in lower case.
  const int n = (r * 7919) % learners;
  return (n % 5 == 0 ? QStringLiteral("van Learner %1") : QStringLiteral("Learner %1"))
      .arg(n, 4, 10, QLatin1Char('0'));
}

QString mark_of(int r) {
  return r % 50 == 0 ? QStringLiteral("A") : QString::number((r * 7) % 41) + QStringLiteral(".5");
}

struct folder : km::bench::bench_data_folder {
  folder() {
    write(QStringLiteral("PUNTE1.DBF"),
          {number_field("EF_T_NR"), text_field("EF_NAME", 40), text_field("EF_PUNT", 5),
           text_field("EF_PS_VO", 4)},
          [](int r) {
            return std::vector<dbf_cell>{Value(double(10000000 + r)), Value(name_of(r)), Value(mark_of(r)),
                                         Value(QString())};
          });
    // The outcomes-based records in the reverse order of the learners.
    write(QStringLiteral("OBE_P1.DBF"),
          {number_field("EO_T_NR"), text_field("EO_NAME", 40), text_field("EO_PUNT", 5),
           text_field("EO_P_S", 2), text_field("EO_FE_1", 2), text_field("EO_FE_2", 2),
           text_field("EO_FE_3", 2), text_field("EO_FE_4", 2)},
          [](int r) {
            const int n = learners - 1 - r;
            return std::vector<dbf_cell>{Value(double(10000000 + n)), Value(name_of(n)), Value(mark_of(n)),
                                         Value(QString::number(n % effort_keys + 1)),
                                         Value(QString::number(n % descriptions + 1))};
          });
    fresh_copies({QStringLiteral("PUNTE1.DBF"), QStringLiteral("OBE_P1.DBF")});
  }

  template <class Row>
  void write(const QString& name, const std::vector<km::platform::dbf_field>& fields, Row row) const {
    const QString layout = master(name + QStringLiteral(".layout"));
    km::platform::create_dbf_table(layout, fields);
    std::vector<std::vector<dbf_cell>> rows;
    for (int r = 0; r < learners; ++r) rows.push_back(row(r));
    km::platform::rebuild_dbf_table(master(name), layout, rows);
  }
};

km::code_list full_effort_keys() {
  km::code_list list;
  for (int k = 1; k <= effort_keys; ++k) {
    list.codes << QString::number(k);
    list.entries << QString::number(k) + QStringLiteral(" Effort key description %1").arg(k);
  }
  list.codes << QStringLiteral(" ");
  list.entries << QStringLiteral("   NONE");
  return list;
}

km::code_list full_formative_list() {
  km::code_list list;
  for (int k = 1; k <= descriptions; ++k) {
    const QString code = QString::number(k).rightJustified(2, QLatin1Char('0'));
    list.codes << code;
    list.entries << code + QStringLiteral(" Formative evaluation description number %1").arg(k);
  }
  return list;
}

void open(km::platform::data_control& control, const QString& table) {
  control.set_database_name(data_folder);
  control.set_record_source(table);
  control.set_read_only(true);
  control.refresh();
}

// Both tables opened and every record read, as the list reads them.
struct read_tables {
  std::vector<km::cycle_list_record> cycle;
  std::vector<km::obe_list_record> obe;
};
read_tables read_both() {
  km::platform::data_control cycle, obe;
  open(cycle, QStringLiteral("PUNTE1.DBF"));
  open(obe, QStringLiteral("OBE_P1.DBF"));
  return {km::read_cycle_list_records(cycle.recordset()), km::read_obe_list_records(obe.recordset())};
}

void read_both_tables(benchmark::State& state) {
  const folder f;
  for (auto _ : state) {
    const read_tables tables = read_both();
    if (tables.cycle.size() != learners || tables.obe.size() != learners) state.SkipWithError("short read");
    benchmark::DoNotOptimize(tables);
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(read_both_tables)->Unit(benchmark::kMillisecond);

void fill_mark_list(benchmark::State& state) {
  const folder f;
  const km::code_list keys = full_effort_keys();
  const km::code_list formative = full_formative_list();
  const auto order = state.range(0) ? km::mark_list_order::by_mark : km::mark_list_order::alphabetical;
  km::platform::flex_grid grid;
  grid.set_text_metrics(std::make_shared<km::platform::fixed_text_metrics>());
  for (auto _ : state) {
    const read_tables tables = read_both();
    const km::mark_list_sums sums =
        km::fill_mark_list_rows(grid, tables.cycle, tables.obe, keys, formative, order);
    if (grid.rows() != learners + 1 || sums.count == 0 || !grid.text_matrix(1, 6).contains(u' '))
      state.SkipWithError("the list was not filled");
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(fill_mark_list)->Arg(0)->Arg(1)->ArgName("by_mark")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
