// The subject, marks, average and report-template files.

#include "conversion_fixture.h"
#include "platform/dbase/data_control.h"

namespace km::test {
namespace {

using vak_conversion_test = conversion_test;

TEST_F(vak_conversion_test, texts_are_trimmed_the_unread_entries_stay_zero_and_the_table_stays) {
  const QString fields = QStringLiteral("VD_T_NR N(6,0); ") +
                         repeated(QStringLiteral("VD_A_VAK%1 C(8)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_A_POS%1 C(3)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_A_KMB%1 C(3)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_S_VAK%1 C(5)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_S_POS%1 C(3)"), 1, 15) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_S_SMT%1 C(5)"), 1, 15) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_S_KMB%1 C(3)"), 1, 15) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_N_VAK%1 C(5)"), 1, 6) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_N_POS%1 C(3)"), 1, 5) + QStringLiteral("; ") +
                         repeated(QStringLiteral("VD_N_KMB%1 C(3)"), 1, 5);
  write_table(QStringLiteral("vak_dta.dbf"), fields,
              {row_of(fields, {{"VD_T_NR", 3},
                               {"VD_A_VAK1", " AB "},
                               {"VD_A_VAK2", "ABCDEFG"},
                               {"VD_S_VAK16", "SIXTN"},
                               {"VD_N_VAK6", "SIXTH"},
                               {"VD_N_KMB5", "5"}})});
  const QByteArray table = data_file(QStringLiteral("vak_dta.dbf"));
  put(QStringLiteral("rstr_vak_random.txt"), "restore");
  open(QStringLiteral("VAKDTA"));
  const QByteArray r = data_file(QStringLiteral("vak_dta_random.txt"));
  ASSERT_EQ(r.size(), 692);
  EXPECT_EQ(hex(at(r, 9, 13)), hex(bytes({0x41, 0x42, 0x20, 0x20, 0x20})));
  EXPECT_EQ(at(r, 14, 18), QByteArray("ABCDE"));
  EXPECT_EQ(at(r, 19, 23), blanks(5)) << "a Null entry";
  EXPECT_EQ(at(r, 4, 8), zeros(5));
  EXPECT_EQ(at(r, 315, 339), zeros(25)) << "group S entries 16 to 20 are not read";
  EXPECT_EQ(at(r, 601, 625), zeros(25)) << "group N entries 6 to 10 are not read";
  EXPECT_EQ(at(r, 674, 676), QByteArray("5  "));
  EXPECT_EQ(data_file(QStringLiteral("vak_dta.dbf")), table);
  EXPECT_FALSE(in_save(QStringLiteral("vak_dta.dbf")));
  EXPECT_EQ(saved_file(QStringLiteral("rstr_vak_random.txt")), QByteArray("restore"));
  EXPECT_FALSE(in_data(QStringLiteral("rstr_vak_random.txt")));
}

QString pnt_fields(int positions) {
  QString fields = QStringLiteral("PD_T_NR N(6,0); PD_VAK_NR C(5)");
  for (int p = 1; p <= positions; ++p) {
    fields += QStringLiteral("; PD_PNT_%1 C(5); PD_P_S_%1 C(3)").arg(p);
    for (int j = 1; j <= 4; ++j) fields += QStringLiteral("; PD_FE%1_%2 C(3)").arg(j).arg(p);
  }
  return fields;
}

using pnt_conversion_test = conversion_test;

