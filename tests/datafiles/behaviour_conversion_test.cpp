// The behaviour files: sb (codes a character per entry), sbp (done flags),
// sbi (code texts) and sbt (monthly totals).

#include "conversion_fixture.h"

namespace km::test {
namespace {

const QString sb_fields = QStringLiteral("SD_T_NR N(6,0); ") +
                          repeated(QStringLiteral("SD_JAAR%1 C(120)"), 1, 4) + QStringLiteral("; ") +
                          repeated(QStringLiteral("SD_TIPE%1 C(110)"), 1, 4) +
                          QStringLiteral("; SD_BESK1 C(110); SD_BESK2 C(110); SD_BESK4 C(110)");

using sb_conversion_test = conversion_test;

TEST_F(sb_conversion_test, one_character_per_entry_blanks_past_the_text_and_group_3_blank_without_its_field) {
  write_table(QStringLiteral("sb2_dta.dbf"), sb_fields,
              {row_of(sb_fields, {{"SD_T_NR", 9},
                                  {"SD_JAAR1", "AB"},
                                  {"SD_JAAR2", QString(120, u'x')},
                                  {"SD_BESK2", "Q"},
                                  {"SD_BESK4", "Z"}})});
  open(QStringLiteral("S_B"));
  const QByteArray r = data_file(QStringLiteral("sb_random.txt"));
  ASSERT_EQ(r.size(), 1327);
  EXPECT_EQ(hex(at(r, 4, 6)), hex(bytes({0x00, 0x41, 0x42})));
  EXPECT_EQ(at(r, 7, 114), blanks(108));
  EXPECT_EQ(at(r, 115, 224), QByteArray(110, 'x')) << "group 2 keeps 110 of 120 characters";
  EXPECT_EQ(at(r, 446, 555), blanks(110)) << "a Null SD_TIPE1";
  EXPECT_EQ(at(r, 886 + 111, 886 + 111), QByteArray("Q"));
  EXPECT_EQ(at(r, 886 + 221, 886 + 330), blanks(110)) << "no SD_BESK3 in the table";
  EXPECT_EQ(at(r, 886 + 331, 886 + 331), QByteArray("Z"));
  EXPECT_FALSE(in_data(QStringLiteral("sb2_dta.dbf")));
}

using sbp_conversion_test = conversion_test;

TEST_F(sbp_conversion_test, done_flags_are_true_for_numbers_not_zero_and_for_a_logical_true) {
  const QString fields = QStringLiteral("SP_GRAAD C(3); SP_KLAS C(3); SP_ONNIE C(35); SP_WEEK N(3,0); ") +
                         repeated(QStringLiteral("ST_GEDOEN%1 C(3)"), 1, 5);
  const QString logical = QStringLiteral("SP_GRAAD C(3); SP_KLAS C(3); SP_ONNIE C(35); SP_WEEK N(3,0); ") +
                          repeated(QStringLiteral("ST_GEDOEN%1 L"), 1, 5);
  write_table(QStringLiteral("s_b_prs.dbf"), fields,
              {row_of(fields, {{"SP_GRAAD", "8"},
                               {"SP_ONNIE", QString(35, u't')},
                               {"SP_WEEK", 3},
                               {"ST_GEDOEN1", "1"},
                               {"ST_GEDOEN2", "2"},
                               {"ST_GEDOEN3", "0"},
                               {"ST_GEDOEN5", "x"}})});
  open(QStringLiteral("SBP"));
  const QByteArray r = data_file(QStringLiteral("sbp_random.txt"));
  ASSERT_EQ(r.size(), 52);
  EXPECT_EQ(hex(at(r, 0, 2)), hex(bytes({0x38, 0x20, 0x20})));
  EXPECT_EQ(at(r, 6, 35), QByteArray(30, 't')) << "a teacher of 35 characters keeps 30";
  EXPECT_EQ(hex(at(r, 40, 41)), hex(zeros(2))) << "element 0";
  EXPECT_EQ(hex(at(r, 42, 51)), hex(bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0})));

  discard(g_sbp_file_number, QStringLiteral("sbp_random.txt"));
  write_table(QStringLiteral("s_b_prs.dbf"), logical,
              {row_of(logical, {{"ST_GEDOEN1", true}, {"ST_GEDOEN2", false}})});
  open(QStringLiteral("SBP"));
  const QByteArray l = data_file(QStringLiteral("sbp_random.txt"));
  ASSERT_EQ(l.size(), 52);
  EXPECT_EQ(hex(at(l, 42, 45)), hex(bytes({0xFF, 0xFF, 0, 0})));
}

using sbi_conversion_test = conversion_test;

TEST_F(sbi_conversion_test, an_empty_file_is_built_from_the_table_in_any_year) {
  g_year = QStringLiteral("2020");
  put(QStringLiteral("sbi_random.txt"), {});
  const QString fields = QStringLiteral("SBI_TIPE C(30)");
  write_table(QStringLiteral("sbi_kde.dbf"), fields,
              {row_of(fields, {{"SBI_TIPE", "Laat"}}), row_of(fields, {{"SBI_TIPE", QString(30, u'y')}})});
  open(QStringLiteral("SBI"));
  const QByteArray file = data_file(QStringLiteral("sbi_random.txt"));
  ASSERT_EQ(file.size(), 100);
  EXPECT_EQ(at(file, 0, 24), QByteArray("Laat").leftJustified(25, ' '));
  EXPECT_EQ(at(file, 50, 74), QByteArray(25, 'y'));
  EXPECT_EQ(at(file, 25, 49), zeros(25)) << "no SBI_BESK field: the field stays cleared";
  EXPECT_EQ(at(file, 75, 99), zeros(25));
  EXPECT_TRUE(in_save(QStringLiteral("sbi_kde.dbf")));
  EXPECT_FALSE(in_data(QStringLiteral("sbi_kde.dbf")));
}

using sbt_conversion_test = conversion_test;

TEST_F(sbt_conversion_test, the_total_is_taken_as_the_table_kept_it) {
  const QString fields = QStringLiteral("ST_T_NR N(6,0); ") +
                         repeated(QStringLiteral("ST_MAAND%1 N(4,0)"), 1, 12) +
                         QStringLiteral("; ST_TOTAAL N(5,0)");
  write_table(QStringLiteral("s_b_tot.dbf"), fields,
              {row_of(fields, {{"ST_T_NR", 4}, {"ST_MAAND1", 4}, {"ST_MAAND12", 6}, {"ST_TOTAAL", 99}})});
  open(QStringLiteral("SBT"));
  const QByteArray r = data_file(QStringLiteral("sbt_random.txt"));
  ASSERT_EQ(r.size(), 60);
  EXPECT_EQ(hex(at(r, 56, 59)), hex(bytes({0x00, 0x00, 0xC6, 0x42})));
  EXPECT_EQ(hex(at(r, 4, 7)), hex(zeros(4)));
  EXPECT_EQ(hex(at(r, 8, 11)), hex(single_bytes(4)));
  EXPECT_EQ(hex(at(r, 52, 55)), hex(single_bytes(6)));
}

}  // namespace
}  // namespace km::test
