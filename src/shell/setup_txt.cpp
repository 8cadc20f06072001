#include "shell/setup_txt.h"

#include "common/file_number_pool.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/services.h"
#include "platform/value.h"
#include "shell/settings_files.h"

namespace km {

QString g_setup_line1_value;
QString g_setup_line3_value1;
QString g_setup_line3_value2;

namespace {

void empty_setup_values() {
  g_setup_line1_value.clear();
  g_setup_line3_value1.clear();
  g_setup_line3_value2.clear();
}
const platform::reset_step empty_setup_values_at_reset{platform::reset_stage::values, empty_setup_values};

}  // namespace

QString setup_txt_path() { return g_settings_folder + QStringLiteral("\\setup.txt"); }

namespace {

using platform::Value;

// Reads lines 1 to 3 into the shared values, one field at a time, so the
// values read before a failure stay. The language is read into *language
// when it is given, else read and dropped. Throws on the first failure:
// a missing field, or a language that is no Boolean.
void read_fields(std::int16_t number, bool* language) {
  platform::input_field(number);  // the school's name: this program knows its own
  g_setup_line1_value = platform::input_text(number);
  const Value read_language = platform::input_field(number);
  if (language) {
    if (read_language.is_empty() || read_language.is_null())
      throw platform::value_error(platform::value_error::kind::type_mismatch, "no language value");
    *language = read_language.to_bool();
  }
  g_setup_line3_value1 = platform::input_text(number);
  g_setup_line3_value2 = platform::input_text(number);
}

// Writes the three lines through a short-lived number. The text goes to a
// temporary file that replaces the old one only when it is whole.
bool write_lines(const QString& line1_value, bool language, const QString& line3_value1,
                 const QString& line3_value2) {
  g_file_number = get_free_file_number(1);
  bool written = false;
  try {
    platform::open_file(g_file_number, setup_txt_path(), platform::open_mode::output);
    platform::write_fields(g_file_number, {Value::text(g_school_name.trimmed()), Value::text(line1_value)});
    platform::write_fields(g_file_number, {Value::boolean(language)});
    platform::write_fields(g_file_number, {Value::text(line3_value1), Value::text(line3_value2)});
    close_file(g_file_number);
    written = true;
  } catch (const platform::file_error&) {
    abandon_file(g_file_number);
  }
  return written;
}

}  // namespace

void read_setup_txt() {
  const QString program_copy = g_program_path + QStringLiteral("\\setup.txt");
  try {
    if (platform::file_exists(program_copy) && !platform::file_exists(setup_txt_path()))
      platform::copy_file(program_copy, setup_txt_path(), true);
  } catch (const platform::file_error&) {
    // Without the copy the settings folder simply has no file yet.
  }
  if (!platform::file_exists(setup_txt_path())) return;

  g_file_number = get_free_file_number(1);
  try {
    platform::open_file(g_file_number, setup_txt_path(), platform::open_mode::input);
  } catch (const platform::file_error&) {
    // A file that cannot be opened (another program holds it, no right to
    // read it) is not damaged: it is left as it is, and so are the values.
    abandon_file(g_file_number);
    return;
  }
  try {
    read_fields(g_file_number, &g_language);
    close_file(g_file_number);
    return;
  } catch (const platform::file_error&) {
  } catch (const platform::value_error&) {
  }
  abandon_file(g_file_number);
  // The file is damaged or short: it is rebuilt around what was read, after
  // a copy of it has been kept in the settings folder's "save" folder. When
  // no copy can be made the file is left as it is.
  try {
    copy_into_save_folder(g_settings_folder, QStringLiteral("setup.txt"));
  } catch (const platform::file_error&) {
    return;
  }
  const QString four_nuls(4, QChar(0));
  write_lines(g_setup_line1_value, g_language, four_nuls, four_nuls);
}

bool write_setup_txt(bool& language) {
  const QString kept_line1_value = g_setup_line1_value;
  if (platform::file_exists(setup_txt_path())) {
    g_file_number = get_free_file_number(1);
    try {
      platform::open_file(g_file_number, setup_txt_path(), platform::open_mode::input);
      read_fields(g_file_number, nullptr);
    } catch (const platform::file_error&) {
    } catch (const platform::value_error&) {
    }
    abandon_file(g_file_number);
  }
  g_setup_line1_value = kept_line1_value;
  return write_lines(kept_line1_value, language, g_setup_line3_value1, g_setup_line3_value2);
}

}  // namespace km
