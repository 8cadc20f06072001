#pragma once
// Every conversion of an older dBase table into a record file, declared
// once as data: the table, the record file and its layout, the mapping of
// table fields onto record fields in the order they are read, how rows and
// their failures are handled, and what becomes of the table afterwards.
// One generic converter (table_converter.h) carries them all out.

#include <array>
#include <cstdint>
#include <span>

#include "datafiles/field_rules.h"
#include "platform/record_layout.h"

namespace km {

// One record field filled from one table field.
struct field_member {
  const char* record_field = nullptr;  // a field (or array) of the layout
  const char* source = nullptr;        // the table field, or the base of the element names
  rule how = rule::text;
  // The record element that table element n fills; nullptr: element n.
  int (*element)(int n) = nullptr;
  // How many one-byte record elements the value fills (the chars rule).
  int span = 1;
  // A table without the field gives Null instead of failing.
  bool optional = false;
};

// How far a repeated group runs.
enum class group_bound {
  fixed,          // every element of the range; a missing field is a field failure
  room_in_table,  // up to the last element before the first one the table lacks a field for
};

// How the table names element n of a repeated field.
enum class element_names {
  appended,   // the base name followed by n ("PH_STD_" 1 gives PH_STD_1)
  dbase_fit,  // the same, less the base's trailing "_" where the name would
              // pass dBase's ten characters (KPD_VLAK_9, then KPD_VLAK10)
};

// A plain field (first == 0) or a loop over elements first..last whose
// members are read element by element in their order.
struct field_group {
  int first = 0;
  int last = 0;
  group_bound bound = group_bound::fixed;
  element_names naming = element_names::appended;
  // When the first member's cleaned value is the empty text, the element's
  // members all stay cleared.
  bool blank_key_skips = false;
  std::array<field_member, 6> members{};
};

enum class rows_taken { every, first_only };

// What a failing field of a row does.
enum class row_errors {
  skip_field,        // the field stays cleared and the row is still written
  end_conversion,    // the rows before it stay; nothing is retired
  report_first_row,  // first row: a message per failure, the field stays
                     // cleared; later rows: as end_conversion
};

enum class retire_kind {
  table,       // the table and its memo move into \save together
  named_file,  // another file of the folder (retire_name) moves into \save
  copy_only,   // the table is copied into \save and stays in the folder
  none,        // the table stays and \save is not touched
};

struct conversion {
  const char* code;     // the file code of the opening
  const char* routine;  // the build hook that runs it
  const char* table;    // the dBase table
  const char* memo;     // its memo file, nullptr when none
  const char* record_file;
  const platform::record_layout* layout;  // its length is the record length
  std::span<const field_group> fields;
  rows_taken rows;
  row_errors errors;
  bool delete_first;  // a record file already there is first taken out
  retire_kind retire;
  const char* retire_name;  // for retire_kind::named_file
  bool close_database;
  bool clear_record_source;
  std::int16_t* number;  // the file-number variable written on
  std::int32_t* count;   // the record-count variable; nullptr: a local counter
  const char* marker;    // a layout-upgrade marker the new file needs; nullptr: none
  int before_year;       // converted only before this year (0: any); the opening applies it
};

std::span<const conversion> conversion_table();
// The conversion of a file code; nullptr when there is none.
const conversion* find_conversion(const char* code);

}  // namespace km
