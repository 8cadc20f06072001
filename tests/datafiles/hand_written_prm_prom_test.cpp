// The default promotion settings written afresh into prm_prom_random.txt.

#include "common/file_number_pool.h"
#include "hand_written_fixture.h"

namespace km::test {
namespace {

const QString settings = QStringLiteral("prm_prom_random.txt");

class hand_written_prm_prom_test : public hand_written_test {};

TEST_F(hand_written_prm_prom_test, a_new_file_holds_the_one_default_record) {
  create_prm_prom_random(folder);
  EXPECT_EQ(hex(data_file(settings)), QStringLiteral("FF FF FF FF FF FF 00 00"));
  EXPECT_EQ(g_prmprom_file_number, 0) << "closed";
  EXPECT_EQ(data_file(QStringLiteral("prm_prom_random.tmp")), QByteArrayLiteral("<missing>"));
}

TEST_F(hand_written_prm_prom_test, a_file_already_there_is_kept_in_save_before_it_is_replaced) {
  put(settings, "12345678ABCDEFGH");
  create_prm_prom_random(folder);
  EXPECT_EQ(hex(data_file(settings)), QStringLiteral("FF FF FF FF FF FF 00 00"));
  EXPECT_EQ(data_file(QStringLiteral("save/prm_prom_random.txt")), QByteArrayLiteral("12345678ABCDEFGH"));
}

TEST_F(hand_written_prm_prom_test, the_opening_writes_the_default_for_no_record_or_more_than_ten) {
  struct row {
    int records;
    bool replaced;
  };
  for (const row r : {row{0, true}, row{2, false}, row{10, false}, row{11, true}}) {
    SCOPED_TRACE(r.records);
    close_file(g_prmprom_file_number);
    const QByteArray old(8 * r.records, 'p');
    put(settings, old);
    open(QStringLiteral("PRMPROM"));
    EXPECT_EQ(hex(data_file(settings)), r.replaced ? QStringLiteral("FF FF FF FF FF FF 00 00") : hex(old));
    EXPECT_EQ(g_prmprom_record_count, r.replaced ? 1 : r.records);
    if (r.replaced && r.records > 0) {
      EXPECT_EQ(data_file(QStringLiteral("save/prm_prom_random.txt")), old);
    }
  }
}

}  // namespace
}  // namespace km::test
