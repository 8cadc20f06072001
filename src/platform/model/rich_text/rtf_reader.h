#pragma once
// Reading the rich text (RTF) of the program's explanation files and of
// its rich-text box into a Qt document. Only what those texts use is read:
// groups, paragraphs, bold, italic, underline, font size, fonts from the
// font table, colours from the colour table, the left indent, bullet
// paragraphs, characters as \'hh (Windows-1252) and \uN; every other
// control word is passed over, and so are the contents of destinations
// such as the style sheet.
#include <QByteArray>

class QTextDocument;

namespace km::platform {

// True when the text starts as rich text does ("{\rtf").
bool is_rtf(const QByteArray& text);

// Replaces the document's content with the text read. Text that is not
// rich text is taken as plain Windows-1252 text, as it stands.
void read_rtf(const QByteArray& text, QTextDocument& document);

}  // namespace km::platform
