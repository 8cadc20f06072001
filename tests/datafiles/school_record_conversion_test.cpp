// The school record built from skl_dta.dbf: in any year, record 1 from the
// first row, the table left in the folder and \save untouched.

#include "common/file_number_pool.h"
#include "common/record_file_layouts.h"
#include "common/text_routines.h"
#include "conversion_fixture.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"

namespace km::test {
namespace {

const QString school_fields =
    QStringLiteral("SD_SKOOL C(60); SD_PROV C(30); SD_T_NR C(10); SD_OUDSTES L; SX_EXPRESS L; ") +
    repeated(QStringLiteral("SD_ST_%1 C(10)"), 1, 20) + QStringLiteral("; ") +
    repeated(QStringLiteral("SD_OBE_%1 L"), 1, 20) + QStringLiteral("; ") +
    repeated(QStringLiteral("SD_NME_%1 C(40)"), 1, 20) +
    QStringLiteral(
        "; SD_KRING C(30); SD_SNTR_NM C(40); SD_SNTR_NR C(10); SD_ADRES1 C(40); SD_ADRES2 C(40); "
        "SD_ADRES3 C(40); SD_KODE C(10); SD_FOON C(20); SD_FAKS C(20); SD_TME_OUT N(4,0); "
        "SD_T_O_TPE C(10); SD_DIST_NR C(10); SD_DISTRIK C(40); SD_USE_CDE C(10); SD_EMAIL C(60); "
        "SD_AKA_MAX N(4,0); SD_S_T_MAX N(4,0); SD_N_A_MAX N(4,0); SD_STREEK C(40); SD_WYK C(40); "
        "SD_OD_LOGO C(100); SX_HOOF C(50); SX_S_ADJ1 C(50); SX_S_ADJ2 C(50); SX_ADJ C(50); "
        "SX_DPO C(50); SX_SVO_NME C(50); SX_SVO_T_A C(50); SX_SVO_T_E C(50); SX_DEPT_NM C(60); "
        "SX_USER1 C(50); SX_SEL_1 C(20); SX_USER2 C(50); SX_SEL_2 C(20); SD_S_ADR1 C(40); "
        "SD_S_ADR2 C(40); SD_S_ADR3 C(40); SD_S_KODE C(10); SD_FOON_K C(20); SD_FAKS_K C(20); "
        "SX_TTL_HF C(10); SX_VRL_HF C(10); SX_FNK_HF C(50); SX_FNR_HF C(50); SX_SNK_HF C(50); "
        "SX_SNR_HF C(50)");
constexpr int school = 2756;

class school_record_test : public conversion_test {
 protected:
  void SetUp() override {
    conversion_test::SetUp();
    g_year = QStringLiteral("2030");  // the school record is built in any year
  }
};

TEST_F(school_record_test, one_row_gives_record_1_with_its_texts_numbers_and_flags) {
  write_table(QStringLiteral("skl_dta.dbf"), school_fields,
              {row_of(school_fields, {{"SD_SKOOL", QStringLiteral("Ho\u00EBrskool Noord")},
                                      {"SD_T_NR", "12"},
                                      {"SD_OBE_2", true},
                                      {"SD_OBE_3", false},
                                      {"SD_ST_1", "WISK"},
                                      {"SD_NME_20", "Wiskunde"}})});
  const QByteArray table = data_file(QStringLiteral("skl_dta.dbf"));
  open(QStringLiteral("SKL"));
  const QByteArray file = data_file(QStringLiteral("Skl_Dta_random.txt"));
  ASSERT_EQ(file.size(), school);
  EXPECT_EQ(
      hex(at(file, 0, 59)),
      hex(bytes({0x48, 0x6F, 0xEB, 0x72, 0x73, 0x6B, 0x6F, 0x6F, 0x6C, 0x20, 0x4E, 0x6F, 0x6F, 0x72, 0x64}) +
          blanks(45)));
  EXPECT_EQ(hex(at(file, 340, 343)), hex(bytes({0x00, 0x00, 0x40, 0x41})));
  EXPECT_EQ(hex(at(file, 556, 557)), hex(zeros(2))) << "SD_OBE_1 Null gives False";
  EXPECT_EQ(hex(at(file, 558, 559)), hex(bytes({0xFF, 0xFF}))) << "SD_OBE_2 logical T";
  EXPECT_EQ(hex(at(file, 560, 561)), hex(zeros(2))) << "SD_OBE_3 logical F";
  EXPECT_EQ(hex(at(file, 1510, 1511)), hex(zeros(2))) << "SD_OUDSTES Null";
  EXPECT_EQ(at(file, 354, 363), QByteArray("WISK      "));
  EXPECT_EQ(at(file, 596 + 20 * 40, 596 + 20 * 40 + 7), QByteArray("Wiskunde"));
  EXPECT_EQ(at(file, 344, 353), zeros(10)) << "element 0 is never filled";
  EXPECT_EQ(data_file(QStringLiteral("skl_dta.dbf")), table);
  EXPECT_FALSE(platform::folder_exists(QStringLiteral("C:\\DATA\\save")));
  // The opening reads the school's name from record 1.
  platform::record_buffer read(skl_dta_record);
  platform::get_record(g_skl_file_number, 1, read);
  EXPECT_EQ(clean_field_value(read.get("SD_SKOOL")), QStringLiteral("Ho\u00EBrskool Noord"));
}

TEST_F(school_record_test, an_empty_table_gives_an_empty_file_and_two_rows_two_records) {
  struct rows_case {
    int rows;
  };
  for (const rows_case c : {rows_case{0}, rows_case{2}}) {
    SCOPED_TRACE(c.rows);
    close_file(g_skl_file_number);
    if (in_data(QStringLiteral("Skl_Dta_random.txt")))
      platform::delete_file(QStringLiteral("C:\\DATA\\Skl_Dta_random.txt"));
    std::vector<QJsonArray> rows;
    for (int i = 1; i <= c.rows; ++i)
      rows.push_back(row_of(school_fields, {{"SD_SKOOL", QStringLiteral("School %1").arg(i)}}));
    if (in_data(QStringLiteral("skl_dta.dbf")))
      platform::delete_file(QStringLiteral("C:\\DATA\\skl_dta.dbf"));
    write_table(QStringLiteral("skl_dta.dbf"), school_fields, rows);
    open(QStringLiteral("SKL"));
    const QByteArray file = data_file(QStringLiteral("Skl_Dta_random.txt"));
    ASSERT_EQ(file.size(), c.rows * school);
    if (c.rows == 2) {
      EXPECT_EQ(at(file, 0, 7), QByteArray("School 1"));
      EXPECT_EQ(at(file, school, school + 7), QByteArray("School 2"));
    }
  }
}

// A flag holding a text that is no Boolean ends the build at that row: the
// rows before it stay, and the opening carries on with them.
TEST_F(school_record_test, a_flag_that_is_no_boolean_ends_the_build_at_its_row) {
  QString fields = school_fields;
  fields.replace(QStringLiteral("SD_OUDSTES L"), QStringLiteral("SD_OUDSTES C(5)"));
  write_table(QStringLiteral("skl_dta.dbf"), fields,
              {row_of(fields, {{"SD_SKOOL", "First"}, {"SD_OUDSTES", "true"}}),
               row_of(fields, {{"SD_SKOOL", "Second"}, {"SD_OUDSTES", "maybe"}}),
               row_of(fields, {{"SD_SKOOL", "Third"}})});
  open(QStringLiteral("SKL"));
  const QByteArray file = data_file(QStringLiteral("Skl_Dta_random.txt"));
  ASSERT_EQ(file.size(), school);
  EXPECT_EQ(at(file, 0, 4), QByteArray("First"));
  EXPECT_EQ(hex(at(file, 1510, 1511)), hex(bytes({0xFF, 0xFF})));
  EXPECT_NE(g_skl_file_number, 0);
}

}  // namespace
}  // namespace km::test
