#include "platform/model/rich_text/rtf_reader.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <map>
#include <vector>

#include "platform/cp1252.h"
#include "platform/model/rich_text/rtf_format.h"

namespace km::platform {

namespace {

// What a group carries: the character format in force and whether its
// contents are text at all.
struct group_state {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = 24;
  int font = -1;
  int colour = 0;
  bool skip = false;          // a destination whose contents are not text
  int font_table_entry = -1;  // inside the font table: the entry being named
  bool in_font_table = false;
  bool in_colour_table = false;
  int unicode_skip = 1;  // \ucN: characters after \uN that stand in for it
};

class rtf_parser {
 public:
  rtf_parser(const QByteArray& text, QTextDocument& document) : text_(text), cursor_(&document) {
    document.clear();
    cursor_ = QTextCursor(&document);
  }

  void run() {
    std::vector<group_state> stack{group_state{}};
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      group_state& g = stack.back();
      if (c == '{') {
        stack.push_back(g);
        destination_start_ = true;
      } else if (c == '}') {
        finish_table_entry(g);
        if (stack.size() > 1) stack.pop_back();
        destination_start_ = false;
      } else if (c == '\\') {
        control(stack);
        destination_start_ = false;
      } else if (c == '\r' || c == '\n') {
        // line ends in rich text are not text
      } else {
        destination_start_ = false;
        if (g.in_font_table) {
          if (c == ';')
            finish_table_entry(g);
          else
            font_name_ += QLatin1Char(c);
        } else if (g.in_colour_table) {
          if (c == ';') end_colour();
        } else if (!g.skip) {
          text(g, cp1252_to_unicode(static_cast<unsigned char>(c)));
        }
      }
    }
    end_paragraph();
  }

