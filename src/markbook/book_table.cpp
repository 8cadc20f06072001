#include "markbook/book_table.h"

#include <algorithm>

#include "common/step_journal.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "platform/dbase/dbf_error.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace km {

namespace {

QString table_name(const QString& table_file) {
  const qsizetype dot = table_file.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? table_file : table_file.left(dot);
}

}  // namespace

table_opening table_failure(const QString& folder, const QString& table_file, int error_number) {
  namespace no = platform::dbf_errno;
  const QString table = table_name(table_file);
  switch (error_number) {
    case no::not_found:
      return {table_state::missing, QString()};
    case no::in_use:
      return {table_state::in_use, in_use_message(folder, table)};
    case no::read_only:
      return {table_state::read_only, read_only_message(folder, table)};
    case no::bad_format:
    case no::unreadable:
      return {table_state::damaged, corrupt_message(folder, table)};
    default:
      return {table_state::failed, corrupt_message(folder, table)};
  }
}

table_opening table_failure(const QString& folder, const QString& table_file, const platform::dbf_error& e) {
  if (const auto* held = dynamic_cast<const platform::dbf_file_held_open*>(&e))
    return {table_state::in_use, held_open_message(folder, held->file_name())};
  return table_failure(folder, table_file, e.number());
}

std::vector<mark_record> read_mark_records(const platform::recordset& rs) {
  std::vector<mark_record> records(std::size_t(rs.record_count()));
  const int fields = std::min<int>(rs.field_count(), int(mark_record().size()));
  for (qint64 p = 0; p < rs.record_count(); ++p) {
    for (int f = 0; f < fields; ++f) {
      const platform::Value v = rs.value_at(p, f);
      if (!v.is_null()) records[std::size_t(p)][std::size_t(f)] = clean_field_value(v);
    }
  }
  return records;
}

table_opening open_book_table(platform::data_control& control, const QString& folder,
                              const QString& table_file, bool read_only) {
  finish_interrupted_steps(folder);
  if (!platform::file_exists(platform::join_win_path(folder, table_file)))
    return {table_state::missing, QString()};
  control.set_database_name(folder);
  control.set_record_source(table_file);
  control.set_read_only(read_only);
  try {
    control.refresh();
  } catch (const platform::dbf_error& e) {
    control.close_database();
    return table_failure(folder, table_file, e);
  }
  if (!read_only && control.locks_refused()) {
    control.close_database();
    return table_failure(folder, table_file, platform::dbf_errno::in_use);
  }
  return {table_state::open, QString()};
}

}  // namespace km
