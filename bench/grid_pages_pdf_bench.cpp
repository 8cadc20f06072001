// A report grid of 2,000 learners and 42 columns printed through the paged
// grid printer, page after page with the report header between pages as a
// print button does, and written to the PDF writer. The grid has a heading
// row of turned task names, a second heading row with merged term names,
// and cell fonts of their own. The counter "pages_per_second" is the figure
// to watch; the second benchmark collects the same pages without writing
// them.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

#include "common/shared_variables.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_object.h"
#include "print_bench_support.h"
#include "printing/grid_pages_printer.h"
#include "printing/print_job_end.h"
#include "printing/print_variables.h"
#include "printing/report_header.h"
#include "printing/wys_druk_vordering.h"
#include "printing_bench_main.h"

namespace {

using namespace km;
using platform::flex_grid;
using platform::printer;

constexpr int report_learners = 2000;
constexpr int columns = 42;
constexpr int first_mark_column = 2;
constexpr int tasks_per_term = 10;

// Two heading rows (turned task names; term names merged over their
// tasks), then one row per learner: number, name, 40 marks.
void fill_report_grid(flex_grid& grid, int learners) {
  grid.set_redraw(false);
  grid.set_fixed_cols(0);
  grid.set_cols(columns);
  grid.set_rows(learners + 2);
  grid.set_fixed_rows(2);
  grid.set_font(platform::print_font{QStringLiteral("Arial"), 8.0});
  grid.set_col_width(0, 420);
  grid.set_col_width(1, 2600);
  grid.set_text_matrix(0, 0, QStringLiteral("NO"));
  grid.set_text_matrix(0, 1, QStringLiteral("LEARNER"));
  grid.set_merge_row(1, true);
  for (int c = first_mark_column; c < columns; ++c) {
    const int task = c - first_mark_column;
    grid.set_col_width(c, 300);
    grid.set_col_alignment(c, platform::grid_alignment::right_center);
    grid.set_text_matrix(0, c, QStringLiteral("~~R~~Task %1 of term").arg(task % tasks_per_term + 1));
    grid.set_text_matrix(1, c, QStringLiteral("TERM %1").arg(task / tasks_per_term + 1));
  }
  for (int r = 2; r < grid.rows(); ++r) {
    const int learner = r - 1;
    grid.set_text_matrix(r, 0, QString::number(learner));
    grid.set_text_matrix(r, 1, QStringLiteral("SURNAME %1, FIRSTNAME").arg(learner));
    for (int c = first_mark_column; c < columns; ++c)
      grid.set_text_matrix(
          r, c, (learner + c) % 23 == 0 ? QStringLiteral("A") : QString::number(30 + (learner * c) % 70));
    if (learner % 5 == 0) {  // every fifth learner in a font of its own
      grid.set_row(r);
      grid.set_col(1);
      grid.set_cell_font_bold(true);
      grid.set_cell_font_name(QStringLiteral("Tahoma"));
    }
  }
  grid.set_redraw(true);
}

// The print button's loop: header, one page of the grid, continuation mark,
// new page, until the grid is finished. The number of pages.
int print_grid_report(flex_grid& grid) {
  reset_progress_window();
  g_print_title = QStringLiteral("MARK BOOK 10A");
  printer().set_job_name(g_print_title);
  g_print_new_document = true;
  QString title = g_print_title;
  grid_pages_options options;
  options.centre_table = true;
  options.auto_fit = false;
  int pages = 0;
  for (;;) {
    QString subtitle = QStringLiteral("TERM MARKS");
    print_report_header(title, &subtitle, paper_a4_landscape);
    ++pages;
    if (print_flexgrid_pages(grid, options) == -1) break;
    printer().set_current_x(g_print_page_columns - 8);
    printer().print(QStringLiteral(".../%1").arg(pages + 1));
    printer().new_page();
    g_print_new_document = true;
  }
  end_print_job(false, false);
  return pages;
}

void run(benchmark::State& state) {
  {  // the first report loads the fonts; it is not timed
    flex_grid warm_up;
    fill_report_grid(warm_up, 40);
    print_grid_report(warm_up);
  }
  int pages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    flex_grid grid;
    fill_report_grid(grid, report_learners);
    state.ResumeTiming();
    pages = print_grid_report(grid);
    if (printer().last_page_count() != pages) state.SkipWithError("the report did not come out whole");
  }
  state.counters["pages"] = pages;
  km::bench::count_pages(state, pages);
}

void grid_pages_to_pdf(benchmark::State& state) {
  QTemporaryDir dir;
  printer().set_device(platform::pdf_device::to_file(dir.filePath(QStringLiteral("grid.pdf"))));
  printer().reset();
  run(state);
}
BENCHMARK(grid_pages_to_pdf)->Unit(benchmark::kMillisecond);

void grid_pages_collected(benchmark::State& state) {
  printer().set_device(std::make_shared<km::bench::null_device>());
  printer().reset();
  run(state);
}
BENCHMARK(grid_pages_collected)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return km::bench::run_printing_benchmarks(argc, argv); }
