// The rebuilds driven by a file's record count (PPLADD, PI4VH) and the
// upgrade of the school's additional record.

#include "common/file_number_pool.h"
#include "platform/dialogs.h"
#include "upgrade_fixture.h"

namespace km::test {
namespace {

TEST(ppl_add_records_to_keep, keeps_the_first_record_of_each_positive_key) {
  EXPECT_EQ(ppl_add_records_to_keep({7, 7, 0, 3, 7}), (std::vector<qint64>{1, 4}));
  EXPECT_EQ(ppl_add_records_to_keep({-1, 0, 2.5F, 2.5F, 1}), (std::vector<qint64>{3, 5}));
  EXPECT_TRUE(ppl_add_records_to_keep({}).empty());
}

// A PPLADD record of the given key, its other bytes telling records apart.
QByteArray ppl_add_bytes(float key, int n) {
  return le_single(key) + zeros(4) + padded(QByteArray::number(n).constData(), 169);
}

TEST_F(upgrade_test, ppl_add_over_2000_records_keeps_one_per_key_with_the_old_file_whole_in_save) {
  const float keys[] = {7, 7, 0, 3, 7};
  QByteArray old;
  for (int n = 0; n < 2005; ++n) old += ppl_add_bytes(keys[n % 5], n);
  put(QStringLiteral("Ppl_add_random.txt"), old);
  dialogs.expect_message(QStringLiteral("2"))
      .buttons(platform::msg_buttons::ok)
      .icon(platform::msg_icon::none);
  dialogs.expect_message(QStringLiteral("?"));
  open(QStringLiteral("PPLADD"), QStringLiteral("C:\\DATA"));

  EXPECT_EQ(hex(bytes_of(QStringLiteral("Ppl_add_random.txt"))),
            hex(ppl_add_bytes(7, 0) + ppl_add_bytes(3, 3)));
  EXPECT_EQ(bytes_of(QStringLiteral("save\\Ppl_add_random.txt")), old);
  EXPECT_EQ(g_ppladd_record_count, 2);
}

TEST_F(upgrade_test, pi4_vh_over_50_records_keeps_the_first_50_after_a_copy_in_save) {
  struct row {
    int records;
    bool rebuilt;
  };
  const row rows[] = {{51, true}, {50, false}};
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.records);
    const QString folder = QStringLiteral("V%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    QByteArray old;
    for (int i = 0; i < r.records; ++i) old += QByteArray(5717, char('a' + i % 26));
    put(QStringLiteral("pi4_vh_random.txt"), old, folder);
    put(QStringLiteral("pi4_vh1_random.txt"), "left over", folder);
    open(QStringLiteral("PI4VH"), win);
    const QByteArray now = bytes_of(QStringLiteral("pi4_vh_random.txt"), win);
    EXPECT_EQ(now.size(), 285850);
    EXPECT_EQ(now, old.left(285850));
    EXPECT_EQ(exists(QStringLiteral("save\\pi4_vh_random.txt"), win), r.rebuilt);
    if (r.rebuilt) {
      EXPECT_EQ(bytes_of(QStringLiteral("save\\pi4_vh_random.txt"), win), old);
      EXPECT_FALSE(exists(QStringLiteral("pi4_vh1_random.txt"), win));
    }
  }
}

QByteArray skl_add_bytes() {
  QByteArray out;
  for (int i = 0; i < 458; ++i) out += char(i % 7 == 0 ? ' ' : 'a' + i % 26);
  return out;
}

TEST_F(upgrade_test, skl_add_gets_its_marker_and_a_checked_copy_and_keeps_its_records) {
  const QByteArray marker = "#2016-03-17#\r\n";
  struct row {
    const char* name;
    QByteArray before;
    bool copy;
  };
  const row rows[] = {
      {"whole record", skl_add_bytes(), true},
      {"not whole records", skl_add_bytes() + "x", false},
  };
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString win = QStringLiteral("C:\\S%1").arg(++n);
    put(QStringLiteral("skl_add_random.txt"), r.before, QStringLiteral("S%1").arg(n));
    upgrade_skl_add_2016(win);
    EXPECT_EQ(hex(bytes_of(QStringLiteral("skl_add_random.txt"), win)), hex(r.before));
    EXPECT_EQ(bytes_of(QStringLiteral("skladd_convert.2016"), win), marker);
    EXPECT_EQ(exists(QStringLiteral("skl_add_prv_random.txt"), win), r.copy);
    if (r.copy) {
      EXPECT_EQ(hex(bytes_of(QStringLiteral("skl_add_prv_random.txt"), win)), hex(r.before));
    }
  }
}

TEST_F(upgrade_test, skl_add_missing_gets_only_its_marker_through_the_opening) {
  open(QStringLiteral("SKLADD"), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(bytes_of(QStringLiteral("skladd_convert.2016")), QByteArray("#2016-03-17#\r\n"));
  EXPECT_FALSE(exists(QStringLiteral("skl_add_prv_random.txt")));
}

TEST_F(upgrade_test, skl_add_copy_left_by_an_unfinished_run_is_kept_and_taken_as_the_source) {
  const QByteArray whole = skl_add_bytes();
  QByteArray half_written = whole;
  half_written.replace(0, 20, QByteArray(20, 'Z'));
  put(QStringLiteral("skl_add_random.txt"), half_written);
  put(QStringLiteral("skl_add_prv_random.txt"), whole);
  upgrade_skl_add_2016(QStringLiteral("C:\\DATA"));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("skl_add_prv_random.txt"))), hex(whole));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("skl_add_random.txt"))), hex(whole));
}

}  // namespace
}  // namespace km::test
