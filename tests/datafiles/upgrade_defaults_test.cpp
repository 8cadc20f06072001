// The default achievement scales of an empty PI2 or PSMB file and the copy
// of last year's set-up into an empty year.

#include "upgrade_fixture.h"

namespace km::test {
namespace {

TEST_F(upgrade_test, empty_pi2_gets_the_scale_of_its_grade_and_year) {
  struct row {
    const char* grade;
    const char* year;
    int levels;
    QByteArray first;
    QByteArray last;
  };
  const QByteArray four_first = bytes({0x31, 0x20, 0x9A, 0x99, 0x0B, 0x42, 0x00, 0x00, 0x00, 0x00});
  const QByteArray four_last = QByteArray("4 ") + le_single(100.0F) + le_single(70.0F);
  const QByteArray seven_first = bytes({0x31, 0x20, 0x33, 0x33, 0xEF, 0x41, 0x00, 0x00, 0x00, 0x00});
  const QByteArray seven_last = bytes({0x37, 0x20, 0x00, 0x00, 0xC8, 0x42, 0x00, 0x00, 0xA0, 0x42});
  const row rows[] = {
      {"5", "2012", 4, four_first, four_last},   {"", "2012", 7, seven_first, seven_last},
      {"3", "2012", 7, seven_first, seven_last}, {"7", "2012", 7, seven_first, seven_last},
      {"5", "2013", 7, seven_first, seven_last},
  };
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(std::string(r.grade) + " " + r.year);
    const QString folder = QStringLiteral("P%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    drives.make_native_folder(QStringLiteral("C/") + folder);
    g_grade = QLatin1String(r.grade);
    g_year = QLatin1String(r.year);
    open(QStringLiteral("PI2"), win);
    const QByteArray file = bytes_of(QStringLiteral("pi2_random.txt"), win);
    ASSERT_EQ(file.size(), r.levels * 10);
    EXPECT_EQ(hex(file.left(10)), hex(r.first));
    EXPECT_EQ(hex(file.right(10)), hex(r.last));
    EXPECT_EQ(g_pi2_record_count, r.levels);
  }
}

TEST_F(upgrade_test, empty_psmb_gets_the_seven_levels_with_the_chosen_language_first) {
  struct row {
    bool afrikaans;
    const char* text_1;
    const char* text_2;
  };
  const row rows[] = {{false, "NOT ACHIEVED", "ONTOEREIKENDE PRESTASIE"},
                      {true, "ONTOEREIKENDE PRESTASIE", "NOT ACHIEVED"}};
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.afrikaans);
    const QString folder = QStringLiteral("M%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    drives.make_native_folder(QStringLiteral("C/") + folder);
    g_year = QStringLiteral("2017");
    g_language = r.afrikaans;
    open(QStringLiteral("PSMB"), win);
    const QByteArray file = bytes_of(QStringLiteral("psmb_random.txt"), win);
    ASSERT_EQ(file.size(), 1526);
    EXPECT_EQ(g_psmb_record_count, 7);
    const QByteArray first = QByteArray("1    1    ") +
                             bytes({0x00, 0x00, 0x00, 0x00, 0x33, 0x33, 0xEF, 0x41}) + padded(r.text_1, 100) +
                             padded(r.text_2, 100);
    EXPECT_EQ(hex(file.left(218)), hex(first));
  }
}

TEST(previous_year_folder, replaces_every_two_digits_of_the_year) {
  struct row {
    const char* folder;
    const char* year;
    const char* source;  // nullptr: no source
  };
  const row rows[] = {
      {"D:\\DATA17\\SCHOOL", "2017", "D:\\DATA16\\SCHOOL"},
      {"D:\\2017\\CLASS17", "2017", "D:\\2016\\CLASS16"},
      {"D:\\DATA00", "2000", "D:\\DATA99"},
      {"D:\\DATA", "2017", "D:\\DATA"},
      {"D:\\DATA17", "abcd", nullptr},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.folder);
    const std::optional<QString> source =
        previous_year_folder(QLatin1String(r.folder), QLatin1String(r.year));
    if (r.source == nullptr) {
      EXPECT_FALSE(source.has_value());
    } else {
      ASSERT_TRUE(source.has_value());
      EXPECT_EQ(*source, QLatin1String(r.source));
    }
  }
}

TEST_F(upgrade_test, last_years_setup_fills_only_missing_or_empty_files_of_the_folder_opened) {
  g_year = QStringLiteral("2017");
  g_data_folder = QStringLiteral("C:\\DATA");
  const QByteArray this_years_pi2(70, 'n');
  put(QStringLiteral("pi2_random.txt"), this_years_pi2, QStringLiteral("WORK17"));
  put(QStringLiteral("pi3_random.txt"), QByteArray(), QStringLiteral("WORK17"));
  put(QStringLiteral("pi2_random.txt"), QByteArray(70, 'o'), QStringLiteral("WORK16"));
  put(QStringLiteral("pi3_random.txt"), QByteArray(250, 'o'), QStringLiteral("WORK16"));
  put(QStringLiteral("rt_random.txt"), QByteArray(28, 'r'), QStringLiteral("WORK16"));
  put(QStringLiteral("NOTES"), QByteArray("plain"), QStringLiteral("WORK16"));
  put(QStringLiteral("other.txt"), QByteArray("other"), QStringLiteral("WORK16"));

  open(QStringLiteral("PI3"), QStringLiteral("C:\\WORK17"));
  const QString work = QStringLiteral("C:\\WORK17");
  EXPECT_EQ(bytes_of(QStringLiteral("pi2_random.txt"), work), this_years_pi2);
  EXPECT_EQ(bytes_of(QStringLiteral("pi3_random.txt"), work), QByteArray(250, 'o'));
  EXPECT_EQ(bytes_of(QStringLiteral("rt_random.txt"), work), QByteArray(28, 'r'));
  EXPECT_EQ(bytes_of(QStringLiteral("NOTES"), work), QByteArray("plain"));
  EXPECT_FALSE(exists(QStringLiteral("other.txt"), work));
  EXPECT_FALSE(exists(QStringLiteral("pi3_random.txt")));  // nothing went to g_data_folder
  EXPECT_EQ(g_data_folder, QStringLiteral("C:\\DATA"));
}

TEST_F(upgrade_test, last_years_setup_copies_nothing_without_a_source_or_a_year) {
  struct row {
    const char* folder;
    const char* year;
  };
  const row rows[] = {{"PLAIN", "2017"}, {"DATA17", "abcd"}};
  put(QStringLiteral("pi3_random.txt"), QByteArray(250, 'o'), QStringLiteral("DATA16"));
  for (const row& r : rows) {
    SCOPED_TRACE(r.folder);
    drives.make_native_folder(QStringLiteral("C/") + QLatin1String(r.folder));
    g_year = QLatin1String(r.year);
    const QString win = QStringLiteral("C:\\") + QLatin1String(r.folder);
    copy_previous_year_setup(win);
    EXPECT_TRUE(platform::list_files(win).isEmpty());
  }
}

}  // namespace
}  // namespace km::test
