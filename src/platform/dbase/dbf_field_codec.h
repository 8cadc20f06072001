#pragma once
// Field bytes to values and back, for every field type but the memo (whose
// bytes hold a block number of the memo file; see dbt_memo.h).
//
// Reading: an all-blank field (blanks or zero bytes) is Null; C gives its
// text with trailing blanks as stored; N and F give a double, and a text
// that is not a number as dBase writes them (blanks, a sign, digits, one
// point) is a damaged value, never read as a number; D gives a date (Null
// when not a valid yyyymmdd of the years 100 to 9999);
// L gives a Boolean (T/t/Y/y or F/f/N/n, Null for '?' or anything else);
// any other type gives its raw text.
//
// Writing: Null and empty give blanks; numbers are written right-aligned to
// the field's width with its decimals, rounded half away from zero on the
// 15-digit decimal form; a number or text too wide for its field is an error
// (never asterisks, never a silent cut).

#include <QByteArray>
#include <string>

#include "platform/dbase/dbf_header.h"
#include "platform/value.h"

namespace km::platform {

// Throws dbf_error bad_format for a damaged number, naming the field and
// what it holds. A number field of asterisks (written where a number did not
// fit its width, or for an empty number) reads as Null.
Value decode_dbf_field(const dbf_field& field, const char* bytes);

// The number a number field's bytes (width of them) hold: blanks around,
// then an optional sign, then digits with at most one point among them, at
// least one digit. False for anything else (blanks only, "1e3", "-inf",
// "nan", "1.2.3", "1 2", asterisks).
bool parse_dbf_number(const char* bytes, int width, double& x);

// True when the bytes are all blanks or zero bytes.
bool is_blank_field(const char* bytes, int width);

// True when the bytes hold asterisks and nothing else but blanks ("******").
bool is_asterisk_field(const char* bytes, int width);

// The field bytes (field.width of them) for a value. Throws dbf_error
// (other): numeric_overflow, field_too_small, conversion. Not for 'M'.
// When replaced is given it receives how many characters of a text had no
// byte in Windows-1252 and were stored as their base letter or '?'.
QByteArray encode_dbf_field(const dbf_field& field, const Value& value, int* replaced = nullptr);

// A number in fixed notation with the given decimals, rounded half away
// from zero as judged on its 15-significant-digit decimal form ("-0" never
// appears). Throws dbf_error (other, conversion) for infinity and NaN.
std::string fixed_number_text(double x, int decimals);

// Days since 1899-12-30 for a yyyymmdd field text, false when not a date of
// the years 100 to 9999.
bool parse_dbf_date(const char* bytes, double& days);
// Year, month and day of a date (days since 1899-12-30, time ignored), from
// the program's calendar (date_time.h).
void dbf_civil_date(double days, int& year, int& month, int& day);
// The yyyymmdd text of a date (the whole days of it).
QByteArray dbf_date_text(double days);

}  // namespace km::platform
