#include "platform/value.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "platform/cp1252.h"
#include "platform/date_time.h"
#include "platform/system_settings.h"

namespace km::platform {

namespace {

[[noreturn]] void throw_null() {
  throw value_error(value_error::kind::invalid_use_of_null, "Invalid use of Null");
}
[[noreturn]] void throw_mismatch() { throw value_error(value_error::kind::type_mismatch, "Type mismatch"); }
[[noreturn]] void throw_overflow() { throw value_error(value_error::kind::overflow, "Overflow"); }

bool is_digit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int hex_digit(QChar c) {
  if (is_digit(c)) return c.unicode() - '0';
  if (c >= QLatin1Char('a') && c <= QLatin1Char('f')) return c.unicode() - 'a' + 10;
  if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) return c.unicode() - 'A' + 10;
  return -1;
}

// An &H or &O number in `s` from position 0 ("&H" already checked by the
// caller to stand there). Reads as far as the digits go and reports where it
// stopped. A value that fits 16 bits is a 16-bit integer (&HFFFF is -1),
// else a 32-bit one; more is an overflow.
double read_radix(const QString& s, int& end) {
  const bool hex = s[1] == QLatin1Char('H') || s[1] == QLatin1Char('h');
  const int base = hex ? 16 : 8;
  std::uint64_t value = 0;
  int i = 2;
  for (; i < s.size(); ++i) {
    const int digit = hex_digit(s[i]);
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) throw_overflow();
  }
  end = i;
  if (value <= 0xFFFF) return double(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  return double(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

bool is_radix_prefix(const QString& s) {
  if (s.size() < 2 || s[0] != QLatin1Char('&')) return false;
  const QChar c = s[1].toUpper();
  return c == QLatin1Char('H') || c == QLatin1Char('O');
}

// The double of a plain decimal number held as ASCII ("-12.5e3"); too large
// is an overflow, too small is 0.
double to_number(const std::string& text, long exponent) {
  double value = 0.0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Out of range either way: judge by the decimal magnitude (digits before
    // the point, or zeros after it, plus the exponent), not by the sign of
    // the written exponent alone, so "1" and 400 zeros is an overflow too.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    while (i < text.size() && text[i] == '0') ++i;
    long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++magnitude, ++i;
    if (magnitude == 0 && i < text.size() && text[i] == '.') {
      ++i;
      while (i < text.size() && text[i] == '0') --magnitude, ++i;
    }
    if (magnitude + exponent > 0) throw_overflow();
    return 0.0;
  }
  if (std::isinf(value)) throw_overflow();
  return value;
}

// Appends "e<exponent>" after reading the exponent digits at s[i..]; the
// exponent is kept within a range that from_chars can judge.
long read_exponent_digits(const QString& s, int& i, bool negative) {
  long exponent = 0;
  while (i < s.size() && is_digit(s[i])) {
    if (exponent < 100000) exponent = exponent * 10 + (s[i].unicode() - '0');
    ++i;
  }
  return negative ? -exponent : exponent;
}

// Reads an optional sign and the digits with at most one decimal point at
// s[i..] into ascii, in the form from_chars reads ("-", "."); a thousands
// separator, where one is given, is skipped after a digit and before the
// point. Stops at the first other character; returns whether any digit came.
bool read_mantissa(const QString& s, int& i, std::string& ascii, QChar decimal,
                   std::optional<QChar> thousands) {
  if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
    if (s[i] == QLatin1Char('-')) ascii += '-';
    ++i;
  }
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    const QChar c = s[i];
    if (is_digit(c)) {
      ascii += char(c.unicode());
      digits = true;
    } else if (c == decimal && !point) {
      ascii += '.';
      point = true;
    } else if (thousands && c == *thousands && digits && !point) {
      continue;
    } else {
      break;
    }
  }
  return digits;
}

bool is_exponent_mark(QChar c) {
  return c == QLatin1Char('e') || c == QLatin1Char('E') || c == QLatin1Char('d') || c == QLatin1Char('D');
}

// CDbl of a text; nothing when it is not a number.
std::optional<double> text_to_double(const QString& text) {
  int from = 0, to = int(text.size());
  const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
  while (from < to && blank(text[from])) ++from;
  while (to > from && blank(text[to - 1])) --to;
  const QString s = text.mid(from, to - from);
  if (s.isEmpty()) return std::nullopt;
  if (is_radix_prefix(s)) {
    int end = 0;
    const double v = read_radix(s, end);
    if (end == 2 || end != s.size()) return std::nullopt;
    return v;
  }
  const system_settings_t& settings = system_settings();
  std::string ascii;
  int i = 0;
  if (!read_mantissa(s, i, ascii, settings.decimal, settings.thousands)) return std::nullopt;
  long exponent = 0;
  if (i < s.size() && is_exponent_mark(s[i])) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
      negative = s[i++] == QLatin1Char('-');
    if (i >= s.size() || !is_digit(s[i])) return std::nullopt;
    exponent = read_exponent_digits(s, i, negative);
    ascii += 'e' + std::to_string(exponent);
  }
  if (i != s.size()) return std::nullopt;
  return to_number(ascii, exponent);
}

double round_to_integer_half_even(double x) {
  const double floor = std::floor(x);
  const double diff = x - floor;
  if (diff > 0.5) return floor + 1;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
}

