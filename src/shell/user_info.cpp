#include "shell/user_info.h"

#include "common/file_number_pool.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "platform/value.h"
#include "shell/settings_files.h"

namespace km {

namespace {

QString without_quotes(QString text) {
  text = text.trimmed();
  if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) text = text.mid(1, text.size() - 2);
  return text;
}

// The first comma-delimited field of a line as a whole number; nothing when
// it is not one.
std::optional<int> setting_of(const QString& line) {
  const QString field = without_quotes(line.section(u',', 0, 0));
  if (field.isEmpty() || !platform::is_number_text(field)) return std::nullopt;
  try {
    return platform::Value(field).to_int16();
  } catch (const platform::value_error&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<user_info_read> read_user_info(const QString& win_path) {
  std::int16_t number = get_free_file_number(1);
  user_info_read out;
  bool opened = false;
  try {
    platform::open_file(number, win_path, platform::open_mode::input);
    opened = true;
    if (!platform::eof(number)) out.data_folder = without_quotes(platform::line_input(number));
    if (!platform::eof(number)) out.effort_key_list = setting_of(platform::line_input(number));
    if (!platform::eof(number)) out.formative_list = setting_of(platform::line_input(number));
  } catch (const platform::file_error&) {
    // What was read so far stands.
  }
  abandon_file(number);
  if (!opened) return std::nullopt;
  return out;
}

bool write_user_info(const user_info_values& values, const QString& win_path) {
  return write_text_lines(win_path, {values.data_folder, print_number_text(float(values.effort_key_list)),
                                     print_number_text(float(values.formative_list))});
}

}  // namespace km
