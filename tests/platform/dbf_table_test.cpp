// The table engine on tables built byte by byte: every field type read,
// deleted records skipped, edits that touch only the changed field bytes,
// appends with count, date and end marker, numbers that do not fit, and the
// whole-table rewrites and reorders.
#include "platform/dbase/dbf_table.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <csignal>
#include <optional>

#include "platform/clock.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_field_codec.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/recordset.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::dbf_table;
using km::platform::recordset;
using km::platform::Value;
using km::test::dbf_builder;
namespace dbf_errno = km::platform::dbf_errno;

double table_days_of(int y, int m, int d) { return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d))); }

// Learner number, name, mark, birth date, flag and note; the second record
// is deleted, the last one blank.
dbf_builder learners() {
  dbf_builder b;
  b.field("NR", 'N', 6).field("NAME", 'C', 12).field("MARK", 'N', 5, 1).field("BORN", 'D', 8);
  b.field("OK", 'L', 1).field("NOTE", 'M', 10);
  b.record({"1", "Anna", "7.5", "20100304", "T", "first memo"});
  b.record({"2", "Bert", "3.0", "20090101", "F", "gone"}, true);
  b.record({"3", "Ci\xEBl", "-1.3", "20111231", "f", "line one\r\nline two"});
  b.record({"", "", "", "", "", ""});
  return b;
}

// A mark-book-like table without memo, with a field of a type the engine
// does not know (kept as raw bytes).
dbf_builder marks_book() {
  dbf_builder b;
  b.field("MB_T_NR", 'N', 6).field("MB_NAME", 'C', 20).field("R1", 'C', 6).field("R2", 'C', 6);
  b.field("BIN", 'I', 4);
  b.record({"101", "ADAMS A", "7.0", "A", QByteArray("\x01\x02\x03\x04", 4)});
  b.record({"102", "BOTHA B", "", "12.5", QByteArray("\xFF\x00\xFE\x01", 4)});
  return b;
}

std::unique_ptr<recordset> open_set(const QString& path, bool write = false) {
  return std::make_unique<recordset>(std::make_unique<dbf_table>(
      path, write ? dbf_table::access::read_write : dbf_table::access::read_only));
}

QByteArray read_file(const QString& path) { return km::test::read_native_file(path); }

class dbf_table_test : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

TEST_F(dbf_table_test, reads_every_field_type_and_skips_deleted_records) {
  const QString p = learners().write(path("learn.dbf"));
  auto rs = open_set(p);
  ASSERT_EQ(rs->record_count(), 3);
  EXPECT_EQ(rs->value(0), Value(1.0));
  EXPECT_EQ(rs->value(1), Value(QStringLiteral("Anna        ")));  // trailing blanks as stored
  EXPECT_EQ(rs->value(2), Value(7.5));
  EXPECT_EQ(rs->value(3), Value::date(table_days_of(2010, 3, 4)));
  EXPECT_EQ(rs->value(4), Value(true));
  EXPECT_EQ(rs->value(5), Value(QStringLiteral("first memo")));

  rs->move_next();  // the deleted record is never seen
  EXPECT_EQ(rs->value(QStringLiteral("nr")), Value(3.0));
  EXPECT_EQ(rs->value(QStringLiteral("Name")), Value(QStringLiteral("Ci\u00EBl        ")));
  EXPECT_EQ(rs->value(QStringLiteral("MARK")), Value(-1.3));
  EXPECT_EQ(rs->value(QStringLiteral("born")), Value::date(table_days_of(2011, 12, 31)));
  EXPECT_EQ(rs->value(QStringLiteral("ok")), Value(false));
  EXPECT_EQ(rs->value(QStringLiteral("note")), Value(QStringLiteral("line one\r\nline two")));

  rs->move_next();
  for (int f = 0; f < rs->field_count(); ++f) EXPECT_EQ(rs->value(f), Value::null()) << "field " << f;
  rs->move_next();
  EXPECT_TRUE(rs->eof());
}

TEST_F(dbf_table_test, field_descriptions_and_names_ignore_case) {
  auto rs = open_set(learners().write(path("learn.dbf")));
  ASSERT_EQ(rs->field_count(), 6);
  EXPECT_EQ(rs->field_name(2), QStringLiteral("MARK"));
  EXPECT_EQ(rs->field_type(2), 'N');
  EXPECT_EQ(rs->field_size(2), 5);
  EXPECT_EQ(rs->field(2).decimals, 1);
  EXPECT_EQ(rs->field_index(QStringLiteral("bOrN")), 3);
  EXPECT_EQ(rs->field_index(QStringLiteral("none")), -1);
  try {
    rs->value(QStringLiteral("none"));
    FAIL() << "no error for a missing field";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.number(), dbf_errno::field_not_found);
  }
}

// Other writers' variants of the same layout read the same.
struct variant_case {
  const char* name;
  int version;
  bool dbase4_memos;
  int header_padding;
  bool end_marker;
  QByteArray trailing;
};

class dbf_variant_test : public dbf_table_test, public ::testing::WithParamInterface<variant_case> {};

