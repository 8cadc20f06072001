#include "printing/workbook_sink.h"

#include <stdexcept>

#include "platform/services.h"

namespace km {

namespace {

workbook_factory& installed_factory() {
  static workbook_factory factory;
  return factory;
}

// The writer is the application's, installed at start.
const platform::reset_step no_factory{platform::reset_stage::values, [] { installed_factory() = nullptr; }};

}  // namespace

void null_workbook::select_sheet(int number) {
  if (number < 1 || number > sheets_) throw std::out_of_range("no such worksheet");
  current_ = number;
}

bool null_workbook::save(const QString&, QString& error) {
  error = QStringLiteral("No workbook writer is installed.");
  return false;
}

void set_workbook_factory(workbook_factory factory) { installed_factory() = std::move(factory); }

std::unique_ptr<workbook_sink> new_workbook() {
  if (installed_factory()) return installed_factory()();
  return std::make_unique<null_workbook>();
}

QString workbook_extension() { return QStringLiteral(".xlsx"); }

}  // namespace km
