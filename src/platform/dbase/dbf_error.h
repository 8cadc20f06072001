#pragma once
// Failures of the dBase table engine, classified into the cases the program
// reacts to, each with the engine error number the program's handlers test.

#include <QString>

#include "platform/platform_error.h"

namespace km::platform {

enum class dbf_error_kind {
  not_found,   // the folder or the table file is not there
  unreadable,  // the file holds nothing that can be read as a table
  bad_format,  // a damaged or foreign table: header, sizes or memo pointers disagree
  disk_error,  // reading or writing failed (disk, network)
  read_only,   // the table cannot be written
  in_use,      // another process holds the table open for writing, or access is refused
  null_value,  // invalid use of a null value
  other,       // everything else (no current record, field overflow, ...)
};

// The engine error numbers.
namespace dbf_errno {
constexpr int not_found = 3011;
constexpr int unreadable = 3161;
constexpr int bad_format = 3274;
constexpr int disk_error = 3043;
constexpr int read_only = 3027;
constexpr int in_use = 3051;
constexpr int null_value = 94;
constexpr int other = 3001;  // invalid argument
// Numbers of particular "other" failures.
constexpr int not_editing = 3020;        // Update or CancelUpdate without Edit or AddNew
constexpr int no_current_record = 3021;  // at BOF or EOF, or the record was deleted
constexpr int field_too_small = 3163;    // text longer than a character field
constexpr int record_deleted = 3167;     // the current record has been deleted
constexpr int field_not_found = 3265;    // no field of that name or position
constexpr int numeric_overflow = 3349;   // a number does not fit its field
constexpr int conversion = 3421;         // a value of the wrong type for the field
}  // namespace dbf_errno

// The number a kind carries when no particular number is given.
int dbf_error_number(dbf_error_kind kind);

// number() is the engine error number; text() says what went wrong, in
// English, naming the file or field concerned: the description shown
// beside the number for failures of the kind "other".
class dbf_error : public platform_error {
 public:
  // number 0 takes the kind's number.
  dbf_error(dbf_error_kind kind, const QString& reason, int number = 0);

  dbf_error_kind kind() const { return kind_; }

 private:
  dbf_error_kind kind_;
};

// A file of a table that could not be replaced because another program
// has it open (on a network share: another computer, whose open file the
// server will not let a rename replace). The replacement was undone, so
// nothing changed. The kind is in_use.
class dbf_file_held_open : public dbf_error {
 public:
  explicit dbf_file_held_open(const QString& native_path);

  // The name of the file, without its folder ("MARKS3.DBF", "marks3.dbt").
  const QString& file_name() const { return file_name_; }

 private:
  QString file_name_;
};

}  // namespace km::platform
