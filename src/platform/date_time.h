#pragma once
// Dates as the program keeps them: a double of days since 1899-12-30, the
// fraction being the time of day. Days before 1899-12-30 are negative and
// their fraction still counts forward from midnight: -1.25 is 1899-12-29
// 06:00. The zero date (0.0) stands for "no date"; 0.5 is noon of no date,
// a time alone. Years run from 100 to 9999.
//
// Texts follow the emulated system settings (system_settings.h): the short
// date format for dates, "HH:mm:ss" or "h:mm:ss AM" for times.

#include <QString>
#include <optional>

namespace km::platform {

class Value;

struct date_parts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const date_parts&) const = default;
};

// The first and the last day a date can name: 100-01-01 and 9999-12-31.
constexpr double first_date_day = -657434.0;
constexpr double last_date_day = 2958465.0;

// True for a finite date value whose day lies in the years 100 to 9999.
bool is_date_in_range(double days);

// The date value itself when it lies in the years 100 to 9999; otherwise
// (and for infinity and NaN) throws value_error (overflow), as the
// platform's date conversion does.
double checked_date(double days);

// The date value of a calendar day; nothing when the day does not exist or
// the year is outside 100..9999.
std::optional<double> make_date(int year, int month, int day);

// The fraction of a day of a time; nothing when a part is out of range
// (hours 0..23, minutes and seconds 0..59).
std::optional<double> make_time(int hour, int minute, int second);

// A day and a time of day joined into one date value (see the rule for
// negative days above).
double join_date_time(double day, double time_fraction);

// The calendar day and the time of a date value, the time rounded to the
// nearest second (23:59:59.7 becomes midnight of the next day, except on
// the last day, 9999-12-31, which keeps 23:59:59). A date outside the years
// 100 to 9999 throws value_error (overflow), as do the text forms below.
date_parts split_date(double days);

// The day part of a date value (1899-12-29 12:00, -1.5, gives -1).
double date_part(double days);
// The time of day as a fraction from 0 up to 1.
double time_part(double days);

// The text form of a date value: the day in the short date format, then a
// blank and the time when the time is not midnight; a date whose day part is
// zero shows its time alone ("00:00:00", or "12:00:00 AM" on a 12-hour clock).
QString date_text(double days);

// The day alone in the short date format.
QString short_date_text(double days);

// The time of day alone: "HH:mm:ss" on a 24-hour clock, "h:mm:ss AM" on a
// 12-hour clock.
QString time_text(double days);

// yyyy<sep>mm<sep>dd with a four-digit year, whatever the system settings.
QString ymd_text(double days, QChar separator);

// Reads a date text as the platform's date conversion does: a date of three
// numbers separated by "/", "-" or ".", read in the order of the short date
// format (a number of three or four digits is the year wherever it stands;
// a two-digit year takes its century from the system settings); or of two
// numbers, month and day of the current year in the format's order (the
// other way round when that names no day); and/or
// a time "h:mm[:ss]" with an optional AM or PM. Blanks around the parts are
// allowed. Nothing when the text is no date or names a day that does not
// exist.
std::optional<double> read_date_text(const QString& text);

// IsDate: a date value, or a text that read_date_text accepts.
bool is_date_text(const QString& text);
bool is_date(const Value& value);

}  // namespace km::platform