TEST_P(dbf_variant_test, reads_the_same_values) {
  const variant_case& c = GetParam();
  dbf_builder b;
  b.version(c.version).dbase4_memos(c.dbase4_memos).header_padding(c.header_padding).end_marker(c.end_marker);
  b.trailing(c.trailing);
  b.field("NR", 'N', 4).field("NAME", 'C', 8);
  const bool memo = c.version == 0x83 || c.version == 0x8B;
  if (memo) b.field("NOTE", 'M', 10);
  b.record({"12", "Zoe", "a memo"}).record({"13", "Yusuf", "another"}, true).record({"14", "Xola", ""});
  auto rs = open_set(b.write(path("v.dbf")));
  ASSERT_EQ(rs->record_count(), 2);
  EXPECT_EQ(rs->value(0), Value(12.0));
  EXPECT_EQ(rs->value(1), Value(QStringLiteral("Zoe     ")));
  if (memo) {
    EXPECT_EQ(rs->value(2), Value(QStringLiteral("a memo")));
  }
  rs->move_last();
  EXPECT_EQ(rs->value(0), Value(14.0));
  if (memo) {
    EXPECT_EQ(rs->value(2), Value::null());
  }
}

INSTANTIATE_TEST_SUITE_P(
    variants, dbf_variant_test,
    ::testing::Values(variant_case{"dbase3", 0x03, false, 0, true, {}},
                      variant_case{"dbase3_memo", 0x83, false, 0, true, {}},
                      variant_case{"dbase4_memo", 0x8B, true, 0, true, {}},
                      variant_case{"later_layout_with_backlink", 0x30, false, 263, true, {}},
                      variant_case{"padded_header", 0x03, false, 2, true, {}},
                      variant_case{"no_end_marker", 0x03, false, 0, false, {}},
                      variant_case{"end_marker_and_zero", 0x03, false, 0, true, QByteArray(1, '\0')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(dbf_table_test, an_edit_rewrites_only_the_changed_field_bytes) {
  const QString p = marks_book().write(path("marks5.dbf"));
  const QByteArray before = read_file(p);
  {
    auto rs = open_set(p, true);
    rs->move_last();
    rs->edit();
    rs->set_value(QStringLiteral("R1"), Value(QStringLiteral("9.0")));
    rs->set_value(QStringLiteral("MB_NAME"), rs->value(QStringLiteral("MB_NAME")));  // same text: not written
    rs->update();
    EXPECT_EQ(rs->value(2), Value(QStringLiteral("9.0   ")));
  }
  const QByteArray after = read_file(p);
  ASSERT_EQ(after.size(), before.size());
  const auto t = dbf_table(p, dbf_table::access::read_only);
  const qint64 r1 = t.header().header_length + t.header().record_length + t.fields()[2].offset;
  QByteArray expected = before;
  expected.replace(r1, 6, "9.0   ");
  EXPECT_EQ(km::test::hex(after), km::test::hex(expected));
  EXPECT_EQ(t.value(1, 4), Value(QString::fromLatin1("\xFF\x00\xFE\x01", 4)));  // unknown type kept
}

TEST_F(dbf_table_test, edits_of_two_writers_to_one_record_both_stay) {
  // Each writer read the record before the other wrote: writing only the
  // changed fields keeps both changes.
  const QString p = marks_book().write(path("marks5.dbf"));
  auto first = open_set(p, true);
  auto second = open_set(p, true);
  first->edit();
  first->set_value(2, Value(QStringLiteral("1.0")));
  second->edit();
  second->set_value(3, Value(QStringLiteral("2.0")));
  first->update();
  second->update();
  auto check = open_set(p);
  EXPECT_EQ(check->value(2), Value(QStringLiteral("1.0   ")));
  EXPECT_EQ(check->value(3), Value(QStringLiteral("2.0   ")));
}

TEST_F(dbf_table_test, memo_pointers_of_other_writers_stay_byte_exact) {
  dbf_builder b;
  b.field("NR", 'N', 4).field("NOTE", 'M', 10).record({"1", "kept memo"});
  const QString p = b.write(path("notes.dbf"));
  QByteArray bytes = read_file(p);
  const int at = 32 + 2 * 32 + 1 + 1 + 4;
  ASSERT_EQ(bytes.mid(at, 10), QByteArray("         1"));
  bytes.replace(at, 10, "0000000001");  // another writer's spelling of block 1
  QFile f(p);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
  f.close();
  {
    auto rs = open_set(p, true);
    EXPECT_EQ(rs->value(1), Value(QStringLiteral("kept memo")));
    rs->edit();
    rs->set_value(0, Value(2.0));
    rs->update();
  }
  QByteArray expected = bytes;
  expected.replace(at - 4, 4, "   2");
  EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(expected));
}

TEST_F(dbf_table_test, a_memo_edit_appends_a_block_and_keeps_the_old_memos) {
  const QString p = learners().write(path("learn.dbf"));
  const QString memo = path("learn.dbt");
  const QByteArray dbf_before = read_file(p);
  const QByteArray dbt_before = read_file(memo);
  {
    auto rs = open_set(p, true);
    rs->edit();
    rs->set_value(5, Value(QStringLiteral("changed note")));
    EXPECT_EQ(rs->value(5), Value(QStringLiteral("changed note")));  // the edit buffer
    rs->update();
    EXPECT_EQ(rs->value(5), Value(QStringLiteral("changed note")));
  }
  const QByteArray dbt_after = read_file(memo);
  ASSERT_EQ(dbt_after.size(), dbt_before.size() + 512);
  EXPECT_EQ(dbt_after.mid(4, dbt_before.size() - 4), dbt_before.mid(4));  // old memos untouched
  const quint32 next = quint32(quint8(dbt_after[0])) | quint32(quint8(dbt_after[1])) << 8;
  EXPECT_EQ(next, quint32(dbt_after.size() / 512));
  EXPECT_EQ(dbt_after.mid(dbt_before.size(), 14), QByteArray("changed note\x1A\x1A"));

  const QByteArray dbf_after = read_file(p);
  const auto t = dbf_table(p, dbf_table::access::read_only);
  const qint64 at = t.header().header_length + t.fields()[5].offset;
  QByteArray expected = dbf_before;
  expected.replace(at, 10, QByteArray::number(dbt_before.size() / 512).rightJustified(10, ' '));
  EXPECT_EQ(km::test::hex(dbf_after), km::test::hex(expected));
  EXPECT_EQ(t.value(2, 5), Value(QStringLiteral("line one\r\nline two")));
}

TEST_F(dbf_table_test, a_memo_file_whose_header_points_past_its_end_gets_the_memo_at_its_end) {
  const QString p = learners().write(path("learn.dbf"));
  const QString memo = path("learn.dbt");
  QByteArray dbt_before = read_file(memo);
  dbt_before.replace(0, 4, QByteArray("\xF0\xFF\xFF\x0F", 4));  // next free block 268435440
  {
    QFile f(memo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dbt_before);
  }
  {
    auto rs = open_set(p, true);
    rs->edit();
    rs->set_value(5, Value(QStringLiteral("changed note")));
    rs->update();
  }
  const QByteArray dbt_after = read_file(memo);
  ASSERT_EQ(dbt_after.size(), dbt_before.size() + 512);
  EXPECT_EQ(dbt_after.mid(dbt_before.size(), 14), QByteArray("changed note\x1A\x1A"));
  EXPECT_EQ(open_set(p)->value(5), Value(QStringLiteral("changed note")));
}

TEST_F(dbf_table_test, numbers_are_written_right_aligned_with_their_decimals) {
  struct number_case {
    double x;
    int width, decimals;
    const char* bytes;
  };
  const number_case cases[] = {
      {7, 5, 1, "  7.0"},        {12.25, 6, 1, "  12.3"}, {0.35, 4, 1, " 0.4"},   {-0.04, 4, 1, " 0.0"},
      {2.675, 6, 2, "  2.68"},   {1e6, 7, 0, "1000000"},  {-12, 4, 0, " -12"},    {99.95, 5, 1, "100.0"},
      {0.0004, 7, 5, "0.00040"}, {101, 6, 0, "   101"},   {-1.25, 5, 1, " -1.3"},
  };
  for (const auto& c : cases) {
    km::platform::dbf_field f{QStringLiteral("N"), 'N', c.width, c.decimals, 1};
    EXPECT_EQ(km::platform::encode_dbf_field(f, Value(c.x)), QByteArray(c.bytes)) << c.x;
  }
  km::platform::dbf_field f{QStringLiteral("N"), 'N', 5, 1, 1};
  EXPECT_EQ(km::platform::encode_dbf_field(f, Value(QStringLiteral("7.0"))), QByteArray("  7.0"));
  EXPECT_EQ(km::platform::encode_dbf_field(f, Value(QStringLiteral("   "))), QByteArray("     "));
  EXPECT_EQ(km::platform::encode_dbf_field(f, Value::null()), QByteArray("     "));
}

TEST_F(dbf_table_test, a_number_that_does_not_fit_is_an_error_and_nothing_is_written) {
  const QString p = learners().write(path("learn.dbf"));
  const QByteArray before = read_file(p);
  auto rs = open_set(p, true);
  rs->edit();
  for (double x : {1234.5, 999.95, -999.9}) {
    try {
      rs->set_value(QStringLiteral("MARK"), Value(x));
      FAIL() << x << " was accepted";
    } catch (const dbf_error& e) {
      EXPECT_EQ(e.kind(), dbf_error_kind::other);
      EXPECT_EQ(e.number(), dbf_errno::numeric_overflow) << x;
    }
  }
  EXPECT_EQ(rs->value(QStringLiteral("MARK")), Value(7.5));  // the buffer is unchanged
  try {
    rs->set_value(QStringLiteral("NAME"), Value(QStringLiteral("Annabel-Louise")));
    FAIL() << "a text longer than its field was accepted";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.number(), dbf_errno::field_too_small);
  }
  try {
    rs->set_value(QStringLiteral("MARK"), Value(QStringLiteral("A")));
    FAIL() << "a letter was accepted in a number field";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.number(), dbf_errno::conversion);
  }
  rs->set_value(QStringLiteral("NAME"), Value(QStringLiteral("Anna          ")));  // extra blanks only: fits
  rs->update();
  EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(before));
}