// Text order by character code of the code page; characters outside it,
// which share the code of "?", keep a stable order among themselves.
ordering compare_text(const QString& a, const QString& b) {
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i) {
    const int ca = ansi_code(a[i]), cb = ansi_code(b[i]);
    if (ca != cb) return ca < cb ? ordering::less : ordering::greater;
    if (a[i] != b[i]) return a[i] < b[i] ? ordering::less : ordering::greater;
  }
  if (a.size() == b.size()) return ordering::equal;
  return a.size() < b.size() ? ordering::less : ordering::greater;
}

ordering compare_numbers(double a, double b) {
  if (a < b) return ordering::less;
  if (a > b) return ordering::greater;
  if (a == b) return ordering::equal;
  return ordering::unordered;
}

QString with_system_decimal(QString text) {
  const QChar decimal = system_settings().decimal;
  if (decimal != QLatin1Char('.')) text.replace(QLatin1Char('.'), decimal);
  return text;
}

int value_error_number(value_error::kind k) {
  switch (k) {
    case value_error::kind::type_mismatch:
      return 13;
    case value_error::kind::overflow:
      return 6;
    case value_error::kind::invalid_use_of_null:
      return 94;
    case value_error::kind::invalid_argument:
      return 5;
  }
  return 5;
}

}  // namespace

value_error::value_error(kind k, const char* detail)
    : platform_error(value_error_number(k), standard_error_text(value_error_number(k)),
                     QString::fromUtf8(detail)),
      kind_(k) {}

Value::Value(date_value v) : v_(date_value{checked_date(v.days)}) {}

bool Value::is_numeric() const {
  switch (kind()) {
    case type::int16:
    case type::int32:
    case type::single:
    case type::dbl:
    case type::date:
    case type::boolean:
      return true;
    default:
      return false;
  }
}

QString Value::to_text() const {
  switch (kind()) {
    case type::empty:
      return QString();
    case type::null:
      throw_null();
    case type::int16:
      return QString::number(std::get<std::int16_t>(v_));
    case type::int32:
      return QString::number(std::get<std::int32_t>(v_));
    case type::single:
      return with_system_decimal(single_text(std::get<float>(v_)));
    case type::dbl:
      return with_system_decimal(number_text(std::get<double>(v_)));
    case type::date:
      return date_text(std::get<date_value>(v_).days);
    case type::boolean:
      return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
    case type::text:
      return std::get<QString>(v_);
  }
  return QString();
}

double Value::to_double() const {
  switch (kind()) {
    case type::empty:
      return 0.0;
    case type::null:
      throw_null();
    case type::int16:
      return std::get<std::int16_t>(v_);
    case type::int32:
      return std::get<std::int32_t>(v_);
    case type::single:
      return std::get<float>(v_);
    case type::dbl:
      return std::get<double>(v_);
    case type::date:
      return std::get<date_value>(v_).days;
    case type::boolean:
      return std::get<bool>(v_) ? -1.0 : 0.0;
    case type::text: {
      const std::optional<double> v = text_to_double(std::get<QString>(v_));
      if (!v) throw_mismatch();
      return *v;
    }
  }
  return 0.0;
}

std::int16_t Value::to_int16() const { return cint(to_double()); }

std::int32_t Value::to_int32() const { return clng(to_double()); }

std::int16_t cint(double x) {
  const double r = round_to_integer_half_even(x);
  if (!(r >= -32768.0 && r <= 32767.0)) throw_overflow();
  return static_cast<std::int16_t>(r);
}

std::int32_t clng(double x) {
  const double r = round_to_integer_half_even(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw_overflow();
  return static_cast<std::int32_t>(r);
}

bool Value::to_bool() const {
  if (kind() == type::text) {
    const QString t = std::get<QString>(v_).trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  }
  return to_double() != 0.0;
}

double val(const QString& text) {
  // The text without the blanks, tabs and line feeds that Val skips.
  QString s;
  s.reserve(text.size());
  for (QChar c : text)
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) s += c;

  if (is_radix_prefix(s)) {
    int end = 0;
    return read_radix(s, end);
  }
  std::string ascii;
  int i = 0;
  if (!read_mantissa(s, i, ascii, QLatin1Char('.'), std::nullopt)) return 0.0;
  long exponent = 0;
  if (i + 1 < s.size() && is_exponent_mark(s[i])) {
    int j = i + 1;
    bool negative = false;
    if (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')) negative = s[j++] == QLatin1Char('-');
    if (j < s.size() && is_digit(s[j])) {
      exponent = read_exponent_digits(s, j, negative);
      ascii += 'e' + std::to_string(exponent);
    }
  }
  const double v = to_number(ascii, exponent);
  return v == 0.0 ? 0.0 : v;  // no negative zero from "-0"
}

bool is_number_text(const QString& text) {
  try {
    return text_to_double(text).has_value();
  } catch (const value_error&) {
    return false;
  }
}

ordering compare(const Value& a, const Value& b) {
  if (a.is_null() || b.is_null()) return ordering::unordered;
  if (a.is_empty() && b.is_empty()) return ordering::equal;
  if (a.is_text() && b.is_text()) return compare_text(a.as_text(), b.as_text());
  if (a.is_empty())
    return b.is_text() ? compare_text(QString(), b.as_text()) : compare_numbers(0.0, b.to_double());
  if (b.is_empty())
    return a.is_text() ? compare_text(a.as_text(), QString()) : compare_numbers(a.to_double(), 0.0);
  if (a.is_text()) return ordering::greater;  // a number is smaller than any text
  if (b.is_text()) return ordering::less;
  return compare_numbers(a.to_double(), b.to_double());
}

}  // namespace km::platform
