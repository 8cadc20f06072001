#include "printing/excel_cell_value.h"

#include "platform/value.h"

namespace km {

namespace {

// The largest number a worksheet column shows without the long-number
// format; longer numbers are identity or account numbers.
constexpr double largest_plain_number = 9999999999.0;
// What a double holds exactly.
constexpr int most_digits = 15;

bool is_digit(QChar c) { return c >= u'0' && c <= u'9'; }

// Digits from `at` on; returns how many.
int digits_from(const QString& text, int at) {
  int n = 0;
  while (at + n < text.size() && is_digit(text[at + n])) ++n;
  return n;
}

}  // namespace

std::optional<double> worksheet_number(const QString& text) {
  const QString t = text.trimmed();
  int at = t.startsWith(u'-') ? 1 : 0;
  const int whole = digits_from(t, at);
  if (whole == 0 || (whole > 1 && t[at] == u'0')) return std::nullopt;
  at += whole;
  int fraction = 0;
  if (at < t.size() && t[at] == u'.') {
    fraction = digits_from(t, at + 1);
    if (fraction == 0) return std::nullopt;
    at += 1 + fraction;
  }
  if (at != t.size() || whole + fraction > most_digits) return std::nullopt;
  bool ok = false;
  const double value = t.toDouble(&ok);
  if (!ok || value > largest_plain_number || value < -largest_plain_number) return std::nullopt;
  return value + 0.0;  // no "-0"
}

bool wants_id_number_format(const QString& text) {
  if (text.trimmed().startsWith(u'\'')) return true;
  try {
    return platform::val(text) > largest_plain_number;
  } catch (const platform::value_error&) {
    // Too large for a number at all: the longest of identity numbers.
    return !text.trimmed().startsWith(u'-');
  }
}

}  // namespace km
