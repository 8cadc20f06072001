#pragma once
// Marks as the suite's tables store them, shared by the mark book and the
// cycle and outcomes-based marks: a mark is blank ("" or blanks), "A" or
// "a" (absent), or a number written "##0.0". One rule says what counts as
// a number, typed or stored.
#include <QString>
#include <optional>

namespace km {

// Blank, "A" or "a": a mark that counts in no sum or average.
bool is_uncounted_mark(const QString& stored);

// x written "##0.0".
QString mark_text(double x);

// A text read as a plain decimal: after trimming, digits with at most one
// "." and at least one digit (".5" and "12." allowed). Thousands
// separators, exponents, signs and hexadecimal forms are not numbers here.
std::optional<double> plain_decimal(const QString& text);

struct mark_check {
  bool accepted = false;
  QString stored;  // what goes into the field when accepted
};

// A typed mark against its column's total text: "A" and "a" as typed;
// blanks as the empty mark; a plain decimal from 0 to the total, written
// "##0.0". A column whose total is blank or not above 0 takes only the
// empty mark and the letters.
mark_check validate_mark(const QString& typed, const QString& total_text);

// "Marks can only be ' ', 'A', 'a' or 0-" & total, in the chosen language.
QString mark_refusal_message(const QString& total_text);

}  // namespace km
