#include "platform/name_case.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/dbase/dbf_file_io.h"
#include "platform/wildcard.h"

namespace km::platform {
namespace {

struct name_pair {
  const char* a;  // UTF-8
  const char* b;
  bool equal;
};

// The rule's table: simple upper case of each character, nothing more.
const name_pair name_pairs[] = {
    {"setup.txt", "SETUP.TXT", true},
    {"Exp_Mrk_Control.txt", "exp_mrk_control.TXT", true},
    {"hoërskool", "HOËRSKOOL", true},
    {"à la carte", "À LA CARTE", true},
    {"šola", "ŠOLA", true},
    {"œuvre", "ŒUVRE", true},
    {"žiri", "ŽIRI", true},
    {"ÿ", "Ÿ", true},
    {"þ", "Þ", true},
    {"ß", "ß", true},
    {"straße", "STRAßE", true},
    {"straße", "STRASSE", false},  // ß has no one-character upper case
    {"ß", "ss", false},
    {"÷", "×", false},  // no case: only themselves
    {"e", "é", false},  // accents count
    {"ḓ", "Ḓ", true},   // outside the code page, by the same rule
    {"µ", "Μ", false},  // the micro sign is its own case in the code page
    {"a", "a ", false},
    {"", "", true},
    {"1.txt", "1.TXT", true},
};

TEST(name_case, names_equal_by_simple_upper_case) {
  for (const name_pair& p : name_pairs) {
    const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
    EXPECT_EQ(names_equal(a, b), p.equal) << p.a << " / " << p.b;
    EXPECT_EQ(names_equal(b, a), p.equal) << p.b << " / " << p.a;
    EXPECT_EQ(fold_name_case(a) == fold_name_case(b), p.equal) << p.a << " / " << p.b;
    EXPECT_EQ(compare_names(a, b) == 0, a == b) << p.a << " / " << p.b;
  }
}

TEST(name_case, folded_form_is_upper_case) {
  EXPECT_EQ(fold_name_case(QString::fromUtf8("hoërskool_ÿ_ß.txt")), QString::fromUtf8("HOËRSKOOL_Ÿ_ß.TXT"));
}

TEST(name_case, wildcards_follow_the_same_rule) {
  for (const name_pair& p : name_pairs) {
    const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
    EXPECT_EQ(wildcard_match(a, b), p.equal) << p.a << " / " << p.b;
  }
  EXPECT_TRUE(wildcard_match(QString::fromUtf8("hoër*.*"), QString::fromUtf8("HOËRSKOOL.DBF")));
}

TEST(name_case, a_tables_memo_file_is_found_by_the_same_rule) {
  for (const name_pair& p : name_pairs) {
    const QTemporaryDir dir;
    const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
    const QString memo = dir.filePath(b + QStringLiteral(".dbt"));
    QFile f(memo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << p.b;
    f.close();
    const QString found =
        dbf_io::sibling_path(dir.filePath(a + QStringLiteral(".dbf")), QStringLiteral("dbt"));
    EXPECT_EQ(found, p.equal ? memo : dir.filePath(a + QStringLiteral(".dbt"))) << p.a << " / " << p.b;
  }
}

TEST(name_case, listing_order_folds_case_and_keeps_a_total_order) {
  QStringList names = {QStringLiteral("b.txt"), QStringLiteral("A.txt"), QStringLiteral("a.txt"),
                       QStringLiteral("_x.txt"), QStringLiteral("C.txt")};
  std::sort(names.begin(), names.end(),
            [](const QString& x, const QString& y) { return compare_names(x, y) < 0; });
  // Upper-case order puts "_" after the letters, as Windows lists names.
  EXPECT_EQ(names, (QStringList{QStringLiteral("A.txt"), QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                QStringLiteral("C.txt"), QStringLiteral("_x.txt")}));
}

}  // namespace
}  // namespace km::platform
