#pragma once
// What the printing benchmarks share: a device that takes the finished
// pages and writes nothing (to time the drawing apart from any writer),
// dialogs that answer every prompt at once, and the pages-per-second
// counter.

#include <benchmark/benchmark.h>

#include <QString>

#include "platform/dialogs.h"
#include "platform/ui/printer/print_device.h"

namespace km::bench {

class null_device : public platform::print_device {
 public:
  QString name() const override { return QStringLiteral("null"); }
  bool write(const platform::print_document&, platform::print_error&) override { return true; }
};

// Answers every prompt at once: the completion message needs no user here.
class silent_dialogs : public platform::dialog_service {
 public:
  platform::msg_answer message_box(const platform::message_request&) override {
    return platform::msg_answer::ok;
  }
  platform::input_answer input_box(const platform::input_request&) override { return {}; }
  void beep() override {}
  std::optional<QString> browse_folder(const platform::folder_request&) override { return std::nullopt; }
  std::optional<QString> file_dialog(const platform::file_request&) override { return std::nullopt; }
  std::optional<platform::printer_choice> printer_dialog(const platform::printer_request&) override {
    return std::nullopt;
  }
  std::optional<platform::font_choice> font_dialog(const platform::font_request&) override {
    return std::nullopt;
  }
  QString clipboard_text() override { return {}; }
  void set_clipboard_text(const QString&) override {}
};

// Sets the counter "pages_per_second" for a run that printed pages_per_run
// pages in each iteration.
inline void count_pages(benchmark::State& state, int pages_per_run) {
  state.counters["pages_per_second"] =
      benchmark::Counter(double(state.iterations()) * pages_per_run, benchmark::Counter::kIsRate);
}

}  // namespace km::bench
