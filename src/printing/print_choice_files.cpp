#include "printing/print_choice_files.h"

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/value.h"

namespace km {

namespace {

// Reads the first value of a file; nothing when it is missing or unreadable.
std::optional<platform::Value> read_one_value(const QString& path) {
  if (!platform::file_exists(path)) return std::nullopt;
  std::optional<platform::Value> value;
  g_file_number = get_free_file_number(1);
  try {
    platform::open_file(g_file_number, path, platform::open_mode::input);
    value = platform::input_field(g_file_number);
  } catch (const platform::file_error&) {
    value.reset();
  }
  abandon_file(g_file_number);
  return value;
}

// Replaces a file with one value. The text goes to a temporary file that
// takes the old file's place when it is closed.
bool write_one_value(const QString& path, const platform::Value& value) {
  g_file_number = get_free_file_number(1);
  try {
    platform::open_file(g_file_number, path, platform::open_mode::output);
    platform::write_fields(g_file_number, {value});
    close_file(g_file_number);
    return true;
  } catch (const platform::file_error&) {
    abandon_file(g_file_number);  // the old file stays as it was
    return false;
  }
}

}  // namespace

QString colour_file_path() { return g_user_folder + QStringLiteral("\\kleur_drukker.txt"); }
QString excel_folder_file_path() { return g_settings_folder + QStringLiteral("\\excel_uitvoer_gids"); }
QString html_folder_file_path() { return g_settings_folder + QStringLiteral("\\html_uitvoer_gids"); }

std::optional<bool> read_colour_file() {
  const auto value = read_one_value(colour_file_path());
  if (!value) return std::nullopt;
  try {
    return value->to_bool();
  } catch (const platform::value_error&) {
    return std::nullopt;
  }
}

bool write_colour_file(bool colour) { return write_one_value(colour_file_path(), platform::Value(colour)); }

QString read_last_folder(const QString& file_path) {
  const auto value = read_one_value(file_path);
  if (!value || value->is_null()) return {};
  return value->to_text();
}

bool write_last_folder(const QString& file_path, const QString& folder) {
  return write_one_value(file_path, platform::Value(folder));
}

}  // namespace km
