#include "common/text_routines.h"

#include <QStringList>
#include <algorithm>
#include <optional>

#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/cp1252_case.h"
#include "platform/date_time.h"

namespace km {

using platform::ordering;
using platform::value_error;

namespace {

constexpr int longest_scramble_text = 32766;

QString right_justified(const Value& value, int width, QChar fill) {
  width = std::max(width, 0);
  if (value.is_null()) return QString(width, QLatin1Char(' '));
  return (QString(width, fill) + trim_blanks(value.to_text())).right(width);
}

QString left_justified(const Value& value, int width, QChar fill) {
  width = std::max(width, 0);
  if (value.is_null()) return QString(width, QLatin1Char(' '));
  return (trim_trailing_blanks(value.to_text()) + QString(width, fill)).left(width);
}

QChar right_fill(const QString& fill) { return trim_blanks(fill).isEmpty() ? QLatin1Char(' ') : fill[0]; }

QChar left_fill(const QString& fill) { return fill.isEmpty() ? QLatin1Char(' ') : fill[0]; }

bool is_eight_digits(const QString& s) {
  if (s.size() != 8) return false;
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

// One pass of the title case: capitalises the first character of every part
// between separators, trimming the text built so far before each separator.
QString capitalise_parts(const QString& text, QChar separator) {
  QStringList parts = (trim_blanks(text) + separator).split(separator);
  for (qsizetype i = 0; i + 1 < parts.size(); ++i)
    if (!parts[i].isEmpty()) parts[i][0] = platform::upper_char(parts[i][0]);
  QString built = parts[0];
  for (qsizetype i = 1; i < parts.size(); ++i) built = trim_blanks(built) + separator + parts[i];
  built.chop(1);  // the separator added above
  return built;
}

}  // namespace

QString trim_blanks(const QString& text) {
  qsizetype from = 0, to = text.size();
  while (from < to && text[from] == QLatin1Char(' ')) ++from;
  while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
  return text.mid(from, to - from);
}

QString trim_trailing_blanks(const QString& text) {
  qsizetype to = text.size();
  while (to > 0 && text[to - 1] == QLatin1Char(' ')) --to;
  return text.left(to);
}

double get_max_value(const Value& a, const Value& b) {
  if (a.is_empty() || (a.is_text() && a.as_text().isEmpty())) return 0.0;
  const Value& chosen = platform::compare(a, b) == ordering::less ? b : a;
  try {
    return chosen.to_double();
  } catch (const value_error&) {
    return 0.0;
  }
}

double get_min_value(const Value& a, const Value& b) {
  const double x = platform::val(a.to_text());
  const double y = platform::val(b.to_text());
  if (y > x) return x;
  if (x > y) return y;
  return x;
}

QString right_justify(const Value& value, int width, const QString& fill) {
  return right_justified(value, width, right_fill(fill));
}

QString left_justify(const Value& value, int width, const QString& fill) {
  return left_justified(value, width, left_fill(fill));
}

Value format_date(const Value& value) {
  if (value.is_null()) return Value();
  if (value.is_date()) {
    // Written straight from the day, so no century is lost on the way.
    const platform::date_parts p = platform::split_date(value.as_date());
    if (p.year == 1899 && p.month == 12 && p.day == 30) return Value(QString());
    return Value(platform::ymd_text(value.as_date(), QLatin1Char('.')));
  }
  const QString t = value.to_text();
  const QString u = trim_blanks(t);
  if (u.isEmpty()) return Value();
  if (u == QLatin1String("00:00:00") || u == QLatin1String("12:00:00 AM")) return Value(QString());
  if (t.mid(4, 1) == QLatin1String(".") && t.mid(7, 1) == QLatin1String(".")) return value;
  if (is_eight_digits(u))
    return Value(u.left(4) + QLatin1Char('.') + u.mid(4, 2) + QLatin1Char('.') + u.right(2));

  const std::optional<double> whole = platform::read_date_text(t);
  if (!whole) return Value(QString());
  if (platform::date_part(*whole) == 0.0) return Value(QString());  // a time alone

  const QChar separator = t.contains(QLatin1Char('-'))   ? QLatin1Char('-')
                          : t.contains(QLatin1Char('/')) ? QLatin1Char('/')
                                                         : QLatin1Char('.');
  const QStringList parts = t.split(separator);
  if (parts.size() < 3) return Value();
  const std::optional<double> day =
      platform::read_date_text(parts[0] + QLatin1Char('/') + parts[1] + QLatin1Char('/') + parts[2]);
  if (!day) return Value();
  return Value(platform::ymd_text(*day, QLatin1Char('.')));
}

double parse_date(const Value& value) {
  if (value.is_null()) return 0.0;
  if (value.is_date()) return platform::date_part(value.as_date()) == 0.0 ? 0.0 : value.as_date();
  const QString t = value.to_text();
  if (trim_blanks(t).isEmpty()) return 0.0;
  if (t.mid(4, 1) == QLatin1String("/") && t.mid(7, 1) == QLatin1String("/"))
    return platform::read_date_text(t).value_or(0.0);
  const auto separator_at = [&t](int i) {
    const QString c = t.mid(i, 1);
    return c == QLatin1String(".") || c == QLatin1String("-");
  };
  if (!separator_at(4) || !separator_at(7)) return platform::today();
  const double month = platform::val(t.mid(5, 2));
  const double day = platform::val(t.mid(8, 2));
  if (month < 1 || month > 12 || day < 1 || day > 31) return platform::today();
  return platform::read_date_text(t.mid(0, 4) + QLatin1Char('/') + t.mid(5, 2) + QLatin1Char('/') +
                                  t.mid(8, 2))
      .value_or(0.0);
}

QString upper_case_afrikaans(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    const bool accented =
        platform::has_cp1252_byte(c) && platform::ansi_code(c) >= 128 && platform::ansi_code(c) <= 223;
    // Upper case, then the codes 128..223 back to small; a small accented
    // letter (224..255) would come back to itself, so it is left as it is.
    if (accented)
      out += platform::lower_char(c);
    else if (platform::has_cp1252_byte(c) && platform::ansi_code(c) >= 224)
      out += c;
    else
      out += platform::upper_char(c);
  }
  out.replace(QLatin1String("HOERSKOOL"), QStringLiteral("HO\u00EBRSKOOL"));
  return out;
}

QString title_case_afrikaans(const QString& text) {
  QString out = platform::lower_text(text);
  for (QChar separator : {QLatin1Char(' '), QLatin1Char('-'), QLatin1Char('_')})
    out = capitalise_parts(out, separator);
  out.replace(QLatin1String("Hoerskool"), QStringLiteral("Ho\u00EBrskool"));
  return out;
}

QString clean_field_value(Value value) {
  if (value.is_null()) return QString();
  const QString t = value.to_text();
  if (value.is_date() && (t == QLatin1String("12:00:00 AM") || t == QLatin1String("00:00:00")))
    return QString();
  if (trim_blanks(t).isEmpty()) return QString();
  if (t.startsWith(QChar(0))) return QString();
  return trim_trailing_blanks(t);
}

QString scramble_text(const QString& text) {
  if (text.size() > longest_scramble_text) throw value_error(value_error::kind::overflow, "Overflow");
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (c.unicode() > 127)
      throw value_error(value_error::kind::invalid_argument, "Invalid procedure call or argument");
    out += platform::ansi_char(c.unicode() + 128);
  }
  return out;
}

QString unscramble_text(const QString& text) {
  if (text.size() > longest_scramble_text) throw value_error(value_error::kind::overflow, "Overflow");
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    const int code = platform::has_cp1252_byte(c) ? platform::ansi_code(c) : -1;
    if (code < 128)
      throw value_error(value_error::kind::invalid_argument, "Invalid procedure call or argument");
    out += platform::ansi_char(code - 128);
  }
  return out;
}

}  // namespace km
