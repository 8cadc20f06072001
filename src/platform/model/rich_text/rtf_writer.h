#pragma once
// Writing a Qt document as rich text (RTF) that the reader of this folder
// reads back the same: fonts, sizes, bold, italic, underline, colours, the
// left indent and bullet paragraphs. The text is 7-bit: characters of
// Windows-1252 as \'hh, others as \uN. A double quote is written as \'22,
// so the text can stand between the quotes of a settings-file value.
#include <QByteArray>

class QTextDocument;

namespace km::platform {

QByteArray write_rtf(const QTextDocument& document);

}  // namespace km::platform