TEST_F(dbf_table_test, an_append_updates_count_date_and_end_marker) {
  km::platform::fake_clock clk(table_days_of(2024, 2, 29) + 0.5);
  km::platform::scoped_clock use(clk);
  dbf_builder b = marks_book();
  b.end_marker(false);
  const QString p = b.write(path("marks5.dbf"));
  const QByteArray before = read_file(p);
  {
    auto rs = open_set(p, true);
    rs->add_new();
    rs->set_value(0, Value(103.0));
    rs->set_value(1, Value(QStringLiteral("CELE C")));
    rs->update();
    EXPECT_EQ(rs->record_count(), 3);
    EXPECT_EQ(rs->absolute_position(), 2);
    EXPECT_EQ(rs->value(1), Value(QStringLiteral("CELE C              ")));
  }
  const QByteArray after = read_file(p);
  QByteArray expected = before;
  expected[1] = char(124);
  expected[2] = char(2);
  expected[3] = char(29);
  expected[4] = char(3);
  expected += QByteArray(" ") + "   103" + "CELE C" + QByteArray(14 + 6 + 6 + 4, ' ');
  expected += '\x1A';
  EXPECT_EQ(km::test::hex(after), km::test::hex(expected));
}

TEST_F(dbf_table_test, a_write_counts_the_characters_it_stored_as_base_letters) {
  const QString p = learners().write(path("learn.dbf"));
  auto rs = open_set(p, true);
  rs->add_new();
  rs->set_value(QStringLiteral("NAME"), Value(QString::fromUtf8("Mu\u1E13o \u1E70\u0142")));  // d, T, ?
  rs->set_value(QStringLiteral("NOTE"), Value(QString::fromUtf8("Ia\u0219i")));               // s
  rs->set_value(QStringLiteral("NR"), Value(9.0));
  EXPECT_EQ(rs->replaced_characters(), 4);
  rs->update();
  EXPECT_EQ(rs->replaced_characters(), 4);  // of the record just written
  EXPECT_EQ(rs->value(QStringLiteral("NAME")), Value(QStringLiteral("Mudo T?     ")));
  EXPECT_EQ(rs->value(QStringLiteral("NOTE")), Value(QStringLiteral("Iasi")));

  rs->edit();
  EXPECT_EQ(rs->replaced_characters(), 0);
  rs->set_value(QStringLiteral("NAME"), Value(QString::fromUtf8("\u1E13\u1E13")));
  rs->set_value(QStringLiteral("NAME"), Value(QString::fromUtf8("Anna \u1E13")));  // the last text counts
  EXPECT_EQ(rs->replaced_characters(), 1);
  rs->update();
  EXPECT_EQ(open_set(p)->table().value(4, 1), Value(QStringLiteral("Anna d      ")));
}

