// The rebuilds of the older record layouts: the length test, the byte
// layout of each rebuilt record, the checked backup that doubles as the
// marker, and the opening's road to each rebuild.

#include "common/file_number_pool.h"
#include "common/record_file_not_ready.h"
#include "datafiles/write_failure_messages.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "upgrade_fixture.h"

namespace km::test {
namespace {

TEST(layout_by_length, tells_old_new_and_damaged_files_apart) {
  struct row {
    qint64 length;
    int old_length;
    int new_length;
    layout_of_file expected;
  };
  const row rows[] = {
      {0, 34, 88, layout_of_file::old_layout},     {34, 34, 88, layout_of_file::old_layout},
      {68, 34, 88, layout_of_file::old_layout},    {88, 34, 88, layout_of_file::new_layout},
      {176, 34, 88, layout_of_file::new_layout},   {300, 244, 372, layout_of_file::damaged},
      {1496, 34, 88, layout_of_file::old_layout},  // a whole multiple of both: taken as old
      {272, 168, 272, layout_of_file::new_layout}, {169, 168, 272, layout_of_file::damaged},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.length);
    EXPECT_EQ(layout_by_length(r.length, r.old_length, r.new_length), r.expected);
  }
}

// One old learner-history record: number 1234, code "10 " with 2012 in
// slot 1, everything else blank or zero.
QByteArray old_history_record() {
  return le_single(1234.0F) + blanks(3) + padded("10", 3) + blanks(12) + le16(0) + le16(2012) + zeros(8);
}

TEST_F(upgrade_test, learner_history_comes_out_in_the_new_layout_with_its_old_bytes_kept_as_the_marker) {
  const QByteArray old = old_history_record();
  ASSERT_EQ(old.size(), 34);
  put(QStringLiteral("Ppl_hst_random.txt"), old);
  open(QStringLiteral("PPLHST"), QStringLiteral("C:\\DATA"));

  const QByteArray expected = bytes({0x00, 0x40, 0x9A, 0x44}) + blanks(3) + QByteArray("10 ") + blanks(12) +
                              bytes({0x00, 0x00, 0xDC, 0x07}) + zeros(8) + blanks(54);
  EXPECT_EQ(hex(bytes_of(QStringLiteral("Ppl_hst_random.txt"))), hex(expected));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("ph2014_random.txt"))), hex(old));
  EXPECT_EQ(g_pplhst_record_count, 1);
  EXPECT_FALSE(exists(QStringLiteral("Ppl_hst_random.new")));
}

TEST_F(upgrade_test, a_missing_file_is_marked_and_then_made_new_by_the_opening_once) {
  open(QStringLiteral("PIG"), QStringLiteral("C:\\DATA"));
  ASSERT_TRUE(exists(QStringLiteral("pig2014_random.txt")));
  EXPECT_EQ(bytes_of(QStringLiteral("pig2014_random.txt")).size(), 0);
  ASSERT_TRUE(exists(QStringLiteral("Ppl_pig_random.txt")));

  // A record written in the new layout is not taken for an old one later.
  const QByteArray new_record = le_single(5.0F) + zeros(368);
  close_file(g_pig_file_number);
  put(QStringLiteral("Ppl_pig_random.txt"), new_record);
  open(QStringLiteral("PIG"), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("Ppl_pig_random.txt"))), hex(new_record));
  EXPECT_EQ(bytes_of(QStringLiteral("pig2014_random.txt")).size(), 0);
}

TEST_F(upgrade_test, a_file_already_in_the_new_layout_or_damaged_is_not_rebuilt) {
  struct row {
    const char* code;
    const char* file;
    const char* marker;
    int length;
    bool marked;  // a copy of the file becomes the marker
  };
  const row rows[] = {
      {"PPLHST", "Ppl_hst_random.txt", "ph2014_random.txt", 88, true},
      {"PIG", "Ppl_pig_random.txt", "pig2014_random.txt", 300, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.code);
    QByteArray content;
    for (int i = 0; i < r.length; ++i) content += char('A' + i % 23);
    put(QLatin1String(r.file), content);
    open(QLatin1String(r.code), QStringLiteral("C:\\DATA"));
    EXPECT_EQ(hex(bytes_of(QLatin1String(r.file))), hex(content));
    EXPECT_EQ(exists(QLatin1String(r.marker)), r.marked);
    if (r.marked) {
      EXPECT_EQ(hex(bytes_of(QLatin1String(r.marker))), hex(content));
    }
  }
}

