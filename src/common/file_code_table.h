#pragma once
// The record files that open_random_files opens by file code, in the order
// in which a request for every file ("*") goes through them. Each entry
// names the file, its record length, its file-number and record-count
// variables, and the steps the opening takes: a build of the missing file
// from the older source it replaces, layout upgrades guarded by a marker
// file, and the code's own steps before opening and after counting.

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <span>

namespace km::platform {
class data_control;
struct record_layout;
}  // namespace km::platform

namespace km {

class data_file_services;
struct opening_call;

// What the opening does after a step: go on, or start its codes over.
enum class step_result { go_on, start_over };

// A step of one code, run with the state of the call.
using code_step = step_result (*)(opening_call& call);

using table_build_hook = void (data_file_services::*)(const QString& folder, platform::data_control& data1);
using folder_hook = void (data_file_services::*)(const QString& folder);

// The build of a missing record file. It is due while the record file is
// missing, the year is below before_year (0: any year) and, when
// needs_table is set, the table is in the folder.
struct build_step {
  const char* table = nullptr;            // the dBase table bound for from_table
  table_build_hook from_table = nullptr;  // a build from the table ...
  folder_hook from_folder = nullptr;      // ... or from the folder's text files
  folder_hook finish = nullptr;           // run while the file of a from_folder build
                                          // stands: ends a build stopped part way
  int before_year = 0;
  bool needs_table = true;
  bool starts_over = true;  // the request starts over after the build
};

// A layout upgrade, run before the file is opened anew while its marker
// file is missing and the year is below before_year (0: any year).
struct upgrade_step {
  const char* marker = nullptr;
  folder_hook run = nullptr;
  int before_year = 0;
};

struct file_code_entry {
  const char* code;
  const char* file_name;
  int record_length;
  std::int16_t* number;                             // the code's file-number variable
  std::int32_t* count;                              // its record-count variable; nullptr: none
  const platform::record_layout* layout = nullptr;  // where the opening reads or writes records
  bool school_group = false;  // not recorded in the pool; "SKL" always takes a new number
  build_step build = {};
  upgrade_step upgrades[2] = {};
  code_step before_open = nullptr;              // the code's own steps before the build and the opening
  code_step after_count = nullptr;              // its steps after the count
  std::int32_t* record_number_reset = nullptr;  // set to 0 whenever the code is requested

  bool has_build() const { return build.from_table != nullptr || build.from_folder != nullptr; }
};

// Every code in request order.
std::span<const file_code_entry> file_code_table();

// The entry of a code (exact, case-sensitive); nullptr when there is none.
const file_code_entry* find_file_code(const QString& code);

// The records a file of that length holds: length / record length rounded
// to the nearest whole number, halves to the even one (18 bytes of 12-byte
// records count 2, 30 bytes 2, 42 bytes 4).
std::int32_t record_count_of(qint64 length, int record_length);

}  // namespace km