TEST_F(dbf_table_test, a_date_the_header_cannot_hold_keeps_the_old_date) {
  km::platform::fake_clock clk(table_days_of(2160, 1, 2));  // past 1900 + 255
  km::platform::scoped_clock use(clk);
  dbf_builder b = marks_book();
  b.date(2001, 5, 6);
  const QString p = b.write(path("marks5.dbf"));
  {
    auto rs = open_set(p, true);
    rs->add_new();
    rs->update();
  }
  const QByteArray appended = read_file(p);
  EXPECT_EQ(km::test::hex(appended.mid(1, 4)), km::test::hex(QByteArray("\x65\x05\x06\x03", 4)));

  km::platform::pack_dbf_table(p);
  const QByteArray packed = read_file(p);
  EXPECT_EQ(km::test::hex(packed.mid(1, 4)), km::test::hex(QByteArray("\x65\x05\x06\x03", 4)));
}

TEST_F(dbf_table_test, appends_of_two_writers_in_one_program_do_not_overwrite_each_other) {
  const QString p = marks_book().write(path("marks5.dbf"));
  auto first = open_set(p, true);
  auto second = open_set(p, true);  // the same program may open a table twice
  first->add_new();
  first->set_value(1, Value(QStringLiteral("FIRST")));
  first->update();
  second->add_new();
  second->set_value(1, Value(QStringLiteral("SECOND")));
  second->update();
  auto check = open_set(p);
  ASSERT_EQ(check->record_count(), 4);
  check->move_last();
  EXPECT_EQ(check->value(1), Value(QStringLiteral("SECOND              ")));
  check->move_previous();
  EXPECT_EQ(check->value(1), Value(QStringLiteral("FIRST               ")));
}

