#include "common/open_exp_mrk_control.h"

#include "platform/record_layout.h"
#include "platform/record_layouts.h"
#include "record_file_fixture.h"

namespace km::test {
namespace {

// One subject combination as the administration program writes it.
QByteArray combination_bytes() {
  platform::record_buffer r(platform::exp_mrk_control_record);
  r.set_text("grade", QStringLiteral("10"));
  r.set_text("subject", QStringLiteral("WISK"));
  r.set_single("subject_total", 100.0F);
  r.set_text("class", QStringLiteral("A"));
  r.set_text("second_class", QStringLiteral("B"));
  r.set_text("class_when_blank", QStringLiteral("C"));
  r.set_int16("number", 5);
  r.set_text("code", QStringLiteral("X1"));
  r.set_double("date", 42000.0);
  r.set_text("spare", QString());
  return r.bytes();
}

TEST(exp_mrk_control_record, is_44_bytes_in_file_order) {
  EXPECT_EQ(hex(combination_bytes()),
            QStringLiteral("31 30 20 "                    // grade "10 "
                           "57 49 53 4B 20 "              // subject "WISK "
                           "00 00 C8 42 "                 // subject total 100
                           "41 20 20 42 20 20 43 20 20 "  // class, second class, class when blank
                           "05 00 "                       // number
                           "58 31 20 20 20 "              // code
                           "00 00 00 00 00 82 E4 40 "     // date 42000
                           "20 20 20 20 20 20 20 20"));   // spare
}

TEST_F(record_file_test, export_control_file_opens_under_a_fresh_number_with_its_count) {
  put(QStringLiteral("C/DATA/exp_mrk_control.txt"), combination_bytes() + combination_bytes());
  open_exp_mrk_control(QStringLiteral("E_C"), QStringLiteral("C:\\DATA"));
  const std::int16_t first = g_exp_mrk_control_file_number;
  EXPECT_EQ(first, 101);
  EXPECT_EQ(g_exp_mrk_control_count, 2);
  platform::get_record(first, 2, g_exp_mrk_control_rec);
  EXPECT_EQ(g_exp_mrk_control_rec.get_text("subject"), QStringLiteral("WISK "));
  EXPECT_EQ(g_exp_mrk_control_rec.get_single("subject_total"), 100.0F);
  EXPECT_EQ(g_exp_mrk_control_rec.get_text("class_when_blank"), QStringLiteral("C  "));
  EXPECT_TRUE(g_file_code[first].isEmpty()) << "folder and code are not recorded";

  open_exp_mrk_control(QStringLiteral("*"), QStringLiteral("C:\\DATA"));
  EXPECT_NE(g_exp_mrk_control_file_number, 0);
  EXPECT_EQ(g_open_file_count, 1) << "the old number is closed first";
  EXPECT_EQ(g_exp_mrk_control_count, 2);

  put(QStringLiteral("C/DATA/exp_mrk_control.txt"), combination_bytes() + QByteArray(22, ' '));
  open_exp_mrk_control(QStringLiteral("E_C"), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(g_exp_mrk_control_count, 2) << "66 / 44 = 1.5 rounds to 2";
}

TEST_F(record_file_test, missing_export_control_file_counts_nothing_and_is_not_created) {
  put(QStringLiteral("C/DATA/exp_mrk_control.txt"), combination_bytes());
  open_exp_mrk_control(QStringLiteral("E_C"), QStringLiteral("C:\\DATA"));
  ASSERT_NE(g_exp_mrk_control_file_number, 0);

  drives.make_native_folder(QStringLiteral("D/EMPTY"));
  open_exp_mrk_control(QStringLiteral("E_C"), QStringLiteral("D:\\EMPTY"));
  EXPECT_EQ(g_exp_mrk_control_file_number, 0);
  EXPECT_EQ(g_exp_mrk_control_count, 0);
  EXPECT_EQ(g_open_file_count, 0) << "the previous file is closed";
  EXPECT_FALSE(exists(QStringLiteral("D:\\EMPTY\\exp_mrk_control.txt")));

  open_exp_mrk_control(QStringLiteral("E_C"), QString());  // the root of the current drive
  EXPECT_FALSE(exists(QStringLiteral("C:\\exp_mrk_control.txt")));
  EXPECT_EQ(g_exp_mrk_control_count, 0);
}

TEST_F(record_file_test, export_control_with_another_code_does_nothing) {
  put(QStringLiteral("C/DATA/exp_mrk_control.txt"), combination_bytes());
  open_exp_mrk_control(QStringLiteral("E_C"), QStringLiteral("C:\\DATA"));
  const std::int16_t n = g_exp_mrk_control_file_number;
  for (const char* code : {"EXPMRK", "e_c", "SKL", ""}) {
    open_exp_mrk_control(QLatin1String(code), QStringLiteral("C:\\DATA"));
    EXPECT_EQ(g_exp_mrk_control_file_number, n) << code;
    EXPECT_EQ(g_exp_mrk_control_count, 1) << code;
    EXPECT_EQ(g_open_file_count, 1) << code;
  }
}

TEST_F(record_file_test, export_control_file_is_never_opened_by_the_record_file_opening) {
  open(QStringLiteral("*"));
  EXPECT_EQ(g_exp_mrk_control_file_number, 0);
  EXPECT_FALSE(exists(QStringLiteral("C:\\DATA\\exp_mrk_control.txt")));
}

}  // namespace
}  // namespace km::test
