#include "platform/name_case.h"

#include <QChar>

#include "platform/cp1252_case.h"

namespace km::platform {

namespace {

// Walks a name code point by code point (a lone surrogate stands for itself).
class code_points {
 public:
  explicit code_points(QStringView s) : s_(s) {}
  bool done() const { return i_ >= s_.size(); }
  char32_t next() {
    const QChar c = s_[i_++];
    if (c.isHighSurrogate() && i_ < s_.size() && s_[i_].isLowSurrogate())
      return QChar::surrogateToUcs4(c, s_[i_++]);
    return c.unicode();
  }

 private:
  QStringView s_;
  qsizetype i_ = 0;
};

void append(QString& out, char32_t c) {
  if (QChar::requiresSurrogates(c)) {
    out += QChar(QChar::highSurrogate(c));
    out += QChar(QChar::lowSurrogate(c));
  } else {
    out += QChar(static_cast<char16_t>(c));
  }
}

}  // namespace

// The code page's own pairs decide for its characters (so "µ" stays "µ", as
// the text routines have it); any other character takes its simple upper case.
char32_t fold_name_char(char32_t c) {
  if (QChar::requiresSurrogates(c)) return QChar::toUpper(c);
  return upper_char(QChar(static_cast<char16_t>(c))).unicode();
}

QString fold_name_case(QStringView name) {
  QString out;
  out.reserve(name.size());
  for (code_points it(name); !it.done();) append(out, fold_name_char(it.next()));
  return out;
}

int compare_names(QStringView a, QStringView b) {
  code_points x(a), y(b);
  while (!x.done() && !y.done()) {
    const char32_t fx = fold_name_char(x.next());
    const char32_t fy = fold_name_char(y.next());
    if (fx != fy) return fx < fy ? -1 : 1;
  }
  if (!x.done()) return 1;
  if (!y.done()) return -1;
  return a.compare(b);
}

bool names_equal(QStringView a, QStringView b) {
  code_points x(a), y(b);
  while (!x.done() && !y.done())
    if (fold_name_char(x.next()) != fold_name_char(y.next())) return false;
  return x.done() && y.done();
}

}  // namespace km::platform
