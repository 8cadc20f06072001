#include "platform/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/system_settings.h"
#include "platform/value.h"

namespace km::platform {

namespace {

// Reads the output of std::to_chars in scientific form ("-d.ddde+XX").
decimal_digits parse_scientific(const char* first, const char* last) {
  decimal_digits d;
  const char* p = first;
  if (p < last && *p == '-') {
    d.negative = true;
    ++p;
  }
  while (p < last && *p != 'e') {
    if (*p != '.') d.digits.push_back(*p);
    ++p;
  }
  int exponent = 0;
  if (p < last) std::from_chars(p + 1 + (p[1] == '+'), last, exponent);
  d.point = exponent + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
  return d;
}

template <typename F>
decimal_digits to_decimal_impl(F x, int significant) {
  if (!std::isfinite(x)) return decimal_digits{};
  significant = std::clamp(significant, 1, 17);
  char buffer[64];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, significant - 1);
  return parse_scientific(buffer, r.ptr);
}

void strip_trailing_zeros(decimal_digits& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

// ---- Format patterns -------------------------------------------------------

struct pattern_token {
  enum kind_t { digit, point, comma, percent, literal } kind;
  QString text;  // the placeholder character or the literal text
};

std::vector<QString> split_sections(const QString& pattern) {
  std::vector<QString> sections(1);
  bool quoted = false;
  for (int i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == QLatin1Char('"')) quoted = !quoted;
    if (!quoted && c == QLatin1Char('\\') && i + 1 < pattern.size()) {
      sections.back() += c;
      sections.back() += pattern[++i];
      continue;
    }
    if (!quoted && c == QLatin1Char(';')) {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

std::vector<pattern_token> tokenize(const QString& section) {
  std::vector<pattern_token> tokens;
  bool seen_point = false;
  for (int i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    if (c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?')) {
      tokens.push_back({pattern_token::digit, QString(c)});
    } else if (c == QLatin1Char('.') && !seen_point) {
      seen_point = true;
      tokens.push_back({pattern_token::point, QString(c)});
    } else if (c == QLatin1Char(',')) {
      tokens.push_back({pattern_token::comma, QString(c)});
    } else if (c == QLatin1Char('%')) {
      tokens.push_back({pattern_token::percent, QString(c)});
    } else if (c == QLatin1Char('\\')) {
      if (i + 1 < section.size()) tokens.push_back({pattern_token::literal, QString(section[++i])});
    } else if (c == QLatin1Char('"')) {
      QString text;
      while (++i < section.size() && section[i] != QLatin1Char('"')) text += section[i];
      tokens.push_back({pattern_token::literal, text});
    } else {
      tokens.push_back({pattern_token::literal, QString(c)});
    }
  }
  return tokens;
}

// What one section of a pattern asks for: its tokens, where the point
// stands, the digit places on either side, thousands grouping, and the
// scaling that commas right of the last digit place and percent signs ask.
struct section_plan {
  std::vector<pattern_token> tokens;
  std::size_t point_at = 0;             // index of the point token, or tokens.size()
  std::vector<std::size_t> int_places;  // indices of the digit places before the point
  QString frac_places;                  // the placeholder characters after the point
  bool grouping = false;
  int scale_thousands = 0;
  int percents = 0;
};

section_plan plan_section(const QString& section) {
  section_plan plan;
  plan.tokens = tokenize(section);
  const std::vector<pattern_token>& tokens = plan.tokens;
  plan.point_at = tokens.size();
  for (std::size_t k = 0; k < tokens.size(); ++k)
    if (tokens[k].kind == pattern_token::point) {
      plan.point_at = k;
      break;
    }
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    if (tokens[k].kind != pattern_token::digit) continue;
    if (k < plan.point_at)
      plan.int_places.push_back(k);
    else
      plan.frac_places += tokens[k].text;
  }
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    if (tokens[k].kind == pattern_token::percent) ++plan.percents;
    if (tokens[k].kind != pattern_token::comma || k > plan.point_at || plan.int_places.empty()) continue;
    if (k < plan.int_places.front()) continue;
    if (k < plan.int_places.back())
      plan.grouping = true;
    else
      ++plan.scale_thousands;
  }
  return plan;
}

// The magnitude scaled as the section asks, as `significant` digits rounded
// half away from zero to the section's decimal places.
template <typename F>
decimal_digits section_digits(F magnitude, const section_plan& plan, int significant) {
  decimal_digits d;
  if (plan.percents || plan.scale_thousands) {
    double scaled = double(magnitude);
    for (int p = 0; p < plan.percents; ++p) scaled *= 100.0;
    for (int s = 0; s < plan.scale_thousands; ++s) scaled /= 1000.0;
    d = to_decimal(scaled, significant);
  } else {
    d = to_decimal(magnitude, significant);
  }
  d.negative = false;
  round_decimal(d, int(plan.frac_places.size()), rounding::half_away_from_zero);
  return d;
}

// The whole part, padded with zeros as far as the leftmost "0" place asks.
std::string section_whole(const decimal_digits& d, const section_plan& plan) {
  std::string whole = whole_digits(d);
  const int places = int(plan.int_places.size());
  for (int p = 0; p < places; ++p)
    if (plan.tokens[plan.int_places[p]].text == QLatin1String("0")) {
      if (int(whole.size()) < places - p) whole.insert(0, places - p - whole.size(), '0');
      break;
    }
  return whole;
}

// The fraction digits, without the trailing zeros that stand on "#" places.
std::string section_fraction(const decimal_digits& d, const section_plan& plan) {
  std::string fraction = fraction_digits(d, int(plan.frac_places.size()));
  while (!fraction.empty() && fraction.back() == '0' &&
         plan.frac_places[int(fraction.size()) - 1] != QLatin1Char('0'))
    fraction.pop_back();
  return fraction;
}

// The section's tokens with the digits put in their places: the whole part
// fills the digit places before the point (the first place takes any digits
// beyond the places), grouped in thousands when the section asks.
QString lay_out_section(const section_plan& plan, const std::string& whole, const std::string& fraction) {
  const system_settings_t& settings = system_settings();
  QString out;
  const int n = int(whole.size());
  const int places = int(plan.int_places.size());
  const auto put_digit = [&](int i) {
    out += QLatin1Char(whole[i]);
    const int place = n - 1 - i;
    if (plan.grouping && place > 0 && place % 3 == 0) out += settings.thousands;
  };
  int place_index = 0;
  int frac_index = 0;
  for (std::size_t k = 0; k < plan.tokens.size(); ++k) {
    const pattern_token& t = plan.tokens[k];
    switch (t.kind) {
      case pattern_token::digit:
        if (k < plan.point_at) {
          const int place = places - 1 - place_index;
          if (place_index == 0) {
            for (int i = 0; i < n - place; ++i) put_digit(i);
          }
          if (place_index > 0 && place < n) put_digit(n - 1 - place);
          ++place_index;
        } else {
          if (frac_index < int(fraction.size())) out += QLatin1Char(fraction[frac_index]);
          ++frac_index;
        }
        break;
      case pattern_token::point:
        if (places == 0)
          for (int i = 0; i < n; ++i) put_digit(i);
        out += settings.decimal;
        break;
      case pattern_token::comma:
        break;
      case pattern_token::percent:
      case pattern_token::literal:
        out += t.text;
        break;
    }
  }
  return out;
}

// Lays out one section for the magnitude |x|, judged on `significant`
// digits. `with_sign` puts "-" in front of a negative result that does not
// round to zero.
template <typename F>
QString format_section(F magnitude, bool negative, bool with_sign, const QString& section, int significant) {
  const section_plan plan = plan_section(section);
  const decimal_digits d = section_digits(magnitude, plan, significant);
  QString out = lay_out_section(plan, section_whole(d, plan), section_fraction(d, plan));
  // A negative number that rounds to nothing shows no sign ("0.0", not "-0.0").
  if (negative && with_sign && !d.is_zero()) out.prepend(QLatin1Char('-'));
  return out;
}

template <typename F>
QString format_impl(F x, const QString& pattern, int significant) {
  if (!std::isfinite(x)) return number_text(double(x));
  const std::vector<QString> sections = split_sections(pattern);
  const F magnitude = std::fabs(x);
  if (x < 0 && sections.size() >= 2 && !sections[1].isEmpty())
    return format_section(magnitude, true, false, sections[1], significant);
  if (x == 0 && sections.size() >= 3 && !sections[2].isEmpty())
    return format_section(magnitude, false, false, sections[2], significant);
  return format_section(magnitude, x < 0, true, sections[0], significant);
}

// The platform's general number text: up to `significant` digits, no
// trailing zeros, scientific form ("1.5E+15", "1E-05") when the exponent is
// below -4 or reaches the number of digits.
QString general_text(const decimal_digits& d, int significant) {
  if (d.is_zero()) return QStringLiteral("0");
  QString out;
  if (d.negative) out += QLatin1Char('-');
  const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
  const int exponent = d.point - 1;
  if (exponent < -4 || exponent >= significant) {
    out += digits[0];
    if (digits.size() > 1) out += QLatin1Char('.') + digits.mid(1);
    out += QLatin1Char('E');
    out += exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
    QString e = QString::number(std::abs(exponent));
    if (e.size() < 2) e.prepend(QLatin1Char('0'));
    out += e;
  } else if (d.point <= 0) {
    out += QStringLiteral("0.") + QString(-d.point, QLatin1Char('0')) + digits;
  } else if (d.point >= digits.size()) {
    out += digits + QString(d.point - digits.size(), QLatin1Char('0'));
  } else {
    out += digits.left(d.point) + QLatin1Char('.') + digits.mid(d.point);
  }
  return out;
}

QString non_finite_text(double x) {
  if (std::isnan(x)) return QStringLiteral("NaN");
  return x < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

}  // namespace

decimal_digits to_decimal(double x, int significant) { return to_decimal_impl(x, significant); }
decimal_digits to_decimal(float x, int significant) { return to_decimal_impl(x, significant); }

void round_decimal(decimal_digits& d, int decimals, rounding mode) {
  const int keep = d.point + decimals;
  const int length = int(d.digits.size());
  if (d.is_zero() || keep >= length) return;
  if (keep < 0) {
    d.digits.clear();
    d.point = 0;
    return;
  }
  const char next = d.digits[keep];
  bool up;
  if (mode == rounding::half_away_from_zero) {
    up = next >= '5';
  } else {
    const bool beyond = keep + 1 < length;  // digits are stored without trailing zeros
    const bool odd = keep > 0 && (d.digits[keep - 1] - '0') % 2 == 1;
    up = next > '5' || (next == '5' && (beyond || odd));
  }
  d.digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    } else {
      ++d.digits[i];
    }
  }
  strip_trailing_zeros(d);
}