TEST_F(dbf_table_test, memos_of_two_writers_in_one_program_do_not_overwrite_each_other) {
  const QString p = learners().write(path("learn.dbf"));
  auto first = open_set(p, true);
  auto second = open_set(p, true);
  first->add_new();
  first->set_value(5, Value(QStringLiteral("memo of the first")));
  first->update();
  second->add_new();
  second->set_value(0, Value(7.0));
  second->update();
  // the second writer took in the first one's record and reads its memo
  EXPECT_EQ(second->table().value(4, 5), Value(QStringLiteral("memo of the first")));
  second->edit();
  second->set_value(5, Value(QStringLiteral("memo of the second")));
  second->update();
  auto check = open_set(p);
  ASSERT_EQ(check->record_count(), 5);
  check->move_last();
  EXPECT_EQ(check->value(5), Value(QStringLiteral("memo of the second")));
  check->move_previous();
  EXPECT_EQ(check->value(5), Value(QStringLiteral("memo of the first")));
}

TEST_F(dbf_table_test, an_append_the_disk_cannot_hold_leaves_the_table_whole) {
  const QString p = marks_book().write(path("marks5.dbf"));
  const QByteArray before = read_file(p);
  auto rs = open_set(p, true);
  rs->add_new();
  rs->set_value(1, Value(QStringLiteral("NO ROOM")));
  // Files may grow by 10 bytes only: the record is cut off part way.
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit small = old_limit;
  small.rlim_cur = rlim_t(before.size() + 10);
  ::setrlimit(RLIMIT_FSIZE, &small);
  int number = 0;
  try {
    rs->update();
  } catch (const dbf_error& e) {
    number = e.number();
  }
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(number, dbf_errno::disk_error);
  EXPECT_EQ(rs->mode(), recordset::edit_mode::adding);  // the edit stays open
  EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(before));
  EXPECT_EQ(open_set(p)->record_count(), 2);
}

TEST_F(dbf_table_test, an_append_after_an_interrupted_one_takes_its_place) {
  // The interrupted append wrote its record and end marker but not the count.
  dbf_builder b = marks_book();
  b.record({"103", "LOST L"}).record_count(2);
  const QString p = b.write(path("marks5.dbf"));
  {
    auto rs = open_set(p, true);
    ASSERT_EQ(rs->record_count(), 2);
    rs->add_new();
    rs->set_value(1, Value(QStringLiteral("CELE C")));
    rs->update();
  }
  auto check = open_set(p);
  ASSERT_EQ(check->record_count(), 3);
  check->move_last();
  EXPECT_EQ(check->value(1), Value(QStringLiteral("CELE C              ")));
  EXPECT_EQ(read_file(p).size(), check->table().header().data_end() + 1);
}

TEST_F(dbf_table_test, a_deletion_sets_the_deletion_byte_and_keeps_the_count) {
  const QString p = marks_book().write(path("marks5.dbf"));
  const QByteArray before = read_file(p);
  {
    auto rs = open_set(p, true);
    rs->delete_current();
    EXPECT_EQ(rs->record_count(), 1);
    EXPECT_THROW(rs->value(0), dbf_error);  // no current record until the cursor moves
    rs->move_next();
    EXPECT_EQ(rs->value(0), Value(102.0));
  }
  QByteArray expected = before;
  const auto t = dbf_table(p, dbf_table::access::read_only);
  expected[t.header().header_length] = '*';
  EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(expected));
  EXPECT_EQ(open_set(p)->record_count(), 1);
}

TEST_F(dbf_table_test, a_read_only_table_refuses_changes) {
  auto rs = open_set(marks_book().write(path("marks5.dbf")));
  for (auto step : {&recordset::edit, &recordset::add_new, &recordset::delete_current}) {
    try {
      ((*rs).*step)();
      FAIL() << "a change was allowed";
    } catch (const dbf_error& e) {
      EXPECT_EQ(e.kind(), dbf_error_kind::read_only);
      EXPECT_EQ(e.number(), dbf_errno::read_only);
    }
  }
}

