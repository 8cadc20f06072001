#include "platform/dbase/recordset.h"

#include <numeric>

#include "platform/cp1252.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_field_codec.h"

namespace km::platform {

namespace {

[[noreturn]] void no_current_record() {
  throw dbf_error(dbf_error_kind::other, QStringLiteral("No current record."), dbf_errno::no_current_record);
}

[[noreturn]] void not_editing() {
  throw dbf_error(dbf_error_kind::other, QStringLiteral("Update or CancelUpdate without AddNew or Edit."),
                  dbf_errno::not_editing);
}

}  // namespace

recordset::recordset(std::unique_ptr<dbf_table> table)
    : table_(std::move(table)), live_(table_->record_count(), table_->deleted_records()) {
  pos_ = live_.empty() ? -1 : 0;
}

recordset::~recordset() = default;

qint64 recordset::absolute_position() const { return on_deleted_ || bof() || eof() ? -1 : pos_; }

void recordset::set_absolute_position(qint64 position) {
  if (position < 0 || position >= record_count()) no_current_record();
  leave_edit();
  pos_ = position;
}

std::uint32_t recordset::record_number() const {
  require_current();
  return live_.at(pos_);
}

void recordset::leave_edit() {
  mode_ = edit_mode::none;
  pending_memos_.clear();
  on_deleted_ = false;
}

void recordset::move_first() {
  if (live_.empty()) no_current_record();
  leave_edit();
  pos_ = 0;
}

void recordset::move_last() {
  if (live_.empty()) no_current_record();
  leave_edit();
  pos_ = record_count() - 1;
}

void recordset::move_next() {
  // After a deletion pos_ already names the record that followed (or EOF).
  if (on_deleted_) {
    leave_edit();
    return;
  }
  if (eof()) no_current_record();
  leave_edit();
  ++pos_;
}

void recordset::move_previous() {
  if (bof()) no_current_record();
  leave_edit();
  --pos_;
}

void recordset::move(qint64 rows) {
  qint64 to = pos_ + rows;
  if (on_deleted_) {
    if (rows > 0) --to;  // pos_ is already one on
  } else if (bof() || eof()) {
    no_current_record();
  }
  leave_edit();
  pos_ = to < 0 ? -1 : to >= record_count() ? record_count() : to;
}

void recordset::no_such_field(int index) const {
  throw dbf_error(dbf_error_kind::other,
                  QStringLiteral("Item not found in this collection: field %1 of table '%2'")
                      .arg(index)
                      .arg(table_->name()),
                  dbf_errno::field_not_found);
}

int recordset::index_of(const QString& name) const {
  const int i = table_->field_index(name);
  if (i < 0)
    throw dbf_error(dbf_error_kind::other,
                    QStringLiteral("Item not found in this collection: field '%1' of table '%2'")
                        .arg(name, table_->name()),
                    dbf_errno::field_not_found);
  return i;
}

void recordset::require_current() const {
  if (on_deleted_)
    throw dbf_error(dbf_error_kind::other, QStringLiteral("Record is deleted."), dbf_errno::record_deleted);
  if (bof() || eof()) no_current_record();
}

void recordset::require_updatable() const {
  if (!updatable())
    throw dbf_error(dbf_error_kind::read_only,
                    QStringLiteral("Cannot update: table '%1' is open read-only").arg(table_->name()));
}

Value recordset::value(int index) const {
  field(index);
  if (mode_ != edit_mode::none) {
    if (const auto it = pending_memos_.find(index); it != pending_memos_.end())
      return it->second.isEmpty() ? Value::null() : Value(it->second);
    return table_->decode(buffer_.constData(), index);
  }
  require_current();
  return table_->value(live_.at(pos_), index);
}

Value recordset::value(const QString& name) const { return value(index_of(name)); }

Value recordset::value_at(qint64 position, int index) const {
  field(index);
  if (position < 0 || position >= record_count()) no_current_record();
  return table_->value(live_.at(position), index);
}

void recordset::set_value(int index, const Value& v) {
  const dbf_field& f = field(index);
  if (mode_ == edit_mode::none) not_editing();
  if (f.type == 'M') {
    QString text;
    if (!v.is_null() && !v.is_empty()) {
      try {
        text = v.is_text() ? v.as_text() : v.to_text();
      } catch (const value_error&) {
        throw dbf_error(dbf_error_kind::other,
                        QStringLiteral("Data type conversion error: field '%1'").arg(f.name),
                        dbf_errno::conversion);
      }
    }
    replaced_[index] = encode_cp1252_counted(text).replaced;
    pending_memos_[index] = text;
    return;
  }
  int replaced = 0;
  const QByteArray bytes = encode_dbf_field(f, v, &replaced);
  std::copy(bytes.begin(), bytes.end(), buffer_.data() + f.offset);
  replaced_[index] = replaced;
}

int recordset::replaced_characters() const {
  return std::accumulate(replaced_.begin(), replaced_.end(), 0,
                         [](int sum, const auto& field) { return sum + field.second; });
}

void recordset::set_value(const QString& name, const Value& v) { set_value(index_of(name), v); }

void recordset::edit() {
  require_updatable();
  require_current();
  pending_memos_.clear();
  replaced_.clear();
  original_ = table_->record_bytes(live_.at(pos_));
  buffer_ = original_;
  mode_ = edit_mode::editing;
}

void recordset::add_new() {
  require_updatable();
  pending_memos_.clear();
  replaced_.clear();
  buffer_ = table_->blank_record();
  original_.clear();
  mode_ = edit_mode::adding;
}

void recordset::store_pending_memos() {
  for (const auto& [index, text] : pending_memos_) {
    const dbf_field& f = table_->fields()[std::size_t(index)];
    const QByteArray pointer = table_->store_memo(index, text);
    std::copy(pointer.begin(), pointer.end(), buffer_.data() + f.offset);
  }
  pending_memos_.clear();
}

void recordset::update() {
  if (mode_ == edit_mode::none) not_editing();
  store_pending_memos();
  if (mode_ == edit_mode::editing) {
    table_->write_changes(live_.at(pos_), original_, buffer_);
  } else {
    live_.add(table_->append(buffer_));
    pos_ = record_count() - 1;
    on_deleted_ = false;
  }
  mode_ = edit_mode::none;
}

void recordset::cancel_update() {
  if (mode_ == edit_mode::none) not_editing();
  mode_ = edit_mode::none;
  pending_memos_.clear();
}

void recordset::delete_current() {
  require_updatable();
  require_current();
  mode_ = edit_mode::none;
  pending_memos_.clear();
  table_->set_deleted(live_.at(pos_), true);
  live_.remove(pos_);
  on_deleted_ = true;
}

void recordset::write_records(const std::vector<record_change>& changes) {
  if (changes.empty()) return;
  require_updatable();
  leave_edit();
  replaced_.clear();
  std::vector<std::pair<std::uint32_t, QByteArray>> changed;
  std::map<std::uint32_t, std::size_t> changed_at;  // a record met again builds on its first change
  std::vector<QByteArray> appended;
  for (const record_change& change : changes) {
    const bool adding = change.position < 0;
    if (!adding && change.position >= record_count()) no_current_record();
    const std::uint32_t record = adding ? 0 : live_.at(change.position);
    const auto earlier = adding ? changed_at.end() : changed_at.find(record);
    const QByteArray original = adding                        ? QByteArray()
                                : earlier != changed_at.end() ? changed[earlier->second].second
                                                              : table_->record_bytes(record);
    QByteArray bytes = adding ? table_->blank_record() : original;
    replaced_.clear();  // the counts of the last record, as after its Update
    for (const auto& [index, value] : change.values) {
      const dbf_field& f = field(index);
      if (f.type == 'M')
        throw dbf_error(dbf_error_kind::other,
                        QStringLiteral("Memo field '%1' cannot be written with other records").arg(f.name));
      int replaced = 0;
      const QByteArray encoded = encode_dbf_field(f, value, &replaced);
      std::copy(encoded.begin(), encoded.end(), bytes.data() + f.offset);
      replaced_[index] = replaced;
    }
    if (adding) {
      appended.push_back(bytes);
    } else if (earlier != changed_at.end()) {
      changed[earlier->second].second = bytes;
    } else if (bytes != original) {
      changed_at.emplace(record, changed.size());
      changed.emplace_back(record, bytes);
    }
  }
  if (!changed.empty() || !appended.empty()) {
    const std::uint32_t first_new = table_->replace_records(changed, appended);
    for (std::uint32_t r = 0; r < appended.size(); ++r) live_.add(first_new + r);
  }
  const qint64 last = changes.back().position;
  pos_ = last >= 0 ? last : record_count() - 1;
}

}  // namespace km::platform