TEST_F(upgrade_test, pig_record_carries_elements_1_to_14_and_leaves_0_and_15_to_22_zero) {
  QByteArray old = le_single(77.0F);
  for (int array = 0; array < 4; ++array)
    for (int i = 0; i <= 14; ++i) old += le_single(float(100 * (array + 1) + i));
  ASSERT_EQ(old.size(), 244);
  put(QStringLiteral("Ppl_pig_random.txt"), old);
  upgrade_ppl_pig_2014(QStringLiteral("C:\\DATA"));

  QByteArray expected = le_single(77.0F);
  for (int array = 0; array < 4; ++array) {
    expected += zeros(4);
    for (int i = 1; i <= 14; ++i) expected += le_single(float(100 * (array + 1) + i));
    expected += zeros(8 * 4);
  }
  EXPECT_EQ(hex(bytes_of(QStringLiteral("Ppl_pig_random.txt"))), hex(expected));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("pig2014_random.txt"))), hex(old));
}

// Old behaviour record n: its number, and 440 year, type and description
// codes that differ by record and position.
QByteArray old_behaviour_record(int n) {
  QByteArray out = le_single(float(n));
  for (char base : {'a', 'A', '0'}) {
    QByteArray codes;
    for (int i = 0; i < 440; ++i) codes += char(base + (n + i) % 10);
    out += codes;
  }
  return out;
}

TEST_F(upgrade_test, every_behaviour_record_is_carried_before_2016_and_none_is_touched_from_2016) {
  QByteArray old;
  for (int n = 1; n <= 501; ++n) old += old_behaviour_record(n);
  put(QStringLiteral("sb_random.txt"), old);
  open(QStringLiteral("S_B"), QStringLiteral("C:\\DATA"));

  const QByteArray rebuilt = bytes_of(QStringLiteral("sb_random.txt"));
  ASSERT_EQ(rebuilt.size(), 664827);
  EXPECT_EQ(hex(bytes_of(QStringLiteral("sb2014_random.txt"))), hex(old));
  const QByteArray last_old = old_behaviour_record(501);
  QByteArray last_new = last_old.left(4);
  for (int k = 0; k < 3; ++k) last_new += blanks(1) + last_old.mid(4 + 440 * k, 440);  // element 0 blank
  EXPECT_EQ(hex(rebuilt.mid(500 * 1327, 1327)), hex(last_new));
  EXPECT_EQ(g_s_b_record_count, 501);

  g_year = QStringLiteral("2016");
  put(QStringLiteral("sb_random.txt"), old, QStringLiteral("NEXT"));
  open(QStringLiteral("S_B"), QStringLiteral("C:\\NEXT"));
  EXPECT_EQ(bytes_of(QStringLiteral("sb_random.txt"), QStringLiteral("C:\\NEXT")).size(), old.size());
  EXPECT_FALSE(exists(QStringLiteral("sb2014_random.txt"), QStringLiteral("C:\\NEXT")));
}

// Old PI11 record: the two bounds, 3 cycles, cycle and task entries named
// and weighted by their number.
QByteArray old_pi11_record() {
  QByteArray out = le_single(80.0F) + le_single(20.0F) + le16(3);
  for (int i = 0; i <= 5; ++i)
    out += padded(i == 0 ? "" : QByteArray("C" + QByteArray::number(i)).constData(), 5);
  for (int i = 0; i <= 5; ++i) out += le_single(float(i));
  for (int i = 0; i <= 7; ++i)
    out += padded(i == 0 ? "" : QByteArray("T" + QByteArray::number(i)).constData(), 5);
  for (int i = 0; i <= 7; ++i) out += le_single(float(10 * i));
  for (int i = 0; i <= 7; ++i) out += le_single(float(100 * i));
  return out;
}

