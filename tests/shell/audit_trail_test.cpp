// The audit trail: the 258-byte record of an opened window, byte for byte,
// and its appending after the last record (also past 32767 records), with
// files that cannot be written passed over.
#include "shell/audit_trail.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstring>

#include "start_fixture.h"

namespace km {
namespace {

using test::hex;

QByteArray padded(const QByteArray& text, int width, char fill = ' ') {
  QByteArray out = text.left(width);
  out.append(QByteArray(width - out.size(), fill));
  return out;
}

QByteArray double_bytes(double value) {
  QByteArray out(8, '\0');
  std::memcpy(out.data(), &value, 8);
  return out;
}

audit_entry known_entry() {
  audit_entry e;
  e.user_name = QStringLiteral("teacher");
  e.date = 42811.0;  // 2017-03-17
  e.time_text = QStringLiteral("10:30:00");
  e.window_name = QStringLiteral("pboek_inlees");
  e.admin_folder = QStringLiteral("C:\\OSKAVEN\\ADMIN");
  e.network_folder_1 = QStringLiteral("\\\\server\\share\\n1");
  e.network_folder_2 = QString();
  return e;
}

TEST(audit_record, known_entry_byte_for_byte) {
  const QByteArray bytes = audit_record_bytes(known_entry());
  QByteArray expected;
  expected += padded("teacher", 50);
  expected += double_bytes(42811.0);
  expected += padded("10:30:00", 10);
  expected += padded("pboek_inlees", 50);
  expected += QByteArray(50, '\0');
  expected += padded("C:\\OSKAVEN\\ADMIN", 30);
  expected += padded("\\\\server\\share\\n1", 30);
  expected += padded("", 30);
  ASSERT_EQ(bytes.size(), 258);
  EXPECT_EQ(hex(bytes), hex(expected));
  // The date 2017-03-17 as the double 42811.0 at offset 50.
  EXPECT_EQ(hex(bytes.mid(50, 8)), QStringLiteral("00 00 00 00 60 E7 E4 40"));
  EXPECT_EQ(bytes.mid(118, 50), QByteArray(50, '\0'));
}

TEST(audit_record, long_texts_are_cut_and_accents_are_one_byte) {
  audit_entry e = known_entry();
  e.window_name = QString(60, QLatin1Char('w'));
  e.user_name = QStringLiteral("Jan Rossouw-Prinsloo van der Merwe-Steenkamp Jnr Esq ë");
  e.admin_folder = QStringLiteral("Hoërskool");
  const QByteArray bytes = audit_record_bytes(e);
  ASSERT_EQ(bytes.size(), 258);
  EXPECT_EQ(bytes.mid(68, 50), QByteArray(50, 'w'));
  EXPECT_EQ(bytes.mid(0, 50), QByteArray("Jan Rossouw-Prinsloo van der Merwe-Steenkamp Jnr E"));
  EXPECT_EQ(bytes.mid(168, 9), QByteArray("Ho\xEBrskool"));
  EXPECT_EQ(bytes.at(177), ' ');
}

class audit_trail_test : public test::start_fixture {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    g_settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
    make_folder(g_settings_folder);
  }
  QString trail() const { return g_settings_folder + QStringLiteral("\\Audit_Trail.txt"); }
  QString native_trail() const { return platform::to_native_path(trail()); }
};

TEST_F(audit_trail_test, ten_openings_make_ten_records) {
  for (int i = 1; i <= 10; ++i) {
    audit_entry e = known_entry();
    e.window_name = QStringLiteral("window_%1").arg(i);
    ASSERT_TRUE(append_audit_record(e));
    EXPECT_EQ(g_audit_record_number, i);
  }
  const QByteArray bytes = file_bytes(trail());
  ASSERT_EQ(bytes.size(), 2580);
  EXPECT_EQ(bytes.mid(0 * 258 + 68, 8), QByteArray("window_1"));
  EXPECT_EQ(bytes.mid(9 * 258 + 68, 9), QByteArray("window_10"));
  // The number went back to the pool.
  EXPECT_EQ(g_audit_trail_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

// The count is the length over 258, rounded half to even; the record goes
// after it.
TEST_F(audit_trail_test, next_record_follows_the_rounded_count) {
  struct row {
    qint64 length;
    qint64 expected_length;
    qint64 written_at;
  };
  const row rows[] = {
      {0, 258, 0},
      {258 * 2 + 100, 258 * 3, 258 * 2},  // 2.39 records: the part record is overwritten
      {258 * 2 + 200, 258 * 4, 258 * 3},  // 2.78 records: the next after the rounded 3
      {258 * 2 + 129, 258 * 3, 258 * 2},  // 2.5 records: half to even gives 2
      {258 * 3 + 129, 258 * 5, 258 * 4},  // 3.5 records: half to even gives 4
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.length);
    QFile file(native_trail());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(int(r.length), 'x'));
    file.close();
    ASSERT_TRUE(append_audit_record(known_entry()));
    const QByteArray bytes = file_bytes(trail());
    EXPECT_EQ(bytes.size(), r.expected_length);
    EXPECT_EQ(bytes.mid(int(r.written_at), 258), audit_record_bytes(known_entry()));
  }
}

TEST_F(audit_trail_test, a_trail_past_32767_records_still_appends) {
  {
    QFile file(native_trail());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(40000) * 258));
  }
  ASSERT_TRUE(append_audit_record(known_entry()));
  EXPECT_EQ(g_audit_record_number, 40001);
  QFile file(native_trail());
  EXPECT_EQ(file.size(), qint64(40001) * 258);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  ASSERT_TRUE(file.seek(qint64(40000) * 258));
  EXPECT_EQ(file.read(258), audit_record_bytes(known_entry()));
}

TEST_F(audit_trail_test, a_trail_that_cannot_be_written_is_passed_over) {
  // No settings folder at all.
  g_settings_folder = QStringLiteral("C:\\MISSING\\OSKAVEN");
  EXPECT_FALSE(append_audit_record(known_entry()));
  EXPECT_EQ(g_open_file_count, 0);

  // A read-only trail keeps its bytes.
  g_settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
  ASSERT_TRUE(append_audit_record(known_entry()));
  platform::set_read_only(trail(), true);
  audit_entry other = known_entry();
  other.window_name = QStringLiteral("other");
  EXPECT_FALSE(append_audit_record(other));
  platform::set_read_only(trail(), false);
  EXPECT_EQ(file_bytes(trail()), audit_record_bytes(known_entry()));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(audit_trail_test, current_entry_takes_the_clock_and_the_shared_folders) {
  fake.set_now(42811.0 + (14 * 3600 + 5 * 60 + 9) / 86400.0);
  g_admin_folder = QStringLiteral("C:\\ADMIN");
  g_network_folder_2 = QStringLiteral("D:\\NET2");
  const audit_entry e = current_audit_entry(QStringLiteral("punte_mnu"));
  EXPECT_EQ(e.date, 42811.0);
  EXPECT_EQ(e.time_text, QStringLiteral("14:05:09"));
  EXPECT_EQ(e.window_name, QStringLiteral("punte_mnu"));
  EXPECT_EQ(e.admin_folder, QStringLiteral("C:\\ADMIN"));
  EXPECT_EQ(e.network_folder_1, QString());
  EXPECT_EQ(e.network_folder_2, QStringLiteral("D:\\NET2"));
}

}  // namespace
}  // namespace km
