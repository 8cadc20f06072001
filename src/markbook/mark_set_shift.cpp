#include "markbook/mark_set_shift.h"

#include <functional>

#include "common/save_folder.h"
#include "common/text_routines.h"
#include "markbook/book_table.h"
#include "markbook/mark_book_messages.h"
#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace km {

namespace {

using platform::dbf_table;

// The bytes of a field within a record.
QByteArray field_bytes(const dbf_table& table, const QByteArray& record, int field) {
  const platform::dbf_field& f = table.fields()[std::size_t(field)];
  return record.mid(f.offset, f.width);
}

// Puts bytes into a field, cut or blank-padded to its width.
void set_field_bytes(const dbf_table& table, QByteArray& record, int field, QByteArray bytes) {
  const platform::dbf_field& f = table.fields()[std::size_t(field)];
  bytes = bytes.left(f.width);
  bytes.append(QByteArray(f.width - bytes.size(), ' '));
  record.replace(f.offset, f.width, bytes);
}

// One record's mark fields moved: to(k) takes the bytes of field from(k),
// or blanks when from(k) is -1.
using field_source = std::function<int(int field, int field_count)>;

shift_result shift_marks(const QString& data_folder, int n, const field_source& source) {
  const QString book = marks_table_file(n);
  const QString path = platform::join_win_path(data_folder, book);
  if (!platform::file_exists(path)) return {shift_outcome::no_book, QString()};
  const QString native = platform::to_native_path(path);
  try {
    {
      const dbf_table table(native, dbf_table::access::read_only);
      if (table.field_count() < marks_dbf_field_count)
        return {shift_outcome::too_few_fields, too_few_mark_sets_message()};
    }
    platform::rewrite_dbf_records(native, [&](const dbf_table& table, QByteArray& record) {
      const QByteArray old = record;
      const int count = table.field_count();
      for (int k = 2; k < count; ++k) {
        const int from = source(k, count);
        if (from == k) continue;
        set_field_bytes(table, record, k, from < 0 ? QByteArray() : field_bytes(table, old, from));
      }
    });
  } catch (const platform::dbf_error& e) {
    return {shift_outcome::failed, table_failure(data_folder, book, e).message};
  }
  return {shift_outcome::shifted, QString()};
}

}  // namespace

shift_result insert_mark_set(const QString& data_folder, int n, int line) {
  const int inserted = mark_field_of_row(line);
  return shift_marks(data_folder, n, [inserted](int k, int) {
    if (k < inserted) return k;
    return k == inserted ? -1 : k - 1;
  });
}

shift_result delete_mark_set(const QString& data_folder, int n, int row, const QString& setup_file_name) {
  const QString book = marks_table_file(n);
  if (!platform::file_exists(platform::join_win_path(data_folder, book)))
    return {shift_outcome::no_book, QString()};
  QString kept = book;
  try {
    copy_into_save_folder(data_folder, book);
    kept = setup_file_name;
    if (!setup_file_name.isEmpty() &&
        platform::file_exists(platform::join_win_path(data_folder, setup_file_name)))
      copy_into_save_folder(data_folder, setup_file_name);
  } catch (const platform::file_error& e) {
    return {shift_outcome::failed, save_copy_failed_message(platform::join_win_path(data_folder, kept), e)};
  }
  const int deleted = mark_field_of_row(row);
  return shift_marks(data_folder, n, [deleted](int k, int count) {
    if (k < deleted) return k;
    return k + 1 < count ? k + 1 : -1;
  });
}

bool last_mark_set_used(const QString& data_folder, int n) {
  const QString path = platform::join_win_path(data_folder, marks_table_file(n));
  if (!platform::file_exists(path)) return false;
  try {
    const dbf_table table(platform::to_native_path(path), dbf_table::access::read_only);
    const int last = mark_field_of_row(40);
    if (table.field_count() <= last) return false;
    for (std::uint32_t r = 0; r < table.record_count(); ++r)
      if (!table.is_deleted(r) && !trim_blanks(clean_field_value(table.value(r, last))).isEmpty())
        return true;
  } catch (const platform::dbf_error&) {
    return false;  // the shift itself reports a table it cannot read
  }
  return false;
}

}  // namespace km
