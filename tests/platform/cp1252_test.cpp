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

TEST(Cp1252, CharacterWithoutByteBecomesQuestionMark) {
  EXPECT_EQ(encode_cp1252(QString::fromUtf8("a\u0101b\u4e2d")), QByteArray("a?b?"));
  EXPECT_FALSE(has_cp1252_byte(QChar(0x0101)));
  EXPECT_TRUE(has_cp1252_byte(QChar(0x20AC)));
  EXPECT_EQ(ansi_code(QChar(0x00EB)), 0xEB);
  EXPECT_EQ(ansi_char(0xE1), QChar(0x00E1));
}

}  // namespace
}  // namespace km::platform
