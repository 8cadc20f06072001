#pragma once
// Small stateless routines that every window uses on values read from
// record fields, table fields, grid cells and text boxes: the larger and the
// smaller of two values, justification in a fixed-width field, the date text
// "yyyy.mm.dd" and its reverse, the Afrikaans-aware upper and title case,
// filling an array, cleaning a field value, and the reversible scrambler of
// the menu-password file.
//
// Character codes are those of the Windows-1252 code page.

#include <QString>

#include "platform/value.h"

namespace km {

using platform::Value;

// The text without the blanks at both ends. Only blanks count: the record
// files pad their texts with them, while tabs and other spaces are text.
QString trim_blanks(const QString& text);

// The text without the blanks at its end (leading blanks kept).
QString trim_trailing_blanks(const QString& text);

// The larger of a and b as a double: 0 when a's text is empty (whatever b
// is); otherwise a and b compared as loose values (a number is smaller than
// any text, null compares with nothing) and the larger converted to a
// double, 0 when it cannot be ((5, "") gives 0).
double get_max_value(const Value& a, const Value& b);

// The smaller of the numbers read from the texts of a and b (Val rules:
// '1,5' reads as 1). Throws platform::value_error (invalid use of null) when
// either is null.
double get_min_value(const Value& a, const Value& b);

// The value's text, trimmed, right-aligned in exactly `width` characters
// padded on the left with the first character of `fill` (a blank when fill is
// blank); a longer text loses its leftmost characters; null gives width
// blanks. The value and the fill are left as they are.
QString right_justify(const Value& value, int width, const QString& fill = QString());

// The value's text with trailing blanks removed (leading blanks kept),
// left-aligned in exactly `width` characters padded on the right with the
// first character of `fill` (a blank when fill is empty); a longer text
// loses its rightmost characters; null gives width blanks. The value and
// the fill are left as they are.
QString left_justify(const Value& value, int width, const QString& fill = QString());

// The date text "yyyy.mm.dd" of a date value or date text:
// - a date value gives its day as yyyy.mm.dd; the zero date or a time alone
//   gives "";
// - a text already in the form "yyyy.mm.dd..." comes back unchanged;
// - eight digits "yyyymmdd" give "yyyy.mm.dd";
// - another text that reads as a date of three parts (split at "-", else
//   "/", else ".") gives that day as yyyy.mm.dd; a time alone gives "";
//   a text that is no date gives "";
// - empty, null, a blank text, a date of fewer than three parts: empty.
Value format_date(const Value& value);

// The date of a text "yyyy.mm.dd", "yyyy/mm/dd" or "yyyy-mm-dd" (with "."
// and "-" mixed in places 5 and 8): a blank text gives the zero date; a text
// whose separators or month (1..12) or day (1..31) are out of place gives
// today's date; a day that does not exist in its month gives the zero date.
// A date value gives itself (a time alone the zero date).
double parse_date(const Value& value);

// Upper case that keeps the accented letters (codes 128 to 223) small:
// "Hoërskool Noord" gives "HOëRSKOOL NOORD", and "HOERSKOOL" becomes
// "HOëRSKOOL".
QString upper_case_afrikaans(const QString& text);

// Every word, and every part after "-" or "_", starts with a capital, the
// rest in lower case; runs of blanks become one blank and blanks in front
// of "-" or "_" are dropped; "Hoerskool" becomes "Hoërskool".
QString title_case_afrikaans(const QString& text);

// Sets every element of the array to the value.
template <typename Container, typename T>
void fill_array(Container& array, const T& value) {
  for (auto& element : array) element = value;
}

// The text of a field value for showing and comparing: trailing blanks
// removed; a null, a zero date, a blank text and a text that starts with the
// character of code 0 (a NUL-filled field) give "".
QString clean_field_value(Value value);

// Each character's code raised by 128; only codes 0..127 are allowed, and at
// most 32,766 characters. Throws platform::value_error (invalid argument, or
// overflow for a longer text) otherwise.
QString scramble_text(const QString& text);

// Each character's code lowered by 128; only codes 128..255 are allowed,
// and the same length limit and failures as scramble_text.
QString unscramble_text(const QString& text);

}  // namespace km
