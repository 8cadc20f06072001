// The data control over the drive map and its record set: opening by
// Windows folder and table name, the failures the callers tell apart, and
// the cursor, edit and delete rules of the record set.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"

namespace {

using km::platform::data_control;
using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::recordset;
using km::platform::Value;
using km::test::dbf_builder;
namespace dbf_errno = km::platform::dbf_errno;

// Five live learners and one deleted between the second and third.
dbf_builder five_learners() {
  dbf_builder b;
  b.field("MB_T_NR", 'N', 6).field("MB_NAME", 'C', 20).field("R1", 'C', 6);
  b.record({"1", "ANNA"}).record({"2", "BEN", "5.0"}).record({"9", "GONE"}, true);
  b.record({"3", "CARL"}).record({"4", "DINA"}).record({"5", "EBEN"});
  return b;
}

// The engine error number a step fails with (0 when it does not fail).
template <typename F>
int error_of(F&& step) {
  try {
    step();
  } catch (const dbf_error& e) {
    return e.number();
  }
  return 0;
}

class dbf_data_control_test : public km::test::temp_drives_test {
 protected:
  void SetUp() override {
    drives.write_native(QStringLiteral("C/Data/Marks5.DBF"), five_learners().dbf());
    control.set_database_name(QStringLiteral("C:\\DATA"));
    control.set_record_source(QStringLiteral("marks5.dbf"));
  }
  QString native_table() const { return drives.base() + QStringLiteral("/C/Data/Marks5.DBF"); }
  data_control control;
};

TEST_F(dbf_data_control_test, opens_a_table_by_windows_folder_and_name) {
  EXPECT_EQ(control.connect(), QStringLiteral("dBASE III;"));
  control.refresh();
  ASSERT_TRUE(control.has_recordset());
  recordset& rs = control.recordset();
  EXPECT_EQ(rs.record_count(), 5);
  EXPECT_FALSE(rs.bof());
  EXPECT_FALSE(rs.eof());
  EXPECT_EQ(rs.value(QStringLiteral("mb_name")), Value(QStringLiteral("ANNA").leftJustified(20)));
  EXPECT_EQ(control.table_path(), native_table());

  control.set_record_source(QStringLiteral("MARKS5"));  // no extension: .dbf
  control.refresh();
  EXPECT_EQ(control.recordset().record_count(), 5);
}

TEST_F(dbf_data_control_test, failures_carry_the_engine_numbers) {
  control.set_record_source(QStringLiteral("marks6.dbf"));
  EXPECT_EQ(error_of([&] { control.refresh(); }), dbf_errno::not_found);
  EXPECT_FALSE(control.has_recordset());

  control.set_record_source(QStringLiteral("marks5.dbf"));
  control.set_database_name(QStringLiteral("C:\\NOWHERE"));
  EXPECT_EQ(error_of([&] { control.refresh(); }), dbf_errno::not_found);
  control.set_database_name(QStringLiteral("Q:\\DATA"));  // a drive that is not mapped
  EXPECT_EQ(error_of([&] { control.refresh(); }), dbf_errno::not_found);

  drives.write_native(QStringLiteral("C/Data/broken.dbf"), five_learners().record_count(9).dbf());
  control.set_database_name(QStringLiteral("C:\\DATA"));
  control.set_record_source(QStringLiteral("broken.dbf"));
  EXPECT_EQ(error_of([&] { control.refresh(); }), dbf_errno::bad_format);

  drives.write_native(QStringLiteral("C/Data/empty.dbf"), {});
  control.set_record_source(QStringLiteral("empty.dbf"));
  EXPECT_EQ(error_of([&] { control.refresh(); }), dbf_errno::unreadable);

  control.set_record_source(QStringLiteral("marks5.dbf"));
  control.set_connect(QStringLiteral("Excel 8.0;"));
  try {
    control.refresh();
    FAIL() << "a foreign connect string was accepted";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::other);
  }
}

TEST_F(dbf_data_control_test, a_read_only_control_reads_but_does_not_write) {
  control.set_read_only(true);
  control.refresh();
  recordset& rs = control.recordset();
  EXPECT_FALSE(rs.updatable());
  EXPECT_EQ(error_of([&] { rs.edit(); }), dbf_errno::read_only);
  EXPECT_EQ(error_of([&] { rs.add_new(); }), dbf_errno::read_only);
  EXPECT_EQ(km::test::read_native_file(native_table()), five_learners().dbf());
}

TEST_F(dbf_data_control_test, closing_drops_the_record_set_and_refresh_sees_new_records) {
  QSignalSpy changed(&control, &data_control::recordset_changed);
  control.refresh();
  EXPECT_EQ(changed.count(), 1);
  {
    data_control other;
    other.set_database_name(QStringLiteral("c:\\data\\"));
    other.set_record_source(QStringLiteral("MARKS5.DBF"));
    other.refresh();
    other.recordset().add_new();
    other.recordset().set_value(0, Value(6.0));
    other.recordset().update();
  }
  EXPECT_EQ(control.recordset().record_count(), 5);  // as read when opened
  control.refresh();
  EXPECT_EQ(control.recordset().record_count(), 6);
  control.close_database();
  EXPECT_FALSE(control.has_recordset());
  EXPECT_EQ(error_of([&] { control.recordset(); }), 3420);
  EXPECT_EQ(changed.count(), 4);  // refresh closes, then opens
}

