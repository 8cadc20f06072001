// The learner history, Ppl_gbrk and PIG conversions: codes and years, dates,
// number arrays bounded by the table's fields, and the layout markers that
// keep the new files from being upgraded as if they were old.

#include "conversion_fixture.h"
#include "platform/date_time.h"

namespace km::test {
namespace {

constexpr int history = 88;

using learner_history_test = conversion_test;

TEST_F(learner_history_test, codes_and_years_of_the_history_slots) {
  write_table(QStringLiteral("Ppl_hst.dbf"), history_fields,
              {row_of(history_fields, {{"PH_T_NR", 7},
                                       {"PH_STD_1", "10"},
                                       {"PH_JAAR_1", 2012},
                                       {"PH_STD_2", "ABCD"},
                                       {"PH_JAAR_2", 2012.5},
                                       {"PH_JAAR_3", 2013.5}})});
  open(QStringLiteral("PPLHST"));
  const QByteArray r = record(data_file(QStringLiteral("Ppl_hst_random.txt")), 1, history);
  ASSERT_EQ(r.size(), history);
  EXPECT_EQ(hex(at(r, 0, 3)), hex(single_bytes(7)));
  EXPECT_EQ(hex(at(r, 7, 9)), hex(bytes({0x31, 0x30, 0x20})));
  EXPECT_EQ(hex(at(r, 24, 25)), hex(bytes({0xDC, 0x07})));
  EXPECT_EQ(at(r, 10, 12), QByteArray("ABC")) << "a code of four characters keeps three";
  EXPECT_EQ(hex(at(r, 26, 27)), hex(bytes({0xDC, 0x07}))) << "2012.5 rounds to the even 2012";
  EXPECT_EQ(hex(at(r, 28, 29)), hex(bytes({0xDE, 0x07}))) << "2013.5 rounds to the even 2014";
  EXPECT_EQ(at(r, 0 + 4, 6), zeros(3)) << "element 0 is never filled";
  EXPECT_EQ(at(r, 34, 87), zeros(54)) << "the reserved arrays stay zero bytes";
}

TEST_F(learner_history_test, a_table_without_the_fifth_year_writes_every_row_with_that_year_zero) {
  const QString fields = QStringLiteral("PH_T_NR N(6,0); ") +
                         repeated(QStringLiteral("PH_STD_%1 C(3)"), 1, 5) + QStringLiteral("; ") +
                         repeated(QStringLiteral("PH_JAAR_%1 N(6,0)"), 1, 4);
  write_table(QStringLiteral("Ppl_hst.dbf"), fields,
              {row_of(fields, {{"PH_T_NR", 1}, {"PH_JAAR_4", 2010}, {"PH_STD_5", "12"}}),
               row_of(fields, {{"PH_T_NR", 2}, {"PH_JAAR_4", 2011}})});
  open(QStringLiteral("PPLHST"));
  const QByteArray file = data_file(QStringLiteral("Ppl_hst_random.txt"));
  ASSERT_EQ(file.size(), 2 * history);
  for (int k = 1; k <= 2; ++k) EXPECT_EQ(at(record(file, k, history), 32, 33), zeros(2)) << k;
  EXPECT_EQ(at(record(file, 1, history), 19, 21), QByteArray("12 "));
  EXPECT_EQ(hex(at(record(file, 2, history), 30, 31)), hex(int16_bytes(2011)));
  EXPECT_FALSE(in_data(QStringLiteral("Ppl_hst.dbf")));
}

// The services with the layout upgrades noted: the opening goes on to a
// code's upgrades right after its build.
class upgrades_noted : public datafile_services {
 public:
  QStringList upgrades;
  void upgrade_ppl_hst_2014(const QString&) override { upgrades << QStringLiteral("PPLHST"); }
  void upgrade_ppl_pig_2014(const QString&) override { upgrades << QStringLiteral("PIG"); }
  void upgrade_sb_2014(const QString&) override { upgrades << QStringLiteral("S_B"); }
};

// A file written in the current layout carries the marker that tells the
// upgrade it has nothing to do, so its records stay as written.
TEST_F(learner_history_test, new_files_carry_their_layout_markers_and_are_not_upgraded) {
  struct marked {
    const char* code;
    const char* table;
    QString fields;
    const char* key;
    const char* record_file;
    int length;
    const char* marker;
  };
  const QString sb_fields = QStringLiteral("SD_T_NR N(6,0); ") +
                            repeated(QStringLiteral("SD_JAAR%1 C(110)"), 1, 4) + QStringLiteral("; ") +
                            repeated(QStringLiteral("SD_TIPE%1 C(110)"), 1, 4) + QStringLiteral("; ") +
                            repeated(QStringLiteral("SD_BESK%1 C(110)"), 1, 4);
  const QString pig_fields =
      QStringLiteral("PG_T_NR N(6,0); PG_GEM_1 N(6,1); PG_PIG_1 N(6,1); PG_B6G_1 N(6,1); PG_B6P_1 N(6,1)");
  const marked cases[] = {
      {"PPLHST", "Ppl_hst.dbf", history_fields, "PH_T_NR", "Ppl_hst_random.txt", 88, "ph2014_random.txt"},
      {"PIG", "Ppl_pig.dbf", pig_fields, "PG_T_NR", "Ppl_pig_random.txt", 372, "pig2014_random.txt"},
      {"S_B", "sb2_dta.dbf", sb_fields, "SD_T_NR", "sb_random.txt", 1327, "sb2014_random.txt"},
  };
  upgrades_noted noting;
  set_data_file_services(&noting);
  for (const marked& c : cases) {
    SCOPED_TRACE(c.code);
    write_table(QLatin1String(c.table), c.fields, {row_of(c.fields, {{QLatin1String(c.key), 5}})});
    open(QLatin1String(c.code));
    EXPECT_TRUE(in_data(QLatin1String(c.marker)));
    EXPECT_EQ(data_file(QLatin1String(c.marker)).size(), 0);
    const QByteArray file = data_file(QLatin1String(c.record_file));
    ASSERT_EQ(file.size(), c.length);
    EXPECT_EQ(hex(file.left(4)), hex(single_bytes(5)));
  }
  EXPECT_TRUE(noting.upgrades.isEmpty()) << noting.upgrades.join(u' ').toStdString();
}

using ppl_gbrk_test = conversion_test;

TEST_F(ppl_gbrk_test, dates_are_the_days_of_date_fields_and_an_empty_one_is_the_zero_date) {
  const QString fields = QStringLiteral("PG_T_NR N(6,0); ") +
                         repeated(QStringLiteral("PG_P_S_%1 C(1)"), 1, 20) + QStringLiteral("; ") +
                         repeated(QStringLiteral("PG_DTE_%1 D"), 1, 20);
  write_table(
      QStringLiteral("Ppl_gbrk.dbf"), fields,
      {row_of(fields,
              {{"PG_T_NR", 3}, {"PG_P_S_1", "J"}, {"PG_DTE_1", date_cell(2012, 3, 5)}, {"PG_P_S_20", "N"}})});
  open(QStringLiteral("GBRK"));
  const QByteArray r = data_file(QStringLiteral("Ppl_gbrk_random.txt"));
  ASSERT_EQ(r.size(), 193);
  EXPECT_EQ(at(r, 5, 5), QByteArray("J"));
  EXPECT_EQ(at(r, 24, 24), QByteArray("N"));
  EXPECT_EQ(hex(at(r, 33, 40)), hex(bytes({0x00, 0x00, 0x00, 0x00, 0xA0, 0x01, 0xE4, 0x40})));
  EXPECT_EQ(at(r, 41, 48), zeros(8)) << "an empty date field";
  EXPECT_EQ(at(r, 6, 6), blanks(1)) << "an empty code field";
}

using ppl_pig_test = conversion_test;

TEST_F(ppl_pig_test, only_the_elements_the_table_has_fields_for_are_filled) {
  QString fields = QStringLiteral("PG_T_NR N(6,0)");
  for (int i = 1; i <= 3; ++i)
    for (const char* base : {"PG_GEM_", "PG_PIG_", "PG_B6G_", "PG_B6P_"})
      fields += QStringLiteral("; %1%2 N(6,1)").arg(QLatin1String(base)).arg(i);
  std::vector<QJsonArray> rows;
  for (int row = 1; row <= 3; ++row)
    rows.push_back(
        row_of(fields, {{"PG_T_NR", row}, {"PG_GEM_1", 10.5}, {"PG_PIG_2", 20}, {"PG_B6P_3", 30}}));
  write_table(QStringLiteral("Ppl_pig.dbf"), fields, rows);
  open(QStringLiteral("PIG"));
  const QByteArray file = data_file(QStringLiteral("Ppl_pig_random.txt"));
  ASSERT_EQ(file.size(), 1116);
  for (int k = 1; k <= 3; ++k) {
    const QByteArray r = record(file, k, 372);
    EXPECT_EQ(hex(at(r, 0, 3)), hex(single_bytes(float(k))));
    EXPECT_EQ(hex(at(r, 8, 11)), hex(single_bytes(10.5F)));
    EXPECT_EQ(hex(at(r, 104, 107)), hex(single_bytes(20)));
    EXPECT_EQ(hex(at(r, 292, 295)), hex(single_bytes(30)));
    for (const int array : {4, 96, 188, 280}) EXPECT_EQ(at(r, array + 16, array + 91), zeros(76)) << array;
  }
}

}  // namespace
}  // namespace km::test