TEST_F(pnt_conversion_test, positions_as_far_as_the_table_has_fields_with_their_four_codes) {
  const QString fields = pnt_fields(2);
  QHash<QString, QJsonValue> cells{{"PD_T_NR", 6}, {"PD_VAK_NR", "WISK"}};
  for (int p = 1; p <= 2; ++p) {
    cells.insert(QStringLiteral("PD_PNT_%1").arg(p), QStringLiteral("%1.5").arg(p));
    cells.insert(QStringLiteral("PD_P_S_%1").arg(p), QStringLiteral("S%1").arg(p));
    for (int j = 1; j <= 4; ++j)
      cells.insert(QStringLiteral("PD_FE%1_%2").arg(j).arg(p), QStringLiteral("%1%2").arg(p).arg(j));
  }
  write_table(QStringLiteral("pnt_dta.dbf"), fields, {row_of(fields, cells)});
  open(QStringLiteral("PNTDTA"));
  const QByteArray r = data_file(QStringLiteral("pnt_dta_random.txt"));
  ASSERT_EQ(r.size(), 492);
  EXPECT_EQ(at(r, 14, 23), QByteArray("1.5  2.5  "));
  EXPECT_EQ(at(r, 117, 122), QByteArray("S1 S2 "));
  EXPECT_EQ(at(r, 195, 206), QByteArray("11 12 13 14 "));
  EXPECT_EQ(at(r, 210, 221), QByteArray("21 22 23 24 "));
  EXPECT_EQ(at(r, 177, 194), zeros(18));
  EXPECT_EQ(at(r, 207, 209), zeros(3));
  EXPECT_EQ(at(r, 24, 113), zeros(90)) << "positions 3 to 20";
  EXPECT_EQ(at(r, 222, 491), zeros(270));
}

// python3-dbf trims the texts it writes, so this table is written raw.
TEST_F(pnt_conversion_test, leading_blanks_of_a_mark_are_kept) {
  dbf_builder b;
  b.field("PD_T_NR", 'N', 6).field("PD_VAK_NR", 'C', 5).field("PD_PNT_1", 'C', 5).field("PD_P_S_1", 'C', 3);
  for (const char* code : {"PD_FE1_1", "PD_FE2_1", "PD_FE3_1", "PD_FE4_1"}) b.field(code, 'C', 3);
  b.record({"1", "WISK", " 7.5", "  A", "", "", "", " x"});
  write_raw_table(QStringLiteral("pnt_dta.dbf"), b);
  open(QStringLiteral("PNTDTA"));
  const QByteArray r = data_file(QStringLiteral("pnt_dta_random.txt"));
  ASSERT_EQ(r.size(), 492);
  EXPECT_EQ(at(r, 14, 18), QByteArray(" 7.5 "));
  EXPECT_EQ(at(r, 117, 119), QByteArray("  A"));
  EXPECT_EQ(at(r, 204, 206), QByteArray(" x "));
}

TEST_F(pnt_conversion_test, a_table_of_20_positions_fills_the_last) {
  const QString fields = pnt_fields(20);
  write_table(QStringLiteral("pnt_dta.dbf"), fields,
              {row_of(fields, {{"PD_PNT_20", "99.5"}, {"PD_FE4_20", "Z"}})});
  open(QStringLiteral("PNTDTA"));
  const QByteArray r = data_file(QStringLiteral("pnt_dta_random.txt"));
  ASSERT_EQ(r.size(), 492);
  EXPECT_EQ(at(r, 109, 113), QByteArray("99.5 "));
  EXPECT_EQ(at(r, 489, 491), QByteArray("Z  "));
}

using gem_conversion_test = conversion_test;

