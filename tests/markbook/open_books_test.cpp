#include "markbook/open_books.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "support/temp_drives.h"

namespace km {
namespace {

class open_books_test : public test::temp_drives_test {};

TEST_F(open_books_test, knows_a_book_by_folder_and_number) {
  register_open_book(QStringLiteral("C:\\Data"), 3);
  EXPECT_TRUE(is_book_open(QStringLiteral("c:\\DATA\\"), 3));
  EXPECT_FALSE(is_book_open(QStringLiteral("C:\\Data"), 4));
  EXPECT_FALSE(is_book_open(QStringLiteral("D:\\Data"), 3));
  unregister_open_book(QStringLiteral("C:\\DATA"), 3);
  EXPECT_FALSE(is_book_open(QStringLiteral("C:\\Data"), 3));
}

TEST_F(open_books_test, tells_the_teacher_in_the_chosen_language) {
  g_language = true;
  EXPECT_EQ(book_open_message(), QStringLiteral("PUNTEBOEK IS OOP IN 'PUNTEBOEK INLEES' ... SLUIT DIT EERS"));
  g_language = false;
  EXPECT_EQ(book_open_message(), QStringLiteral("MARK BOOK IS OPEN IN 'MARK BOOK INPUT' ... CLOSE IT FIRST"));
}

}  // namespace
}  // namespace km
