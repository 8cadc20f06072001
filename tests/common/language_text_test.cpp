// The text of the chosen language.
#include "common/language_text.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "support/value_printing.h"

namespace km {
namespace {

class language_text_test : public ::testing::Test {
 protected:
  void TearDown() override { reset_shared_variables(); }
};

TEST_F(language_text_test, follows_g_language_for_literals_and_built_texts) {
  const QString folder = QStringLiteral("C:\\DATA");
  g_language = true;
  EXPECT_EQ(in_language(u"BLADSY : ", u"PAGE : "), QStringLiteral("BLADSY : "));
  EXPECT_EQ(in_language(QStringLiteral("Gids ") + folder, QStringLiteral("Folder ") + folder),
            QStringLiteral("Gids C:\\DATA"));
  g_language = false;
  EXPECT_EQ(in_language(u"BLADSY : ", u"PAGE : "), QStringLiteral("PAGE : "));
  EXPECT_EQ(in_language(QStringLiteral("Gids ") + folder, QStringLiteral("Folder ") + folder),
            QStringLiteral("Folder C:\\DATA"));
  // Texts are kept as they are, trailing and double blanks included.
  EXPECT_EQ(in_language(u"  ë  ", u"  e  "), QStringLiteral("  e  "));
}

}  // namespace
}  // namespace km
