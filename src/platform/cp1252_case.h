#pragma once
// Upper and lower case as the Windows-1252 code page pairs its letters:
// a..z with A..Z, à..þ with À..Þ (not ÷ and ×), š with Š, œ with Œ, ž with Ž
// and ÿ with Ÿ. Every other byte is its own upper and lower case, so a
// character never turns into two ("ß" stays "ß").

#include <QByteArray>
#include <QChar>
#include <QString>

namespace km::platform {

unsigned char cp1252_upper(unsigned char byte);
unsigned char cp1252_lower(unsigned char byte);

// Bytes of the code page, each byte mapped.
QByteArray cp1252_upper(QByteArray bytes);

// One character: a character of the code page as its byte is mapped; a
// character outside the code page takes its own single Unicode case (never
// more than one character).
QChar upper_char(QChar c);
QChar lower_char(QChar c);

// Each character mapped as lower_char does.
QString lower_text(const QString& text);

}  // namespace km::platform