TEST_F(upgrade_test, pi11_without_pi5_is_rebuilt_once_and_both_halves_are_marked) {
  const QByteArray old = old_pi11_record();
  ASSERT_EQ(old.size(), 168);
  put(QStringLiteral("pi11_random.txt"), old);
  open(QStringLiteral("PI5"), QStringLiteral("C:\\DATA"));

  QByteArray expected = old.left(64);
  expected += blanks(5);
  for (int i = 1; i <= 7; ++i) expected += padded(QByteArray("T" + QByteArray::number(i)).constData(), 5);
  expected += blanks(8 * 5);
  for (int factor : {10, 100}) {
    expected += zeros(4);
    for (int i = 1; i <= 7; ++i) expected += le_single(float(factor * i));
    expected += zeros(8 * 4);
  }
  const QByteArray rebuilt = bytes_of(QStringLiteral("pi11_random.txt"));
  EXPECT_EQ(hex(rebuilt), hex(expected));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("pi14_random.txt"))), hex(old));
  ASSERT_TRUE(exists(QStringLiteral("pi54_random.txt")));
  EXPECT_EQ(bytes_of(QStringLiteral("pi54_random.txt")).size(), 0);

  // Even when the PI5 half runs again, the PI11 half keeps to its marker.
  close_file(g_pi5_file_number);
  platform::delete_file(path(QStringLiteral("pi54_random.txt")));
  open(QStringLiteral("PI5"), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("pi11_random.txt"))), hex(rebuilt));
  EXPECT_TRUE(exists(QStringLiteral("pi54_random.txt")));
}

TEST_F(upgrade_test, pi5_without_pi11_is_rebuilt_all_the_same) {
  QByteArray old = padded("AB1", 5);
  for (int i = 0; i <= 12; ++i) old += bytes({i, 0x11, 0x22, 0x33});
  ASSERT_EQ(old.size(), 57);
  put(QStringLiteral("pi5_random.txt"), old);
  open(QStringLiteral("PI5"), QStringLiteral("C:\\DATA"));

  QByteArray expected = padded("AB1", 5) + zeros(4) + old.mid(9, 48) + zeros(8 * 4);
  EXPECT_EQ(hex(bytes_of(QStringLiteral("pi5_random.txt"))), hex(expected));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("pi54_random.txt"))), hex(old));
  ASSERT_TRUE(exists(QStringLiteral("pi14_random.txt")));
  EXPECT_EQ(bytes_of(QStringLiteral("pi14_random.txt")).size(), 0);
  EXPECT_EQ(g_pi5_record_count, 1);
}

// A rebuild that cannot finish is told, leaves the current file as it was
// and makes no marker, so that the next opening tries again.
TEST_F(upgrade_test, a_failed_step_leaves_the_current_file_as_it_was_and_unmarked) {
  struct row {
    const char* name;
    const char* read_only;       // the file that refuses to be written
    const char* earlier_backup;  // a backup there before (the call is made all the same); nullptr: none
  };
  const row rows[] = {
      {"backup cannot be written", "pig2014_random.txt", "earlier"},
      {"current file cannot be replaced", "Ppl_pig_random.txt", nullptr},
  };
  const platform::file_error refused(platform::file_error::kind::permission_denied, QString());
  QByteArray old = le_single(3.0F) + zeros(240);
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString folder = QStringLiteral("R%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    put(QStringLiteral("Ppl_pig_random.txt"), old, folder);
    if (r.earlier_backup != nullptr) put(QStringLiteral("pig2014_random.txt"), r.earlier_backup, folder);
    platform::set_read_only(path(QLatin1String(r.read_only), win), true);
    dialogs.expect_message(record_file_not_upgraded_message(QStringLiteral("Ppl_pig_random.txt"), refused))
        .icon(platform::msg_icon::exclamation);
    EXPECT_THROW(upgrade_ppl_pig_2014(win), record_file_not_ready);
    dialogs.verify();
    EXPECT_EQ(hex(bytes_of(QStringLiteral("Ppl_pig_random.txt"), win)), hex(old));
    EXPECT_EQ(exists(QStringLiteral("pig2014_random.txt"), win), r.earlier_backup != nullptr);
    if (r.earlier_backup != nullptr) {
      EXPECT_EQ(bytes_of(QStringLiteral("pig2014_random.txt"), win), QByteArray(r.earlier_backup));
    }
    EXPECT_FALSE(exists(QStringLiteral("Ppl_pig_random.new"), win));
    EXPECT_FALSE(exists(QStringLiteral("pig2014_random.old"), win));
    platform::set_read_only(path(QLatin1String(r.read_only), win), false);
  }
}

}  // namespace
}  // namespace km::test
