#pragma once
// The main of the benchmarks that print through the printing routines: an
// offscreen application (the progress window is a widget), dialogs that
// answer every prompt at once, the printing windows registered.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/number_locale.h"
#include "print_bench_support.h"
#include "printing/printing_windows.h"

namespace km::bench {

inline int run_printing_benchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  silent_dialogs dialogs;
  platform::set_dialogs(&dialogs);
  register_printing_windows();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform::set_dialogs(nullptr);
  return 0;
}

}  // namespace km::bench