std::string whole_digits(const decimal_digits& d) {
  if (d.point <= 0) return std::string();
  std::string whole = d.digits.substr(0, std::min<std::size_t>(std::size_t(d.point), d.digits.size()));
  whole.append(std::size_t(std::max<int>(0, d.point - int(d.digits.size()))), '0');
  return whole;
}

std::string fraction_digits(const decimal_digits& d, int count) {
  std::string fraction;
  for (int j = 0; j < count; ++j) {
    const int index = d.point + j;
    fraction += (index >= 0 && index < int(d.digits.size())) ? d.digits[std::size_t(index)] : '0';
  }
  return fraction;
}

std::string fixed_decimal_text(double x, int decimals, rounding mode) {
  if (!std::isfinite(x)) return non_finite_text(x).toStdString();
  decimal_digits d = to_decimal(x, 15);
  round_decimal(d, decimals, mode);
  std::string out = d.negative && !d.is_zero() ? "-" : "";
  const std::string whole = whole_digits(d);
  out += whole.empty() ? "0" : whole;
  if (decimals > 0) out += '.' + fraction_digits(d, decimals);
  return out;
}

double decimal_to_double(const decimal_digits& d) {
  if (d.is_zero()) return 0.0;
  const std::string text = "0." + d.digits + "e" + std::to_string(d.point);
  double value = 0.0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec == std::errc::result_out_of_range)
    value = d.point > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return d.negative ? -value : value;
}

