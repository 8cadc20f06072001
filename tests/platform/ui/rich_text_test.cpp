// Rich text read into a document and written back: the explanation files of
// the program folder round-trip byte for byte, every format the box uses
// survives, and a document lays out on the printer's pages.
#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>

#include "platform/model/rich_text/rtf_format.h"
#include "platform/model/rich_text/rtf_reader.h"
#include "platform/model/rich_text/rtf_writer.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/printer/recording_device.h"

namespace km::platform {
namespace {

// The value of an explanation file: the text between its two quotes.
QByteArray file_value(const char* name) {
  QFile f(QStringLiteral(KM_SOURCE_DIR "/resources/") + QLatin1String(name));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.startsWith('"') && bytes.endsWith("\"\r\n")) << name;
  EXPECT_EQ(bytes.count('"'), 2) << name;
  return bytes.mid(1, bytes.size() - 4);
}

TEST(rich_text, the_explanation_files_round_trip) {
  for (const char* name : {"kolom_info.afr", "kolom_info.eng"}) {
    SCOPED_TRACE(name);
    const QByteArray value = file_value(name);
    ASSERT_TRUE(is_rtf(value));
    QTextDocument document;
    read_rtf(value, document);
    EXPECT_EQ(document.blockCount(), 9);
    EXPECT_EQ(write_rtf(document), value);
  }
  QTextDocument afrikaans;
  read_rtf(file_value("kolom_info.afr"), afrikaans);
  EXPECT_TRUE(afrikaans.toPlainText().contains(QStringLiteral("en s\u00F3 verder")));
  EXPECT_TRUE(afrikaans.begin().next().next().textList() != nullptr);  // the first column, a bullet
}

// A document with every format the box offers.
void fill(QTextDocument& document) {
  QTextCursor c(&document);
  QTextCharFormat bold;
  bold.setFontFamilies({QStringLiteral("Times New Roman")});
  bold.setFontPointSize(14);
  bold.setFontWeight(QFont::Bold);
  c.insertText(QStringLiteral("Heading {with} \\braces\\"), bold);
  c.insertBlock();
  QTextCharFormat mixed;
  mixed.setFontPointSize(9);
  mixed.setFontItalic(true);
  mixed.setFontUnderline(true);
  mixed.setForeground(QColor(200, 10, 20));
  c.insertText(QStringLiteral("caf\u00E9 \"quoted\" \u20AC \u0160 \u03A9\tend"), mixed);
  QTextBlockFormat indented;
  set_paragraph_indent_twips(indented, 600);
  c.insertBlock(indented);
  c.createList(QTextListFormat::ListDisc);
  c.insertText(QStringLiteral("first bullet"), QTextCharFormat());
  c.insertBlock();
  c.insertText(QStringLiteral("second bullet"));
  c.insertBlock(QTextBlockFormat());
  if (QTextList* list = c.block().textList()) list->remove(c.block());
  c.insertText(QStringLiteral("plain again"));
}

struct fragment_facts {
  QString text;
  QString family;
  double size;
  bool bold, italic, underline;
  QColor colour;
  bool operator==(const fragment_facts&) const = default;
};

std::vector<fragment_facts> facts(const QTextDocument& d) {
  std::vector<fragment_facts> all;
  for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat f = it.fragment().charFormat();
      all.push_back({it.fragment().text(), f.fontFamilies().toStringList().value(0, QStringLiteral("Arial")),
                     f.fontPointSize() > 0 ? f.fontPointSize() : 12.0, f.fontWeight() >= QFont::Bold,
                     f.fontItalic(), f.fontUnderline(),
                     f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor()});
    }
  return all;
}

TEST(rich_text, every_format_of_the_box_survives_writing_and_reading) {
  QTextDocument original;
  fill(original);
  const QByteArray rtf = write_rtf(original);
  EXPECT_FALSE(rtf.contains('"'));  // a quote would end the file's value
  EXPECT_TRUE(rtf.contains("\\'22quoted\\'22"));
  for (const char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
  QTextDocument back;
  read_rtf(rtf, back);
  EXPECT_EQ(back.toPlainText(), original.toPlainText());
  EXPECT_EQ(facts(back), facts(original));
  const QTextBlock third = back.begin().next().next();
  EXPECT_EQ(paragraph_indent_twips(third.blockFormat()), 600);
  EXPECT_NE(third.textList(), nullptr);
  EXPECT_EQ(third.next().textList(), third.textList());
  EXPECT_EQ(third.next().next().textList(), nullptr);
  EXPECT_EQ(write_rtf(back), rtf);
}

TEST(rich_text, text_that_is_not_rich_text_shows_as_it_stands) {
  QTextDocument d;
  read_rtf(QByteArray("Plain \xEB text\r\nline two"), d);
  EXPECT_EQ(d.toPlainText(), QStringLiteral("Plain \u00EB text\nline two"));
  read_rtf(QByteArray(), d);
  EXPECT_TRUE(d.isEmpty());
}

TEST(rich_text, reads_what_other_writers_put_around_the_text) {
  QTextDocument d;
  read_rtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}{\\*\\generator Other 1.0;}"
      "{\\stylesheet{\\s0 Normal;}}\\uc1\\pard\\f1\\fs20 A\\u8364?B \\b bold\\b0  \\'e9\\par}",
      d);
  EXPECT_EQ(d.toPlainText(), QStringLiteral("A\u20ACB bold \u00E9\n"));
  const QTextCharFormat f = d.begin().begin().fragment().charFormat();
  EXPECT_EQ(f.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
  EXPECT_EQ(f.fontPointSize(), 10.0);
}

TEST(rich_text, lays_out_on_the_printers_pages) {
  auto device = std::make_shared<recording_device>();
  printer_object p{device, std::make_shared<fixed_text_metrics>()};
  QTextDocument d;
  QTextCursor c(&d);
  QTextCharFormat f;
  f.setFontPointSize(10);
  // 80 paragraphs of 30 words: more lines than a page holds.
  for (int i = 0; i < 80; ++i) {
    if (i) c.insertBlock();
    QString words;
    for (int w = 0; w < 30; ++w) words += QStringLiteral("word%1 ").arg(w);
    c.insertText(words.trimmed(), f);
  }
  const double right = 6000;
  p.print_rich_text(d, 0, right);
  const print_document* doc = p.pending_document();
  ASSERT_NE(doc, nullptr);
  EXPECT_GT(doc->pages.size(), 1u);
  const double bottom = a4_geometry(page_orientation::portrait).printable.height();
  int words = 0;
  for (const print_page& page : doc->pages)
    for (const print_op& op : page.ops) {
      if (op.what != print_op::kind::text) continue;
      ++words;
      EXPECT_LE(op.x2, right + 1) << op.text.toStdString();  // wrapped at the right edge
      EXPECT_LE(op.y2, bottom + 1);
    }
  EXPECT_EQ(words, 80 * 30);
}

}  // namespace
}  // namespace km::platform
