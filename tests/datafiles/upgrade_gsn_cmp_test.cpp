// The two passes of the family-composition file, through the opening.

#include "datafiles/gsn_cmp_upgrade.h"
#include "upgrade_fixture.h"

namespace km::test {
namespace {

using gsn_cmp_test = upgrade_test;

QByteArray le_double(double v) {
  QByteArray b(8, '\0');
  std::memcpy(b.data(), &v, 8);
  return b;
}

// A 2046-byte family record full of 'X', with F58 and element 1 of F63 as
// given and element 0 of F63 set as well.
QByteArray old_family(int members, double date_1) {
  QByteArray out(2046, 'X');
  out.replace(1222, 2, le16(members));
  out.replace(1950, 8, le_double(42000.0));
  out.replace(1958, 8, le_double(date_1));
  for (int i = 2; i <= 10; ++i) out.replace(1950 + 8 * i, 8, le_double(0.0));
  return out;
}

const QByteArray marker = "#2016-03-17#\r\n";

TEST_F(gsn_cmp_test, both_passes_run_in_one_opening_with_each_copy_kept) {
  struct row {
    int members;
    double date_1;
    QByteArray members_after;
    QByteArray date_after;
  };
  const row rows[] = {
      {12, 42446.0, bytes({0x0A, 0x00}), bytes({0x00, 0x00, 0x00, 0x00, 0xC0, 0xB9, 0xE4, 0x40})},
      {3, 0.0, bytes({0x03, 0x00}), zeros(8)},
  };
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.members);
    const QString folder = QStringLiteral("G%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    const QByteArray old = old_family(r.members, r.date_1);
    put(QStringLiteral("Gsn_Cmp_random.txt"), old, folder);
    open(QStringLiteral("GSN"), win);

    const QByteArray now = bytes_of(QStringLiteral("Gsn_Cmp_random.txt"), win);
    ASSERT_EQ(now.size(), 2120);
    EXPECT_EQ(hex(now.left(335)), hex(old.left(335)));
    EXPECT_EQ(hex(now.mid(335, 15)), hex(blanks(15)));
    EXPECT_EQ(hex(now.mid(573, 15)), hex(blanks(15)));
    EXPECT_EQ(hex(now.mid(797, 100)), hex(blanks(100)));
    EXPECT_EQ(hex(now.mid(1252, 2)), hex(r.members_after));
    EXPECT_EQ(hex(now.mid(1254, 30)), hex(blanks(30)));  // element 0 of F59
    EXPECT_EQ(hex(now.mid(1980, 8)), hex(zeros(8)));     // element 0 of F63
    EXPECT_EQ(hex(now.mid(1988, 8)), hex(r.date_after));
    EXPECT_EQ(hex(now.mid(2068, 44)), hex(zeros(44)));  // F64
    EXPECT_EQ(hex(now.mid(2112, 8)), hex(old.mid(2038, 8)));
    EXPECT_EQ(bytes_of(QStringLiteral("gsncmp_convert.2016"), win), marker);
    EXPECT_EQ(bytes_of(QStringLiteral("gsncmp_convert2.2016"), win), marker);
    EXPECT_EQ(bytes_of(QStringLiteral("gsn_cmp_random.old"), win).size(), 2090);
    EXPECT_EQ(hex(bytes_of(QStringLiteral("save\\Gsn_Cmp_random.txt"), win)), hex(old));
    EXPECT_FALSE(exists(QStringLiteral("gsn_cmp_random.new"), win));
    EXPECT_EQ(g_gsn_record_count, 1);
  }
}

TEST_F(gsn_cmp_test, a_missing_file_gets_both_markers_and_nothing_else_is_touched) {
  put(QStringLiteral("gsn_cmp_random.old"), "KEEP");
  open(QStringLiteral("GSN"), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(bytes_of(QStringLiteral("gsncmp_convert.2016")), marker);
  EXPECT_EQ(bytes_of(QStringLiteral("gsncmp_convert2.2016")), marker);
  EXPECT_EQ(bytes_of(QStringLiteral("gsn_cmp_random.old")), QByteArray("KEEP"));
  EXPECT_FALSE(exists(QStringLiteral("gsn_cmp_random.new")));
}

TEST_F(gsn_cmp_test, the_second_marker_alone_means_the_last_layout) {
  const QByteArray family(2120, 'F');
  put(QStringLiteral("Gsn_Cmp_random.txt"), family);
  put(QStringLiteral("gsncmp_convert2.2016"), "#2016-01-01#\r\n");
  open(QStringLiteral("GSN"), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(bytes_of(QStringLiteral("Gsn_Cmp_random.txt")), family);
  EXPECT_EQ(bytes_of(QStringLiteral("gsncmp_convert.2016")), marker);
  EXPECT_EQ(bytes_of(QStringLiteral("gsncmp_convert2.2016")), QByteArray("#2016-01-01#\r\n"));
  EXPECT_FALSE(exists(QStringLiteral("gsn_cmp_random.old")));
}

}  // namespace
}  // namespace km::test