double rounded_decimal(double x, int decimals, rounding mode) {
  if (!std::isfinite(x)) return x;
  decimal_digits d = to_decimal(x, 15);
  round_decimal(d, decimals, mode);
  return decimal_to_double(d);
}

double round_half_even(double x, int decimals) {
  if (decimals < 0)
    throw value_error(value_error::kind::invalid_argument, "Invalid procedure call or argument");
  return rounded_decimal(x, decimals, rounding::half_even);
}

QString number_text(double x) {
  if (!std::isfinite(x)) return non_finite_text(x);
  return general_text(to_decimal(x, 15), 15);
}

QString single_text(float x) {
  if (!std::isfinite(x)) return non_finite_text(x);
  return general_text(to_decimal(x, 7), 7);
}

QString format_number(double x, const QString& pattern) {
  if (pattern.isEmpty()) return number_text(x);
  return format_impl(x, pattern, 15);
}

QString format_single(float x, const QString& pattern) {
  if (pattern.isEmpty()) return single_text(x);
  return format_impl(x, pattern, 7);
}

QString format_value(const Value& v, const QString& pattern) {
  switch (v.kind()) {
    case Value::type::empty:
    case Value::type::null:
      return QString();
    case Value::type::single:
      return format_single(static_cast<float>(v.to_double()), pattern);
    case Value::type::text:
      if (!is_number_text(v.as_text())) return v.as_text();
      return format_number(v.to_double(), pattern);
    default:
      return format_number(v.to_double(), pattern);
  }
}

QString str_number(double x) {
  QString text = number_text(x);
  if (text.startsWith(QLatin1String("0.")))
    text.remove(0, 1);
  else if (text.startsWith(QLatin1String("-0.")))
    text.remove(1, 1);
  if (!text.startsWith(QLatin1Char('-'))) text.prepend(QLatin1Char(' '));
  return text;
}

}  // namespace km::platform
