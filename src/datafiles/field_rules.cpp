#include "datafiles/field_rules.h"

#include <QStringView>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "common/text_routines.h"
#include "platform/cp1252.h"
#include "platform/date_time.h"
#include "platform/record_bytes.h"

namespace km {

namespace {

using platform::Value;
using platform::value_error;

QByteArray fitted(const QString& text, int width) {
  QByteArray bytes = platform::encode_cp1252(text.left(width)).left(width);  // "ŉ" takes two bytes
  if (bytes.size() < width) bytes.append(QByteArray(width - bytes.size(), ' '));
  return bytes;
}

float to_single(double x) {
  if (std::isfinite(x) && std::fabs(x) > double(FLT_MAX))
    throw value_error(value_error::kind::overflow, "a number too large for a single");
  return static_cast<float>(x);
}

// "yyyy?mm?dd" with "/", "." or "-" in places 5 and 8, a month 1..12 and a
// day 1..31: only such texts reach parse_date, which gives today's date for
// anything else.
bool looks_like_date_text(const QString& text) {
  const auto separator_at = [&text](int i) {
    const QChar c = text.size() > i ? text.at(i) : QChar();
    return c == u'/' || c == u'.' || c == u'-';
  };
  if (!separator_at(4) || !separator_at(7)) return false;
  const double month = platform::val(text.mid(5, 2));
  const double day = platform::val(text.mid(8, 2));
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

void put_bytes(QByteArray& record, int offset, const QByteArray& bytes) {
  std::memcpy(record.data() + offset, bytes.constData(), std::size_t(bytes.size()));
}

// The cleaned text of a value as clean_field_value gives it. A text value
// (every character field) is cleaned as a view of its own characters, so
// that a row of a wide table costs no copies.
QStringView cleaned(const Value& value, QString& storage) {
  if (!value.is_text()) {
    storage = clean_field_value(value);
    return storage;
  }
  QStringView text(value.as_text());
  while (!text.isEmpty() && text.back() == u' ') text.chop(1);
  if (!text.isEmpty() && text.front() == QChar(0)) return {};
  return text;
}

// The text cut to width or padded with blanks, as fitted() writes it. A
// text of plain ASCII characters is copied byte for byte; any other goes
// through the code page's encoder.
void put_text(QByteArray& record, int offset, int width, QStringView text) {
  const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
  if (!ascii) return put_bytes(record, offset, fitted(text.toString(), width));
  char* out = record.data() + offset;
  const qsizetype n = std::min<qsizetype>(text.size(), width);
  for (qsizetype i = 0; i < n; ++i) out[i] = char(text[i].unicode());
  std::memset(out + n, ' ', std::size_t(width - n));
}

QStringView without_blanks_around(QStringView text) {
  while (!text.isEmpty() && text.front() == u' ') text = text.mid(1);
  while (!text.isEmpty() && text.back() == u' ') text.chop(1);
  return text;
}

}  // namespace

namespace {

// The rules that give bytes write them as a record field would hold them.
QByteArray stored_bytes(rule how, const Value& value, int width) {
  QByteArray out(width, '\0');
  store_by_rule(how, value, out, 0, width, width);
  return out;
}

}  // namespace

QByteArray text_rule(const Value& value, int width) { return stored_bytes(rule::text, value, width); }

QByteArray trimmed_text_rule(const Value& value, int width) {
  return stored_bytes(rule::text_trimmed, value, width);
}

float single_rule(const Value& value) { return to_single(platform::val(clean_field_value(value))); }

std::int16_t int16_rule(const Value& value) {
  return platform::cint(platform::val(clean_field_value(value)));
}

float strict_single_rule(const Value& value) {
  const QString text = clean_field_value(value);
  if (!platform::is_number_text(text))
    throw value_error(value_error::kind::type_mismatch, "a learner number that is not a number");
  return to_single(Value(text).to_double());
}

double date_rule(const Value& value) {
  if (value.is_date()) return platform::date_part(value.as_date());
  const QString text = clean_field_value(value);
  if (!looks_like_date_text(text)) return 0.0;
  return parse_date(Value(text));
}

bool flag_rule(const Value& value) {
  const QString text = clean_field_value(value);
  if (text.isEmpty()) return false;
  return Value(text).to_bool();
}

bool nonzero_flag_rule(const Value& value) {
  if (value.kind() == Value::type::boolean) return value.to_bool();
  return platform::val(clean_field_value(value)) != 0.0;
}

QByteArray chars_rule(const Value& value, int count) { return stored_bytes(rule::chars, value, count); }

QByteArray number_text_rule(const Value& value, int width) {
  return stored_bytes(rule::number_text, value, width);
}

float raw_single_rule(const Value& value) {
  if (value.is_null()) return 0.0F;
  return to_single(platform::val(value.to_text()));
}

void store_by_rule(rule how, const Value& value, QByteArray& record, int offset, int width, int count) {
  switch (how) {
    case rule::text: {
      QString storage;
      return put_text(record, offset, width, cleaned(value, storage));
    }
    case rule::text_trimmed: {
      QString storage;
      return put_text(record, offset, width, without_blanks_around(cleaned(value, storage)));
    }
    case rule::single:
      return platform::store_single(record, offset, single_rule(value));
    case rule::int16:
      return platform::store_le<qint16>(record, offset, int16_rule(value));
    case rule::strict_single:
      return platform::store_single(record, offset, strict_single_rule(value));
    case rule::date:
      return platform::store_double(record, offset, date_rule(value));
    case rule::flag:
      return platform::store_le<qint16>(record, offset, flag_rule(value) ? -1 : 0);
    case rule::flag_nonzero:
      return platform::store_le<qint16>(record, offset, nonzero_flag_rule(value) ? -1 : 0);
    case rule::chars: {
      QString storage;
      return put_text(record, offset, count, cleaned(value, storage));
    }
    case rule::number_text:
      return put_text(record, offset, width, platform::number_text(platform::val(clean_field_value(value))));
    case rule::raw_single:
      return platform::store_single(record, offset, raw_single_rule(value));
  }
}

}  // namespace km
