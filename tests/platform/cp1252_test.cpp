#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace km::platform {
namespace {

TEST(Cp1252, EveryByteRoundTrips) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QString text = decode_cp1252(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(encode_cp1252(text), all);
}

TEST(Cp1252, KnownCharacters) {
  struct Case {
    int byte;
    char16_t unicode;
  };
  const Case cases[] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D},
                        {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}, {0x9F, 0x0178},
                        {0xEB, 0x00EB}, {0xCB, 0x00CB}, {0x41, 0x0041}, {0x00, 0x0000}};
  for (const auto& c : cases) {
    EXPECT_EQ(cp1252_to_unicode(static_cast<unsigned char>(c.byte)).unicode(), c.unicode) << c.byte;
    EXPECT_EQ(unicode_to_cp1252(QChar(c.unicode)), c.byte) << c.byte;
  }
}

// A character without a byte is stored as its base letter where the code
// page has one, else as "?", and each is counted.
TEST(Cp1252, CharactersWithoutByteAreReplacedAndCounted) {
  struct Case {
    const char* utf8;
    QByteArray bytes;
    int replaced;
  };
  const Case cases[] = {
      {"\u1E13", "d", 1},                       // d with circumflex below (Tshivenda)
      {"\u1E12\u1E3D\u1E45\u1E4B", "Dlnn", 4},  // the other Tshivenda letters
      {"\u1E71", "t", 1},                       // t with circumflex below
      {"\u0219\u021B", "st", 2},                // s and t with comma below (Romanian)
      {"\u015E\u0101\u0151\u0175", "Saow", 4},
      {"\u01FB", "\xE5", 1},                    // a with ring and acute: the ring stays
      {"\u0142\u0111\u4E2D\u03A9", "????", 4},  // no base letter in the code page
      {"\U0001F600", "?", 1},                   // one character beyond 16 bits, one "?"
      {"Mu\u1E13o", "Mudo", 1},
      {"Jose\u0301", "Jos\xE9", 0},  // e + acute is the letter the code page has
      {"q\u0303", "q", 1},           // a mark no letter of the code page takes
      {"\u212B", "\xC5", 0},         // the angstrom sign is the letter A with ring
      // A compatibility decomposition inside the code page is used whole.
      {"\u0149 kind", "'n kind", 1},  // the Afrikaans 'n as one letter
      {"\uFB01n", "fin", 1},          // the fi ligature
      {"\uFF21\u2460", "A1", 2},      // a full-width A and a circled 1
      {"\u01C5", "Dz", 1},            // D with z caron: its mark dropped
      {"\u3300\u02BC", "??", 2},      // outside the code page: "?" as before
      {"Zo\xC3\xAB \xE2\x82\xAC"
       "5",
       "Zo\xEB \x80"
       "5",
       0},
  };
  for (const auto& c : cases) {
    const cp1252_encoding e = encode_cp1252_counted(QString::fromUtf8(c.utf8));
    EXPECT_EQ(e.bytes, c.bytes) << c.utf8;
    EXPECT_EQ(e.replaced, c.replaced) << c.utf8;
    EXPECT_EQ(encode_cp1252(QString::fromUtf8(c.utf8)), c.bytes) << c.utf8;
  }
  EXPECT_EQ(unicode_to_cp1252(QChar(0x1E13)), 'd');
  EXPECT_EQ(unicode_to_cp1252(QChar(0x0142)), '?');
}

TEST(Cp1252, CharacterQueries) {
  EXPECT_FALSE(has_cp1252_byte(QChar(0x0101)));
  EXPECT_TRUE(has_cp1252_byte(QChar(0x20AC)));
  EXPECT_EQ(ansi_code(QChar(0x00EB)), 0xEB);
  EXPECT_EQ(ansi_char(0xE1), QChar(0x00E1));
}

}  // namespace
}  // namespace km::platform
