#include "printing/print_target.h"

#include "platform/services.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/win_path.h"
#include "printing/print_variables.h"

namespace km {

namespace {

std::shared_ptr<platform::print_device>& own_device() {
  static std::shared_ptr<platform::print_device> kept;
  return kept;
}

// The printer itself is made afresh by the reset; nothing is lent any more.
const platform::reset_step nothing_lent{platform::reset_stage::values, [] { own_device().reset(); }};

}  // namespace

void lend_printer_device(std::shared_ptr<platform::print_device> device) {
  if (!own_device()) own_device() = platform::printer().shared_device();
  platform::printer().set_device(std::move(device));
}

void return_printer_device() {
  if (!own_device()) return;
  platform::printer().set_device(std::move(own_device()));
  own_device().reset();
}

bool printer_device_lent() { return own_device() != nullptr; }

bool has_file_extension(const QString& name) {
  const QString last = platform::file_name_part(name.trimmed());
  const qsizetype dot = last.lastIndexOf(u'.');
  if (dot <= 0 || dot == last.size() - 1) return false;
  return !last.mid(dot + 1).contains(u' ');
}

QString html_export_path() {
  QString name = g_html_file_name.trimmed();
  if (!has_file_extension(name)) name += QStringLiteral(".html");
  return platform::join_win_path(g_html_folder, name);
}

}  // namespace km