QStringList leftovers(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST_F(dbf_table_test, a_rebuild_on_the_template_keeps_the_given_records_only) {
  km::platform::fake_clock clk(table_days_of(2023, 7, 1));
  km::platform::scoped_clock use(clk);
  dbf_builder tpl;
  tpl.field("MB_T_NR", 'N', 6)
      .field("MB_NAME", 'C', 20)
      .field("R1", 'C', 6)
      .field("R2", 'C', 6)
      .field("BIN", 'I', 4);
  tpl.date(2001, 1, 1);
  const QString template_path = tpl.write(path("mrk_book.org"));
  const QString table = marks_book().write(path("marks5.dbf"));

  km::platform::rebuild_dbf_table(
      table, template_path,
      {{Value(QStringLiteral("101")), Value(QStringLiteral("ADAMS A")), Value(QStringLiteral("7.0")), Value(),
        Value(), Value(QStringLiteral("dropped"))},
       {Value(102.0), Value(QStringLiteral("BOTHA B"))}});

  dbf_builder expected = tpl;
  expected.date(2023, 7, 1).record({"101", "ADAMS A", "7.0"}).record({"102", "BOTHA B"});
  EXPECT_EQ(km::test::hex(read_file(table)), km::test::hex(expected.dbf()));
  EXPECT_EQ(leftovers(dir.path()),
            (QStringList{QStringLiteral("marks5.dbf"), QStringLiteral("mrk_book.org")}));
}

// A value copied into a field of the same definition keeps its bytes, even
// where writing it again as a number would change or refuse it; a field
// whose definition changes is read and written again.
TEST_F(dbf_table_test, a_rebuild_copies_fields_of_the_same_definition_byte_for_byte) {
  struct copy_case {
    const char* name;
    char type;
    int width, decimals;
    QByteArray stored;
    char to_type;
    int to_width, to_decimals;
    QByteArray written;  // "" when the rebuild is refused
  };
  const copy_case cases[] = {
      {"wider_than_its_decimals_allow", 'N', 5, 1, "12345", 'N', 5, 1, "12345"},
      {"decimals_a_whole_field_has", 'N', 6, 0, "  12.7", 'N', 6, 0, "  12.7"},
      {"damaged_number_kept_as_it_is", 'N', 5, 0, "  1e3", 'N', 5, 0, "  1e3"},
      {"text_kept_as_it_is", 'C', 4, 0, "A\xFF B", 'C', 4, 0, "A\xFF B"},
      {"more_decimals", 'N', 5, 1, "12345", 'N', 8, 2, "12345.00"},
      {"whole_field_rounds", 'N', 6, 1, "  12.7", 'N', 4, 0, "  13"},
      {"number_to_text", 'N', 6, 1, "  12.7", 'C', 6, 0, "12.7  "},
      {"too_wide_for_the_new_field", 'N', 5, 1, "12345", 'N', 5, 2, ""},
      {"damaged_number_to_a_new_field", 'N', 5, 0, "  1e3", 'N', 6, 0, ""},
  };
  for (const copy_case& c : cases) {
    SCOPED_TRACE(c.name);
    dbf_builder old;
    old.field("V", c.type, c.width, c.decimals).raw_record(' ' + c.stored);
    const QString old_path = old.write(path("old.dbf"));
    dbf_builder tpl;
    tpl.field("V", c.to_type, c.to_width, c.to_decimals);
    const QString tpl_path = tpl.write(path("tpl.org"));
    const QString table = tpl.write(path("new.dbf"));
    const QByteArray before = read_file(table);
    std::vector<std::vector<km::platform::dbf_cell>> rows;
    {
      const dbf_table t(old_path, dbf_table::access::read_only);
      rows.push_back({km::platform::dbf_cell::stored(t, 0, 0)});
    }
    if (c.written.isEmpty()) {
      EXPECT_THROW(km::platform::rebuild_dbf_table(table, tpl_path, rows), dbf_error);
      EXPECT_EQ(read_file(table), before);
      continue;
    }
    km::platform::rebuild_dbf_table(table, tpl_path, rows);
    const dbf_table t(table, dbf_table::access::read_only);
    ASSERT_EQ(t.record_count(), 1u);
    EXPECT_EQ(t.record_bytes(0), ' ' + c.written);
  }
}

TEST_F(dbf_table_test, a_number_field_holds_blanks_a_sign_digits_and_one_point) {
  struct read_case {
    const char* bytes;
    std::optional<double> number;  // none: damaged
  };
  const read_case cases[] = {
      {"  12.5", 12.5},  {"    -3", -3}, {"    +4", 4},  {"  -.5 ", -0.5}, {"   5. ", 5},  {"000007", 7},
      {"\0\0\0 12", 12}, {"   1e3", {}}, {"  -inf", {}}, {"   nan", {}},   {" 1.2.3", {}}, {"   1 2", {}},
      {"  --1 ", {}},    {"     -", {}}, {"     .", {}}, {"*****1", {}},   {"  0x10", {}}, {"  1,5 ", {}},
      {"  12-3", {}},    {"  +-1 ", {}}, {"  *-3 ", {}},
  };
  const km::platform::dbf_field f{QStringLiteral("MARK"), 'N', 6, 1, 1};
  for (const read_case& c : cases) {
    const QByteArray bytes(c.bytes, 6);
    double x = 0;
    EXPECT_EQ(km::platform::parse_dbf_number(bytes.constData(), 6, x), c.number.has_value()) << c.bytes;
    if (c.number) {
      EXPECT_EQ(x, *c.number) << c.bytes;
      EXPECT_EQ(km::platform::decode_dbf_field(f, bytes.constData()), Value(*c.number)) << c.bytes;
      continue;
    }
    try {
      km::platform::decode_dbf_field(f, bytes.constData());
      FAIL() << c.bytes << " was read as a number";
    } catch (const dbf_error& e) {
      EXPECT_EQ(e.kind(), dbf_error_kind::bad_format) << c.bytes;
      EXPECT_TRUE(e.text().contains(QStringLiteral("'MARK' holds '%1', which is not a number")
                                        .arg(QString::fromLatin1(c.bytes).trimmed())))
          << e.text().toStdString();
    }
  }
  EXPECT_EQ(km::platform::decode_dbf_field(f, "      "), Value::null());
}

// Asterisks are what a number that did not fit its width leaves behind (and
// what some writers put for an empty number): the field is empty, the table
// is not damaged.
TEST_F(dbf_table_test, a_number_field_of_asterisks_reads_as_null) {
  const km::platform::dbf_field f{QStringLiteral("MARK"), 'N', 6, 1, 1};
  for (const char* bytes : {"******", "  ****", "***   ", "   *  "}) {
    double x = 0;
    EXPECT_FALSE(km::platform::parse_dbf_number(bytes, 6, x)) << bytes;
    EXPECT_EQ(km::platform::decode_dbf_field(f, bytes), Value::null()) << bytes;
  }
  dbf_builder b;
  b.field("NR", 'N', 4).field("MARK", 'N', 6, 1).record({"1", "  12.5"}).record({"2", "******"});
  const dbf_table t(b.write(path("t.dbf")), dbf_table::access::read_only);
  EXPECT_EQ(t.value(0, 1), Value(12.5));
  EXPECT_EQ(t.value(1, 0), Value(2.0));
  EXPECT_EQ(t.value(1, 1), Value::null());
}

TEST_F(dbf_table_test, a_damaged_number_names_its_table_and_record) {
  dbf_builder b;
  b.field("NR", 'N', 4).record({"1"}).record({"1e3"});
  const dbf_table t(b.write(path("t.dbf")), dbf_table::access::read_only);
  EXPECT_EQ(t.value(0, 0), Value(1.0));
  try {
    t.value(1, 0);
    FAIL() << "1e3 was read as a number";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.number(), dbf_errno::bad_format);
    EXPECT_EQ(e.text(), QStringLiteral("Table 't.dbf' is damaged: record 2: Field 'NR' holds '1e3', which is "
                                       "not a number: a number field holds blanks, a sign, digits and one "
                                       "point"));
  }
}

