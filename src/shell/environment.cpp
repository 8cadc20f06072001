#include "shell/environment.h"

#include <array>

#include "platform/registry.h"
#include "platform/services.h"
#include "platform/system_settings.h"
#include "platform/value.h"

namespace km {

const QString linked_connections_value = QStringLiteral(
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\EnableLinkedConnections");
const QString explorer_hidden_value =
    QStringLiteral("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\Hidden");
const QString explorer_super_hidden_value =
    QStringLiteral("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\ShowSuperHidden");
const QString product_name_value =
    QStringLiteral("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\ProductName");

namespace {

int g_setting_changes = 0;

const platform::reset_step no_setting_changes{platform::reset_stage::values, [] { g_setting_changes = 0; }};

// The setting that a locale item names, or nullptr.
QChar* locale_setting(int item) {
  platform::system_settings_t& s = platform::system_settings();
  switch (item) {
    case locale_decimal:
      return &s.decimal;
    case locale_thousands:
      return &s.thousands;
    case locale_monetary_decimal:
      return &s.monetary_decimal;
    case locale_monetary_thousands:
      return &s.monetary_thousands;
    default:
      return nullptr;
  }
}

}  // namespace

QString get_locale_info(int item) {
  const QChar* setting = locale_setting(item);
  return setting ? QString(*setting) : QString();
}

bool set_locale_info(int item, const QString& value) {
  QChar* setting = locale_setting(item);
  if (!setting || value.isEmpty()) return false;
  *setting = value.at(0);
  ++g_setting_changes;
  return true;
}

int setting_change_messages() { return g_setting_changes; }

QString set_number_separators() {
  static const std::array<std::pair<int, const char*>, 4> wanted{{
      {locale_decimal, "."},
      {locale_thousands, ","},
      {locale_monetary_decimal, "."},
      {locale_monetary_thousands, ","},
  }};
  for (const auto& [item, character] : wanted) {
    const QString text = QString::fromLatin1(character);
    if (get_locale_info(item) != text) set_locale_info(item, text);
  }
  const auto name = platform::registry_read(product_name_value);
  if (!name || name->is_null()) return {};
  return name->to_text().trimmed();
}

void write_registry_dword(const QString& value_path, int value) {
  try {
    platform::registry_write(value_path, platform::Value::int32(value), platform::registry_type::dword);
  } catch (const platform::registry_error&) {
    // Passed over: these values only tune how the system shows drives and
    // files; without them the program works the same.
  }
}

void enable_linked_connections() { write_registry_dword(linked_connections_value, 1); }

void show_hidden_files() {
  const auto hidden = platform::registry_read(explorer_hidden_value);
  if (!hidden || !hidden->is_numeric()) return;
  if (hidden->to_double() != 2) return;
  write_registry_dword(explorer_hidden_value, 1);
  write_registry_dword(explorer_super_hidden_value, 1);
}

}  // namespace km
