#pragma once
// How a report grid's cell text goes into a worksheet cell. A plain
// decimal number goes in as a number, so that a teacher can add up a column
// of marks; texts that only look like numbers but must keep every character
// (a leading zero, a leading "'", an identity number of more than ten
// digits) stay text.

#include <QString>
#include <optional>

namespace km {

// The number a worksheet cell should hold for this text: an optional "-",
// digits, and optionally "." and more digits, with blanks around it; no
// leading zero before another digit, at most 15 digits in all, and at most
// 9 999 999 999. Anything else: nothing (the text is written as text).
std::optional<double> worksheet_number(const QString& text);

// True when the column of a cell with this text gets the number format of
// thirteen zeros: its leading number (blanks skipped, 0 when it has none)
// is above 9 999 999 999, or the trimmed text begins with "'".
bool wants_id_number_format(const QString& text);

}  // namespace km
