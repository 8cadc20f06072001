// The printer object's layout of a rich-text document: words of each
// paragraph placed one after the other in their own fonts, wrapped at the
// right edge, with new pages as the lines run past the bottom.
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <algorithm>
#include <vector>

#include "platform/model/rich_text/rtf_format.h"
#include "platform/ui/printer/printer_object.h"

namespace km::platform {

namespace {

// A word with the blanks after it, in its font and colour.
struct word {
  QString text;
  print_font font;
  QColor colour;
};

print_font font_of(const QTextCharFormat& f) {
  print_font font;
  const QStringList families = f.fontFamilies().toStringList();
  if (!families.isEmpty()) font.name = families.first();
  font.size = f.fontPointSize() > 0 ? f.fontPointSize() : 12.0;
  font.bold = f.fontWeight() >= QFont::Bold;
  font.italic = f.fontItalic();
  font.underline = f.fontUnderline();
  return font;
}

std::vector<word> words_of(const QTextBlock& block) {
  static const QRegularExpression piece(QStringLiteral("\\S*\\s*"));
  std::vector<word> words;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (!fragment.isValid()) continue;
    const QTextCharFormat f = fragment.charFormat();
    const QColor colour =
        f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(Qt::black);
    for (auto m = piece.globalMatch(fragment.text()); m.hasNext();) {
      const QString text = m.next().captured(0);
      if (!text.isEmpty()) words.push_back({text, font_of(f), colour});
    }
  }
  return words;
}

}  // namespace

void printer_object::print_rich_text(const QTextDocument& document, double left, double right) {
  const print_font kept_font = font_;
  const QColor kept_colour = fore_color_;
  set_scale_mode(scale_unit::twips);
  const double bottom = geometry().printable.height();
  double y = current_y();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const double indent = left + paragraph_indent_twips(block.blockFormat());
    const double text_left = block.textList() ? indent + 360 : indent;
    std::vector<word> words = words_of(block);
    set_font(words.empty() ? font_of(block.charFormat()) : words.front().font);
    const double empty_height = text_height(QStringLiteral("X"));
    std::size_t first = 0;
    bool first_line = true;
    do {
      // The words that fit on this line (at least one).
      double width = 0;
      double height = words.empty() ? empty_height : 0;
      std::size_t end = first;
      while (end < words.size()) {
        set_font(words[end].font);
        const double w = text_width(words[end].text);
        if (end > first && text_left + width + w > right) break;
        width += w;
        height = std::max(height, text_height(QStringLiteral("X")));
        ++end;
      }
      if (y + height > bottom && y > 0) {
        new_page();
        y = 0;
      }
      if (first_line && block.textList()) {
        set_font(words.empty() ? font_of(block.charFormat()) : words.front().font);
        set_current_x(indent);
        set_current_y(y);
        print(QString(QChar(0x2022)), print_end::stay);
      }
      double x = text_left;
      for (std::size_t i = first; i < end; ++i) {
        set_font(words[i].font);
        fore_color_ = words[i].colour;
        set_current_x(x);
        set_current_y(y);
        print(words[i].text, print_end::stay);
        x += text_width(words[i].text);
      }
      y += height;
      first = end;
      first_line = false;
    } while (first < words.size());
  }
  set_font(kept_font);
  fore_color_ = kept_colour;
  set_current_x(left);
  set_current_y(y);
}

}  // namespace km::platform
