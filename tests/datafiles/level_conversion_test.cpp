// The level files: KPD with its ten-character field names and dates, and
// KPK with its blank grades, Null bounds and the report of its first row.

#include "conversion_fixture.h"

namespace km::test {
namespace {

using platform::msg_buttons;
using platform::msg_icon;

// The table's names of the levels and of their reached and printed days.
const QString kpd_fields =
    QStringLiteral("Kpd_t_nr N(6,0); ") + repeated(QStringLiteral("KPD_VLAK_%1 C(5)"), 1, 9) +
    QStringLiteral("; KPD_VLAK10 C(5); ") + repeated(QStringLiteral("KPD_DTB_%1 D"), 1, 10) +
    QStringLiteral("; ") + repeated(QStringLiteral("KPD_DTG_%1 C(10)"), 1, 10);

using kpd_conversion_test = conversion_test;

TEST_F(kpd_conversion_test, levels_are_the_text_of_their_number_and_dates_are_days) {
  write_table(QStringLiteral("k_p_dta.dbf"), kpd_fields,
              {row_of(kpd_fields, {{"Kpd_t_nr", 44},
                                   {"KPD_VLAK_1", "3"},
                                   {"KPD_VLAK10", "12.5"},
                                   {"KPD_DTB_1", date_cell(2012, 3, 5)},
                                   {"KPD_DTG_1", "2012/03/06"},
                                   {"KPD_DTG_2", "junk"},
                                   {"KPD_DTG_10", "2012-03-07"}})});
  open(QStringLiteral("KPD"));
  const QByteArray r = data_file(QStringLiteral("KPD_random.txt"));
  ASSERT_EQ(r.size(), 213);
  EXPECT_EQ(hex(at(r, 0, 3)), hex(single_bytes(44)));
  EXPECT_EQ(at(r, 7, 9), QByteArray("3  "));
  EXPECT_EQ(at(r, 10, 12), QByteArray("0  ")) << "an empty level is the text of 0";
  EXPECT_EQ(at(r, 34, 36), QByteArray("12."));
  EXPECT_EQ(hex(at(r, 45, 52)), hex(date_bytes(40973)));
  EXPECT_EQ(hex(at(r, 133, 140)), hex(date_bytes(40974)));
  EXPECT_EQ(hex(at(r, 141, 148)), hex(zeros(8))) << "a text that is no date";
  EXPECT_EQ(hex(at(r, 205, 212)), hex(date_bytes(40975)));
  EXPECT_TRUE(in_save(QStringLiteral("k_p_dta.dbf")));
  EXPECT_FALSE(in_data(QStringLiteral("k_p_dta.dbf")));
  // The opening opens the new file at once on its own number.
  EXPECT_NE(g_kpd_file_number, 0);
  EXPECT_EQ(g_kpd_record_count, 1);
  EXPECT_EQ(g_kpd_convert_file_number, 0);
}

TEST_F(kpd_conversion_test, a_table_without_the_level_fields_stays_and_gives_an_empty_file) {
  const QString fields =
      QStringLiteral("Kpd_t_nr N(6,0); ") + repeated(QStringLiteral("KPD_DTB_%1 D"), 1, 10);
  write_table(QStringLiteral("k_p_dta.dbf"), fields, {row_of(fields, {{"Kpd_t_nr", 1}})});
  open(QStringLiteral("KPD"));
  EXPECT_TRUE(in_data(QStringLiteral("KPD_random.txt")));
  EXPECT_EQ(data_file(QStringLiteral("KPD_random.txt")).size(), 0);
  EXPECT_TRUE(in_data(QStringLiteral("k_p_dta.dbf")));
}

QString kpk_fields(int last_to) {
  return QStringLiteral("KPv_KODE C(4); KPv_BSK1 C(30); KPv_BSK2 C(25); ") +
         repeated(QStringLiteral("KPv_GRD%1 C(3)"), 1, 20) + QStringLiteral("; ") +
         repeated(QStringLiteral("KPv_VAN%1 N(5,1)"), 1, 20) + QStringLiteral("; ") +
         repeated(QStringLiteral("KPv_TOT%1 N(5,1)"), 1, last_to);
}

using kpk_conversion_test = conversion_test;

TEST_F(kpk_conversion_test, a_blank_grade_leaves_its_entry_cleared_and_a_null_bound_is_0) {
  const QString fields = kpk_fields(20);
  write_table(QStringLiteral("kpv_kde.dbf"), fields,
              {row_of(fields, {{"KPv_KODE", "ABCD"}, {"KPv_GRD1", "8"}, {"KPv_VAN1", 40}, {"KPv_TOT2", 7}}),
               row_of(fields, {{"KPv_KODE", "X"}, {"KPv_VAN1", 5}, {"KPv_TOT1", 6}})});
  open(QStringLiteral("KPK"));
  const QByteArray file = data_file(QStringLiteral("kpk_random.txt"));
  ASSERT_EQ(file.size(), 2 * 284);
  const QByteArray first = record(file, 1, 284), second = record(file, 2, 284);
  EXPECT_EQ(at(first, 0, 2), QByteArray("ABC"));
  EXPECT_EQ(hex(at(first, 56, 58)), hex(bytes({0x38, 0x20, 0x20})));
  EXPECT_EQ(hex(at(first, 120, 123)), hex(bytes({0x00, 0x00, 0x20, 0x42})));
  EXPECT_EQ(hex(at(first, 204, 207)), hex(zeros(4)));
  EXPECT_EQ(hex(at(first, 208, 211)), hex(zeros(4))) << "grade 2 blank: its to value is not read";
  EXPECT_EQ(hex(at(second, 56, 58)), hex(zeros(3)));
  EXPECT_EQ(hex(at(second, 120, 123)), hex(zeros(4)));
  EXPECT_EQ(hex(at(second, 204, 207)), hex(zeros(4)));
  EXPECT_FALSE(in_data(QStringLiteral("kpv_kde.dbf")));
}

TEST_F(kpk_conversion_test, the_first_row_reports_a_failure_and_goes_on_and_a_later_row_ends_the_build) {
  const QString fields = kpk_fields(19);
  write_table(QStringLiteral("kpv_kde.dbf"), fields,
              {row_of(fields, {{"KPv_KODE", "K1"}, {"KPv_GRD20", "12"}, {"KPv_VAN20", 3}}),
               row_of(fields, {{"KPv_KODE", "K2"}, {"KPv_GRD20", "11"}})});
  const QByteArray table = data_file(QStringLiteral("kpv_kde.dbf"));
  dialogs
      .expect_message(QStringLiteral("3265\r\nItem not found in this collection: field 'KPv_TOT20' of table "
                                     "'kpv_kde.dbf'\r\nKORVA-MARKS"))
      .buttons(msg_buttons::ok)
      .icon(msg_icon::none)
      .title(QStringLiteral("KORVA-MARKS"));
  open(QStringLiteral("KPK"));
  const QByteArray file = data_file(QStringLiteral("kpk_random.txt"));
  ASSERT_EQ(file.size(), 284);
  EXPECT_EQ(at(file, 0, 2), QByteArray("K1 "));
  EXPECT_EQ(at(file, 113, 115), QByteArray("12 "));
  EXPECT_EQ(hex(at(file, 196, 199)), hex(single_bytes(3)));
  EXPECT_EQ(hex(at(file, 280, 283)), hex(zeros(4)));
  EXPECT_EQ(data_file(QStringLiteral("kpv_kde.dbf")), table);
}

}  // namespace
}  // namespace km::test
