#include "platform/record_layout.h"

#include <QtEndian>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/cp1252.h"
#include "platform/date_time.h"
#include "platform/record_bytes.h"

namespace km::platform {

namespace {

bool same_name(std::string_view a, const char* b) {
  const std::size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string describe(const record_layout& layout, std::string_view name) {
  return std::string(layout.name) + "." + std::string(name);
}

void require_kind(const field_def& f, std::string_view name, std::initializer_list<field_kind> kinds) {
  for (field_kind k : kinds)
    if (f.kind == k) return;
  throw std::invalid_argument("field " + std::string(name) + " is of another kind");
}

}  // namespace

const field_def* find_field(const record_layout& layout, std::string_view name) {
  for (const field_def& f : layout.fields)
    if (same_name(name, f.name)) return &f;
  return nullptr;
}

record_buffer::record_buffer(const record_layout& layout) : layout_(&layout), bytes_(layout.length, '\0') {}

record_buffer::record_buffer(const record_layout& layout, const QByteArray& bytes) : record_buffer(layout) {
  set_bytes(bytes);
}

void record_buffer::set_bytes(const QByteArray& bytes) {
  bytes_ = bytes.left(layout_->length);
  if (bytes_.size() < layout_->length) bytes_.append(QByteArray(layout_->length - bytes_.size(), '\0'));
}

void record_buffer::clear() { bytes_.fill('\0'); }

void record_buffer::blank() {
  clear();
  for (const field_def& f : layout_->fields)
    if (f.kind == field_kind::text)
      std::memset(bytes_.data() + f.offset, ' ', std::size_t(f.width) * f.count);
}

std::pair<const field_def*, int> record_buffer::locate(std::string_view name, int index) const {
  const field_def* f = find_field(*layout_, name);
  if (!f) throw std::out_of_range("no field " + describe(*layout_, name));
  const int i = index == first_element ? f->first_index : index;
  if (i < f->first_index || i >= f->first_index + f->count)
    throw std::out_of_range("index " + std::to_string(index) + " outside " + describe(*layout_, name));
  return {f, f->offset + (i - f->first_index) * f->width};
}

Value record_buffer::get(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  switch (f->kind) {
    case field_kind::text:
    case field_kind::raw:
      return Value::text(decode_cp1252(bytes_.mid(at, f->width)));
    case field_kind::int16:
      return Value::int16(load_le<qint16>(bytes_, at));
    case field_kind::int32:
      return Value::int32(load_le<qint32>(bytes_, at));
    case field_kind::bool16:
      return Value::boolean(load_le<qint16>(bytes_, at) != 0);
    case field_kind::single:
      return Value::single(load_single(bytes_, at));
    case field_kind::dbl:
      return Value::dbl(load_double(bytes_, at));
    case field_kind::date:
      return Value::date(load_double(bytes_, at));
  }
  return {};
}

void record_buffer::set(std::string_view name, const Value& value, int index) {
  const auto [f, at] = locate(name, index);
  switch (f->kind) {
    case field_kind::text:
      set_text(name, value.to_text(), index);
      return;
    case field_kind::raw:
      set_raw(name, encode_cp1252(value.to_text()), index);
      return;
    case field_kind::int16:
      store_le<qint16>(bytes_, at, value.to_int16());
      return;
    case field_kind::int32:
      store_le<qint32>(bytes_, at, value.to_int32());
      return;
    case field_kind::bool16:
      store_le<qint16>(bytes_, at, value.to_bool() ? -1 : 0);
      return;
    case field_kind::single: {
      const double d = value.to_double();
      if (std::isfinite(d) && std::fabs(d) > FLT_MAX)
        throw value_error(value_error::kind::overflow, "number too large for a single");
      store_single(bytes_, at, static_cast<float>(d));
      return;
    }
    case field_kind::dbl:
      store_double(bytes_, at, value.to_double());
      return;
    case field_kind::date:
      store_double(bytes_, at, value.is_date() ? value.as_date() : checked_date(value.to_double()));
      return;
  }
}

QString record_buffer::get_text(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::text, field_kind::raw});
  return decode_cp1252(bytes_.mid(at, f->width));
}

std::int16_t record_buffer::get_int16(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::int16});
  return load_le<qint16>(bytes_, at);
}

std::int32_t record_buffer::get_int32(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::int32});
  return load_le<qint32>(bytes_, at);
}

bool record_buffer::get_bool(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::bool16});
  return load_le<qint16>(bytes_, at) != 0;
}

float record_buffer::get_single(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::single});
  return load_single(bytes_, at);
}

double record_buffer::get_double(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::dbl, field_kind::date});
  const double v = load_double(bytes_, at);
  return f->kind == field_kind::date ? checked_date(v) : v;
}

QByteArray record_buffer::get_raw(std::string_view name, int index) const {
  const auto [f, at] = locate(name, index);
  return bytes_.mid(at, f->width);
}

void record_buffer::set_text(std::string_view name, const QString& text, int index) {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::text});
  QByteArray b = encode_cp1252(text).left(f->width);
  b.append(QByteArray(f->width - b.size(), ' '));
  std::memcpy(bytes_.data() + at, b.constData(), std::size_t(f->width));
}

void record_buffer::set_int16(std::string_view name, std::int16_t v, int index) {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::int16});
  store_le<qint16>(bytes_, at, v);
}

void record_buffer::set_int32(std::string_view name, std::int32_t v, int index) {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::int32});
  store_le<qint32>(bytes_, at, v);
}

void record_buffer::set_bool(std::string_view name, bool v, int index) {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::bool16});
  store_le<qint16>(bytes_, at, v ? -1 : 0);
}

void record_buffer::set_single(std::string_view name, float v, int index) {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::single});
  store_single(bytes_, at, v);
}

void record_buffer::set_double(std::string_view name, double v, int index) {
  const auto [f, at] = locate(name, index);
  require_kind(*f, name, {field_kind::dbl, field_kind::date});
  store_double(bytes_, at, f->kind == field_kind::date ? checked_date(v) : v);
}

void record_buffer::set_raw(std::string_view name, const QByteArray& bytes, int index) {
  const auto [f, at] = locate(name, index);
  QByteArray b = bytes.left(f->width);
  b.append(QByteArray(f->width - b.size(), '\0'));
  std::memcpy(bytes_.data() + at, b.constData(), std::size_t(f->width));
}

}  // namespace km::platform
