// The hostel file and the two homework files: memo fields, dates, the
// completed flag in every form a table gives it, and a learner number that
// must be a number.

#include <QFile>
#include <QJsonDocument>

#include "common/table_messages.h"
#include "conversion_fixture.h"
#include "platform/dialogs.h"
#include "platform/win_path.h"

namespace km::test {
namespace {

using hostel_conversion_test = conversion_test;

TEST_F(hostel_conversion_test, the_memo_keeps_its_line_ends_and_both_files_go_into_save) {
  QString memo = QStringLiteral("Eerste lyn\r\n");
  while (memo.size() < 120) memo += QStringLiteral("abcdefghij");
  memo = memo.left(120);
  write_table(
      QStringLiteral("k_h_dta.dbf"), hostel_fields,
      {row_of(hostel_fields,
              {{"KH_T_NR", 21}, {"KH_KOSHUIS", "Noordhuis123"}, {"KH_KAMER", "A2"}, {"KH_MEMO", memo}})});
  const QByteArray table = data_file(QStringLiteral("k_h_dta.dbf"));
  const QByteArray memo_file = data_file(QStringLiteral("k_h_dta.dbt"));
  open(QStringLiteral("KHDTA"));
  const QByteArray r = data_file(QStringLiteral("k_h_dta_random.txt"));
  ASSERT_EQ(r.size(), 122);
  EXPECT_EQ(at(r, 22, 121), memo.left(100).toLatin1());
  EXPECT_EQ(at(r, 4, 11), QByteArray("Noordhui"));
  EXPECT_EQ(hex(at(r, 12, 16)), hex(bytes({0x41, 0x32, 0x20, 0x20, 0x20})));
  EXPECT_EQ(at(r, 17, 21), blanks(5));
  EXPECT_EQ(saved_file(QStringLiteral("k_h_dta.dbf")), table);
  EXPECT_EQ(saved_file(QStringLiteral("k_h_dta.dbt")), memo_file);
  EXPECT_FALSE(in_data(QStringLiteral("k_h_dta.dbt")));
}

// One hostel row of learner 5 in "Suid", room B1, with its note in a field
// of the given type and width.
dbf_builder hostel_table(char note_type, int note_width, const QByteArray& note) {
  dbf_builder b;
  b.field("KH_T_NR", 'N', 6)
      .field("KH_KOSHUIS", 'C', 8)
      .field("KH_KAMER", 'C', 5)
      .field("KH_WASGOED", 'C', 5);
  b.field("KH_MEMO", note_type, note_width);
  b.record({"5", "Suid", "B1", "", note});
  return b;
}

// A hostel table kept without a memo file (its note a text field) is
// retired alone.
TEST_F(hostel_conversion_test, a_table_without_memo_file_is_retired_alone) {
  write_raw_table(QStringLiteral("k_h_dta.dbf"), hostel_table('C', 100, "kort"));
  open(QStringLiteral("KHDTA"));
  const QByteArray r = data_file(QStringLiteral("k_h_dta_random.txt"));
  ASSERT_EQ(r.size(), 122);
  EXPECT_EQ(at(r, 4, 11), QByteArray("Suid    "));
  EXPECT_EQ(at(r, 22, 121), QByteArray("kort").leftJustified(100, ' '));
  EXPECT_TRUE(in_save(QStringLiteral("k_h_dta.dbf")));
  EXPECT_FALSE(in_data(QStringLiteral("k_h_dta.dbf")));
  EXPECT_FALSE(in_save(QStringLiteral("k_h_dta.dbt")));
}

// A table that cannot be read (its memo file gone, its header damaged) is
// told, leaves no record file, empty or not, and stays where it is; the
// next opening tries again and converts it once it can be read.
TEST_F(hostel_conversion_test, an_unreadable_table_is_told_leaves_no_record_file_and_is_tried_again) {
  write_raw_table(QStringLiteral("k_h_dta.dbf"), hostel_table('M', 10, "a note"));
  const QByteArray table = data_file(QStringLiteral("k_h_dta.dbf"));
  const QByteArray memo = data_file(QStringLiteral("k_h_dta.dbt"));
  struct row {
    const char* name;
    QByteArray table;  // the table's bytes while it cannot be read
    bool memo_there;
  };
  const row rows[] = {
      {"memo file missing", table, false},
      {"header damaged", QByteArray("\x03not a table at all"), true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    put(QStringLiteral("k_h_dta.dbf"), r.table);
    if (r.memo_there)
      put(QStringLiteral("k_h_dta.dbt"), memo);
    else
      QFile::remove(platform::to_native_path(QStringLiteral("C:\\DATA\\k_h_dta.dbt")));
    for (int opening = 1; opening <= 2; ++opening) {
      dialogs.expect_message(corrupt_message(QStringLiteral("C:\\DATA"), QStringLiteral("k_h_dta.dbf")))
          .icon(platform::msg_icon::critical);
      open(QStringLiteral("KHDTA"));
      dialogs.verify();
      EXPECT_FALSE(in_data(QStringLiteral("k_h_dta_random.txt")));
      EXPECT_EQ(g_khdta_file_number, 0);
      EXPECT_EQ(data_file(QStringLiteral("k_h_dta.dbf")), r.table);
      EXPECT_FALSE(in_save(QStringLiteral("k_h_dta.dbf")));
    }
  }
  put(QStringLiteral("k_h_dta.dbf"), table);
  put(QStringLiteral("k_h_dta.dbt"), memo);
  open(QStringLiteral("KHDTA"));
  const QByteArray r = data_file(QStringLiteral("k_h_dta_random.txt"));
  ASSERT_EQ(r.size(), 122);
  EXPECT_EQ(at(r, 22, 121), QByteArray("a note").leftJustified(100, ' '));
  EXPECT_TRUE(in_save(QStringLiteral("k_h_dta.dbf")));
}

using homework_conversion_test = conversion_test;

QString homework_fields(const QString& done) {
  return QStringLiteral(
             "hd_t_nr C(6); hd_datum D; hd_pos_nr C(3); hd_rede N(3,0); hd_uitslag N(3,0); "
             "hd_opmerk N(3,0); hd_voltooi ") +
         done;
}

TEST_F(homework_conversion_test, the_completed_flag_from_logical_and_number_fields) {
  struct flag_case {
    const char* type;
    QJsonValue value;
    QByteArray expected;
  };
  const flag_case cases[] = {
      {"L", QJsonValue::Null, zeros(2)}, {"L", true, bytes({0xFF, 0xFF})},
      {"N(2,0)", 0, zeros(2)},           {"N(2,0)", 3, bytes({0xFF, 0xFF})},
      {"C(5)", "False", zeros(2)},       {"C(5)", "true", bytes({0xFF, 0xFF})},
  };
  for (const flag_case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + QJsonDocument(QJsonArray{c.value}).toJson().toStdString());
    discard(g_h_w_file_number, QStringLiteral("hw_random.txt"));
    const QString fields = homework_fields(QLatin1String(c.type));
    write_table(QStringLiteral("h_w_dta.dbf"), fields,
                {row_of(fields, {{"hd_t_nr", "17"}, {"hd_pos_nr", "B7"}, {"hd_voltooi", c.value}})});
    open(QStringLiteral("H_W"));
    const QByteArray r = data_file(QStringLiteral("hw_random.txt"));
    ASSERT_EQ(r.size(), 29);
    EXPECT_EQ(hex(at(r, 27, 28)), hex(c.expected));
    EXPECT_EQ(hex(at(r, 0, 3)), hex(single_bytes(17)));
    EXPECT_EQ(hex(at(r, 4, 11)), hex(zeros(8))) << "a Null date";
  }
}

// A logical field holding "?" reads as Null, and a field of zero bytes as
// empty: both give False and blanks, never a failure.
TEST_F(homework_conversion_test, an_unknown_logical_and_a_zero_filled_field_read_as_empty) {
  dbf_builder b;
  b.field("hd_t_nr", 'N', 6).field("hd_datum", 'D', 8).field("hd_pos_nr", 'C', 3).field("hd_rede", 'N', 3);
  b.field("hd_uitslag", 'N', 3).field("hd_opmerk", 'N', 3).field("hd_voltooi", 'L', 1);
  QByteArray raw =
      " " + QByteArray("     8") + QByteArray("20120305") + QByteArray(3, '\0') + "  1" + "  2" + "  3" + "?";
  b.raw_record(raw);
  write_raw_table(QStringLiteral("h_w_dta.dbf"), b);
  open(QStringLiteral("H_W"));
  const QByteArray r = data_file(QStringLiteral("hw_random.txt"));
  ASSERT_EQ(r.size(), 29);
  EXPECT_EQ(at(r, 12, 14), blanks(3));
  EXPECT_EQ(hex(at(r, 27, 28)), hex(zeros(2)));
  EXPECT_EQ(hex(at(r, 4, 11)), hex(bytes({0x00, 0x00, 0x00, 0x00, 0xA0, 0x01, 0xE4, 0x40})));
  EXPECT_EQ(hex(at(r, 23, 26)), hex(single_bytes(3)));
}

TEST_F(homework_conversion_test, a_learner_number_that_is_no_number_ends_the_build_keeping_earlier_rows) {
  const QString fields = homework_fields(QStringLiteral("L"));
  write_table(QStringLiteral("h_w_dta.dbf"), fields,
              {row_of(fields, {{"hd_t_nr", "1"}}), row_of(fields, {{"hd_t_nr", "abc"}}),
               row_of(fields, {{"hd_t_nr", "3"}})});
  const QByteArray table = data_file(QStringLiteral("h_w_dta.dbf"));
  open(QStringLiteral("H_W"));
  const QByteArray file = data_file(QStringLiteral("hw_random.txt"));
  ASSERT_EQ(file.size(), 29);
  EXPECT_EQ(hex(at(file, 0, 3)), hex(single_bytes(1)));
  EXPECT_EQ(data_file(QStringLiteral("h_w_dta.dbf")), table);
  EXPECT_FALSE(in_save(QStringLiteral("h_w_dta.dbf")));
}

TEST_F(homework_conversion_test, hw2_memo_is_cut_to_100_and_table_and_memo_are_retired) {
  const QString fields =
      QStringLiteral("HD_T_NR N(6,0); HD_B_DATUM D; HD_E_DATUM D; HD_W_D_S C(1); HD_F_DATUM D; HD_MEMO M");
  const QString memo = QString(150, u'm');
  write_table(
      QStringLiteral("hw2_dta.dbf"), fields,
      {row_of(
          fields,
          {{"HD_T_NR", 8}, {"HD_E_DATUM", date_cell(2013, 1, 2)}, {"HD_W_D_S", "W"}, {"HD_MEMO", memo}})});
  const QByteArray memo_file = data_file(QStringLiteral("hw2_dta.dbt"));
  open(QStringLiteral("HW2"));
  const QByteArray r = data_file(QStringLiteral("hw2_random.txt"));
  ASSERT_EQ(r.size(), 129);
  EXPECT_EQ(at(r, 29, 128), QByteArray(100, 'm'));
  EXPECT_EQ(at(r, 20, 20), QByteArray("W"));
  EXPECT_EQ(hex(at(r, 4, 11)), hex(zeros(8)));
  EXPECT_EQ(hex(at(r, 12, 19)), hex(date_bytes(41276)));
  EXPECT_FALSE(in_data(QStringLiteral("hw2_dta.dbf")));
  EXPECT_FALSE(in_data(QStringLiteral("hw2_dta.dbt")));
  EXPECT_EQ(saved_file(QStringLiteral("hw2_dta.dbt")), memo_file);
}

}  // namespace
}  // namespace km::test
