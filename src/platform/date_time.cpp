#include "platform/date_time.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/system_settings.h"
#include "platform/value.h"

namespace km::platform {

namespace {

constexpr std::int64_t seconds_per_day = 86'400;
// Days from 1970-01-01 back to 1899-12-30, the first day of the date scale.
constexpr std::int64_t epoch_offset = 25'569;

bool is_leap_year(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int y, int m) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && is_leap_year(y) ? 29 : days[m - 1];
}

// Days since 1970-01-01 of a day of the proleptic Gregorian calendar.
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civil_from_days(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(yoe + era * 400 + (month <= 2));
}

QString two_digits(int n) {
  QString s = QString::number(n);
  return s.size() < 2 ? QLatin1Char('0') + s : s;
}

QString padded(int n, int width) {
  QString s = QString::number(n);
  while (s.size() < width) s.prepend(QLatin1Char('0'));
  return s;
}

// The day (rounded to whole seconds) as a day count and the seconds into it.
void split_day_seconds(double days, std::int64_t& day, std::int64_t& seconds) {
  const double whole = std::trunc(checked_date(days));
  const double fraction = std::fabs(days - whole);
  day = static_cast<std::int64_t>(whole);
  seconds = std::llround(fraction * double(seconds_per_day));
  if (seconds >= seconds_per_day) {
    // The last moment of the last day stays on that day.
    if (day == std::int64_t(last_date_day)) {
      seconds = seconds_per_day - 1;
      return;
    }
    seconds -= seconds_per_day;
    day += 1;
  }
}

// ---- reading --------------------------------------------------------------

struct token {
  enum kind_t { number, separator, word } kind = number;
  int value = 0;
  int digits = 0;
  QChar ch;
  QString text;
};

bool is_blank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

bool tokenize(const QString& text, std::vector<token>& out) {
  int i = 0;
  const int n = int(text.size());
  while (i < n) {
    const QChar c = text[i];
    if (is_blank(c)) {
      ++i;
    } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      token t;
      t.kind = token::number;
      while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        if (t.digits >= 9) return false;  // far too long for any part
        t.value = t.value * 10 + (text[i].unicode() - '0');
        ++t.digits;
        ++i;
      }
      out.push_back(t);
    } else if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
               c == QLatin1Char(':') || c == system_settings().time_separator) {
      token t;
      t.kind = token::separator;
      t.ch = c == system_settings().time_separator ? QLatin1Char(':') : c;
      out.push_back(t);
      ++i;
    } else if (c.isLetter()) {
      token t;
      t.kind = token::word;
      while (i < n && text[i].isLetter()) t.text += text[i++];
      out.push_back(t);
    } else {
      return false;
    }
  }
  return true;
}

// The order of day, month and year in the short date format: the letters
// 'd', 'M' and 'y' in the order of their first appearance.
QString date_order() {
  QString order;
  for (QChar c : system_settings().short_date_format) {
    if ((c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) && !order.contains(c))
      order += c;
  }
  for (QChar c : {QLatin1Char('y'), QLatin1Char('M'), QLatin1Char('d')})
    if (!order.contains(c)) order += c;
  return order;
}

bool month_before_day(const QString& order) {
  return order.indexOf(QLatin1Char('M')) < order.indexOf(QLatin1Char('d'));
}

int full_year(const token& t) {
  if (t.digits >= 3) return t.value;
  const int last = system_settings().two_digit_year_max;
  int year = (last / 100) * 100 + t.value;
  if (year > last) year -= 100;
  return year;
}

bool is_am(const QString& w) {
  return w.compare(QLatin1String("AM"), Qt::CaseInsensitive) == 0 ||
         w.compare(system_settings().am_designator, Qt::CaseInsensitive) == 0;
}
bool is_pm(const QString& w) {
  return w.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0 ||
         w.compare(system_settings().pm_designator, Qt::CaseInsensitive) == 0;
}

// Date part of two or three numbers; the year, month and day it names.
std::optional<double> date_from_numbers(const std::vector<token>& nums) {
  const QString order = date_order();
  int year = 0, month = 0, day = 0;
  if (nums.size() == 3) {
    int year_at = -1;
    for (int k = 0; k < 3; ++k)
      if (nums[k].digits >= 3) {
        if (year_at >= 0) return std::nullopt;
        year_at = k;
      }
    if (year_at == 1) return std::nullopt;
    if (year_at < 0) {
      for (int k = 0; k < 3; ++k) {
        if (order[k] == QLatin1Char('y'))
          year = full_year(nums[k]);
        else if (order[k] == QLatin1Char('M'))
          month = nums[k].value;
        else
          day = nums[k].value;
      }
    } else {
      // A long year fixes its own place. Year first is always year, month,
      // day; year last keeps the format's order of month and day.
      year = nums[year_at].value;
      const int a = year_at == 0 ? 1 : 0;
      const bool month_first = year_at == 0 || month_before_day(order);
      month = month_first ? nums[a].value : nums[a + 1].value;
      day = month_first ? nums[a + 1].value : nums[a].value;
    }
  } else if (nums.size() == 2) {
    if (nums[0].digits >= 3 || nums[1].digits >= 3) {
      // Year and month: the first day of that month.
      const int y = nums[0].digits >= 3 ? 0 : 1;
      if (nums[1 - y].digits >= 3) return std::nullopt;
      year = nums[y].value;
      month = nums[1 - y].value;
      day = 1;
    } else {
      // Month and day of the current year, in the format's order or, when
      // that names no day, the other way round ("17/03" is 17 March).
      year = split_date(clock().now()).year;
      const bool month_first = month_before_day(order);
      month = month_first ? nums[0].value : nums[1].value;
      day = month_first ? nums[1].value : nums[0].value;
      if (!make_date(year, month, day)) std::swap(month, day);
    }
  } else {
    return std::nullopt;
  }
  return make_date(year, month, day);
}

}  // namespace

