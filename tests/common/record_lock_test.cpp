#include "common/record_lock.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QString>
#include <vector>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "common/user_name.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"

namespace km {
namespace {

// One 140-byte lock record, put together byte by byte.
QByteArray text_field(const QString& text, int width) {
  QByteArray b = platform::encode_cp1252(text).left(width);
  return b + QByteArray(width - b.size(), ' ');
}

QByteArray lock_record(const QString& user, const QString& type, const QString& item, int number = 7,
                       const QString& text = QStringLiteral("station 4")) {
  QByteArray r;
  r += text_field(user, 50);
  r += test::bytes({0x00, 0x00, 0x00, 0x00, 0x60, 0xE7, 0xE4, 0x40});  // 2017-03-17: day 42811
  r += text_field(text, 20);
  r += text_field(type, 10);
  r += QByteArray(1, char(number & 0xFF)) + QByteArray(1, char((number >> 8) & 0xFF));
  r += text_field(item, 50);
  return r;
}

// What a released record holds: blank texts, a zero date and a zero number.
QByteArray blanked_record() {
  return QByteArray(50, ' ') + QByteArray(8, '\0') + QByteArray(20, ' ') + QByteArray(10, ' ') +
         QByteArray(2, '\0') + QByteArray(50, ' ');
}

class record_lock_test : public test::clean_state_test {
 protected:
  void SetUp() override {
    drives.make_native_folder(QStringLiteral("C/DATA"));
    me = get_user_name();
  }

  // The lock file lies at the root of the current drive while g_user_folder is blank.
  void put_locks(const QByteArray& bytes) {
    drives.write_native(QStringLiteral("C/user_lock_record.txt"), bytes);
  }
  QByteArray locks() const {
    return test::read_native_file(drives.base() + QStringLiteral("/C/user_lock_record.txt"));
  }

  test::temp_drives drives;
  QString me;
  const QString data = QStringLiteral("C:\\DATA");
};

TEST_F(record_lock_test, blanks_the_users_folder_lock_byte_for_byte) {
  ASSERT_EQ(lock_record(me, "L", data).size(), 140);
  put_locks(lock_record(me, "L", data));
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_EQ(test::hex(locks()), test::hex(blanked_record()));
  // The number was given back.
  EXPECT_EQ(g_user_lock_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
  EXPECT_EQ(g_lock_record_count, 1);
}

TEST_F(record_lock_test, which_records_qualify) {
  struct row {
    const char* what;
    QString user;
    QString type;
    QString item;
    bool released;
  };
  const std::vector<row> rows = {
      {"own lock", me, "L", data, true},
      {"type with blanks around", me, "  L", data, true},
      {"item with blanks around", me, "L", "  C:\\DATA  ", true},
      {"user name in other letter case", me.toUpper() == me ? me.toLower() : me.toUpper(), "L", data, true},
      {"user name with blanks around", "  " + me, "L", data, true},
      {"item in other letter case", me, "L", "c:\\data", false},
      {"item of another folder", me, "L", "C:\\DATA2", false},
      {"another user's lock", me + "x", "L", data, false},
      {"blank user", "", "L", data, false},
      {"another lock type", me, "R", data, false},
      {"type that only starts with L", me, "LL", data, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    const QByteArray before = lock_record(r.user, r.type, r.item);
    put_locks(before);
    EXPECT_TRUE(release_user_record_locks(data));
    EXPECT_EQ(test::hex(locks()), test::hex(r.released ? blanked_record() : before));
  }
}

TEST_F(record_lock_test, only_the_first_qualifying_record_is_blanked) {
  const QByteArray other = lock_record(me, "L", QStringLiteral("C:\\OTHER"));
  const QByteArray foreign = lock_record(QStringLiteral("someone_else"), "L", data);
  const QByteArray mine = lock_record(me, "L", data, 1);
  const QByteArray mine_again = lock_record(me, "L", data, 2);
  put_locks(other + foreign + mine + mine_again);
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_EQ(test::hex(locks()), test::hex(other + foreign + blanked_record() + mine_again));
  EXPECT_EQ(g_lock_record_no, 3);
}

TEST_F(record_lock_test, missing_lock_file_is_made_empty) {
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_TRUE(platform::file_exists(QStringLiteral("C:\\user_lock_record.txt")));
  EXPECT_EQ(locks().size(), 0);
}

TEST_F(record_lock_test, missing_folder_gives_false_without_the_lock_file) {
  EXPECT_FALSE(release_user_record_locks(QStringLiteral("C:\\NOWHERE")));
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\user_lock_record.txt")));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(record_lock_test, part_record_at_the_end_is_not_read) {
  // 210 bytes: one record and 70 bytes; the record is released, the rest kept.
  const QByteArray tail = lock_record(me, "L", data).left(70);
  put_locks(lock_record(me, "L", data) + tail);
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_EQ(g_lock_record_count, 1);
  EXPECT_EQ(test::hex(locks()), test::hex(blanked_record() + tail));

  // 279 bytes: a foreign first record and a part second one that would qualify.
  const QByteArray first = lock_record(QStringLiteral("someone_else"), "L", data);
  const QByteArray part = lock_record(me, "L", data).left(139);
  put_locks(first + part);
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_EQ(g_lock_record_count, 1);
  EXPECT_EQ(test::hex(locks()), test::hex(first + part));
}

TEST_F(record_lock_test, lock_file_in_the_user_folder) {
  g_user_folder = QStringLiteral("D:\\USERS");
  drives.write_native(QStringLiteral("D/USERS/user_lock_record.txt"), lock_record(me, "L", data));
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_EQ(test::read_native_file(drives.base() + QStringLiteral("/D/USERS/user_lock_record.txt")),
            blanked_record());
}

TEST_F(record_lock_test, unusable_lock_file_still_gives_true_and_frees_its_number) {
  drives.make_native_folder(QStringLiteral("C/user_lock_record.txt"));  // a folder in the file's place
  EXPECT_TRUE(release_user_record_locks(data));
  EXPECT_EQ(g_user_lock_file_number, 0);
  EXPECT_EQ(g_file_in_use[101], 0);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(record_lock_test, close_all_releases_the_lock_on_the_data_folder) {
  install_record_lock_hook();
  g_data_folder = data;
  const QByteArray foreign = lock_record(QStringLiteral("someone_else"), "L", data);
  put_locks(foreign + lock_record(me, "L", data));
  const std::int16_t n = get_free_file_number(0);
  platform::open_file(n, QStringLiteral("C:\\DATA\\x.txt"), platform::open_mode::random, 10);
  std::int16_t all = close_all_files;
  close_file(all);
  EXPECT_FALSE(platform::is_numbered_file_open(n));
  EXPECT_EQ(test::hex(locks()), test::hex(foreign + blanked_record()));
  EXPECT_EQ(g_open_file_count, 0);
}

}  // namespace
}  // namespace km
