// The outcome files: PI1 (first row only, cycles and tasks bounded by the
// table), PI2 (its table stays for the symbol window), the OBE outcomes and
// the report comments.

#include "conversion_fixture.h"

namespace km::test {
namespace {

const QString pi1_fields = QStringLiteral("pi1_OUD_B N(5,1); pi1_OUD_O N(5,1); pi1_SIKL N(5,1); ") +
                           repeated(QStringLiteral("PI1_SN_%1 C(8)"), 1, 4) + QStringLiteral("; ") +
                           repeated(QStringLiteral("PI1_SF_%1 N(5,2)"), 1, 4) + QStringLiteral("; ") +
                           repeated(QStringLiteral("PI1_TN_%1 C(8)"), 1, 8) + QStringLiteral("; ") +
                           repeated(QStringLiteral("pi1_tf_%1 N(5,1)"), 1, 8) + QStringLiteral("; ") +
                           repeated(QStringLiteral("PI1_TR_%1 N(5,1)"), 1, 8);

using pi1_conversion_test = conversion_test;

TEST_F(pi1_conversion_test, one_record_from_the_first_row_in_years_before_2014) {
  g_year = QStringLiteral("2013");
  write_table(QStringLiteral("pi1_dta.dbf"), pi1_fields,
              {row_of(pi1_fields, {{"pi1_SIKL", 2.5},
                                   {"PI1_TN_1", "ABCDEFG"},
                                   {"PI1_TN_2", "AB"},
                                   {"PI1_SF_4", 0.5},
                                   {"PI1_TR_8", 9}}),
               row_of(pi1_fields, {{"pi1_SIKL", 7}}), row_of(pi1_fields, {{"pi1_SIKL", 8}})});
  open(QStringLiteral("PI1"));
  const QByteArray r = data_file(QStringLiteral("pi1_random.txt"));
  ASSERT_EQ(r.size(), 172);
  EXPECT_EQ(hex(at(r, 8, 9)), hex(bytes({0x02, 0x00})));
  EXPECT_EQ(at(r, 60, 64), QByteArray("ABCDE"));
  EXPECT_EQ(at(r, 65, 69), QByteArray("AB   "));
  EXPECT_EQ(hex(at(r, 51, 54)), hex(bytes({0x00, 0x00, 0x00, 0x3F})));
  EXPECT_EQ(hex(at(r, 168, 171)), hex(single_bytes(9))) << "task 8, the last the layout has room for";
  EXPECT_EQ(g_pi1_record_count, 1);
  EXPECT_TRUE(in_save(QStringLiteral("pi1_dta.dbf")));
}

TEST_F(pi1_conversion_test, from_2014_the_code_is_not_served_and_the_table_stays) {
  g_year = QStringLiteral("2014");
  write_table(QStringLiteral("pi1_dta.dbf"), pi1_fields, {row_of(pi1_fields, {{"pi1_SIKL", 1}})});
  open(QStringLiteral("PI1"));
  EXPECT_FALSE(in_data(QStringLiteral("pi1_random.txt")));
  EXPECT_TRUE(in_data(QStringLiteral("pi1_dta.dbf")));
}

TEST_F(pi1_conversion_test, fewer_cycle_and_task_fields_fill_fewer_entries) {
  g_year = QStringLiteral("2013");
  const QString fields = QStringLiteral(
      "pi1_OUD_B N(5,1); pi1_OUD_O N(5,1); pi1_SIKL N(5,1); PI1_SN_1 C(5); "
      "PI1_SF_1 N(5,1); PI1_TN_1 C(5); pi1_tf_1 N(5,1); PI1_TR_1 N(5,1)");
  write_table(QStringLiteral("pi1_dta.dbf"), fields,
              {row_of(fields, {{"PI1_SN_1", "S1"}, {"PI1_TN_1", "T1"}, {"PI1_TR_1", 4}})});
  open(QStringLiteral("PI1"));
  const QByteArray r = data_file(QStringLiteral("pi1_random.txt"));
  ASSERT_EQ(r.size(), 172);
  EXPECT_EQ(at(r, 15, 19), QByteArray("S1   "));
  EXPECT_EQ(at(r, 20, 34), zeros(15)) << "cycles 2 to 4";
  EXPECT_EQ(hex(at(r, 140, 143)), hex(single_bytes(4)));
  EXPECT_EQ(at(r, 144, 171), zeros(28)) << "tasks 2 to 8";
}

using pi2_conversion_test = conversion_test;

TEST_F(pi2_conversion_test, every_row_in_table_order_and_the_table_stays_with_a_copy_in_save) {
  const QString fields = QStringLiteral("PI2_SIMBL C(2); PI2_GRNS_B N(5,1); PI2_GRNS_O N(5,1)");
  std::vector<QJsonArray> rows;
  const char* symbols[] = {"A+", "A", "B", "C", "D", "E", "F"};
  for (int i = 0; i < 7; ++i)
    rows.push_back(row_of(
        fields, {{"PI2_SIMBL", symbols[i]}, {"PI2_GRNS_B", 100 - 10 * i}, {"PI2_GRNS_O", 90 - 10 * i}}));
  write_table(QStringLiteral("pi2_dta.dbf"), fields, rows);
  const QByteArray table = data_file(QStringLiteral("pi2_dta.dbf"));
  open(QStringLiteral("PI2"));
  const QByteArray file = data_file(QStringLiteral("pi2_random.txt"));
  ASSERT_EQ(file.size(), 70);
  for (int k = 1; k <= 7; ++k) {
    const QByteArray r = record(file, k, 10);
    EXPECT_EQ(at(r, 0, 1), QByteArray(symbols[k - 1]).leftJustified(2, ' '));
    EXPECT_EQ(hex(at(r, 2, 5)), hex(single_bytes(float(100 - 10 * (k - 1)))));
    EXPECT_EQ(hex(at(r, 6, 9)), hex(single_bytes(float(90 - 10 * (k - 1)))));
  }
  EXPECT_EQ(data_file(QStringLiteral("pi2_dta.dbf")), table);
  EXPECT_EQ(saved_file(QStringLiteral("pi2_dta.dbf")), table);
}

using obe_conversion_test = conversion_test;

TEST_F(obe_conversion_test, outcomes_symbols_and_assessments_of_30_entries) {
  const QString fields = QStringLiteral("OD_T_NR N(6,0); OD_VAK_NR C(5); OD_PRG_ORG C(50); ") +
                         repeated(QStringLiteral("OD_S_U_%1 C(60)"), 1, 30) + QStringLiteral("; ") +
                         repeated(QStringLiteral("OD_SMB_%1 C(5)"), 1, 30) + QStringLiteral("; ") +
                         repeated(QStringLiteral("OD_ASS_%1 C(5)"), 1, 30);
  std::vector<QJsonArray> rows;
  for (int i = 1; i <= 40; ++i)
    rows.push_back(row_of(fields, {{"OD_T_NR", i},
                                   {"OD_S_U_1", QString(60, u'u')},
                                   {"OD_SMB_1", "A+"},
                                   {"OD_ASS_1", "x"},
                                   {"OD_ASS_30", "7"}}));
  write_table(QStringLiteral("obe_dta.dbf"), fields, rows);
  open(QStringLiteral("OBEDTA"));
  const QByteArray file = data_file(QStringLiteral("obe_dta_random.txt"));
  ASSERT_EQ(file.size(), 75520);
  const QByteArray r = record(file, 40, 1888);
  EXPECT_EQ(hex(at(r, 0, 3)), hex(single_bytes(40)));
  EXPECT_EQ(at(r, 109, 158), QByteArray(50, 'u'));
  EXPECT_EQ(at(r, 1614, 1618), QByteArray("A+   "));
  EXPECT_EQ(hex(at(r, 1768, 1771)), hex(zeros(4)));
  EXPECT_EQ(hex(at(r, 1884, 1887)), hex(single_bytes(7)));
  EXPECT_FALSE(in_data(QStringLiteral("obe_dta.dbf")));
}

using prm_rem_conversion_test = conversion_test;

TEST_F(prm_rem_conversion_test, comment_codes_of_both_rows_and_the_reserved_blocks_zero) {
  const QString fields = QStringLiteral("RC_T_NR N(6,0); ") +
                         repeated(QStringLiteral("RC_COM1_%1 N(4,1)"), 1, 14) + QStringLiteral("; ") +
                         repeated(QStringLiteral("RC_COM2_%1 N(4,1)"), 1, 14);
  std::vector<QJsonArray> rows;
  for (int i = 1; i <= 25; ++i)
    rows.push_back(
        row_of(fields,
               {{"RC_T_NR", i}, {"RC_COM1_1", 2.5}, {"RC_COM2_1", 7}, {"RC_COM2_2", 9}, {"RC_COM2_14", 14}}));
  write_table(QStringLiteral("r_c_dta.dbf"), fields, rows);
  open(QStringLiteral("PRMREM"));
  const QByteArray file = data_file(QStringLiteral("prm_rem_random.txt"));
  ASSERT_EQ(file.size(), 23350);
  const QByteArray r = record(file, 25, 934);
  EXPECT_EQ(hex(at(r, 876, 877)), hex(bytes({0x02, 0x00})));
  EXPECT_EQ(hex(at(r, 906, 909)), hex(bytes({0x07, 0x00, 0x09, 0x00})));
  EXPECT_EQ(hex(at(r, 932, 933)), hex(bytes({0x0E, 0x00})));
  EXPECT_EQ(at(r, 4, 873), zeros(870));
}

}  // namespace
}  // namespace km::test