 private:
  // A control word or symbol after "\".
  void control(std::vector<group_state>& stack) {
    group_state& g = stack.back();
    if (pos_ >= text_.size()) return;
    const char c = text_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++pos_;
      switch (c) {
        case '\'': {
          const int byte = text_.mid(pos_, 2).toInt(nullptr, 16);
          pos_ += 2;
          if (g.in_font_table) break;
          if (unicode_pending_ > 0) {
            --unicode_pending_;
            break;
          }
          if (!g.skip) text(g, cp1252_to_unicode(static_cast<unsigned char>(byte)));
          break;
        }
        case '\\':
        case '{':
        case '}':
          if (!g.skip && !g.in_font_table && !g.in_colour_table) text(g, QLatin1Char(c));
          break;
        case '~':
          if (!g.skip) text(g, QChar(0xA0));
          break;
        case '*':
          g.skip = true;  // an optional destination: not text unless we know it
          break;
        default:
          break;
      }
      return;
    }
    QByteArray word;
    while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_])))
      word += text_[pos_++];
    bool has_param = false;
    int param = 0;
    const qsizetype param_start = pos_;
    if (pos_ < text_.size() &&
        (text_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(text_[pos_])))) {
      ++pos_;
      while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
      param = text_.mid(param_start, pos_ - param_start).toInt();
      has_param = true;
    }
    if (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    word_(stack, word, has_param, param);
  }

  void word_(std::vector<group_state>& stack, const QByteArray& w, bool has_param, int param) {
    group_state& g = stack.back();
    const bool on = !has_param || param != 0;
    if (w == "fonttbl") {
      g.in_font_table = true;
    } else if (w == "colortbl") {
      g.in_colour_table = true;
      colours_.clear();
      colour_ = QColor(0, 0, 0);
      colour_set_ = false;
    } else if (g.in_colour_table) {
      if (w == "red")
        colour_.setRed(param), colour_set_ = true;
      else if (w == "green")
        colour_.setGreen(param), colour_set_ = true;
      else if (w == "blue")
        colour_.setBlue(param), colour_set_ = true;
    } else if (g.in_font_table) {
      if (w == "f") {
        g.font_table_entry = param;
        font_name_.clear();
      }
    } else if (w == "pntext" || w == "pn" || w == "listtext") {
      bullet_ = true;
      g.skip = true;
    } else if (w == "stylesheet" || w == "info" || w == "pict" || w == "header" || w == "footer" ||
               w == "listtable" || w == "listoverridetable" || w == "generator") {
      g.skip = true;
    } else if (w == "ls") {
      bullet_ = true;
    } else if (g.skip) {
      // nothing inside a skipped destination counts
    } else if (w == "par") {
      end_paragraph();
      cursor_.insertBlock();
    } else if (w == "pard") {
      indent_ = 0;
      bullet_ = false;
    } else if (w == "li") {
      indent_ = param;
    } else if (w == "plain") {
      const group_state keep = g;
      g = group_state{};
      g.skip = keep.skip;
      g.unicode_skip = keep.unicode_skip;
    } else if (w == "b") {
      g.bold = on;
    } else if (w == "i") {
      g.italic = on;
    } else if (w == "ul") {
      g.underline = on;
    } else if (w == "ulnone") {
      g.underline = false;
    } else if (w == "fs") {
      g.half_points = param > 0 ? param : 24;
    } else if (w == "f") {
      g.font = param;
    } else if (w == "cf") {
      g.colour = param;
    } else if (w == "uc") {
      g.unicode_skip = param;
    } else if (w == "u") {
      text(g, QChar(char16_t(param < 0 ? param + 65536 : param)));
      unicode_pending_ = g.unicode_skip;
      return;
    } else if (w == "tab") {
      text(g, QLatin1Char('\t'));
    } else if (w == "line") {
      text(g, QChar(QChar::LineSeparator));
    } else if (w == "bullet") {
      text(g, QChar(0x2022));
    } else if (destination_start_ && (w == "fldinst" || w == "object" || w == "themedata")) {
      g.skip = true;
    }
  }

  void finish_table_entry(group_state& g) {
    if (g.in_font_table && g.font_table_entry >= 0 && !font_name_.trimmed().isEmpty()) {
      fonts_[g.font_table_entry] = font_name_.trimmed();
      font_name_.clear();
      g.font_table_entry = -1;
    }
  }

  void end_colour() {
    colours_.push_back(colour_set_ ? colour_ : QColor());
    colour_ = QColor(0, 0, 0);
    colour_set_ = false;
  }

  void text(const group_state& g, QChar c) {
    if (unicode_pending_ > 0) {
      --unicode_pending_;
      return;
    }
    QTextCharFormat f;
    f.setFontWeight(g.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(g.italic);
    f.setFontUnderline(g.underline);
    f.setFontPointSize(g.half_points / 2.0);
    const auto font = fonts_.find(g.font);
    if (font != fonts_.end()) f.setFontFamilies({font->second});
    if (g.colour > 0 && g.colour < int(colours_.size()) && colours_[std::size_t(g.colour)].isValid())
      f.setForeground(colours_[std::size_t(g.colour)]);
    cursor_.insertText(QString(c), f);
  }

  // The paragraph being read takes its indent and bullet.
  void end_paragraph() {
    QTextBlockFormat f = cursor_.blockFormat();
    set_paragraph_indent_twips(f, indent_);
    cursor_.setBlockFormat(f);
    QTextList* list = cursor_.block().textList();
    if (!bullet_ && list) {
      list->remove(cursor_.block());
      QTextBlockFormat plain = cursor_.blockFormat();
      plain.setIndent(0);  // leaving the list leaves its indent too
      cursor_.setBlockFormat(plain);
    }
    if (bullet_ && !list) {
      QTextBlock previous = cursor_.block().previous();
      if (previous.isValid() && previous.textList())
        previous.textList()->add(cursor_.block());
      else
        cursor_.createList(QTextListFormat::ListDisc);
      // createList gives the list its own indent; the paragraph's stays.
      QTextBlockFormat again = cursor_.blockFormat();
      set_paragraph_indent_twips(again, indent_);
      again.setIndent(0);
      cursor_.setBlockFormat(again);
    }
  }

  const QByteArray& text_;
  qsizetype pos_ = 0;
  QTextCursor cursor_;
  std::map<int, QString> fonts_;
  QString font_name_;
  std::vector<QColor> colours_;
  QColor colour_;
  bool colour_set_ = false;
  int indent_ = 0;
  bool bullet_ = false;
  int unicode_pending_ = 0;
  bool destination_start_ = false;
};

}  // namespace

bool is_rtf(const QByteArray& text) { return text.trimmed().startsWith("{\\rtf"); }

void read_rtf(const QByteArray& text, QTextDocument& document) {
  if (!is_rtf(text)) {
    document.setPlainText(decode_cp1252(text));
    return;
  }
  rtf_parser(text, document).run();
}

}  // namespace km::platform
