// Upper and lower case of the Windows-1252 letters, checked byte by byte
// against the Unicode case of the characters the bytes stand for.
#include "platform/cp1252_case.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

// The byte of the single Unicode case of a byte's character when the code
// page has that character, else the byte itself.
unsigned char unicode_case(unsigned char b, bool upper) {
  const QChar c = cp1252_to_unicode(b);
  const QChar mapped = upper ? c.toUpper() : c.toLower();
  return has_cp1252_byte(mapped) ? unicode_to_cp1252(mapped) : b;
}

TEST(cp1252_case, every_byte_maps_as_its_unicode_letter_does) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(cp1252_upper(byte), unicode_case(byte, true)) << b;
    EXPECT_EQ(cp1252_lower(byte), unicode_case(byte, false)) << b;
  }
}

TEST(cp1252_case, the_letter_pairs_and_the_bytes_left_alone) {
  const struct {
    unsigned char small, capital;
  } pairs[] = {{'a', 'A'},   {'z', 'Z'},   {0xE0, 0xC0}, {0xEB, 0xCB}, {0xFE, 0xDE},
               {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
  for (const auto& p : pairs) {
    EXPECT_EQ(cp1252_upper(p.small), p.capital) << int(p.small);
    EXPECT_EQ(cp1252_lower(p.capital), p.small) << int(p.capital);
  }
  // Division and multiplication signs, sharp s and micro sign have no pair.
  for (int code : {0xF7, 0xD7, 0xDF, 0xB5, int('1'), int('?')}) {
    const auto b = static_cast<unsigned char>(code);
    EXPECT_EQ(cp1252_upper(b), b) << code;
    EXPECT_EQ(cp1252_lower(b), b) << code;
  }
  EXPECT_EQ(cp1252_upper(QByteArray("ho\xebr \xf7 \xdf")), QByteArray("HO\xcbR \xf7 \xdf"));
}

TEST(cp1252_case, characters_never_turn_into_two) {
  EXPECT_EQ(upper_char(QChar(0x00DF)), QChar(0x00DF));  // ß stays ß
  EXPECT_EQ(upper_char(QChar(0x00EB)), QChar(0x00CB));  // ë
  EXPECT_EQ(upper_char(QChar(0x0161)), QChar(0x0160));  // š
  EXPECT_EQ(lower_char(QChar(0x0178)), QChar(0x00FF));  // Ÿ
  // Outside the code page a letter takes its own single case.
  EXPECT_EQ(upper_char(QChar(0x0219)), QChar(0x0218));  // ș
  EXPECT_EQ(lower_text(QStringLiteral("ÉÈN ŠOË ß")), QStringLiteral("éèn šoë ß"));
}

}  // namespace
}  // namespace km::platform
