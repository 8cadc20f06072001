#include "datafiles/temporary_record_file.h"

#include <exception>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/record_file_not_ready.h"
#include "datafiles/write_failure_messages.h"
#include "platform/file_system.h"
#include "platform/name_case.h"
#include "platform/numbered_files.h"
#include "platform/sync_file.h"

namespace km {

namespace {

void open_temporary(const QString& folder, const QString& file_name, std::int16_t& number, int record_length,
                    start_from start) {
  const QString target = file_in_folder(folder, file_name);
  const QString temporary = file_in_folder(folder, temporary_name_of(file_name));
  close_file(number);
  if (platform::file_exists(temporary)) platform::delete_file(temporary, true);
  if (start == start_from::present_records && platform::file_exists(target) &&
      platform::file_length(target) > 0)
    platform::copy_file(target, temporary, true);
  number = get_free_file_number(0);
  try {
    platform::open_file(number, temporary, platform::open_mode::random, record_length);
  } catch (...) {
    close_file(number);
    throw;
  }
}

void remove_temporary(const QString& temporary) {
  try {
    if (platform::file_exists(temporary)) platform::delete_file(temporary, true);
  } catch (const platform::file_error&) {
    // Left for the next run, which removes it before it starts.
  }
}

// The record file could not be written: the teacher is told why, and the
// opening leaves the file alone for this call.
[[noreturn]] void not_made(const QString& file_name, const platform::file_error& e) {
  show_write_failure(record_file_not_made_message(file_name, e));
  throw record_file_not_ready(file_name.toStdString());
}

// Closes the number and gives the temporary file the record file's name:
// synced, then renamed over the old file in one step, so the old file stays
// whole until the new one is complete and no copy of it is left beside it.
void put_in_place(const QString& folder, const QString& file_name, std::int16_t& number) {
  const QString temporary = file_in_folder(folder, temporary_name_of(file_name));
  try {
    close_file(number);
    platform::sync_file(temporary);
    platform::replace_file(temporary, file_in_folder(folder, file_name));
  } catch (...) {
    remove_temporary(temporary);
    throw;
  }
}

}  // namespace

QString temporary_name_of(const QString& record_file_name) {
  const qsizetype dot = record_file_name.lastIndexOf(u'.');
  return (dot < 0 ? record_file_name : record_file_name.left(dot)) + QStringLiteral(".tmp");
}

void write_record_file(const QString& folder, const QString& file_name, std::int16_t& number,
                       int record_length, start_from start, const std::function<void()>& write_records) {
  const QString temporary = file_in_folder(folder, temporary_name_of(file_name));
  try {
    open_temporary(folder, file_name, number, record_length, start);
  } catch (const platform::file_error& e) {
    not_made(file_name, e);
  }
  std::exception_ptr failure;
  try {
    write_records();
  } catch (const platform::file_error& e) {
    // A write of the temporary file itself failed: no records go in place.
    if (!platform::names_equal(e.path(), temporary)) {
      failure = std::current_exception();
    } else {
      abandon_file(number);
      remove_temporary(temporary);
      not_made(file_name, e);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    put_in_place(folder, file_name, number);
  } catch (const platform::file_error& e) {
    if (!failure) not_made(file_name, e);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace km
