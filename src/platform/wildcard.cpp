#include "platform/wildcard.h"

#include <vector>

#include "platform/name_case.h"

namespace km::platform {

namespace {

// A pattern in the form Windows matches it: "*" before "." stops at the
// name's last dot; "?" may match nothing at a dot or at the end; a "." at
// the end or before "*" or "?" may match the end of the name.
enum class token_kind { literal, star, star_to_last_dot, one_char_or_none, dot_or_end };
struct pattern_token {
  token_kind kind;
  QChar ch;
};

std::vector<pattern_token> tokens_of(const QString& pattern) {
  std::vector<pattern_token> out;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern.at(i);
    const QChar next = i + 1 < pattern.size() ? pattern.at(i + 1) : QChar();
    if (c == QLatin1Char('*'))
      out.push_back({next == QLatin1Char('.') ? token_kind::star_to_last_dot : token_kind::star, c});
    else if (c == QLatin1Char('?'))
      out.push_back({token_kind::one_char_or_none, c});
    else if (c == QLatin1Char('.') && (next.isNull() || next == QLatin1Char('*') || next == QLatin1Char('?')))
      out.push_back({token_kind::dot_or_end, c});
    else
      out.push_back({token_kind::literal, c});
  }
  return out;
}

// Names compare under the one case rule of names (name_case.h).
bool same_char(QChar a, QChar b) {
  return a == b || fold_name_char(a.unicode()) == fold_name_char(b.unicode());
}

}  // namespace

bool wildcard_match(const QString& pattern, const QString& name) {
  const std::vector<pattern_token> tokens = tokens_of(pattern);
  const qsizetype n = name.size();
  const qsizetype last_dot = name.lastIndexOf(QLatin1Char('.'));

  // reach[j]: the tokens so far can match the first j characters.
  std::vector<char> reach(static_cast<std::size_t>(n) + 1, 0);
  reach[0] = 1;
  for (const pattern_token& t : tokens) {
    std::vector<char> next(reach.size(), 0);
    for (qsizetype j = 0; j <= n; ++j) {
      if (!reach[j]) continue;
      const bool more = j < n;
      switch (t.kind) {
        case token_kind::literal:
          if (more && same_char(name.at(j), t.ch)) next[j + 1] = 1;
          break;
        case token_kind::star:
          for (qsizetype k = j; k <= n; ++k) next[k] = 1;
          break;
        case token_kind::star_to_last_dot: {
          // Any run that does not pass the last dot (all of a name without dots).
          const qsizetype limit = last_dot < 0 ? n : last_dot;
          for (qsizetype k = j; k <= limit; ++k) next[k] = 1;
          if (j > limit) next[j] = 1;
          break;
        }
        case token_kind::one_char_or_none:
          if (more && name.at(j) != QLatin1Char('.')) next[j + 1] = 1;
          if (!more || name.at(j) == QLatin1Char('.')) next[j] = 1;
          break;
        case token_kind::dot_or_end:
          if (more && name.at(j) == QLatin1Char('.')) next[j + 1] = 1;
          if (!more) next[j] = 1;
          break;
      }
    }
    reach.swap(next);
  }
  return reach[static_cast<std::size_t>(n)] != 0;
}

bool has_wildcards(const QString& text) {
  return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

}  // namespace km::platform
