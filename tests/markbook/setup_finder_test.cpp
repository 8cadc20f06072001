#include "markbook/setup_finder.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "platform/win_path.h"
#include "support/temp_drives.h"

namespace km {
namespace {

QStringList cells(const QString& grade, const QString& subject, const QString& klass,
                  const QString& class_when_blank = QStringLiteral("   ")) {
  return {grade,
          subject,
          QStringLiteral("100"),
          klass,
          QStringLiteral("   "),
          class_when_blank,
          QStringLiteral("1"),
          QString(),
          QString()};
}

TEST(setup_candidate_keys, tries_every_spelling_once_in_order) {
  EXPECT_EQ(
      setup_candidate_keys(cells(QStringLiteral("8  "), QStringLiteral("AFR  "), QStringLiteral("A  "))),
      (QStringList{QStringLiteral("8AFR__A"), QStringLiteral("8AFRA"), QStringLiteral("8  AFR__A"),
                   QStringLiteral("8  AFRA")}));
}

struct finder_case {
  const char* name;
  QStringList files;    // in C:\DATA
  QStringList subject;  // the subject-grid cells
  QString expected;     // the file found or to be made
  bool exists;
};

class setup_finder_test : public test::temp_drives_test, public testing::WithParamInterface<finder_case> {};

TEST_P(setup_finder_test, finds_the_file_or_names_the_new_one) {
  const finder_case& t = GetParam();
  drives.make_native_folder(QStringLiteral("C/DATA"));
  for (const QString& f : t.files) drives.write_native(QStringLiteral("C/DATA/") + f, "\"\"\r\n");
  const setup_file_found found = find_setup_file(QStringLiteral("C:\\DATA"), t.subject);
  EXPECT_EQ(found.exists, t.exists);
  EXPECT_EQ(platform::file_name_part(found.win_path).toUpper(), t.expected.toUpper());
  EXPECT_EQ(found.win_path.toUpper(), (QStringLiteral("C:\\DATA\\") + t.expected).toUpper());
}

const QStringList grade8 = cells(QStringLiteral("8  "), QStringLiteral("AFR  "), QStringLiteral("A  "));

INSTANTIATE_TEST_SUITE_P(
    table, setup_finder_test,
    testing::Values(
        finder_case{"window_key",
                    {QStringLiteral("setup_8AFR__A.txt")},
                    grade8,
                    QStringLiteral("setup_8AFR__A.txt"),
                    true},
        finder_case{
            "compact", {QStringLiteral("setup_8AFRA.txt")}, grade8, QStringLiteral("setup_8AFRA.txt"), true},
        finder_case{"capture_key",
                    {QStringLiteral("setup_8  AFR__A.txt")},
                    grade8,
                    QStringLiteral("setup_8  AFR__A.txt"),
                    true},
        finder_case{"capture_key_without_underscores",
                    {QStringLiteral("setup_8  AFRA.txt")},
                    grade8,
                    QStringLiteral("setup_8  AFRA.txt"),
                    true},
        finder_case{"order_decides",
                    {QStringLiteral("setup_8AFRA.txt"), QStringLiteral("setup_8  AFR__A.txt")},
                    grade8,
                    QStringLiteral("setup_8AFRA.txt"),
                    true},
        finder_case{"any_letter_case",
                    {QStringLiteral("SETUP_8AFRA.TXT")},
                    grade8,
                    QStringLiteral("setup_8AFRA.txt"),
                    true},
        finder_case{"none_gives_the_compact_name", {}, grade8, QStringLiteral("setup_8AFRA.txt"), false},
        finder_case{"class_when_blank",
                    {},
                    cells(QStringLiteral("8  "), QStringLiteral("AFR  "), QStringLiteral("   "),
                          QStringLiteral("B  ")),
                    QStringLiteral("setup_8AFRB.txt"),
                    false},
        finder_case{"slash_makes_no_folder",
                    {},
                    cells(QStringLiteral("8  "), QStringLiteral("AFR  "), QStringLiteral("A/B")),
                    QStringLiteral("setup_8AFRAB.txt"),
                    false}),
    [](const testing::TestParamInfo<finder_case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace km
