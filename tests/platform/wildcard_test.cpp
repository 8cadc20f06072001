#include "platform/wildcard.h"

#include <gtest/gtest.h>

namespace km::platform {
namespace {

TEST(Wildcard, WindowsPatternTable) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  };
  const Case cases[] = {
      // "*.*" matches every name, with or without an extension.
      {"*.*", "setup.txt", true},
      {"*.*", "README", true},
      {"*.*", ".hidden", true},
      {"*", "a.b.c", true},
      // "*." matches names without an extension only.
      {"*.", "README", true},
      {"*.", "L10", true},
      {"*.", "setup.txt", false},
      {"*.", "a.b", false},
      // "*.G": the extension G, in any case.
      {"*.G", "x.G", true},
      {"*.G", "x.g", true},
      {"*.G", "a.b.G", true},
      {"*.G", "x.GX", false},
      {"*.G", "xG", false},
      {"*.G", "G", false},
      // The patterns of the previous year's copy.
      {"pi*.*", "pi3_random.txt", true},
      {"pi*.*", "PI1SMA_random.txt", true},
      {"pi*.*", "pi", true},
      {"pi*.*", "api.txt", false},
      {"rt*.*", "rt_random.txt", true},
      {"rt*.*", "art.txt", false},
      // "?" is one character, or none at a dot or the end.
      {"?.txt", "a.txt", true},
      {"?.txt", "ab.txt", false},
      {"pi?.*", "pi.txt", true},
      {"pi?.*", "pi5.txt", true},
      {"pi?.*", "pi55.txt", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a?c", "a.c", false},
      {"ab??", "ab", true},
      {"ab??", "abcde", false},
      // Plain names and stars inside.
      {"*.txt", "setup.txt.bak", false},
      {"*.txt", "x.TXT", true},
      {"setup_*.txt", "setup_10_ENG_A.txt", true},
      {"setup_*.txt", "setup.txt", false},
      {"*a*", "banana", true},
      {"*a*", "berry", false},
      {"L*_f_e.*", "L12_f_e.10A", true},
      {"exp_mrk_control.txt", "Exp_Mrk_Control.TXT", true},
      {"exp_mrk_control.txt", "exp_mrk_control.txt2", false},
      {"", "", true},
      {"", "a", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(wildcard_match(QString::fromUtf8(c.pattern), QString::fromUtf8(c.name)), c.match)
        << c.pattern << " / " << c.name;
}

TEST(Wildcard, NonAsciiLettersMatchInEitherCase) {
  EXPECT_TRUE(wildcard_match(QStringLiteral("HOËR*.*"), QStringLiteral("hoërskool.txt")));
}

TEST(Wildcard, HasWildcards) {
  EXPECT_TRUE(has_wildcards("pi*.*"));
  EXPECT_TRUE(has_wildcards("a?"));
  EXPECT_FALSE(has_wildcards("setup.txt"));
}

}  // namespace
}  // namespace km::platform
