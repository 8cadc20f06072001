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

// The byte of a character; '?' when the code page has none.
unsigned char unicode_to_cp1252(QChar ch);

// True when the character has a byte of its own in the code page.
bool has_cp1252_byte(QChar ch);

QString decode_cp1252(const QByteArray& bytes);
QString decode_cp1252(const char* data, qsizetype size);
QByteArray encode_cp1252(const QString& text);

// The code (0..255) of a character as the system's ANSI code page sees it;
// characters outside the code page count as '?' (63).
int ansi_code(QChar ch);

// The character of an ANSI code (0..255).
QChar ansi_char(int code);

}  // namespace km::platform
