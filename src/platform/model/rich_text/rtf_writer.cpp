#include "platform/model/rich_text/rtf_writer.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <vector>

#include "platform/cp1252.h"
#include "platform/model/rich_text/rtf_format.h"

namespace km::platform {

namespace {

const QString default_font = QStringLiteral("Arial");

QString family_of(const QTextCharFormat& f) {
  const QStringList families = f.fontFamilies().toStringList();
  return families.isEmpty() ? default_font : families.first();
}

int index_in(std::vector<QString>& list, const QString& item) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) return int(i);
  list.push_back(item);
  return int(list.size() - 1);
}

QByteArray escaped(const QString& text) {
  QByteArray out;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += '\\';
      out += char(u);
    } else if (u == '\t') {
      out += "\\tab ";
    } else if (u == QChar::LineSeparator) {
      out += "\\line ";
    } else if (u == '"' || u >= 0x80 || u < 0x20) {
      if (u != '"' && u < 0x20) continue;
      if (has_cp1252_byte(c))
        out += "\\'" + QByteArray::number(unicode_to_cp1252(c), 16).rightJustified(2, '0');
      else
        out += "\\u" + QByteArray::number(qint16(u)) + '?';
    } else {
      out += char(u);
    }
  }
  return out;
}

}  // namespace

QByteArray write_rtf(const QTextDocument& document) {
  std::vector<QString> fonts{default_font};
  std::vector<QString> colours;  // "\redR\greenG\blueB"
  QByteArray body;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    body += "\\pard";
    const int indent = paragraph_indent_twips(block.blockFormat());
    if (indent) body += "\\li" + QByteArray::number(indent);
    body += ' ';
    if (block.textList()) body += "{\\pntext\\'95\\tab}";
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const QTextCharFormat f = fragment.charFormat();
      body += "{\\f" + QByteArray::number(index_in(fonts, family_of(f)));
      const double points = f.fontPointSize() > 0 ? f.fontPointSize() : 12.0;
      body += "\\fs" + QByteArray::number(qRound(points * 2));
      if (f.fontWeight() >= QFont::Bold) body += "\\b";
      if (f.fontItalic()) body += "\\i";
      if (f.fontUnderline()) body += "\\ul";
      if (f.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = f.foreground().color();
        const QString entry =
            QStringLiteral("\\red%1\\green%2\\blue%3").arg(c.red()).arg(c.green()).arg(c.blue());
        body += "\\cf" + QByteArray::number(index_in(colours, entry) + 1);
      }
      body += ' ' + escaped(fragment.text()) + '}';
    }
    if (block.next().isValid()) body += "\\par\r\n";
  }
  QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i)
    out += "{\\f" + QByteArray::number(int(i)) + ' ' + escaped(fonts[i]) + ";}";
  out += "}\r\n{\\colortbl ;";
  for (const QString& c : colours) out += c.toLatin1() + ';';
  out += "}\r\n" + body + "}";
  return out;
}

}  // namespace km::platform