TEST_F(gem_conversion_test, the_whole_number_rounds_half_to_even_and_an_overflow_ends_the_build) {
  const QString fields = QStringLiteral("GD_VAK_NR C(5); GD_TIPE C(1); GD_P_K_NR N(7,1); GD_KMB_NR C(3); ") +
                         repeated(QStringLiteral("GD_PPL_%1 N(5,0)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("GD_PNT_%1 N(5,1)"), 1, 20);
  std::vector<QJsonArray> rows;
  for (const QJsonValue& v : {QJsonValue(12), QJsonValue(2.5), QJsonValue(3.5), QJsonValue(-1),
                              QJsonValue(QJsonValue::Null), QJsonValue(40000), QJsonValue(1)})
    rows.push_back(row_of(fields, {{"GD_P_K_NR", v}, {"GD_PNT_20", 55.5}}));
  write_table(QStringLiteral("gem_dta.dbf"), fields, rows);
  const QByteArray table = data_file(QStringLiteral("gem_dta.dbf"));
  open(QStringLiteral("GEMDTA"));
  const QByteArray file = data_file(QStringLiteral("gem_dta_random.txt"));
  ASSERT_EQ(file.size(), 5 * 179) << "the rows before the overflow are kept";
  const QByteArray expected[] = {bytes({0x0C, 0x00}), bytes({0x02, 0x00}), bytes({0x04, 0x00}),
                                 bytes({0xFF, 0xFF}), zeros(2)};
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(hex(at(record(file, k, 179), 6, 7)), hex(expected[k - 1])) << k;
    EXPECT_EQ(hex(at(record(file, k, 179), 175, 178)), hex(single_bytes(55.5F))) << k;
  }
  EXPECT_EQ(data_file(QStringLiteral("gem_dta.dbf")), table);
  EXPECT_FALSE(in_save(QStringLiteral("gem_dta.dbf")));
}

using gem_p_k_conversion_test = conversion_test;

TEST_F(gem_p_k_conversion_test, a_table_without_the_twentieth_class_gives_an_empty_file_and_stays) {
  const QString fields = QStringLiteral("GPK_VAK_NR C(5); ") +
                         repeated(QStringLiteral("GPK_POS_%1 C(3)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("GPK_KLS_%1 C(3)"), 1, 19);
  write_table(QStringLiteral("gem_p_k.dbf"), fields, {row_of(fields, {{"GPK_VAK_NR", "WISK"}})});
  const QByteArray table = data_file(QStringLiteral("gem_p_k.dbf"));
  open(QStringLiteral("GEMPK"));
  EXPECT_TRUE(in_data(QStringLiteral("gem_p_k_random.txt")));
  EXPECT_EQ(data_file(QStringLiteral("gem_p_k_random.txt")).size(), 0);
  EXPECT_EQ(data_file(QStringLiteral("gem_p_k.dbf")), table);
}

using rt_conversion_test = conversion_test;

TEST_F(rt_conversion_test, lengths_are_the_leading_numbers_of_their_texts) {
  const QString fields = QStringLiteral(
      "RT_TAB_NR N(3,0); RT_VELD_NR N(3,0); RT_LENGTE C(10); RT_LYN_1 N(3,0); "
      "RT_KOLOM_1 N(3,0); RT_LYN_2 N(3,0); RT_KOLOM_2 N(3,0)");
  write_table(QStringLiteral("rt_dta.dbf"), fields,
              {row_of(fields, {{"RT_LENGTE", "12"}, {"RT_KOLOM_2", 80}}),
               row_of(fields, {{"RT_LENGTE", "2.5"}}), row_of(fields, {{"RT_LENGTE", "3 lines"}})});
  open(QStringLiteral("RT"));
  const QByteArray file = data_file(QStringLiteral("rt_random.txt"));
  ASSERT_EQ(file.size(), 84);
  EXPECT_EQ(hex(at(file, 8, 11)), hex(bytes({0x00, 0x00, 0x40, 0x41})));
  EXPECT_EQ(hex(at(file, 24, 27)), hex(single_bytes(80)));
  EXPECT_EQ(hex(at(file, 36, 39)), hex(bytes({0x00, 0x00, 0x20, 0x40})));
  EXPECT_EQ(hex(at(file, 64, 67)), hex(bytes({0x00, 0x00, 0x40, 0x40})));
}

TEST_F(rt_conversion_test, without_its_table_the_build_makes_no_file) {
  services.create_rt_random(QStringLiteral("C:\\DATA"), []() -> platform::data_control& {
    platform::data_control& data1 = startup_data_control();
    data1.set_database_name(QStringLiteral("C:\\DATA"));
    data1.set_record_source(QStringLiteral("rt_dta.dbf"));
    return data1;
  }());
  EXPECT_FALSE(in_data(QStringLiteral("rt_random.txt")));
  open(QStringLiteral("RT"));
  EXPECT_EQ(data_file(QStringLiteral("rt_random.txt")).size(), 0) << "the opening opens it empty";
}

}  // namespace
}  // namespace km::test
