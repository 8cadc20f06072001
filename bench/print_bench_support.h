#pragma once
// What the printing benchmarks share: a device that takes the finished
// pages and writes nothing (to time the drawing apart from any writer), and
// the pages-per-second counter.

#include <benchmark/benchmark.h>

#include <QString>

#include "platform/ui/printer/print_device.h"

namespace km::bench {

class null_device : public platform::print_device {
 public:
  QString name() const override { return QStringLiteral("null"); }
  bool write(const platform::print_document&, platform::print_error&) override { return true; }
};

// Sets the counter "pages_per_second" for a run that printed pages_per_run
// pages in each iteration.
inline void count_pages(benchmark::State& state, int pages_per_run) {
  state.counters["pages_per_second"] =
      benchmark::Counter(double(state.iterations()) * pages_per_run, benchmark::Counter::kIsRate);
}

}  // namespace km::bench
