#include "printing/print_choice_files.h"

#include "printing_fixture.h"

namespace km::test {
namespace {

class print_choice_files_test : public printing_test {};

TEST_F(print_choice_files_test, the_colour_file_lies_in_the_user_folder_or_at_the_root) {
  EXPECT_EQ(colour_file_path(), QStringLiteral("\\kleur_drukker.txt"));
  g_user_folder = QStringLiteral("D:\\Users\\Anna");
  EXPECT_EQ(colour_file_path(), QStringLiteral("D:\\Users\\Anna\\kleur_drukker.txt"));
  EXPECT_EQ(excel_folder_file_path(), QStringLiteral("C:\\ProgramData\\OSKAVEN\\excel_uitvoer_gids"));
  EXPECT_EQ(html_folder_file_path(), QStringLiteral("C:\\ProgramData\\OSKAVEN\\html_uitvoer_gids"));
}

TEST_F(print_choice_files_test, the_colour_choice_is_written_as_a_boolean_and_read_back) {
  ASSERT_TRUE(write_colour_file(true));
  EXPECT_EQ(native_bytes(QStringLiteral("C/kleur_drukker.txt")), QByteArrayLiteral("#TRUE#\r\n"));
  EXPECT_EQ(read_colour_file(), std::optional<bool>(true));
  ASSERT_TRUE(write_colour_file(false));
  EXPECT_EQ(native_bytes(QStringLiteral("C/kleur_drukker.txt")), QByteArrayLiteral("#FALSE#\r\n"));
  EXPECT_EQ(read_colour_file(), std::optional<bool>(false));
  // Every file number went back to the pool.
  EXPECT_EQ(g_open_file_count, 0);
  EXPECT_EQ(g_file_number, 0);
}

TEST_F(print_choice_files_test, a_missing_or_unreadable_colour_file_gives_nothing) {
  EXPECT_FALSE(read_colour_file());
  drives.write_native(QStringLiteral("C/kleur_drukker.txt"), "");
  EXPECT_FALSE(read_colour_file());
  drives.write_native(QStringLiteral("C/kleur_drukker.txt"), "\"maybe\"\r\n");
  EXPECT_FALSE(read_colour_file());
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(print_choice_files_test, a_colour_file_in_a_missing_folder_is_not_written) {
  g_user_folder = QStringLiteral("D:\\Nowhere");
  EXPECT_FALSE(write_colour_file(true));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(print_choice_files_test, the_last_folder_is_one_quoted_value) {
  ASSERT_TRUE(write_last_folder(excel_folder_file_path(), QStringLiteral("D:\\Export")));
  EXPECT_EQ(native_bytes(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids")),
            QByteArrayLiteral("\"D:\\Export\"\r\n"));
  EXPECT_EQ(read_last_folder(excel_folder_file_path()), QStringLiteral("D:\\Export"));
  EXPECT_EQ(read_last_folder(html_folder_file_path()), QString());
  // A file of five values a line reads its first.
  drives.write_native(QStringLiteral("C/ProgramData/OSKAVEN/html_uitvoer_gids"), "\"D:\\Web\",\"x\"\r\n");
  EXPECT_EQ(read_last_folder(html_folder_file_path()), QStringLiteral("D:\\Web"));
}

}  // namespace
}  // namespace km::test
