// The homework codes: hw_kodes_random.txt filled from the four code text
// files of the data folder, one record per code, the record number being
// the code. The text files stay in the folder; copies go into \save.

#include <QStringList>
#include <cmath>
#include <exception>
#include <optional>

#include "common/file_code_table.h"
#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "datafiles/code_file_name.h"
#include "datafiles/hand_written_conversions.h"
#include "datafiles/hand_written_layouts.h"
#include "datafiles/temporary_record_file.h"
#include "datafiles/value_groups.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"

namespace km {

namespace {

enum class code_group { kde1, kde2, kde3, drk1 };

// The code text files in the order they are read, and the values of one
// line (the code first).
struct code_source {
  const char* file_name;
  int values;
  code_group group;
};
constexpr code_source code_sources[] = {
    {"hwi_kde1.txt", 5, code_group::kde1},
    {"hwi_kde2.txt", 4, code_group::kde2},
    {"hwi_kde3.txt", 4, code_group::kde3},
    {"hwi_drk1.txt", 3, code_group::drk1},
};

// The two texts and the number that a hwi_kde file fills.
struct text_members {
  const char* text1;
  const char* text2;
  const char* number;
};
text_members members_of(code_group group) {
  switch (group) {
    case code_group::kde1:
      return {"hk_kde1_text1", "hk_kde1_text2", "hk_kde1_number"};
    case code_group::kde2:
      return {"hk_kde2_text1", "hk_kde2_text2", "hk_kde2_number"};
    default:
      return {"hk_kde3_text1", "hk_kde3_text2", "hk_kde3_number"};
  }
}

bool is_blank(const platform::Value& value) { return trim_blanks(value_text(value)).isEmpty(); }

// The record a code names: a whole number from 1 to 32767. Anything else
// (0, 40000, 2.5, a word) names no record, and its line is passed over.
std::optional<std::int16_t> code_record_number(const platform::Value& code) {
  const QString text = trim_blanks(value_text(code));
  if (!platform::is_number_text(text)) return std::nullopt;
  const double n = platform::Value(text).to_double();
  if (n != std::floor(n) || n < 1 || n > 32767) return std::nullopt;
  return static_cast<std::int16_t>(n);
}

// A flag of hwi_drk1.txt: an empty field is False, anything else its
// Boolean value (a value that is none ends the import).
bool flag_value(const platform::Value& value) { return !is_blank(value) && value.to_bool(); }

void count_codes() {
  g_hwk_record_count = record_count_of(platform::lof(g_hwk_file_number), hw_kodes_record.length);
}

// One line of a code file into the code's record. A line of hwi_kde1.txt
// starts its code afresh; the other files change only their own members of
// a record already written, and start a code above the count afresh.
void store_line(const code_source& source, const value_group& values) {
  if (is_blank(values[0])) return;
  if (source.group != code_group::drk1 && is_blank(values[1])) return;
  const std::optional<std::int16_t> code = code_record_number(values[0]);
  if (!code) return;
  g_hw_code_record_number = *code;
  platform::record_buffer record(hw_kodes_record);
  if (source.group != code_group::kde1 && *code <= g_hwk_record_count) {
    platform::get_record(g_hwk_file_number, *code, record);
  } else {
    record.blank();
    clear_hw_code_record();
  }
  record.set_int16("hk_code", *code);
  if (source.group == code_group::drk1) {
    record.set_bool("hk_drk1_flag1", flag_value(values[1]));
    record.set_bool("hk_drk1_flag2", flag_value(values[2]));
  } else {
    const text_members members = members_of(source.group);
    record.set_text(members.text1, value_text(values[1]));
    record.set_text(members.text2, value_text(values[2]));
    record.set_int16(members.number, platform::cint(platform::val(value_text(values[3]))));
    if (source.group == code_group::kde1) record.set_text("hk_kde1_short", value_text(values[4]));
  }
  platform::put_record(g_hwk_file_number, *code, record);
}

void import_code_files(const QString& folder) {
  count_codes();
  for (const code_source& source : code_sources) {
    const QString path = file_in_folder(folder, QLatin1String(source.file_name));
    if (platform::file_exists(path)) {
      read_value_groups(path, source.values, g_file_number2,
                        [&](const value_group& values) { store_line(source, values); });
    }
    count_codes();
  }
}

// The file under the code's number again, as the opening left it.
void reopen_code_file(const QString& folder, const QString& file_name) {
  close_file(g_hwk_file_number);
  g_hwk_file_number = get_free_file_number(0);
  platform::open_file(g_hwk_file_number, file_in_folder(folder, file_name), platform::open_mode::random,
                      hw_kodes_record.length);
  count_codes();
}

}  // namespace

void clear_hw_code_record() {
  platform::record_buffer record(hw_kodes_record);
  record.blank();
  platform::put_record(g_hwk_file_number, g_hw_code_record_number, record);
}

// The codes are written into a copy of the file and put in place when the
// import ends, so that a break part way never leaves a half-filled file that
// is not filled again. When a file ends inside a line or a number does not
// convert, the import ends there: the codes read until then are put in
// place, no copies are made and the failure is passed on. Either way the
// file is open under g_hwk_file_number again with its count. When none of
// the four text files is there, the file is left as it is.
void create_hw_kodes_random(const QString& folder) {
  QStringList present;
  for (const code_source& source : code_sources) {
    if (platform::file_exists(file_in_folder(folder, QLatin1String(source.file_name))))
      present << QLatin1String(source.file_name);
  }
  if (present.isEmpty()) {
    count_codes();
    return;
  }
  const QString file_name = code_file_name("HWK");
  std::exception_ptr failure;
  try {
    write_record_file(folder, file_name, g_hwk_file_number, hw_kodes_record.length,
                      start_from::present_records, [&] { import_code_files(folder); });
  } catch (...) {
    failure = std::current_exception();
  }
  reopen_code_file(folder, file_name);
  if (failure) std::rethrow_exception(failure);
  try {
    copy_group_into_save_folder(folder, present);
  } catch (const platform::file_error&) {
    // The text files stay in the folder whether or not their copies were made.
  }
}

}  // namespace km
