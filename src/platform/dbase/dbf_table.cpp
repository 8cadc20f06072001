#include "platform/dbase/dbf_table.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/cp1252.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_field_codec.h"
#include "platform/dbase/little_endian.h"

namespace km::platform {

namespace {

// Records are read in windows of about this many bytes.
constexpr qint64 k_window_bytes = 64 * 1024;

QByteArray ascii_upper(const QString& name) {
  QByteArray b = encode_cp1252(name);
  for (char& c : b)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return b;
}

// The header bytes of the open file (fewer when the file ends first: the
// header check then reports it).
QByteArray read_header_bytes(const dbf_io::file_handle& f, const QString& name) {
  const qint64 size = dbf_io::file_size(f, name);
  QByteArray head(std::min<qint64>(size, 32), Qt::Uninitialized);
  dbf_io::read_at(f, 0, head.data(), head.size(), name);
  if (head.size() < 32) return head;
  const qint64 length = std::min<qint64>(
      size, static_cast<unsigned char>(head[8]) | (static_cast<unsigned char>(head[9]) << 8));
  if (length <= head.size()) return head;
  head.resize(length);
  dbf_io::read_at(f, 32, head.data() + 32, length - 32, name);
  return head;
}

// Reads and checks the header of the open file.
dbf_header checked_header(const dbf_io::file_handle& f, const QString& name, QByteArray& bytes) {
  bytes = read_header_bytes(f, name);
  dbf_header h = parse_dbf_header(bytes.constData(), bytes.size(), name);
  check_dbf_size(h, dbf_io::file_size(f, name), name);
  bytes.truncate(h.header_length);
  return h;
}

}  // namespace

dbf_table::dbf_table(const QString& native_path, access mode, const QString& memo_path)
    : path_(native_path), name_(QFileInfo(native_path).fileName()), writable_(mode == access::read_write) {
  dbf_io::remove_stale_temporaries(path_);
  try {
    file_ = dbf_io::open_existing(path_, writable_, name_);
  } catch (const dbf_error& e) {
    if (!writable_ || e.kind() != dbf_error_kind::read_only) throw;
    // A damaged table is reported as damaged, whatever its write permission,
    // so that it is repaired rather than refused as read-only.
    QByteArray bytes;
    checked_header(dbf_io::open_existing(path_, false, name_), name_, bytes);
    throw;
  }
  if (writable_) lock_ = dbf_write_lock::acquire(file_, name_);
  header_ = checked_header(file_, name_, header_bytes_);
  window_capacity_ = std::uint32_t(std::max<qint64>(1, k_window_bytes / header_.record_length));
  for (int i = 0; i < field_count(); ++i)  // with two fields of one name, the first is found
    if (const QByteArray key = ascii_upper(header_.fields[i].name); !names_.contains(key))
      names_.insert(key, i);

  if (header_.has_memo_fields()) {
    const QString memo_file =
        memo_path.isEmpty() ? dbf_io::sibling_path(path_, QStringLiteral("dbt")) : memo_path;
    try {
      memo_ = std::make_unique<dbt_memo>(memo_file, writable_, header_.version == 0x8B);
    } catch (const dbf_error& e) {
      if (e.kind() != dbf_error_kind::not_found) throw;
      throw dbf_error(dbf_error_kind::bad_format,
                      QStringLiteral("Table '%1' has memo fields but its memo file '%2' is missing")
                          .arg(name_, QFileInfo(memo_file).fileName()));
    }
    check_memo_pointers();
  }
}

dbf_table::~dbf_table() = default;

int dbf_table::field_index(const QString& name) const { return names_.value(ascii_upper(name), -1); }

Value dbf_table::value(std::uint32_t record, int field) const {
  try {
    return decode(record_data(record), field);
  } catch (const dbf_error& e) {
    if (e.kind() != dbf_error_kind::bad_format) throw;
    throw dbf_error(
        dbf_error_kind::bad_format,
        QStringLiteral("Table '%1' is damaged: record %2: %3").arg(name_).arg(record + 1).arg(e.text()));
  }
}

Value dbf_table::decode(const char* record, int field) const {
  const dbf_field& f = header_.fields[std::size_t(field)];
  const char* p = record + f.offset;
  if (f.type != 'M') return decode_dbf_field(f, p);
  std::uint32_t block = 0;
  if (!parse_memo_pointer(p, f.width, block) || block == 0 || !memo_) return Value::null();
  return Value(decode_cp1252(memo_->text(block, QStringLiteral("field '%1'").arg(f.name))));
}

const char* dbf_table::load_window(std::uint32_t record) const {
  // Forward from the record asked for, or backward when the walk goes
  // backward (the record asked for lies just before the window).
  std::uint32_t first = record;
  if (window_count_ > 0 && record < window_first_)
    first = record + 1 >= window_capacity_ ? record + 1 - window_capacity_ : 0;
  const std::uint32_t count = std::min(window_capacity_, header_.record_count - first);
  const qint64 length = qint64(count) * header_.record_length;
  if (window_.size() < length) window_.resize(length);
  window_count_ = 0;  // nothing valid if the read fails
  dbf_io::read_at(file_, header_.header_length + qint64(first) * header_.record_length, window_.data(),
                  length, name_);
  window_first_ = first;
  window_count_ = count;
  return window_.constData() + qint64(record - first) * header_.record_length;
}

void dbf_table::patch_window(std::uint32_t record, int offset, const char* bytes, int n) {
  if (record - window_first_ >= window_count_) return;
  std::copy(bytes, bytes + n,
            window_.data() + qint64(record - window_first_) * header_.record_length + offset);
}

std::vector<std::uint32_t> dbf_table::deleted_records() const {
  std::vector<std::uint32_t> deleted;
  for (std::uint32_t r = 0; r < header_.record_count; ++r)
    if (is_deleted(r)) deleted.push_back(r);
  return deleted;
}

void dbf_table::check_memo_pointers() const {
  for (std::uint32_t r = 0; r < header_.record_count; ++r) {
    const char* rec = record_data(r);
    if (rec[0] == '*') continue;
    for (const dbf_field& f : header_.fields) {
      if (f.type != 'M') continue;
      const QString where = QStringLiteral("record %1, field '%2'").arg(r + 1).arg(f.name);
      std::uint32_t block = 0;
      if (!parse_memo_pointer(rec + f.offset, f.width, block))
        throw dbf_error(dbf_error_kind::bad_format,
                        QStringLiteral("Table '%1' is damaged: %2 holds '%3', not a memo block number")
                            .arg(name_, where, decode_cp1252(rec + f.offset, f.width)));
      if (block != 0) memo_->text(block, where);
    }
  }
}

void dbf_table::require_writable() const {
  if (!writable_)
    throw dbf_error(dbf_error_kind::read_only, QStringLiteral("Table '%1' is open read-only").arg(name_));
}

void dbf_table::write_changes(std::uint32_t record, const QByteArray& original, const QByteArray& bytes) {
  require_writable();
  const qint64 start = header_.header_length + qint64(record) * header_.record_length;
  const auto changed = [&](const dbf_field& f) {
    const char* now = bytes.constData() + f.offset;
    return !std::equal(now, now + f.width, original.constData() + f.offset);
  };
  if (std::none_of(header_.fields.begin(), header_.fields.end(), changed)) return;
  const dbf_record_lock lock(file_, record, start, header_.record_length, name_);
  for (const dbf_field& f : header_.fields) {
    if (!changed(f)) continue;
    const char* now = bytes.constData() + f.offset;
    dbf_io::write_at(file_, start + f.offset, now, f.width, name_);
    patch_window(record, f.offset, now, f.width);
  }
}

void dbf_table::take_in_new_records() {
  char count[4];
  dbf_io::read_at(file_, 4, count, 4, name_);
  const std::uint32_t on_disk = le_u32(count);
  if (on_disk <= header_.record_count) return;
  // The records of the other writer must be in the file (checked as on
  // opening: a shorter file is damaged).
  dbf_header grown = header_;
  grown.record_count = on_disk;
  check_dbf_size(grown, dbf_io::file_size(file_, name_), name_);
  header_.record_count = on_disk;
  std::copy(count, count + 4, header_bytes_.data() + 4);
}

std::uint32_t dbf_table::append(const QByteArray& bytes) {
  require_writable();
  take_in_new_records();
  const std::uint32_t record = header_.record_count;
  QByteArray out = bytes;
  out.append(k_end_marker);
  const dbf_record_lock lock(file_, record, header_.data_end(), out.size(), name_);
  try {
    dbf_io::write_at(file_, header_.data_end(), out.constData(), out.size(), name_);
  } catch (const dbf_error&) {
    // A disk that filled up mid-record: cut the part written, so the file
    // keeps agreeing with its record count.
    try {
      dbf_io::truncate_to(file_, header_.data_end(), name_);
      dbf_io::write_at(file_, header_.data_end(), &k_end_marker, 1, name_);
    } catch (const dbf_error&) {
      // Passed over: the count was not changed, so the part written lies
      // after the counted records, where readers ignore it; the failure
      // of the write is the one reported.
    }
    throw;
  }

  int y = header_.year, m = header_.month, d = header_.day;
  stamp_update_date(y, m, d);
  const QByteArray head = dbf_date_and_count(y, m, d, record + 1);
  dbf_io::write_at(file_, 1, head.constData(), head.size(), name_);

  header_.record_count = record + 1;
  header_.year = y;
  header_.month = m;
  header_.day = d;
  std::copy(head.begin(), head.end(), header_bytes_.data() + 1);
  return record;
}

void dbf_table::set_deleted(std::uint32_t record, bool deleted) {
  require_writable();
  const char flag = deleted ? '*' : ' ';
  const qint64 at = header_.header_length + qint64(record) * header_.record_length;
  const dbf_record_lock lock(file_, record, at, header_.record_length, name_);
  dbf_io::write_at(file_, at, &flag, 1, name_);
  patch_window(record, 0, &flag, 1);
}

std::uint32_t dbf_table::replace_records(const std::vector<std::pair<std::uint32_t, QByteArray>>& changed,
                                         const std::vector<QByteArray>& appended) {
  require_writable();
  take_in_new_records();
  const qint64 length = header_.record_length;
  const std::uint32_t first_new = header_.record_count;
  const auto refuse = [&](const QString& why) {
    throw dbf_error(dbf_error_kind::other, QStringLiteral("Cannot write table '%1': %2").arg(name_, why));
  };
  for (const auto& [record, bytes] : changed) {
    if (record >= first_new) refuse(QStringLiteral("record %1 is past the last").arg(qint64(record) + 1));
    if (bytes.size() != length) refuse(QStringLiteral("record %1 differs in length").arg(qint64(record) + 1));
  }
  for (const QByteArray& bytes : appended)
    if (bytes.size() != length) refuse(QStringLiteral("an appended record differs in length"));

  // What another program holds locked is not written over: each changed
  // record is checked as a write in place checks it (its lock taken and
  // given back at once: holding many makes every further lock slower), and
  // the end of the table, where the new records go, is held until the new
  // file is in place. Writers of this program are kept out by the table
  // lock.
  for (const auto& change : changed) {
    const dbf_record_lock check(file_, change.first, header_.header_length + qint64(change.first) * length,
                                length, name_);
  }
  std::optional<dbf_record_lock> end_lock;
  if (!appended.empty())
    end_lock.emplace(file_, first_new, header_.data_end(), qint64(appended.size()) * length + 1, name_);

  const std::uint32_t count = first_new + std::uint32_t(appended.size());
  int y = header_.year, m = header_.month, d = header_.day;
  if (!appended.empty()) stamp_update_date(y, m, d);
  QByteArray head = header_bytes_;
  const QByteArray date_and_count = dbf_date_and_count(y, m, d, count);
  std::copy(date_and_count.begin(), date_and_count.end(), head.data() + 1);

  QByteArray bytes = head;
  bytes.reserve(head.size() + qint64(count) * length + 1);
  bytes.resize(head.size() + qint64(first_new) * length);
  dbf_io::read_at(file_, header_.header_length, bytes.data() + head.size(), qint64(first_new) * length,
                  name_);
  for (const auto& [record, new_bytes] : changed)
    std::copy(new_bytes.begin(), new_bytes.end(), bytes.data() + head.size() + qint64(record) * length);
  for (const QByteArray& record : appended) bytes.append(record);
  bytes.append(k_end_marker);

  dbf_io::file_handle replaced;
  try {
    dbf_io::replace_files({{path_, bytes}}, &replaced);
  } catch (const dbf_file_held_open&) {
    // Another computer has the table open and its server refuses the
    // rename (the old file is whole again): the records are written in
    // place, each under its record lock, as the other programs of the
    // folder write theirs, rather than refusing the teacher's marks.
    end_lock.reset();
    return write_in_place(changed, appended);
  }
  end_lock.reset();  // it lies on the old file, which is gone
  file_ = std::move(replaced);
  header_.record_count = count;
  header_.year = y;
  header_.month = m;
  header_.day = d;
  header_bytes_ = head;
  window_count_ = 0;  // read again from the new file
  lock_ = dbf_write_lock::acquire(file_, name_);
  return first_new;
}

std::uint32_t dbf_table::write_in_place(const std::vector<std::pair<std::uint32_t, QByteArray>>& changed,
                                        const std::vector<QByteArray>& appended) {
  for (const auto& [record, bytes] : changed) write_changes(record, record_bytes(record), bytes);
  std::uint32_t first_new = header_.record_count;
  for (std::size_t i = 0; i < appended.size(); ++i) {
    const std::uint32_t record = append(appended[i]);
    if (i == 0) first_new = record;
  }
  return first_new;
}

QByteArray dbf_table::store_memo(int field, const QString& text) {
  require_writable();
  const dbf_field& f = header_.fields[std::size_t(field)];
  if (text.isEmpty() || !memo_) return QByteArray(f.width, ' ');
  return memo_pointer_bytes(memo_->append(encode_cp1252(text)), f.width);
}

}  // namespace km::platform
