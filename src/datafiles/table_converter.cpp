#include "datafiles/table_converter.h"

#include <QStringList>
#include <exception>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/record_file_not_ready.h"
#include "common/save_folder.h"
#include "common/table_messages.h"
#include "datafiles/checked_files.h"
#include "datafiles/conversion_plan.h"
#include "datafiles/write_failure_messages.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dialogs.h"
#include "platform/file_hold.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/sync_file.h"

namespace km {

namespace {

// The first row of a conversion that reports: the error number, its
// description and the program's title, one a line.
void report_first_row_failure(const platform::platform_error& failure) {
  platform::message_box(QString::number(failure.number()) + QStringLiteral("\r\n") + failure.text() +
                            QStringLiteral("\r\n") + platform::program_title(),
                        platform::msg_buttons::ok, platform::msg_icon::none);
}

field_failure failure_mode(row_errors errors, bool first_row) {
  switch (errors) {
    case row_errors::skip_field:
      return field_failure::skip;
    case row_errors::report_first_row:
      return first_row ? field_failure::report : field_failure::rethrow;
    case row_errors::end_conversion:
      break;
  }
  return field_failure::rethrow;
}

// A write of the record file that failed (a full disk, a lost share): a
// failure of the conversion, never of a row.
struct record_write_failed {
  platform::file_error error;
};

// The records go to the file a block at a time, so that a large table
// costs few writes; what was put is in the file once flush() returns.
class record_blocks {
 public:
  record_blocks(std::int16_t number, int length) : number_(number), length_(length) {
    block_.reserve(block_bytes + length);
  }
  void put(const QByteArray& record) {
    block_ += record;
    if (block_.size() >= block_bytes) flush();
  }
  void flush() {
    if (block_.isEmpty()) return;
    try {
      platform::put_bytes(number_, written_ * length_ + 1, block_);
    } catch (const platform::file_error& e) {
      throw record_write_failed{e};
    }
    written_ += block_.size() / length_;
    block_.resize(0);  // the room stays for the next block
  }

 private:
  static constexpr qsizetype block_bytes = 256 * 1024;
  std::int16_t number_;
  qint64 length_;
  qint64 written_ = 0;
  QByteArray block_;
};

// Writes one record per row (or for the first row only) at the raised
// counter. A row failure that ends the conversion is thrown on once the
// records before it are in the file.
void write_rows(const conversion& declared, platform::recordset& rs, std::int16_t number,
                std::int32_t& counter, bool tell_first_row) {
  const conversion_plan plan(declared, rs);
  if (rs.record_count() == 0 || rs.eof()) return;
  record_blocks file(number, plan.record_length());
  QByteArray record(plan.record_length(), '\0');
  rs.move_first();
  try {
    for (bool first = true; !rs.eof(); first = false) {
      record.fill('\0');
      plan.fill(rs, record, failure_mode(declared.errors, first), [&](const platform::platform_error& e) {
        if (tell_first_row) report_first_row_failure(e);
      });
      ++counter;
      file.put(record);
      if (declared.rows == rows_taken::first_only) break;
      rs.move_next();
    }
  } catch (...) {
    file.flush();
    throw;
  }
  file.flush();
}

// The written file takes the record file's name. A record file that is
// there and holds anything is kept in \save first; an empty one goes.
void put_in_place(const QString& folder, const QString& temporary, const QString& record_file) {
  remove_keeping_copy(folder, record_file);
  platform::move_file(temporary, file_in_folder(folder, record_file));
}

void retire_source(const conversion& declared, const QString& folder) {
  try {
    switch (declared.retire) {
      case retire_kind::table: {
        QStringList names{QLatin1String(declared.table)};
        if (declared.memo != nullptr) names << QLatin1String(declared.memo);
        move_group_into_save_folder(folder, names);
        return;
      }
      case retire_kind::named_file:
        move_group_into_save_folder(folder, {QLatin1String(declared.retire_name)});
        return;
      case retire_kind::copy_only:
        copy_group_into_save_folder(folder, {QLatin1String(declared.table)});
        return;
      case retire_kind::none:
        return;
    }
  } catch (const std::exception&) {
    // Nothing was deleted: the source stays in the folder, whole, and the
    // record file stands. The opening has nothing to do about it.
  }
}

// An empty marker file, written through a temporary file like every
// output. True when this call made it.
bool create_marker(const QString& folder, const char* marker) {
  if (marker == nullptr) return false;
  const QString path = file_in_folder(folder, QLatin1String(marker));
  if (platform::file_exists(path)) return false;
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, path, platform::open_mode::output);
    close_file(number);
  } catch (...) {
    abandon_file(number);
    // The open takes the name at once: a marker whose write failed must
    // not stand, or the next opening would take the old records for new.
    try {
      if (platform::file_exists(path)) platform::delete_file(path, true);
    } catch (const platform::file_error&) {
      // The record file is not made, so the next opening converts again.
    }
    throw;
  }
  return true;
}

