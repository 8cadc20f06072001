#include "platform/dbase/dbf_field_codec.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/cp1252.h"
#include "platform/date_time.h"
#include "platform/dbase/dbf_error.h"
#include "platform/number_format.h"

namespace km::platform {

namespace {

// The date value of a day of the calendar, false when there is no such day
// or the year is outside 100..9999.
bool make_days(int y, int m, int d, double& days) {
  const std::optional<double> date = make_date(y, m, d);
  if (date) days = *date;
  return date.has_value();
}

bool digits(const char* p, int n, int& out) {
  out = 0;
  for (int i = 0; i < n; ++i) {
    if (p[i] < '0' || p[i] > '9') return false;
    out = out * 10 + (p[i] - '0');
  }
  return true;
}

[[noreturn]] void conversion(const dbf_field& f, const QString& what) {
  throw dbf_error(dbf_error_kind::other,
                  QStringLiteral("Data type conversion error: %1 cannot be stored in field '%2' (type %3)")
                      .arg(what, f.name, QChar::fromLatin1(f.type)),
                  dbf_errno::conversion);
}

QByteArray blanks(int width) { return QByteArray(width, ' '); }

bool is_blank_text(const QString& s) {
  for (QChar c : s)
    if (c != QLatin1Char(' ')) return false;
  return true;
}

double number_of(const dbf_field& f, const Value& v) {
  try {
    return v.to_double();
  } catch (const value_error&) {
    conversion(f,
               v.is_text() ? QStringLiteral("the text '%1'").arg(v.as_text()) : QStringLiteral("the value"));
  }
}

QByteArray encode_text(const dbf_field& f, const Value& v, int* replaced) {
  QString text;
  try {
    text = v.is_text() ? v.as_text() : v.to_text();
  } catch (const value_error&) {
    conversion(f, QStringLiteral("the value"));
  }
  cp1252_encoding encoded = encode_cp1252_counted(text);
  QByteArray& b = encoded.bytes;
  if (replaced) *replaced = encoded.replaced;
  if (b.size() > f.width) {
    for (qsizetype i = f.width; i < b.size(); ++i)
      if (b[i] != ' ')
        throw dbf_error(dbf_error_kind::other,
                        QStringLiteral("The field is too small: '%1' has %2 characters, field '%3' holds %4")
                            .arg(text)
                            .arg(b.size())
                            .arg(f.name)
                            .arg(f.width),
                        dbf_errno::field_too_small);
    b.truncate(f.width);
  }
  return b + blanks(f.width - int(b.size()));
}

QByteArray encode_number(const dbf_field& f, const Value& v) {
  if (v.is_text() && is_blank_text(v.as_text())) return blanks(f.width);
  const double x = number_of(f, v);
  if (!std::isfinite(x)) conversion(f, QStringLiteral("a number that is not finite"));
  const std::string s = fixed_number_text(x, f.decimals);
  if (int(s.size()) > f.width)
    throw dbf_error(
        dbf_error_kind::other,
        QStringLiteral("Numeric field overflow: %1 does not fit field '%2' (width %3, %4 decimals)")
            .arg(QString::fromStdString(s), f.name)
            .arg(f.width)
            .arg(f.decimals),
        dbf_errno::numeric_overflow);
  return blanks(f.width - int(s.size())) + QByteArray(s.data(), qsizetype(s.size()));
}

bool parse_date_text(const QString& text, double& days) {
  const QByteArray t = text.trimmed().toLatin1();
  int y = 0, m = 0, d = 0;
  if (t.size() == 8)
    return digits(t.data(), 4, y) && digits(t.data() + 4, 2, m) && digits(t.data() + 6, 2, d) &&
           make_days(y, m, d, days);
  if (t.size() == 10 && t[4] == t[7] && (t[4] == '-' || t[4] == '/' || t[4] == '.'))
    return digits(t.data(), 4, y) && digits(t.data() + 5, 2, m) && digits(t.data() + 8, 2, d) &&
           make_days(y, m, d, days);
  return false;
}

QByteArray encode_date(const dbf_field& f, const Value& v) {
  double days = 0;
  if (v.is_text()) {
    if (is_blank_text(v.as_text())) return blanks(f.width);
    if (!parse_date_text(v.as_text(), days)) conversion(f, QStringLiteral("the text '%1'").arg(v.as_text()));
  } else if (v.is_date()) {
    days = v.as_date();
  } else {
    days = number_of(f, v);
  }
  if (!is_date_in_range(days)) conversion(f, QStringLiteral("a date out of range"));
  return dbf_date_text(days);
}

QByteArray encode_logical(const dbf_field& f, const Value& v) {
  if (v.is_text()) {
    const QString t = v.as_text().trimmed();
    if (t.isEmpty()) return blanks(1);
    const QString u = t.toLower();
    if (u == QLatin1String("t") || u == QLatin1String("y") || u == QLatin1String("true")) return "T";
    if (u == QLatin1String("f") || u == QLatin1String("n") || u == QLatin1String("false")) return "F";
  }
  try {
    return v.to_bool() ? "T" : "F";
  } catch (const value_error&) {
    conversion(f,
               v.is_text() ? QStringLiteral("the text '%1'").arg(v.as_text()) : QStringLiteral("the value"));
  }
}

}  // namespace

bool is_blank_field(const char* p, int width) {
  for (int i = 0; i < width; ++i)
    if (p[i] != ' ' && p[i] != '\0') return false;
  return true;
}

bool is_asterisk_field(const char* p, int width) {
  bool asterisk = false;
  for (int i = 0; i < width; ++i) {
    if (p[i] == '*')
      asterisk = true;
    else if (p[i] != ' ')
      return false;
  }
  return asterisk;
}

bool parse_dbf_date(const char* p, double& days) {
  int y = 0, m = 0, d = 0;
  return digits(p, 4, y) && digits(p + 4, 2, m) && digits(p + 6, 2, d) && make_days(y, m, d, days);
}

void dbf_civil_date(double days, int& year, int& month, int& day) {
  const date_parts p = split_date(date_part(days));
  year = p.year;
  month = p.month;
  day = p.day;
}

QByteArray dbf_date_text(double days) {
  int y = 0, m = 0, d = 0;
  dbf_civil_date(days, y, m, d);
  char buf[8];
  const int parts[] = {y / 1000, y / 100 % 10, y / 10 % 10, y % 10, m / 10, m % 10, d / 10, d % 10};
  for (int i = 0; i < 8; ++i) buf[i] = char('0' + parts[i]);
  return QByteArray(buf, 8);
}

bool parse_dbf_number(const char* p, int width, double& x) {
  int b = 0, e = width;
  while (b < e && (p[b] == ' ' || p[b] == '\0')) ++b;
  while (e > b && (p[e - 1] == ' ' || p[e - 1] == '\0')) --e;
  const int start = b;
  if (b < e && (p[b] == '-' || p[b] == '+')) ++b;
  const int digits_from = b;
  bool point = false, digit = false;
  for (int i = b; i < e; ++i) {
    if (p[i] >= '0' && p[i] <= '9') {
      digit = true;
    } else if (p[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!digit) return false;
  if (std::from_chars(p + digits_from, p + e, x).ec != std::errc()) return false;
  if (p[start] == '-') x = -x;
  return true;
}

namespace {

// The number of a number field that is not blank; a damaged one throws.
double stored_number(const dbf_field& f, const char* p) {
  double x = 0;
  if (!parse_dbf_number(p, f.width, x))
    throw dbf_error(
        dbf_error_kind::bad_format,
        QStringLiteral("Field '%1' holds '%2', which is not a number: a number field holds blanks, a "
                       "sign, digits and one point")
            .arg(f.name, decode_cp1252(p, f.width).trimmed()));
  return x;
}

}  // namespace

Value decode_dbf_field(const dbf_field& f, const char* p) {
  if (is_blank_field(p, f.width)) return Value::null();
  switch (f.type) {
    case 'N':
    case 'F':
      if (is_asterisk_field(p, f.width)) return Value::null();
      return Value(stored_number(f, p));
    case 'D': {
      double days = 0;
      if (!parse_dbf_date(p, days)) return Value::null();
      return Value::date(days);
    }
    case 'L':
      switch (p[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
          return Value(true);
        case 'F':
        case 'f':
        case 'N':
        case 'n':
          return Value(false);
        default:
          return Value::null();
      }
    default:
      return Value(decode_cp1252(p, f.width));
  }
}

QByteArray encode_dbf_field(const dbf_field& f, const Value& v, int* replaced) {
  if (replaced) *replaced = 0;
  if (v.is_null() || v.is_empty()) return blanks(f.width);
  switch (f.type) {
    case 'C':
      return encode_text(f, v, replaced);
    case 'N':
    case 'F':
      return encode_number(f, v);
    case 'D':
      return encode_date(f, v);
    case 'L':
      return encode_logical(f, v);
    default:
      throw dbf_error(
          dbf_error_kind::other,
          QStringLiteral("Field '%1' of type %2 cannot be written").arg(f.name, QChar::fromLatin1(f.type)),
          dbf_errno::conversion);
  }
}

std::string fixed_number_text(double x, int decimals) {
  if (!std::isfinite(x))
    throw dbf_error(dbf_error_kind::other, QStringLiteral("A number that is not finite cannot be stored"),
                    dbf_errno::conversion);
  return fixed_decimal_text(x, decimals, rounding::half_away_from_zero);
}

}  // namespace km::platform
