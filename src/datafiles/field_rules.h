#pragma once
// How one value of an older table becomes one field of a record file. Each
// rule is a pure function of the table value (as the data control gives
// it: Null for an empty field, a Boolean for a logical field, a date for a
// date field, a double for a number field, text otherwise). Every rule but
// raw_single first cleans the value with clean_field_value.

#include <QByteArray>
#include <cstdint>

#include "platform/value.h"

namespace km {

enum class rule {
  text,           // the cleaned text (leading blanks kept), cut or blank-padded
  text_trimmed,   // the same after blanks are trimmed at both ends
  single,         // Val of the cleaned text as a single
  int16,          // Val rounded half to even; outside -32768..32767 an overflow
  strict_single,  // the cleaned text must be a number (the empty text is not)
  date,           // a date field's day; a date text; anything else the zero date
  flag,           // False for the empty text, else CBool of the cleaned text
  flag_nonzero,   // True when Val of the cleaned text is not 0, or a logical True
  chars,          // one character of the cleaned text per record element
  number_text,    // the text of Val of the cleaned text, cut or blank-padded
  raw_single,     // Val of the value's own text without cleaning; Null gives 0
};

// The cp1252 bytes of the cleaned text, cut to width or padded with blanks.
QByteArray text_rule(const platform::Value& value, int width);
QByteArray trimmed_text_rule(const platform::Value& value, int width);
float single_rule(const platform::Value& value);
// Throws platform::value_error (overflow).
std::int16_t int16_rule(const platform::Value& value);
// Throws platform::value_error (type mismatch, overflow).
float strict_single_rule(const platform::Value& value);
// Days since 1899-12-30: a date value's whole day (the zero date stays 0);
// a text in year, month, day order ("2012/03/05", "2012-03-05",
// "2012.03.05") that date; any other text, the empty one included, 0.
double date_rule(const platform::Value& value);
// Throws platform::value_error (type mismatch) for a text that is neither a
// Boolean literal nor a number.
bool flag_rule(const platform::Value& value);
bool nonzero_flag_rule(const platform::Value& value);
// count bytes: character i of the cleaned text, a blank past its end.
QByteArray chars_rule(const platform::Value& value, int count);
QByteArray number_text_rule(const platform::Value& value, int width);
float raw_single_rule(const platform::Value& value);

// Writes the value under the rule into record at offset: width bytes for
// one element, or count one-byte elements for chars.
void store_by_rule(rule how, const platform::Value& value, QByteArray& record, int offset, int width,
                   int count);

}  // namespace km
