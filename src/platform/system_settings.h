#pragma once
// The system's regional settings as the program sees them: short date
// format, 12- or 24-hour clock, decimal and thousands separators. The
// program never reads the machine's locale; this one object stands in for
// it, so every date and number text is the same on every machine. Tests may
// change it; reset_for_tests() puts the defaults back (as does assigning a
// default system_settings_t).

#include <QChar>
#include <QString>

namespace km::platform {

struct system_settings_t {
  // Day, month and year order and separator of a date text: d, dd, M, MM,
  // yy and yyyy stand for the parts, anything else is copied.
  QString short_date_format = QStringLiteral("yyyy/MM/dd");
  // true: times as "HH:mm:ss"; false: "h:mm:ss AM".
  bool hour24 = true;
  QString am_designator = QStringLiteral("AM");
  QString pm_designator = QStringLiteral("PM");
  QChar time_separator = QLatin1Char(':');
  QChar decimal = QLatin1Char('.');
  QChar thousands = QLatin1Char(',');
  // The separators of money amounts, kept apart from the plain ones.
  QChar monetary_decimal = QLatin1Char('.');
  QChar monetary_thousands = QLatin1Char(',');
  // A two-digit year yy is read as the year in the hundred years ending here
  // (2029: 00..29 are 2000..2029, 30..99 are 1930..1999).
  int two_digit_year_max = 2029;
};

system_settings_t& system_settings();

}  // namespace km::platform
