#include "platform/cp1252.h"

#include <array>
#include <unordered_map>

namespace km::platform {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> k_high = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const std::unordered_map<char16_t, unsigned char>& reverse_high() {
  static const auto map = [] {
    std::unordered_map<char16_t, unsigned char> m;
    for (int i = 0; i < 32; ++i) m.emplace(k_high[i], static_cast<unsigned char>(0x80 + i));
    return m;
  }();
  return map;
}

int byte_of(QChar ch) {
  const char16_t u = ch.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  const auto& m = reverse_high();
  const auto it = m.find(u);
  return it == m.end() ? -1 : it->second;
}

// The byte a character without a byte of its own is stored as: the byte of
// the letter it is made from (its canonical decomposition without the
// combining marks, step by step: "ǻ" gives "å" before "a"); -1 when there is
// none.
int base_letter_byte(char32_t c) {
  for (int depth = 0; depth < 4; ++depth) {
    if (QChar::decompositionTag(c) != QChar::Canonical) return -1;
    const QString d = QChar::decomposition(c);
    if (d.isEmpty()) return -1;
    c = d[0].isHighSurrogate() && d.size() > 1 ? QChar::surrogateToUcs4(d[0], d[1]) : d[0].unicode();
    if (c <= 0xFFFF) {
      if (const int b = byte_of(QChar(char16_t(c))); b >= 0) return b;
    }
  }
  return -1;
}

bool is_combining_mark(char32_t c) {
  const QChar::Category k = QChar::category(c);
  return k == QChar::Mark_NonSpacing || k == QChar::Mark_SpacingCombining || k == QChar::Mark_Enclosing;
}

// The bytes of a character's compatibility decomposition ("ŉ" is "'n", "ﬁ"
// is "fi", a full-width "Ａ" is "A"), its combining marks dropped, when every
// character of it has a byte; the modifier apostrophe of "ŉ" is stored as the
// apostrophe. Empty for a character without such a decomposition (a letter
// with a canonical one keeps to its base letter).
QByteArray compatibility_bytes(char32_t c) {
  const QChar::Decomposition tag = QChar::decompositionTag(c);
  if (tag == QChar::NoDecomposition || tag == QChar::Canonical) return {};
  const QString d = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
  QByteArray out;
  for (QChar ch : d) {
    if (is_combining_mark(ch.unicode())) continue;
    if (ch.unicode() == 0x02BC) {  // modifier letter apostrophe
      out.append('\'');
      continue;
    }
    const int b = byte_of(ch);
    if (b < 0) return {};
    out.append(char(b));
  }
  return out;
}

bool all_in_code_page(const QString& text) {
  for (QChar ch : text)
    if (byte_of(ch) < 0) return false;
  return true;
}

// The slow road, for a text holding characters without a byte.
cp1252_encoding encode_with_replacements(const QString& text) {
  // A letter typed as base letter and combining marks becomes one character
  // first, so that "e" + acute is stored as "é".
  const QString t = text.normalized(QString::NormalizationForm_C);
  cp1252_encoding out;
  out.bytes.reserve(t.size());
  for (qsizetype i = 0; i < t.size(); ++i) {
    char32_t c = t[i].unicode();
    if (t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(t[i], t[i + 1]);
      ++i;
    }
    if (c <= 0xFFFF) {
      if (const int b = byte_of(QChar(char16_t(c))); b >= 0) {
        out.bytes.append(char(b));
        continue;
      }
    }
    ++out.replaced;
    if (is_combining_mark(c)) continue;  // a mark left over after its letter: dropped
    if (const QByteArray compat = compatibility_bytes(c); !compat.isEmpty()) {
      out.bytes.append(compat);
      continue;
    }
    const int base = base_letter_byte(c);
    out.bytes.append(base >= 0 ? char(base) : '?');
  }
  return out;
}

}  // namespace

QChar cp1252_to_unicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return QChar(k_high[byte - 0x80]);
  return QChar(static_cast<char16_t>(byte));
}

unsigned char unicode_to_cp1252(QChar ch) {
  int b = byte_of(ch);
  if (b < 0) b = base_letter_byte(ch.unicode());
  return b < 0 ? static_cast<unsigned char>('?') : static_cast<unsigned char>(b);
}

bool has_cp1252_byte(QChar ch) { return byte_of(ch) >= 0; }

QString decode_cp1252(const char* data, qsizetype size) {
  // Most texts hold no byte of 0x80..0x9F, where the code page differs from
  // Latin-1: those take Qt's fast Latin-1 conversion.
  bool high = false;
  for (qsizetype i = 0; i < size; ++i) high |= unsigned(static_cast<unsigned char>(data[i]) - 0x80) < 32u;
  QString out = QString::fromLatin1(data, size);
  if (!high) return out;
  char16_t* dst = reinterpret_cast<char16_t*>(out.data());
  for (qsizetype i = 0; i < size; ++i) {
    const unsigned char b = static_cast<unsigned char>(data[i]);
    if (unsigned(b - 0x80) < 32u) dst[i] = k_high[b - 0x80];
  }
  return out;
}

QString decode_cp1252(const QByteArray& bytes) { return decode_cp1252(bytes.constData(), bytes.size()); }

cp1252_encoding encode_cp1252_counted(const QString& text) {
  if (!all_in_code_page(text)) return encode_with_replacements(text);
  cp1252_encoding out;
  out.bytes.resize(text.size());
  char* dst = out.bytes.data();
  for (qsizetype i = 0; i < text.size(); ++i) dst[i] = static_cast<char>(byte_of(text[i]));
  return out;
}

QByteArray encode_cp1252(const QString& text) { return encode_cp1252_counted(text).bytes; }

int ansi_code(QChar ch) { return unicode_to_cp1252(ch); }

QChar ansi_char(int code) { return cp1252_to_unicode(static_cast<unsigned char>(code & 0xFF)); }

}  // namespace km::platform