TEST_F(dbf_table_test, a_failed_rebuild_leaves_the_old_table_as_it_was) {
  dbf_builder tpl;
  tpl.field("MB_T_NR", 'N', 6).field("MB_NAME", 'C', 5);
  const QString template_path = tpl.write(path("mrk_book.org"));
  const QString table = marks_book().write(path("marks5.dbf"));
  const QByteArray before = read_file(table);
  EXPECT_THROW(km::platform::rebuild_dbf_table(table, template_path,
                                               {{Value(101.0), Value(QStringLiteral("A NAME TOO LONG"))}}),
               dbf_error);
  EXPECT_THROW(km::platform::rebuild_dbf_table(table, path("missing.org"), {}), dbf_error);
  EXPECT_EQ(read_file(table), before);
  EXPECT_EQ(leftovers(dir.path()),
            (QStringList{QStringLiteral("marks5.dbf"), QStringLiteral("mrk_book.org")}));
}

TEST_F(dbf_table_test, packing_removes_deleted_records_and_keeps_the_memos) {
  const QString p = learners().write(path("learn.dbf"));
  const QByteArray memo_before = read_file(path("learn.dbt"));
  km::platform::pack_dbf_table(p);
  const dbf_table t(p, dbf_table::access::read_only);
  EXPECT_EQ(t.record_count(), 3u);
  EXPECT_EQ(t.value(1, 1), Value(QStringLiteral("Ci\u00EBl        ")));
  EXPECT_EQ(t.value(1, 5), Value(QStringLiteral("line one\r\nline two")));
  EXPECT_EQ(read_file(path("learn.dbt")), memo_before);
  EXPECT_EQ(read_file(p).size(), t.header().data_end() + 1);
}

// Smit, a deleted Jansen and Botha, each with a memo: header 32 + 3 x 32 + 1
// bytes, records 1 + 6 + 12 + 10 bytes.
constexpr int k_three_header = 129;
constexpr int k_three_record = 29;
dbf_builder smit_jansen_botha() {
  dbf_builder b;
  b.field("NR", 'N', 6).field("NAME", 'C', 12).field("NOTE", 'M', 10).date(2001, 5, 6);
  b.record({"1", "Smit", "memo of Smit"});
  b.record({"2", "Jansen", "memo of Jansen"}, true);
  b.record({"3", "Botha", "memo of Botha"});
  return b;
}

