#pragma once
// What the rich-text box keeps of a paragraph beyond Qt's own formats: its
// left indent in twips, exactly as the rich text gave it (Qt keeps margins
// in pixels).
#include <QTextFormat>

namespace km::platform {

inline constexpr int rtf_indent_twips_property = QTextFormat::UserProperty + 1;

// The left indent of a paragraph in twips (0 when none was given).
int paragraph_indent_twips(const QTextBlockFormat& format);
// Sets the left indent of a paragraph: in twips for the rich text, in
// pixels (15 twips each) for the screen.
void set_paragraph_indent_twips(QTextBlockFormat& format, int twips);

}  // namespace km::platform