bool is_date_in_range(double days) { return days > first_date_day - 1.0 && days < last_date_day + 1.0; }

double checked_date(double days) {
  if (!is_date_in_range(days))
    throw value_error(value_error::kind::overflow, "a date outside the years 100 to 9999");
  return days;
}

std::optional<double> make_date(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  if (day > days_in_month(year, month)) return std::nullopt;
  return double(days_from_civil(year, month, day) + epoch_offset);
}

std::optional<double> make_time(int hour, int minute, int second) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  return (hour * 3600 + minute * 60 + second) / double(seconds_per_day);
}

double join_date_time(double day, double time_fraction) {
  return day < 0 ? day - time_fraction : day + time_fraction;
}

date_parts split_date(double days) {
  std::int64_t day = 0, seconds = 0;
  split_day_seconds(days, day, seconds);
  date_parts p;
  civil_from_days(day - epoch_offset, p.year, p.month, p.day);
  p.hour = int(seconds / 3600);
  p.minute = int(seconds / 60 % 60);
  p.second = int(seconds % 60);
  return p;
}

double date_part(double days) { return std::trunc(days); }

double time_part(double days) { return std::fabs(days - std::trunc(days)); }

QString short_date_text(double days) {
  const date_parts p = split_date(days);
  const QString& format = system_settings().short_date_format;
  QString out;
  for (int i = 0; i < format.size();) {
    const QChar c = format[i];
    int run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    if (c == QLatin1Char('d')) {
      out += run == 1 ? QString::number(p.day) : two_digits(p.day);
    } else if (c == QLatin1Char('M')) {
      out += run == 1 ? QString::number(p.month) : two_digits(p.month);
    } else if (c == QLatin1Char('y')) {
      if (run >= 3)
        out += padded(p.year, 4);
      else if (run == 2)
        out += two_digits(p.year % 100);
      else
        out += QString::number(p.year % 100);
    } else {
      out += QString(run, c);
    }
    i += run;
  }
  return out;
}

QString time_text(double days) {
  const date_parts p = split_date(days);
  const system_settings_t& s = system_settings();
  const QString tail = s.time_separator + two_digits(p.minute) + s.time_separator + two_digits(p.second);
  if (s.hour24) return two_digits(p.hour) + tail;
  const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
  return QString::number(h12) + tail + QLatin1Char(' ') + (p.hour < 12 ? s.am_designator : s.pm_designator);
}

QString date_text(double days) {
  std::int64_t day = 0, seconds = 0;
  split_day_seconds(days, day, seconds);
  if (day == 0) return time_text(days);
  if (seconds == 0) return short_date_text(days);
  return short_date_text(days) + QLatin1Char(' ') + time_text(days);
}

QString ymd_text(double days, QChar separator) {
  const date_parts p = split_date(days);
  return padded(p.year, 4) + separator + two_digits(p.month) + separator + two_digits(p.day);
}

std::optional<double> read_date_text(const QString& text) {
  std::vector<token> tokens;
  if (!tokenize(text, tokens) || tokens.empty()) return std::nullopt;

  std::size_t i = 0;
  const auto is_sep = [&](std::size_t k, bool time) {
    if (k >= tokens.size() || tokens[k].kind != token::separator) return false;
    return time ? tokens[k].ch == QLatin1Char(':') : tokens[k].ch != QLatin1Char(':');
  };
  const auto is_num = [&](std::size_t k) { return k < tokens.size() && tokens[k].kind == token::number; };

  // Date: numbers joined by "/", "-" or ".".
  std::optional<double> day;
  if (is_num(0) && is_sep(1, false)) {
    std::vector<token> nums{tokens[0]};
    i = 1;
    while (is_sep(i, false) && is_num(i + 1) && nums.size() < 3) {
      nums.push_back(tokens[i + 1]);
      i += 2;
    }
    if (nums.size() < 2) return std::nullopt;
    day = date_from_numbers(nums);
    if (!day) return std::nullopt;
  }

  // Time: h:mm or h:mm:ss, then AM or PM.
  std::optional<double> time;
  if (is_num(i) && is_sep(i + 1, true) && is_num(i + 2)) {
    int hour = tokens[i].value, minute = tokens[i + 2].value, second = 0;
    i += 3;
    if (is_sep(i, true) && is_num(i + 1)) {
      second = tokens[i + 1].value;
      i += 2;
    }
    if (i < tokens.size() && tokens[i].kind == token::word) {
      const bool pm = is_pm(tokens[i].text);
      if (!pm && !is_am(tokens[i].text)) return std::nullopt;
      if (hour > 12) return std::nullopt;
      hour = hour % 12 + (pm ? 12 : 0);
      ++i;
    }
    time = make_time(hour, minute, second);
    if (!time) return std::nullopt;
  }

  if (i != tokens.size() || (!day && !time)) return std::nullopt;
  return join_date_time(day.value_or(0.0), time.value_or(0.0));
}

bool is_date_text(const QString& text) { return read_date_text(text).has_value(); }

bool is_date(const Value& value) {
  if (value.is_date()) return true;
  if (value.is_text()) return is_date_text(value.as_text());
  return false;
}

}  // namespace km::platform