TEST_F(dbf_table_test, a_reorder_moves_the_live_records_and_leaves_deleted_ones_in_their_slots) {
  km::platform::fake_clock clk(table_days_of(2024, 2, 29) + 0.5);
  km::platform::scoped_clock use(clk);
  const QString p = smit_jansen_botha().write(path("learn.dbf"));
  const QByteArray before = read_file(p);
  const QByteArray memo_before = read_file(path("learn.dbt"));
  const auto record = [&](int r) { return before.mid(k_three_header + r * k_three_record, k_three_record); };
  ASSERT_EQ(before.size(), k_three_header + 3 * k_three_record + 1);

  std::vector<std::pair<std::uint32_t, std::uint32_t>> progress;
  km::platform::reorder_dbf_records(
      p, {2, 0}, [&](std::uint32_t placed, std::uint32_t total) { progress.emplace_back(placed, total); });

  QByteArray expected = before.left(k_three_header);
  expected[1] = char(124);  // 2024 - 1900
  expected[2] = char(2);
  expected[3] = char(29);
  expected += record(2) + record(1) + record(0) + '\x1A';
  EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(expected));
  EXPECT_EQ(read_file(path("learn.dbt")), memo_before);
  EXPECT_EQ(progress, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(leftovers(dir.path()), (QStringList{QStringLiteral("learn.dbf"), QStringLiteral("learn.dbt")}));

  // Another reader sees each memo still with its own record.
  ASSERT_TRUE(km::test::python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
  QStringList rows;
  for (const QJsonValue& row : km::test::python_dbf_dump(p)[QStringLiteral("rows")].toArray()) {
    const QJsonArray cells = row.toArray();
    rows << QStringLiteral("%1|%2|%3|%4")
                .arg(cells[0].toBool() ? QStringLiteral("deleted") : QStringLiteral("live"))
                .arg(cells[1].toDouble())
                .arg(cells[2].toString().trimmed(), cells[3].toString());
  }
  EXPECT_EQ(rows, (QStringList{QStringLiteral("live|3|Botha|memo of Botha"),
                               QStringLiteral("deleted|2|Jansen|memo of Jansen"),
                               QStringLiteral("live|1|Smit|memo of Smit")}));
}

TEST_F(dbf_table_test, a_reorder_that_cannot_be_done_leaves_the_table_as_it_was) {
  struct refused_case {
    const char* name;
    std::vector<std::uint32_t> order;
    bool failing_rename = false;
    dbf_error_kind kind = dbf_error_kind::other;
  };
  const refused_case cases[] = {
      {"a_live_record_left_out", {2}},    {"a_record_too_many", {2, 0, 0}},
      {"a_deleted_record_named", {2, 1}}, {"a_record_named_twice", {0, 0}},
      {"a_record_past_the_end", {3, 0}},  {"the_rename_fails", {2, 0}, true, dbf_error_kind::disk_error},
  };
  for (const refused_case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString p = smit_jansen_botha().write(path("learn.dbf"));
    const QByteArray before = read_file(p);
    if (c.failing_rename)
      km::platform::set_file_fault_hook([](km::platform::file_step step, const QString&) {
        if (step == km::platform::file_step::table_rename)
          throw km::platform::file_error(km::platform::file_error::kind::other, {},
                                         QStringLiteral("injected"));
      });
    try {
      km::platform::reorder_dbf_records(p, c.order);
      ADD_FAILURE() << "the reorder went through";
    } catch (const dbf_error& e) {
      EXPECT_EQ(e.kind(), c.kind) << e.text().toStdString();
    }
    km::platform::set_file_fault_hook({});
    EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(before));
    EXPECT_EQ(leftovers(dir.path()), (QStringList{QStringLiteral("learn.dbf"), QStringLiteral("learn.dbt")}));
  }
}

TEST_F(dbf_table_test, a_table_another_program_writes_is_not_reordered) {
  const QString p = smit_jansen_botha().write(path("learn.dbf"));
  const QByteArray before = read_file(p);
  km::test::lock_holder holder(p);
  ASSERT_TRUE(holder.locked());
  try {
    km::platform::reorder_dbf_records(p, {2, 0});
    FAIL() << "a locked table was reordered";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::in_use);
  }
  EXPECT_EQ(read_file(p), before);
}

TEST_F(dbf_table_test, a_new_table_has_a_header_and_end_marker_only) {
  km::platform::fake_clock clk(table_days_of(2019, 11, 5));
  km::platform::scoped_clock use(clk);
  const QString p = path("new.dbf");
  km::platform::create_dbf_table(p, {{QStringLiteral("NR"), 'N', 6, 0, 0},
                                     {QStringLiteral("NAME"), 'C', 30, 0, 0},
                                     {QStringLiteral("NOTE"), 'M', 10, 0, 0}});
  dbf_builder expected;
  expected.field("NR", 'N', 6).field("NAME", 'C', 30).field("NOTE", 'M', 10).date(2019, 11, 5);
  QByteArray want = expected.dbf();
  want[29] = 0x03;  // language driver: Windows ANSI
  EXPECT_EQ(km::test::hex(read_file(p)), km::test::hex(want));
  const QByteArray memo = read_file(path("new.dbt"));
  ASSERT_EQ(memo.size(), 512);
  EXPECT_EQ(memo.left(4), QByteArray("\x01\x00\x00\x00", 4));
  EXPECT_EQ(open_set(p)->record_count(), 0);
  // Both files are made like any new file: read and write as far as the
  // umask lets through, so the other programs can read them too.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  for (const QString& f : {p, path("new.dbt")}) {
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(f).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << f.toStdString();
  }
}

}  // namespace