// What a conversion the program never finished left of the files it
// writes whole (the marker, the record file): their temporaries go before
// the conversion starts or is finished, unless another program holds them.
void remove_leftovers(const conversion& declared, const QString& folder) {
  platform::remove_write_leftovers(file_in_folder(folder, QLatin1String(declared.record_file)));
  if (declared.marker != nullptr)
    platform::remove_write_leftovers(file_in_folder(folder, QLatin1String(declared.marker)));
}

// A retire stopped after the table left the folder but before its memo
// file did: the memo file, of no use without its table, follows it into
// \save (where its copy already stands, it is not copied again).
void finish_retire_of_memo(const conversion& declared, const QString& folder) {
  if (declared.memo == nullptr ||
      !platform::file_exists(file_in_folder(folder, QLatin1String(declared.memo))))
    return;
  try {
    move_group_into_save_folder(folder, {QLatin1String(declared.memo)});
  } catch (const std::exception&) {
    // The memo file stays, whole; the next opening tries again.
  }
}

// The table cannot be read (damaged, its memo file gone, in use by another
// program): the teacher is told, and no record file is made.
[[noreturn]] void refuse_unreadable_table(const conversion& declared, const QString& folder,
                                          const platform::dbf_error& e) {
  const QString table = QLatin1String(declared.table);
  platform::message_box(e.kind() == platform::dbf_error_kind::not_found
                            ? corrupt_message(folder, table)
                            : table_failure_message(folder, table, e),
                        platform::msg_buttons::ok, platform::msg_icon::critical);
  throw record_file_not_ready(declared.record_file);
}

// A temporary file of a conversion that broke off is our own, never a
// teacher's: it goes, so that the records start afresh. False when another
// program holds it: that program is converting the table now.
bool clear_temporary(const QString& temporary) {
  if (!platform::file_exists(temporary)) return true;
  if (platform::file_is_held(temporary)) return false;
  platform::delete_file(temporary, true);
  return true;
}

// Writes the rows into the temporary file, then closes and syncs it. A row
// failure that ends the conversion is kept in row_failure; a failed write
// throws platform::file_error.
void write_temporary(const conversion& declared, const QString& temporary, platform::data_control& data1,
                     std::int16_t& number, std::int32_t& counter, std::exception_ptr& row_failure,
                     bool tell_first_row) {
  number = get_free_file_number(0);
  try {
    platform::open_file(number, temporary, platform::open_mode::binary);
    try {
      write_rows(declared, data1.recordset(), number, counter, tell_first_row);
    } catch (const record_write_failed& failed) {
      throw failed.error;
    } catch (const std::exception&) {
      row_failure = std::current_exception();
    }
    close_file(number);
  } catch (...) {
    abandon_file(number);
    throw;
  }
  platform::sync_file(temporary);
}

}  // namespace

QString conversion_temporary_name(const conversion& declared) {
  return QString(QLatin1String(declared.code)).toLower() + QStringLiteral("_conversion.tmp");
}

