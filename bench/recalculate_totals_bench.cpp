// RECALCULATE TOTALS on a 2,000-learner mark book, two ways in one run:
// - window_command: the capture window (offscreen) opened on the book, its
//   RECALCULATE TOTALS button clicked, and the paints that follow done
//   before the clock stops (the progress bar, the rows written, the return
//   to the subject list): what the teacher waits for;
// - arithmetic: the floor, the same set-up's totals of the same book worked
//   out and written back record by record through the record set, no window.
// Each round starts from a fresh copy of the book, made outside the timing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "bench_data_folder.h"
#include "common/shared_variables.h"
#include "markbook/example_setup.h"
#include "markbook/mark_totals.h"
#include "markbook/markbook_windows.h"
#include "markbook/pboek_inlees.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/number_locale.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "print_bench_support.h"
#include "tools/sample_school.h"

namespace {

using km::platform::dbf_cell;
using km::platform::dbf_table;
using km::platform::Value;

constexpr int learners = 2000;
const QString book_name = QStringLiteral("marks1.dbf");

km::setup_rows example_rows() {
  km::setup_rows rows;
  km::apply_example_setup(rows, false);
  return rows;
}

// The sample school in C:\DATA, the template in C:\PROGRAM, the example
// set-up saved for combination 1, and its book replaced by 2,000 learners
// in name order (so that the window's rebuild on opening keeps the records
// as they are) with marks in the example's first 21 sets.
struct school : km::bench::bench_data_folder {
  school() {
    km::g_data_folder = QStringLiteral("C:\\DATA");
    km::g_program_folder = QStringLiteral("C:\\PROGRAM");
    km::g_school_name = QStringLiteral("BENCH SCHOOL");
    km::g_language = false;
    km::sample_school_options options;
    options.data_folder = km::g_data_folder;
    km::make_sample_school(options);
    const QString program = QDir::cleanPath(data() + QStringLiteral("/../PROGRAM"));
    QDir().mkpath(program);
    QFile t(program + QStringLiteral("/mrk_book.org"));
    t.open(QIODevice::WriteOnly);
    t.write(km::mark_book_template_bytes());
    t.close();

    const km::setup_rows rows = example_rows();
    std::vector<std::vector<dbf_cell>> records;
    for (int r = 0; r < learners; ++r) {
      std::vector<dbf_cell> row{Value(double(1000 + r)), Value(QStringLiteral("LEARNER %1").arg(r + 1, 5))};
      for (int m = 0; m < 40; ++m) {
        const int total = rows[std::size_t(m)].total.toInt();
        row.push_back(m < 21 && total > 0
                          ? Value(QString::number((r * 7 + m) % (total + 1)) + QStringLiteral(".0"))
                          : Value());
      }
      records.push_back(std::move(row));
    }
    write_master_book(book_name, records);
    fresh_copies({book_name});
  }
};

// The capture window on the school: loaded, shown, the set-up of
// combination 1 saved under the name its subject list leads to.
struct capture_window {
  km::pboek_inlees* window = nullptr;
  QPushButton* totals = nullptr;

  capture_window() {
    window = static_cast<km::pboek_inlees*>(km::platform::load_form(QStringLiteral("pboek_inlees")));
    if (!window) return;
    window->show();
    const km::platform::flex_grid& list =
        window->findChild<km::platform::flex_grid_view*>(QStringLiteral("vak_grid"))->grid();
    QStringList cells;
    for (int c = 0; c < list.cols(); ++c) cells << list.text_matrix(0, c);
    km::write_setup_file(km::find_setup_file(km::g_data_folder, cells).win_path, example_rows());
    totals = window->findChild<QPushButton*>(QStringLiteral("pboek_inlees_totale"));
  }
  ~capture_window() { km::platform::unload_all_but(QString()); }
  // Opens combination 1's book and lets the window paint it.
  bool open_book() const {
    window->open_mark_book(0);
    QApplication::processEvents();
    return window->book_open() && window->capture_grid()->isVisible();
  }
};

void window_command(benchmark::State& state) {
  const school s;
  const capture_window w;
  if (!w.window || !w.totals) {
    state.SkipWithError("the capture window did not open");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    s.fresh_copies({book_name});
    const bool opened = w.open_book();
    state.ResumeTiming();
    if (!opened) {
      state.SkipWithError("the book did not open");
      break;
    }
    w.totals->click();
    QApplication::processEvents();  // the paints the command left pending
    if (w.window->book_open()) state.SkipWithError("the command did not go back to the list");
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(window_command)->Unit(benchmark::kMillisecond);

// The floor: the same totals of the same book, read, worked out and written
// back changed fields only, one record after the other.
void arithmetic(benchmark::State& state) {
  const school s;
  const km::setup_rows rows = example_rows();
  for (auto _ : state) {
    state.PauseTiming();
    s.fresh_copies({book_name});
    state.ResumeTiming();
    km::platform::recordset rs(std::make_unique<dbf_table>(s.live(book_name), dbf_table::access::read_write));
    for (rs.move_first(); !rs.eof(); rs.move_next()) {
      km::mark_record record;
      for (int c = 0; c < km::marks_dbf_field_count; ++c) {
        const Value v = rs.value(c);
        if (!v.is_null()) record[std::size_t(c)] = v.to_text();
      }
      const km::mark_record after = km::recalculate_totals(rows, record);
      rs.edit();
      for (int c = 2; c < km::marks_dbf_field_count; ++c)
        if (after[std::size_t(c)] != record[std::size_t(c)])
          rs.set_value(c, Value(after[std::size_t(c)].value_or(QString())));
      rs.update();
    }
  }
  state.SetItemsProcessed(state.iterations() * learners);
}
BENCHMARK(arithmetic)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  km::bench::silent_dialogs dialogs;
  km::platform::set_dialogs(&dialogs);
  km::register_markbook_windows();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  km::platform::set_dialogs(nullptr);
  return 0;
}