TEST_F(dbf_data_control_test, the_cursor_walks_the_live_records) {
  control.refresh();
  recordset& rs = control.recordset();
  QStringList names;
  for (rs.move_first(); !rs.eof(); rs.move_next()) names << rs.value(1).as_text().trimmed();
  EXPECT_EQ(names, (QStringList{"ANNA", "BEN", "CARL", "DINA", "EBEN"}));
  EXPECT_EQ(rs.absolute_position(), -1);
  EXPECT_EQ(error_of([&] { rs.move_next(); }), dbf_errno::no_current_record);
  EXPECT_EQ(error_of([&] { rs.value(0); }), dbf_errno::no_current_record);

  rs.move_last();
  EXPECT_EQ(rs.absolute_position(), 4);
  EXPECT_EQ(rs.record_number(), 5u);  // the deleted record still has its place in the file
  rs.move(-2);
  EXPECT_EQ(rs.value(0), Value(3.0));
  rs.move(-10);
  EXPECT_TRUE(rs.bof());
  EXPECT_FALSE(rs.eof());
  EXPECT_EQ(error_of([&] { rs.move_previous(); }), dbf_errno::no_current_record);
  rs.move_next();
  EXPECT_EQ(rs.value(0), Value(1.0));
  rs.move(10);
  EXPECT_TRUE(rs.eof());
  rs.move_previous();
  EXPECT_EQ(rs.value(0), Value(5.0));
  rs.set_absolute_position(1);
  EXPECT_EQ(rs.value(0), Value(2.0));
  EXPECT_EQ(error_of([&] { rs.set_absolute_position(5); }), dbf_errno::no_current_record);
}

TEST_F(dbf_data_control_test, an_empty_table_stands_at_both_ends) {
  drives.write_native(QStringLiteral("C/Data/none.dbf"),
                      dbf_builder().field("MB_T_NR", 'N', 6).field("MB_NAME", 'C', 20).dbf());
  control.set_record_source(QStringLiteral("none.dbf"));
  control.refresh();
  recordset& rs = control.recordset();
  EXPECT_EQ(rs.record_count(), 0);
  EXPECT_TRUE(rs.bof());
  EXPECT_TRUE(rs.eof());
  EXPECT_EQ(error_of([&] { rs.move_first(); }), dbf_errno::no_current_record);
  EXPECT_EQ(error_of([&] { rs.edit(); }), dbf_errno::no_current_record);
  rs.add_new();
  rs.set_value(QStringLiteral("MB_T_NR"), Value(1.0));
  rs.update();
  EXPECT_EQ(rs.record_count(), 1);
  EXPECT_FALSE(rs.eof());
  EXPECT_EQ(rs.value(0), Value(1.0));
}

TEST_F(dbf_data_control_test, edits_follow_edit_update_and_cancel) {
  control.refresh();
  recordset& rs = control.recordset();
  EXPECT_EQ(error_of([&] { rs.set_value(2, Value(QStringLiteral("1.0"))); }), dbf_errno::not_editing);
  EXPECT_EQ(error_of([&] { rs.update(); }), dbf_errno::not_editing);

  rs.edit();
  rs.set_value(2, Value(QStringLiteral("8.0")));
  EXPECT_EQ(rs.value(2), Value(QStringLiteral("8.0   ")));
  rs.cancel_update();
  EXPECT_EQ(rs.value(2), Value::null());

  rs.edit();
  rs.set_value(2, Value(QStringLiteral("8.0")));
  rs.move_next();  // moving drops the edit
  rs.move_previous();
  EXPECT_EQ(rs.value(2), Value::null());

  rs.edit();
  rs.set_value(2, Value(QStringLiteral("8.0")));
  rs.update();
  control.refresh();
  EXPECT_EQ(control.recordset().value(2), Value(QStringLiteral("8.0   ")));
}

TEST_F(dbf_data_control_test, after_a_delete_the_next_move_goes_on_from_the_gap) {
  control.refresh();
  recordset& rs = control.recordset();
  // Delete every learner with an even number, walking the set once.
  for (rs.move_first(); !rs.eof(); rs.move_next())
    if (int(rs.value(0).to_double()) % 2 == 0) rs.delete_current();
  EXPECT_EQ(rs.record_count(), 3);
  rs.move_last();
  rs.delete_current();  // the last one
  EXPECT_EQ(error_of([&] { rs.value(0); }), dbf_errno::record_deleted);
  rs.move_next();
  EXPECT_TRUE(rs.eof());
  control.refresh();
  QStringList left;
  for (control.recordset().move_first(); !control.recordset().eof(); control.recordset().move_next())
    left << control.recordset().value(1).as_text().trimmed();
  EXPECT_EQ(left, (QStringList{"ANNA", "CARL"}));
}

}  // namespace