void convert_table(const conversion& declared, const QString& folder, platform::data_control& data1) {
  std::int16_t& number = *declared.number;
  const QString record_file = QLatin1String(declared.record_file);
  close_file(number);
  remove_leftovers(declared, folder);
  if (declared.delete_first) remove_keeping_copy(folder, record_file);

  try {
    data1.refresh();
  } catch (const platform::dbf_error& e) {
    if (!platform::file_exists(file_in_folder(folder, QLatin1String(declared.table)))) return;  // no table
    refuse_unreadable_table(declared, folder, e);
  }
  if (!data1.has_recordset()) return;

  const QString temporary = file_in_folder(folder, conversion_temporary_name(declared));
  std::int32_t local_counter = 0;
  std::int32_t& counter = declared.count != nullptr ? *declared.count : local_counter;
  counter = 0;
  std::exception_ptr row_failure;
  try {
    if (!clear_temporary(temporary)) {
      show_file_in_use(folder, record_file);
      throw record_file_not_ready(declared.record_file);
    }
    const platform::file_hold hold(temporary);
    write_temporary(declared, temporary, data1, number, counter, row_failure, true);
    // The layout marker goes first: a record file of the conversion is in
    // the current layout from the moment it has its name.
    const bool marked = create_marker(folder, declared.marker);
    try {
      put_in_place(folder, temporary, record_file);
    } catch (const platform::file_error&) {
      if (marked) platform::delete_file(file_in_folder(folder, QLatin1String(declared.marker)), true);
      throw;
    }
  } catch (const platform::file_error& e) {
    counter = 0;
    try {
      if (platform::file_exists(temporary)) platform::delete_file(temporary, true);
    } catch (const platform::file_error&) {
      // Left for the next conversion, which removes it before it starts.
    }
    show_write_failure(record_file_not_made_message(record_file, e));
    throw record_file_not_ready(declared.record_file);
  }

  if (declared.close_database) data1.close_database();
  if (declared.clear_record_source) data1.set_record_source(QString());
  if (!row_failure) retire_source(declared, folder);
  if (row_failure) std::rethrow_exception(row_failure);
}

void finish_conversion(const conversion& declared, const QString& folder, platform::data_control& data1) {
  if (declared.retire != retire_kind::table) return;
  remove_leftovers(declared, folder);
  const QString record_file = file_in_folder(folder, QLatin1String(declared.record_file));
  if (!platform::file_exists(record_file)) return;
  if (declared.marker != nullptr &&
      !platform::file_exists(file_in_folder(folder, QLatin1String(declared.marker))))
    return;
  if (!platform::file_exists(file_in_folder(folder, QLatin1String(declared.table)))) {
    finish_retire_of_memo(declared, folder);
    return;
  }
  try {
    data1.refresh();
  } catch (const platform::dbf_error&) {
    return;
  }
  if (!data1.has_recordset()) return;
  // The table is converted again aside: only a record file with exactly
  // those bytes is the one its conversion made.
  const QString temporary = file_in_folder(folder, conversion_temporary_name(declared));
  bool made_by_it = false;
  try {
    std::int16_t number = 0;
    std::int32_t counter = 0;
    std::exception_ptr row_failure;
    if (clear_temporary(temporary)) {  // else another program is converting the table now
      const platform::file_hold hold(temporary);
      write_temporary(declared, temporary, data1, number, counter, row_failure, false);
      made_by_it = !row_failure && file_bytes(temporary) == file_bytes(record_file);
      platform::delete_file(temporary, true);
    }
  } catch (const platform::file_error&) {
    made_by_it = false;
    try {
      if (platform::file_exists(temporary)) platform::delete_file(temporary, true);
    } catch (const platform::file_error&) {
      // Left for the next conversion, which removes it before it starts.
    }
  }
  data1.close_database();
  if (made_by_it) retire_source(declared, folder);
}

}  // namespace km
