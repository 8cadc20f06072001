#include "platform/dbase/dbf_rewrite.h"

#include <QFileInfo>

#include "platform/cp1252.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_field_codec.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/dbt_memo.h"
#include "platform/dbase/little_endian.h"

namespace km::platform {

namespace {

// The header bytes of a table with a new record count and today's date.
QByteArray header_with(const dbf_table& table, std::uint32_t count) {
  QByteArray head = table.header_bytes();
  int y = table.header().year, m = table.header().month, d = table.header().day;
  stamp_update_date(y, m, d);
  head.replace(1, 7, dbf_date_and_count(y, m, d, count));
  return head;
}

// Holds the write lock on an existing table while it is replaced, so a
// table another program is writing is never replaced under it.
struct replace_guard {
  dbf_io::file_handle file;
  dbf_write_lock lock;
  explicit replace_guard(const QString& path) {
    if (!QFileInfo::exists(path)) return;
    const QString name = QFileInfo(path).fileName();
    file = dbf_io::open_existing(path, true, name);
    lock = dbf_write_lock::acquire(file, name);
  }
};

}  // namespace

dbf_cell dbf_cell::stored(const dbf_table& table, std::uint32_t record, int field) {
  const dbf_field& f = table.fields()[std::size_t(field)];
  if (f.type == 'M') return dbf_cell(table.value(record, field));
  dbf_cell c;
  c.source_ = f;
  c.stored_ = QByteArray(table.record_data(record) + f.offset, f.width);
  return c;
}

Value dbf_cell::value() const { return source_ ? decode_dbf_field(*source_, stored_.constData()) : value_; }

QByteArray dbf_cell::bytes_for(const dbf_field& target) const {
  if (source_ && source_->type == target.type && source_->width == target.width &&
      source_->decimals == target.decimals)
    return stored_;
  return encode_dbf_field(target, value());
}

void create_dbf_table(const QString& native_path, const std::vector<dbf_field>& fields) {
  const QString name = QFileInfo(native_path).fileName();
  dbf_header h = make_dbf_header(fields);
  stamp_update_date(h.year, h.month, h.day);
  QByteArray bytes = build_dbf_header(h);
  try {
    parse_dbf_header(bytes.constData(), bytes.size(), name);  // the same checks as on reading
  } catch (const dbf_error& e) {
    throw dbf_error(dbf_error_kind::other,
                    QStringLiteral("Cannot create table '%1': %2").arg(name, e.text()));
  }
  bytes.append(k_end_marker);
  replace_guard guard(native_path);
  std::vector<std::pair<QString, QByteArray>> files;
  if (h.has_memo_fields())
    files.emplace_back(dbf_io::sibling_path(native_path, QStringLiteral("dbt")), dbt_memo::empty_file(false));
  files.emplace_back(native_path, bytes);
  dbf_io::replace_files(files);
}

void rebuild_dbf_table(const QString& table_path, const QString& template_path,
                       const std::vector<std::vector<dbf_cell>>& rows, const QString& template_memo_path) {
  replace_guard guard(table_path);
  const dbf_table tpl(template_path, dbf_table::access::read_only, template_memo_path);
  const dbf_header& h = tpl.header();
  const bool memo = h.has_memo_fields();
  const bool dbase4 = h.version == 0x8B;

  QByteArray memo_file;
  if (memo) {
    const QString tpl_memo = tpl.memo_path();
    memo_file = dbf_io::read_all(dbf_io::open_existing(tpl_memo, false, QFileInfo(tpl_memo).fileName()),
                                 QFileInfo(tpl_memo).fileName());
  }

  QByteArray records;
  std::uint32_t count = 0;
  records.reserve(qint64(tpl.record_count() + rows.size()) * h.record_length + 1);
  for (std::uint32_t r = 0; r < tpl.record_count(); ++r) {
    if (tpl.is_deleted(r)) continue;
    records.append(tpl.record_data(r), h.record_length);
    ++count;
  }
  QByteArray record;
  for (const auto& row : rows) {
    record = tpl.blank_record();
    for (std::size_t k = 0; k < row.size() && k < h.fields.size(); ++k) {
      const dbf_field& f = h.fields[k];
      QByteArray bytes;
      if (f.type == 'M') {
        const Value v = row[k].value();
        const QString text = v.is_null() || v.is_empty() ? QString()
                             : v.is_text()               ? v.as_text()
                                                         : v.to_text();
        bytes = text.isEmpty() ? QByteArray(f.width, ' ')
                               : memo_pointer_bytes(
                                     dbt_memo::append_to(memo_file, encode_cp1252(text), dbase4), f.width);
      } else {
        bytes = row[k].bytes_for(f);
      }
      std::copy(bytes.begin(), bytes.end(), record.data() + f.offset);
    }
    records.append(record);
    ++count;
  }
  records.append(k_end_marker);

  std::vector<std::pair<QString, QByteArray>> files;
  if (memo) files.emplace_back(dbf_io::sibling_path(table_path, QStringLiteral("dbt")), memo_file);
  files.emplace_back(table_path, header_with(tpl, count) + records);
  dbf_io::replace_files(files);
}

void rebuild_dbf_table_from_records(const QString& table_path, const QString& template_path,
                                    const std::vector<QByteArray>& records) {
  replace_guard guard(table_path);
  const dbf_table tpl(template_path, dbf_table::access::read_only);
  const int length = tpl.header().record_length;
  QByteArray bytes;
  bytes.reserve(qint64(tpl.record_count() + records.size()) * length + 1);
  std::uint32_t count = 0;
  for (std::uint32_t r = 0; r < tpl.record_count(); ++r) {
    if (tpl.is_deleted(r)) continue;
    bytes.append(tpl.record_data(r), length);
    ++count;
  }
  for (const QByteArray& record : records) {
    if (record.size() != length)
      throw dbf_error(dbf_error_kind::other, QStringLiteral("record length differs"));
    bytes.append(record);
    ++count;
  }
  bytes.append(k_end_marker);
  std::vector<std::pair<QString, QByteArray>> files;
  if (tpl.header().has_memo_fields()) {
    const QString tpl_memo = tpl.memo_path();
    files.emplace_back(
        dbf_io::sibling_path(table_path, QStringLiteral("dbt")),
        dbf_io::read_all(dbf_io::open_existing(tpl_memo, false, QFileInfo(tpl_memo).fileName()),
                         QFileInfo(tpl_memo).fileName()));
  }
  files.emplace_back(table_path, header_with(tpl, count) + bytes);
  dbf_io::replace_files(files);
}

void rewrite_dbf_records(const QString& native_path, const dbf_record_change& change) {
  const dbf_table table(native_path, dbf_table::access::read_write);
  const int length = table.header().record_length;
  QByteArray records;
  QByteArray record;
  std::uint32_t count = 0;
  for (std::uint32_t r = 0; r < table.record_count(); ++r) {
    if (table.is_deleted(r)) continue;
    record = table.record_bytes(r);
    if (change) change(table, record);
    if (record.size() != length)
      throw dbf_error(dbf_error_kind::other, QStringLiteral("record length changed"));
    records.append(record);
    ++count;
  }
  records.append(k_end_marker);
  dbf_io::replace_files({{native_path, header_with(table, count) + records}});
}

void pack_dbf_table(const QString& native_path) { rewrite_dbf_records(native_path, {}); }

void reorder_dbf_records(const QString& native_path, const std::vector<std::uint32_t>& live_order,
                         const dbf_reorder_progress& progress) {
  const dbf_table table(native_path, dbf_table::access::read_write);
  const std::uint32_t count = table.record_count();
  const qint64 length = table.header().record_length;
  // Every record once, read in file order (the table reads through a
  // window, so reading in the new order would read the file many times).
  QByteArray source;
  source.reserve(qint64(count) * length);
  std::vector<bool> live(count);
  std::uint32_t live_count = 0;
  for (std::uint32_t r = 0; r < count; ++r) {
    const char* data = table.record_data(r);
    source.append(data, length);
    live[r] = data[0] != '*';
    live_count += live[r] ? 1 : 0;
  }

  const auto refuse = [&](const QString& why) {
    throw dbf_error(dbf_error_kind::other,
                    QStringLiteral("Cannot reorder table '%1': %2").arg(table.name(), why));
  };
  if (live_order.size() != live_count)
    refuse(QStringLiteral("%1 records named for %2 live records").arg(live_order.size()).arg(live_count));
  std::vector<bool> named(count);
  for (const std::uint32_t r : live_order) {
    if (r >= count || !live[r]) refuse(QStringLiteral("record %1 is not a live record").arg(qint64(r) + 1));
    if (named[r]) refuse(QStringLiteral("record %1 is named twice").arg(qint64(r) + 1));
    named[r] = true;
  }

  QByteArray records;
  records.reserve(qint64(count) * length + 1);
  std::uint32_t placed = 0;
  for (std::uint32_t slot = 0; slot < count; ++slot) {
    const std::uint32_t from = live[slot] ? live_order[placed] : slot;
    records.append(source.constData() + qint64(from) * length, length);
    if (!live[slot]) continue;
    ++placed;
    if (progress) progress(placed, live_count);
  }
  records.append(k_end_marker);
  dbf_io::replace_files({{native_path, header_with(table, count) + records}});
}

}  // namespace km::platform
