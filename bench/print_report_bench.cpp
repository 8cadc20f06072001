// A 40-page report through the printing routines: per page the report
// header (frame, rule, three header lines), twelve turned column headings
// rendered as pictures, and 50 body lines each with a rule, then the end of
// the job, written to the PDF writer. The counter "pages_per_second" is the
// figure to watch; the second benchmark collects the same pages without
// writing them, to show what the routines cost apart from the PDF writer.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

#include "common/shared_variables.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_object.h"
#include "print_bench_support.h"
#include "printing/print_drawing.h"
#include "printing/print_job_end.h"
#include "printing/print_variables.h"
#include "printing/report_header.h"
#include "printing/rotated_text.h"
#include "printing/wys_druk_vordering.h"
#include "printing_bench_main.h"

namespace {

using namespace km;
using platform::printer;

constexpr int report_pages = 40;
constexpr int lines_per_page = 50;
constexpr int headings_per_page = 12;

void print_report() {
  reset_progress_window();
  g_print_title = QStringLiteral("MARK BOOK 10A");
  printer().set_job_name(g_print_title);
  g_print_new_document = true;
  platform::flex_grid grid;
  grid.set_row_height(grid.row(), 1800);
  QString title = g_print_title;
  for (int page = 1; page <= report_pages; ++page) {
    if (page > 1) {
      printer().new_page();
      g_print_new_document = true;
    }
    QString subtitle = QStringLiteral("TERM 1");
    const double start = print_report_header(title, &subtitle, paper_a4_landscape);
    printer().set_font_name(QStringLiteral("Arial"));
    printer().set_font_size(8);
    for (int column = 0; column < headings_per_page; ++column) {
      const QImage heading = print_rotated_text(QStringLiteral("Task %1 of term").arg(column + 1), grid);
      printer().paint_picture(heading, 50 + column * 4, start);
    }
    set_print_font();
    printer().set_current_y(start + 8);
    for (int line = 0; line < lines_per_page && printer().current_y() < g_print_page_lines - 1; ++line) {
      const int learner = (page - 1) * lines_per_page + line + 1;
      const double y = printer().current_y();
      printer().print({QStringLiteral("%1").arg(learner, 4), platform::print_tab{7},
                       QStringLiteral("LEARNER SURNAME %1, FIRSTNAME").arg(learner), platform::print_tab{50},
                       QStringLiteral("  63.5  71.0   A  48.5  90.0")},
                      platform::print_end::stay);
      print_line(1, y + 0.8, g_print_line_length, y + 0.8);
      printer().set_current_x(0);
      printer().set_current_y(y + 0.8);
    }
  }
  end_print_job(false, false);
}

void print_report_to_pdf(benchmark::State& state) {
  QTemporaryDir dir;
  printer().set_device(platform::pdf_device::to_file(dir.filePath(QStringLiteral("report.pdf"))));
  printer().reset();
  for (auto _ : state) {
    print_report();
    if (printer().last_page_count() != report_pages) state.SkipWithError("the report did not come out whole");
  }
  km::bench::count_pages(state, report_pages);
}
BENCHMARK(print_report_to_pdf)->Unit(benchmark::kMillisecond);

void collect_report(benchmark::State& state) {
  printer().set_device(std::make_shared<km::bench::null_device>());
  printer().reset();
  for (auto _ : state) print_report();
  km::bench::count_pages(state, report_pages);
}
BENCHMARK(collect_report)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return km::bench::run_printing_benchmarks(argc, argv); }
