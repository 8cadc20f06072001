#pragma once
// Windows-1252 text, the encoding of every file the suite shares.
// Every byte maps to one character and back, so a file read and written
// again keeps its bytes; the five bytes the code page leaves undefined map
// to the C1 control characters of the same value.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace km::platform {

// The character a byte stands for.
QChar cp1252_to_unicode(unsigned char byte);

// The byte of a character. A character the code page has no byte for is
// stored as its base letter where it has one in the code page (its
// canonical decomposition without the combining marks: "ḓ" as "d", "ș" as
// "s"), else as '?'.
unsigned char unicode_to_cp1252(QChar ch);

// True when the character has a byte of its own in the code page.
bool has_cp1252_byte(QChar ch);

QString decode_cp1252(const QByteArray& bytes);
QString decode_cp1252(const char* data, qsizetype size);

// The bytes of a text and how many of its characters had no byte of their
// own and were replaced: by the bytes of their compatibility decomposition
// where all of it is in the code page ("ŉ" as "'n", "ﬁ" as "fi"), else by
// their base letter or '?', as unicode_to_cp1252 does; a combining mark left
// without its letter is dropped, a character beyond the 16-bit range is one
// '?'. A letter written as base letter and combining marks is first made one
// character ("e" + acute is "é", not a replacement).
struct cp1252_encoding {
  QByteArray bytes;
  int replaced = 0;
};
cp1252_encoding encode_cp1252_counted(const QString& text);
// The bytes only.
QByteArray encode_cp1252(const QString& text);

// The code (0..255) of a character as the system's ANSI code page sees it;
// a character outside the code page counts as it is stored (its base
// letter, else '?', 63).
int ansi_code(QChar ch);

// The character of an ANSI code (0..255).
QChar ansi_char(int code);

}  // namespace km::platform
