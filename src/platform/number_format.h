#pragma once
// Numbers turned into text the way the program shows and stores them.
//
// format_number follows the platform's Format patterns: "0" a digit that is
// always shown, "#" a digit shown only when it counts, "." the decimal point,
// "," between digit places groups thousands ("," right of the last digit
// place divides by 1000), "%" multiplies by 100, "\x" and "..." are copied,
// any other character is copied too; up to three sections split by ";" serve
// positive, negative and zero values. Halves round away from zero, judged on
// the number's 15-significant-digit decimal form, so 0.35 (stored as
// 0.34999...) gives "0.4" with "0.0" as a person expects.
//
// Examples: 12.25 "##0.0" -> "12.3"; 0 "###.0" -> ".0"; 100 "##0.0" ->
// "100.0"; 12 "0,000" -> "0,012"; 1234567 "#,0" -> "1,234,567".

#include <QString>
#include <string>

namespace km::platform {

class Value;

// A finite number as significant decimal digits: the value is
// 0.d1d2d3... x 10^point, that is, the decimal point stands after `point`
// digits (before the first digit when point is 0, with -point zeros between
// when negative). No trailing zeros; zero has no digits.
struct decimal_digits {
  bool negative = false;
  std::string digits;
  int point = 0;
  bool is_zero() const { return digits.empty(); }
};

// The number correctly rounded to `significant` digits (1..17).
decimal_digits to_decimal(double x, int significant = 15);
decimal_digits to_decimal(float x, int significant = 7);

// How a half is rounded: away from zero (Format patterns and the number
// fields of tables), or to the even digit (Round and currency amounts).
enum class rounding { half_away_from_zero, half_even };

// Rounds the digits to `decimals` places after the point.
void round_decimal(decimal_digits& d, int decimals, rounding mode);

// The digits before the point ("" for a number below one), and the first
// `count` digits after it (zeros where the number has none).
std::string whole_digits(const decimal_digits& d);
std::string fraction_digits(const decimal_digits& d, int count);

// A number in fixed notation with `decimals` places, rounded as `mode` says
// on its 15-significant-digit decimal form: "0" before the point of a number
// below one, "." as the point, and "-" only in front of a number that does
// not round to zero (12.25, 1 -> "12.3"; -0.04, 1 -> "0.0"). Infinity and
// NaN give their text forms ("Infinity", "-Infinity", "NaN").
std::string fixed_decimal_text(double x, int decimals, rounding mode);

// The double nearest to the digits.
double decimal_to_double(const decimal_digits& d);

// The number rounded as fixed_decimal_text rounds it, as the double nearest
// to that text (30.25, 1 place, half away from zero -> 30.3); a number that
// rounds to zero gives 0, infinity and NaN come back as they are.
double rounded_decimal(double x, int decimals, rounding mode);

// Format(x, pattern) for a double. An empty pattern gives the number's
// text form.
QString format_number(double x, const QString& pattern);
// The same for a single: judged on its 7-digit form (0.35f gives "0.4").
QString format_single(float x, const QString& pattern);
// Format of a loose value: numbers, dates (their day count) and Booleans as
// numbers, a text that reads wholly as a number as that number, any other
// text unchanged; empty and null give "".
QString format_value(const Value& v, const QString& pattern);

// Str(x): the number's text with "." as the point, a blank in front of a
// number that is not negative, and no zero before the point of a number
// below one (" 5", "-5", " .5", "-.25").
QString str_number(double x);

}  // namespace km::platform
