// Printing a 40-page report to the PDF writer: per page a frame, a header,
// rotated column headings, 55 lines of text and a rule under each line.
// The counter "pages_per_second" is the figure to watch.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>

#include "platform/number_locale.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_object.h"
#include "print_bench_support.h"

namespace {

using namespace km::platform;

constexpr int report_pages = 40;
constexpr int lines_per_page = 55;

void print_report(printer_object& p) {
  p.set_job_name("Benchmark report");
  p.set_orientation(page_orientation::portrait);
  for (int page = 1; page <= report_pages; ++page) {
    if (page > 1) p.new_page();
    p.set_scale_mode(scale_unit::characters);
    p.set_font_name("Lucida Console");
    p.set_font_size(8);
    p.line(0.25, 0.25, p.scale_width() - 0.5, p.scale_height() - 0.5, line_shape::box);
    p.set_current_y(0.5);
    p.print({print_tab{3}, QStringLiteral("2017.03.17")}, print_end::stay);
    p.set_current_x(p.scale_width() - 2 - p.text_width(QStringLiteral("KORVA-MARKS")));
    p.print(QStringLiteral("KORVA-MARKS"));
    p.print({print_tab{3}, QStringLiteral("PAGE : %1").arg(p.page())});
    p.line(0.25, 5, p.scale_width() - 0.5, 5);

    // Turned headings over the mark columns.
    p.set_scale_mode(scale_unit::twips);
    p.set_font_name("Arial");
    for (int column = 0; column < 12; ++column) {
      p.set_current_x(5200 + column * 480);
      p.set_current_y(2900);
      p.print_rotated(QStringLiteral("Task %1 of term").arg(column + 1), 900);
    }

    p.set_scale_mode(scale_unit::characters);
    p.set_font_name("Lucida Console");
    p.set_current_y(13);
    for (int line = 0; line < lines_per_page; ++line) {
      const int learner = (page - 1) * lines_per_page + line + 1;
      p.print(
          {QStringLiteral("%1").arg(learner, -3), print_tab{6}, QStringLiteral("%1").arg(10000 + learner, 6),
           print_tab{14}, QStringLiteral("LEARNER SURNAME %1, FIRSTNAME").arg(learner), print_tab{54},
           QStringLiteral("\u00A6  63.5\u00A6  71.0\u00A6   A\u00A6  48.5\u00A6  90.0\u00A6")},
          print_end::stay);
      const double y = p.current_y() + p.text_height(QStringLiteral("X"));
      p.line(1, y, p.scale_width() - 1, y);
      p.set_current_x(0);
      p.set_current_y(y);
    }
  }
}

void print_pdf_report(benchmark::State& state) {
  QTemporaryDir dir;
  auto device = pdf_device::to_file(dir.filePath(QStringLiteral("report.pdf")));
  printer_object p(device);
  for (auto _ : state) {
    print_report(p);
    if (!p.end_doc()) state.SkipWithError(qPrintable(p.last_error().text()));
  }
  km::bench::count_pages(state, report_pages);
}
BENCHMARK(print_pdf_report)->Unit(benchmark::kMillisecond);

// The same report collected without writing, to show what the drawing
// bookkeeping costs apart from the PDF writer.
void collect_report(benchmark::State& state) {
  printer_object p(std::make_shared<km::bench::null_device>());
  for (auto _ : state) {
    print_report(p);
    if (!p.end_doc()) state.SkipWithError(qPrintable(p.last_error().text()));
  }
  km::bench::count_pages(state, report_pages);
}
BENCHMARK(collect_report)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts need the GUI application
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
