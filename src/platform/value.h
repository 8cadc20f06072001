#pragma once
// The loose value that record fields, table fields, grid cells and most
// routine arguments carry: empty (never set), null (a missing table field),
// 16- or 32-bit integer, single or double float, date, Boolean or text.
// Its text form, number reading and comparison follow the rules the older
// programs of the suite applied, so values written by them read the same.

#include <QString>
#include <cstdint>
#include <utility>
#include <variant>

#include "platform/platform_error.h"

namespace km::platform {

// A failure that the older programs raised as a run-time error: type
// mismatch (13), overflow (6), invalid use of null (94), invalid procedure
// call or argument (5). The text is the kind's own ("Overflow" ...); the
// detail, which what() gives, says what was being converted.
class value_error : public platform_error {
 public:
  enum class kind { type_mismatch, overflow, invalid_use_of_null, invalid_argument };
  value_error(kind k, const char* detail);
  kind which() const { return kind_; }

 private:
  kind kind_;
};

struct empty_t {
  bool operator==(const empty_t&) const = default;
};
struct null_t {
  bool operator==(const null_t&) const = default;
};

// A date: days since 1899-12-30, the fraction being the time of day.
struct date_value {
  double days = 0.0;
  bool operator==(const date_value&) const = default;
};

class Value {
 public:
  enum class type { empty, null, int16, int32, single, dbl, date, boolean, text };

  Value() = default;
  static Value null() { return Value(null_t{}); }
  static Value int16(std::int16_t v) { return Value(v); }
  static Value int32(std::int32_t v) { return Value(v); }
  static Value single(float v) { return Value(v); }
  static Value dbl(double v) { return Value(v); }
  static Value date(double days) { return Value(date_value{days}); }
  static Value boolean(bool v) { return Value(v); }
  static Value text(const QString& v) { return Value(v); }

  Value(std::int16_t v) : v_(v) {}
  Value(std::int32_t v) : v_(v) {}
  Value(float v) : v_(v) {}
  Value(double v) : v_(v) {}
  Value(bool v) : v_(v) {}
  // A date outside the years 100 to 9999, infinity or NaN throws
  // value_error (overflow), as the platform's date conversion does.
  Value(date_value v);
  Value(const QString& v) : v_(v) {}
  Value(QString&& v) noexcept : v_(std::move(v)) {}
  Value(const char* v) : v_(QString::fromUtf8(v)) {}
  Value(null_t v) : v_(v) {}

  type kind() const { return static_cast<type>(v_.index()); }
  bool is_empty() const { return kind() == type::empty; }
  bool is_null() const { return kind() == type::null; }
  bool is_text() const { return kind() == type::text; }
  bool is_date() const { return kind() == type::date; }
  // integer, float, date or Boolean: compared numerically
  bool is_numeric() const;

  // The platform's text form (single: 7 significant digits, double: 15;
  // "True"/"False"; a date in the short date format with its time when not
  // midnight). Empty gives "". Null has no text form: throws
  // value_error::invalid_use_of_null.
  QString to_text() const;

  // CDbl: a number, a Boolean (-1/0), a date's day count, or a text that
  // reads wholly as a number (blanks allowed around it). Empty gives 0.
  // Null: invalid_use_of_null; a text that is not a number: type_mismatch.
  double to_double() const;

  // CInt and CLng of to_double (see cint and clng below).
  std::int16_t to_int16() const;
  std::int32_t to_int32() const;

  // CBool: a number is True when non-zero; texts "True"/"False" (any case)
  // or a number text; otherwise type_mismatch.
  bool to_bool() const;

  // The raw alternatives, for code that switches on the kind.
  const QString& as_text() const { return std::get<QString>(v_); }
  double as_date() const { return std::get<date_value>(v_).days; }

  bool operator==(const Value&) const = default;

 private:
  std::variant<empty_t, null_t, std::int16_t, std::int32_t, float, double, date_value, bool, QString> v_;
};

// Val: skips blanks, tabs and line feeds anywhere; takes the longest leading
// number (sign, digits, "." as the point whatever the system setting,
// optional exponent, and the &H / &O prefixes); no number gives 0.
double val(const QString& text);

// IsNumeric for a text: true when CDbl accepts it (blanks around it, a sign,
// digits with thousands separators, the system decimal separator, an
// exponent, or an &H / &O number).
bool is_number_text(const QString& text);

// Comparison of two loose values as the platform's "<" and ">" do: two
// numbers numerically, two texts by character code, a number is smaller
// than any text, empty compares as 0 against a number and "" against a
// text; with null the answer is "not comparable".
enum class ordering { less, equal, greater, unordered };
ordering compare(const Value& a, const Value& b);

// CInt of a number: rounded half to even (2.5 -> 2, 3.5 -> 4); outside
// -32768..32767, and NaN, throw value_error (overflow). The one rule for
// every conversion of a number to a 16-bit whole number.
std::int16_t cint(double x);
// CLng: the same for 32 bits.
std::int32_t clng(double x);

// Round (half to even) to a number of decimals, as the platform's Round.
double round_half_even(double x, int decimals = 0);

// The text of a number as the platform prints it: double with up to 15
// significant digits, single with up to 7, no trailing zeros, "E+nn" form
// for very large or small values, "." as the point.
QString number_text(double x);
QString single_text(float x);

}  // namespace km::platform
