// What the capture windows hold open, by kind, folder and number.
#include "common/open_combinations.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "support/temp_drives.h"

namespace km {
namespace {

class open_combinations_test : public test::temp_drives_test {};

TEST_F(open_combinations_test, knows_an_entry_by_kind_folder_and_number) {
  register_open(open_kind::combination, QStringLiteral("C:\\Data"), 3);
  EXPECT_TRUE(is_open(open_kind::combination, QStringLiteral("c:\\DATA\\"), 3));
  EXPECT_FALSE(is_open(open_kind::mark_book, QStringLiteral("C:\\Data"), 3));  // another kind
  EXPECT_FALSE(is_open(open_kind::combination, QStringLiteral("C:\\Data"), 4));
  EXPECT_FALSE(is_open(open_kind::combination, QStringLiteral("D:\\Data"), 3));
  // Two windows may hold one combination; it stays open until both let go.
  register_open(open_kind::combination, QStringLiteral("C:\\DATA"), 3);
  unregister_open(open_kind::combination, QStringLiteral("C:\\DATA"), 3);
  EXPECT_TRUE(is_open(open_kind::combination, QStringLiteral("C:\\Data"), 3));
  unregister_open(open_kind::combination, QStringLiteral("C:\\Data\\"), 3);
  EXPECT_FALSE(is_open(open_kind::combination, QStringLiteral("C:\\Data"), 3));
}

TEST_F(open_combinations_test, tells_the_teacher_in_the_chosen_language) {
  g_language = true;
  EXPECT_EQ(combination_open_message(),
            QStringLiteral("HIERDIE VAK IS REEDS OOP IN 'N ANDER VENSTER ... SLUIT DIT EERS !"));
  g_language = false;
  EXPECT_EQ(combination_open_message(),
            QStringLiteral("THIS SUBJECT IS ALREADY OPEN IN ANOTHER WINDOW ... CLOSE IT FIRST !"));
}

}  // namespace
}  // namespace km
