#include "platform/cp1252_case.h"

#include "platform/cp1252.h"

namespace km::platform {

namespace {

constexpr unsigned char small_s_caron = 0x9A, capital_s_caron = 0x8A;
constexpr unsigned char small_oe = 0x9C, capital_oe = 0x8C;
constexpr unsigned char small_z_caron = 0x9E, capital_z_caron = 0x8E;
constexpr unsigned char small_y_diaeresis = 0xFF, capital_y_diaeresis = 0x9F;
constexpr unsigned char division_sign = 0xF7, multiplication_sign = 0xD7;

}  // namespace

unsigned char cp1252_upper(unsigned char b) {
  if (b >= 'a' && b <= 'z') return b - 0x20;
  if (b >= 0xE0 && b <= 0xFE && b != division_sign) return b - 0x20;
  switch (b) {
    case small_s_caron:
      return capital_s_caron;
    case small_oe:
      return capital_oe;
    case small_z_caron:
      return capital_z_caron;
    case small_y_diaeresis:
      return capital_y_diaeresis;
    default:
      return b;
  }
}

unsigned char cp1252_lower(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return b + 0x20;
  if (b >= 0xC0 && b <= 0xDE && b != multiplication_sign) return b + 0x20;
  switch (b) {
    case capital_s_caron:
      return small_s_caron;
    case capital_oe:
      return small_oe;
    case capital_z_caron:
      return small_z_caron;
    case capital_y_diaeresis:
      return small_y_diaeresis;
    default:
      return b;
  }
}

QByteArray cp1252_upper(QByteArray bytes) {
  for (char& ch : bytes) ch = static_cast<char>(cp1252_upper(static_cast<unsigned char>(ch)));
  return bytes;
}

QChar upper_char(QChar c) {
  if (!has_cp1252_byte(c)) return c.toUpper();
  return cp1252_to_unicode(cp1252_upper(unicode_to_cp1252(c)));
}

QChar lower_char(QChar c) {
  if (!has_cp1252_byte(c)) return c.toLower();
  return cp1252_to_unicode(cp1252_lower(unicode_to_cp1252(c)));
}

QString lower_text(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) out += lower_char(c);
  return out;
}

}  // namespace km::platform
