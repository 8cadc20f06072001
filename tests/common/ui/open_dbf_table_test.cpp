#include "common/open_dbf_table.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <functional>
#include <vector>

#include "common/file_number_pool.h"
#include "common/record_layout_code.h"
#include "common/shared_variables.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/dbase/recordset.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/ui/form.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km {
namespace {

// The message for the table marks1 of C:\DATA that cannot be used or repaired.
const QString corrupt_marks1_in_data =
    QStringLiteral("FILE  'MARKS1'  IN  'C:\\DATA'  IS CORRUPT!\r\nPLEASE RESTORE YOUR LAST BACKUP COPY ...");

using platform::dbf_error;
using platform::dbf_error_kind;
using platform::msg_buttons;
using platform::msg_icon;
using platform::Value;

const Value yes = Value(true);
const Value no = Value(false);
const Value nothing = Value();

// A table of two records.
test::dbf_builder two_names() {
  return test::dbf_builder()
      .field("NAME", 'C', 10)
      .field("MARK", 'N', 5, 1)
      .record({"Anna", "12.5"})
      .record({"Ben", "7.0"});
}

// A table with a memo field (its .dbt beside it).
test::dbf_builder with_memo() {
  return test::dbf_builder().field("NAME", 'C', 10).field("NOTE", 'M', 10).record({"Anna", "a long note"});
}

class open_dbf_table_test : public test::clean_state_test {
 protected:
  void SetUp() override {
    g_program_path = QStringLiteral("C:\\PROG");
    g_settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
    g_admin_folder = QStringLiteral("C:\\ADMIN");
    drives.make_native_folder(QStringLiteral("C/PROG"));
    drives.make_native_folder(QStringLiteral("C/ProgramData/OSKAVEN"));
    drives.make_native_folder(QStringLiteral("C/DATA"));
  }
  void TearDown() override {
    dialogs.verify();
    control.close_database();
    test::clean_state_test::TearDown();
  }

  // Writes a table at a native place below the drives ("C/DATA/marks1.dbf").
  QString put_table(const test::dbf_builder& b, const QString& relative) {
    const QString path = drives.base() + QStringLiteral("/") + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return b.write(path);
  }
  // The program folder's templates of a table.
  void put_template(const QString& table, const test::dbf_builder& b) {
    drives.write_native(QStringLiteral("C/PROG/") + table + QStringLiteral(".org"), b.dbf());
    if (b.has_memo())
      drives.write_native(QStringLiteral("C/PROG/") + table + QStringLiteral(".ort"), b.dbt());
  }
  QByteArray bytes_of(const QString& win_path) const {
    return test::read_native_file(platform::to_native_path(win_path));
  }
  static bool exists(const QString& win_path) { return platform::file_exists(win_path); }
  // The "in use" message for marks1 of C:\DATA.
  void expect_in_use_message(bool afrikaans) {
    dialogs
        .expect_message(
            afrikaans ? QStringLiteral("DATASTEL C:\\DATA\\marks1  REEDS IN GEBRUIK ... PROBEER WEER LATER !")
                      : QStringLiteral("DATASET C:\\DATA\\marks1  ALREADY IN  USE ... TRY AGAIN LATER !"))
        .icon(msg_icon::critical)
        .buttons(msg_buttons::ok);
  }
  // The NAME field of the current record, without its filling blanks.
  QString name_of_current() { return control.recordset().value(QStringLiteral("NAME")).to_text().trimmed(); }

  Value open(QString& folder, const QString& table, bool require_records = false) {
    table_name = table;
    return open_dbf_table(folder, control, require_records, table_name, read_only);
  }

  test::temp_drives drives;
  test::scripted_dialogs dialogs;
  platform::data_control control;
  QString table_name;
  bool read_only = false;
};

// ---- refusals before the table -------------------------------------------------

TEST_F(open_dbf_table_test, blank_folder_gives_false_and_touches_nothing) {
  for (const QString& blank : {QString(), QStringLiteral("   ")}) {
    control.set_database_name(QStringLiteral("C:\\OLD"));
    g_data_drive = QStringLiteral("Q:");
    QString folder = blank;
    EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
    EXPECT_EQ(folder, blank);
    EXPECT_EQ(g_data_drive, QStringLiteral("Q:"));
    EXPECT_EQ(control.database_name(), QStringLiteral("C:\\OLD"));
    EXPECT_FALSE(exists(QStringLiteral("C:\\ProgramData\\OSKAVEN\\networklock.txt")));
  }
}

TEST_F(open_dbf_table_test, missing_drive_shows_the_drive_message_and_ends_the_program) {
  struct row {
    bool afrikaans;
    QString text;
  };
  const std::vector<row> rows = {
      {false,
       QStringLiteral("NETWORK DRIVE  E:  NOT AVAILABLE ...\r\n\r\nCONTACT YOUR NETWORK ADMINISTRATOR !")},
      {true, QStringLiteral(
                 "NETWERK AANDRYWER  E:  NIE BESKIKBAAR NIE ...\r\n\r\nKONTAK U NETWERKADMINISTRATEUR !")},
  };
  for (const row& r : rows) {
    g_language = r.afrikaans;
    // The folder does not exist either: the drive is checked first.
    QString folder = QStringLiteral("E:\\DATA\\NEW");
    dialogs.expect_message(r.text).icon(msg_icon::critical).buttons(msg_buttons::ok);
    EXPECT_THROW(open(folder, QStringLiteral("marks1")), platform::program_ended);
    EXPECT_EQ(g_data_drive, QStringLiteral("E:"));
    dialogs.verify();
  }
}

TEST_F(open_dbf_table_test, missing_folder_is_made_when_its_drive_is_there) {
  put_template(QStringLiteral("marks1"), two_names());
  QString folder = QStringLiteral("D:\\NEW");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_TRUE(platform::folder_exists(QStringLiteral("D:\\NEW")));
  EXPECT_EQ(bytes_of(QStringLiteral("D:\\NEW\\marks1.dbf")), two_names().dbf());

  // Only one level is made.
  QString deep = QStringLiteral("D:\\A\\B");
  EXPECT_EQ(open(deep, QStringLiteral("marks1")), no);
  EXPECT_FALSE(platform::folder_exists(QStringLiteral("D:\\A")));
}

TEST_F(open_dbf_table_test, bare_drive_comes_back_with_a_backslash) {
  put_table(two_names(), QStringLiteral("D/marks1.dbf"));
  QString folder = QStringLiteral("D:");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(folder, QStringLiteral("D:\\"));
  EXPECT_EQ(control.database_name(), QStringLiteral("D:\\"));
  EXPECT_EQ(control.recordset().record_count(), 2);
}

// ---- networklock.txt -----------------------------------------------------------

TEST_F(open_dbf_table_test, network_lock_is_made_holding_false_whatever_the_outcome) {
  // The table is missing and has no template: the call fails after the lock step.
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
  EXPECT_EQ(test::hex(bytes_of(QStringLiteral("C:\\ProgramData\\OSKAVEN\\networklock.txt"))),
            test::hex(QByteArray("False\r\n")));
  // Its short-pool number was given back.
  EXPECT_EQ(g_file_number, 0);
  EXPECT_EQ(g_file_in_use[11], 0);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(open_dbf_table_test, present_network_lock_is_only_read) {
  const QByteArray own = "#TRUE#\r\nsomething else\r\n";
  drives.write_native(QStringLiteral("C/ProgramData/OSKAVEN/networklock.txt"), own);
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ProgramData\\OSKAVEN\\networklock.txt")), own);
  EXPECT_EQ(g_file_in_use[11], 0);
}

TEST_F(open_dbf_table_test, unwritable_settings_folder_is_passed_over) {
  g_settings_folder = QStringLiteral("C:\\NOWHERE\\OSKAVEN");
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(g_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

// ---- templates -----------------------------------------------------------------

TEST_F(open_dbf_table_test, missing_table_is_made_from_its_template_and_opened) {
  put_template(QStringLiteral("Lwisk_P_S"), with_memo());
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("Lwisk_P_S")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbf")), with_memo().dbf());
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")), with_memo().dbt());
  ASSERT_TRUE(control.has_recordset());
  EXPECT_EQ(control.recordset().value(QStringLiteral("NOTE")), Value(QStringLiteral("a long note")));
}

TEST_F(open_dbf_table_test, missing_table_without_template_gives_false_and_makes_nothing) {
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
  EXPECT_FALSE(exists(QStringLiteral("C:\\DATA\\marks1.dbf")));
  EXPECT_FALSE(exists(QStringLiteral("C:\\DATA\\marks1.dbt")));
  EXPECT_FALSE(control.has_recordset());
}

TEST_F(open_dbf_table_test, missing_memo_file_is_restored_and_the_table_left_alone) {
  // The table in the folder holds its own record; the template another one.
  const test::dbf_builder own =
      test::dbf_builder().field("NAME", 'C', 10).field("NOTE", 'M', 10).record({"Carla", ""});
  put_table(own, QStringLiteral("C/DATA/Lwisk_P_S.dbf"));
  QFile::remove(drives.base() + QStringLiteral("/C/DATA/Lwisk_P_S.dbt"));
  put_template(QStringLiteral("Lwisk_P_S"), with_memo());
  const QByteArray before = bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbf"));
  ASSERT_FALSE(exists(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")));

  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("Lwisk_P_S")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbf")), before);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")), with_memo().dbt());
  EXPECT_EQ(name_of_current(), QStringLiteral("Carla"));
}

TEST_F(open_dbf_table_test, present_memo_file_is_not_replaced) {
  put_table(with_memo(), QStringLiteral("C/DATA/Lwisk_P_S.dbf"));
  drives.write_native(QStringLiteral("C/PROG/Lwisk_P_S.org"), two_names().dbf());
  drives.write_native(QStringLiteral("C/PROG/Lwisk_P_S.ort"), QByteArray(512, '\0'));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("Lwisk_P_S")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")), with_memo().dbt());
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbf")), with_memo().dbf());
}

// ---- damaged tables --------------------------------------------------------------

struct damage_case {
  const char* what;
  QByteArray bytes;
};

std::vector<damage_case> damaged_tables() {
  return {
      {"unreadable: shorter than a header", QByteArray("\x03garbage", 8)},
      {"bad format: unknown version", two_names().version(0x42).dbf()},
      {"bad format: records missing", two_names().record_count(9).dbf()},
  };
}

TEST_F(open_dbf_table_test, damaged_table_is_copied_aside_and_rebuilt_from_its_template) {
  put_template(QStringLiteral("marks1"), two_names());
  for (const damage_case& c : damaged_tables()) {
    SCOPED_TRACE(c.what);
    drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), c.bytes);
    QFile::remove(drives.base() + QStringLiteral("/C/ADMIN/temp/marks1.dbf"));
    QString folder = QStringLiteral("C:\\DATA");
    EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
    EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1.dbf")), c.bytes);
    EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), two_names().dbf());
    ASSERT_TRUE(control.has_recordset());
    EXPECT_EQ(control.recordset().record_count(), 2);
  }
}

TEST_F(open_dbf_table_test, read_only_damaged_table_is_replaced_too) {
  put_template(QStringLiteral("marks1"), two_names());
  const QByteArray bad = QByteArray("\x03garbage", 8);
  drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), bad);
  platform::set_read_only(QStringLiteral("C:\\DATA\\marks1.dbf"), true);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1.dbf")), bad);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), two_names().dbf());
  EXPECT_TRUE(control.recordset().updatable());
}

TEST_F(open_dbf_table_test, damaged_memo_table_has_both_files_copied_aside) {
  put_template(QStringLiteral("Lwisk_P_S"), with_memo());
  const QByteArray bad_dbf = with_memo().record_count(3).dbf();
  const QByteArray old_dbt = QByteArray("old memo bytes");
  drives.write_native(QStringLiteral("C/DATA/Lwisk_P_S.dbf"), bad_dbf);
  drives.write_native(QStringLiteral("C/DATA/Lwisk_P_S.dbt"), old_dbt);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("Lwisk_P_S")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\Lwisk_P_S.dbf")), bad_dbf);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\Lwisk_P_S.dbt")), old_dbt);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbf")), with_memo().dbf());
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")), with_memo().dbt());
}

TEST_F(open_dbf_table_test, earlier_repair_copies_are_kept_under_one_number) {
  put_template(QStringLiteral("marks1"), two_names());
  drives.write_native(QStringLiteral("C/ADMIN/temp/marks1.dbf"), "earlier table");
  drives.write_native(QStringLiteral("C/ADMIN/temp/marks1.dbt"), "earlier memo");
  drives.write_native(QStringLiteral("C/ADMIN/temp/marks1_1.dbt"), "older still");
  const QByteArray bad = QByteArray("\x03garbage", 8);
  drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), bad);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1.dbf")), bad);
  EXPECT_FALSE(exists(QStringLiteral("C:\\ADMIN\\temp\\marks1.dbt")));
  // marks1_1 is taken by the memo file, so the earlier pair becomes marks1_2.
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1_2.dbf")), QByteArray("earlier table"));
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1_2.dbt")), QByteArray("earlier memo"));
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1_1.dbt")), QByteArray("older still"));
}

TEST_F(open_dbf_table_test, memo_file_left_without_its_table_is_copied_aside_before_it_is_replaced) {
  put_template(QStringLiteral("Lwisk_P_S"), with_memo());
  const QByteArray orphan = QByteArray("memo of a table that is gone");
  drives.write_native(QStringLiteral("C/DATA/Lwisk_P_S.dbt"), orphan);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("Lwisk_P_S")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\Lwisk_P_S.dbt")), orphan);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")), with_memo().dbt());

  // Without a repair folder to keep it in, it is not replaced.
  control.close_database();
  QFile::remove(drives.base() + QStringLiteral("/C/DATA/Lwisk_P_S.dbf"));
  drives.write_native(QStringLiteral("C/DATA/Lwisk_P_S.dbt"), orphan);
  g_admin_folder = QStringLiteral("X:\\ADMIN");  // a drive that is not there
  EXPECT_EQ(open(folder, QStringLiteral("Lwisk_P_S")), no);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\Lwisk_P_S.dbt")), orphan);
}

TEST_F(open_dbf_table_test, damaged_table_without_template_is_reported_and_kept) {
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    const QByteArray bad = two_names().version(0x42).dbf();
    drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), bad);
    dialogs
        .expect_message(afrikaans ? QStringLiteral("LE\u00EAR  'MARKS1'  IN  'C:\\DATA'  IS KORRUP!\r\n"
                                                   "HERWIN ASB U LAASTE RUGSTEUN KOPIE ...")
                                  : QStringLiteral("FILE  'MARKS1'  IN  'C:\\DATA'  IS CORRUPT!\r\n"
                                                   "PLEASE RESTORE YOUR LAST BACKUP COPY ..."))
        .icon(msg_icon::critical);
    QString folder = QStringLiteral("C:\\DATA");
    EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
    EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), bad);
    dialogs.verify();
  }
}

TEST_F(open_dbf_table_test, damaged_table_stays_when_it_cannot_be_copied_aside) {
  put_template(QStringLiteral("marks1"), two_names());
  g_admin_folder = QStringLiteral("X:\\ADMIN");  // a drive that is not there
  const QByteArray bad = QByteArray("\x03garbage", 8);
  drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), bad);
  dialogs.expect_message(corrupt_marks1_in_data).icon(msg_icon::critical);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), bad);
}

TEST_F(open_dbf_table_test, damaged_template_is_repaired_once_and_reported) {
  const QByteArray bad_template = QByteArray("\x03tiny", 5);
  drives.write_native(QStringLiteral("C/PROG/marks1.org"), bad_template);
  drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), QByteArray("\x03garbage", 8));
  int refreshes = 0;
  set_open_dbf_table_refresh([&](platform::data_control& c) {
    ++refreshes;
    c.refresh();
  });
  dialogs.expect_message(corrupt_marks1_in_data).icon(msg_icon::critical);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
  EXPECT_EQ(refreshes, 2);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1.dbf")), QByteArray("\x03garbage", 8));
}

// A table that counts records but stands at its end once opened.
void open_at_end(platform::data_control& c) {
  c.refresh();
  if (c.has_recordset() && c.recordset().record_count() > 0) {
    c.recordset().move_last();
    c.recordset().move_next();
  }
}

TEST_F(open_dbf_table_test, table_whose_records_cannot_be_read_is_rebuilt_in_the_same_call) {
  // The table in the folder holds two records; its template one.
  const test::dbf_builder templ = test::dbf_builder().field("NAME", 'C', 10).record({"Template"});
  put_template(QStringLiteral("marks1"), templ);
  const QByteArray damaged = two_names().dbf();
  drives.write_native(QStringLiteral("C/DATA/marks1.dbf"), damaged);
  set_open_dbf_table_refresh([](platform::data_control& c) {
    c.refresh();
    // Only the two-record table reads as damaged.
    if (c.has_recordset() && c.recordset().record_count() == 2) open_at_end(c);
  });
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\ADMIN\\temp\\marks1.dbf")), damaged);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), templ.dbf());
  EXPECT_EQ(name_of_current(), QStringLiteral("Template"));
}

TEST_F(open_dbf_table_test, table_that_stays_unreadable_is_reported_after_one_repair) {
  put_template(QStringLiteral("marks1"), two_names());
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  int refreshes = 0;
  set_open_dbf_table_refresh([&](platform::data_control& c) {
    ++refreshes;
    open_at_end(c);
  });
  dialogs.expect_message(corrupt_marks1_in_data).icon(msg_icon::critical);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
  EXPECT_EQ(refreshes, 4);  // two per opening, two openings
}

TEST_F(open_dbf_table_test, unreadable_table_without_template_is_reported_and_kept) {
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  set_open_dbf_table_refresh(open_at_end);
  dialogs.expect_message(corrupt_marks1_in_data).icon(msg_icon::critical);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), two_names().dbf());
}

// ---- special table names ----------------------------------------------------------

TEST_F(open_dbf_table_test, ppl_dta_opens_ppl_cmp) {
  put_table(two_names(), QStringLiteral("C/DATA/ppl_cmp.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("ppl_dta")), yes);
  EXPECT_EQ(table_name, QStringLiteral("ppl_cmp"));
  EXPECT_EQ(control.tag(), QStringLiteral("ppl_cmp"));
  EXPECT_EQ(control.record_source(), QStringLiteral("ppl_cmp.dbf"));
  EXPECT_FALSE(read_only);  // not the administration folder
  EXPECT_EQ(control.recordset().record_count(), 2);
}

TEST_F(open_dbf_table_test, ppl_cmp_of_the_administration_folder_opens_read_only) {
  for (const QString& parent :
       {QStringLiteral("OSKAVEN/ADMIN"), QStringLiteral("ZEDORAVARO/OSKAVEN/ADMIN")}) {
    SCOPED_TRACE(parent.toStdString());
    put_table(two_names(), QStringLiteral("C/") + parent + QStringLiteral("/L17/ppl_cmp.dbf"));
    QString folder = QStringLiteral("c:\\") +
                     QString(parent).replace(QLatin1Char('/'), QLatin1Char('\\')).toLower() +
                     QStringLiteral("\\L17");
    read_only = false;
    EXPECT_EQ(open(folder, QStringLiteral("ppl_dta")), yes);
    EXPECT_TRUE(read_only);
    EXPECT_TRUE(control.read_only());
    EXPECT_FALSE(control.recordset().updatable());
  }
}

TEST_F(open_dbf_table_test, ppl_xtra_is_skipped_where_ppl_cmp_exists) {
  put_table(two_names(), QStringLiteral("C/DATA/Ppl_cmp.dbf"));
  put_table(two_names(), QStringLiteral("C/DATA/Ppl_xtra.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("Ppl_xtra")), nothing);
  EXPECT_FALSE(control.has_recordset());
  EXPECT_TRUE(control.record_source().isEmpty());

  // Without Ppl_cmp.dbf it is an ordinary table.
  QFile::remove(drives.base() + QStringLiteral("/C/DATA/Ppl_cmp.dbf"));
  EXPECT_EQ(open(folder, QStringLiteral("Ppl_xtra")), yes);
}

TEST_F(open_dbf_table_test, reg_dta_lives_in_the_user_folder) {
  g_user_folder = QStringLiteral("C:\\USER");
  drives.make_native_folder(QStringLiteral("C/USER"));
  put_template(QStringLiteral("reg_dta"), two_names());
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("reg_dta")), yes);
  EXPECT_EQ(folder, QStringLiteral("C:\\USER"));
  EXPECT_EQ(control.database_name(), QStringLiteral("C:\\USER"));
  // Restored where it is opened, not in the data folder.
  EXPECT_TRUE(exists(QStringLiteral("C:\\USER\\reg_dta.dbf")));
  EXPECT_FALSE(exists(QStringLiteral("C:\\DATA\\reg_dta.dbf")));
}

TEST_F(open_dbf_table_test, reg_dta_with_the_user_folder_unset_lies_at_the_root) {
  put_table(two_names(), QStringLiteral("C/reg_dta.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("reg_dta")), yes);
  EXPECT_EQ(folder, QStringLiteral("\\"));
  EXPECT_EQ(control.recordset().record_count(), 2);
}

TEST_F(open_dbf_table_test, blank_table_takes_the_default_table_of_the_control) {
  put_table(two_names(), QStringLiteral("C/DATA/kls_dta.dbf"));
  control.set_default_table(QStringLiteral("kls_dta"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QString()), yes);
  EXPECT_EQ(table_name, QStringLiteral("kls_dta"));
  // The form without the variables.
  QString again = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open_dbf_table(again, control, true), yes);
  EXPECT_EQ(control.record_source(), QStringLiteral("kls_dta.dbf"));
}

// ---- outcome ---------------------------------------------------------------------

TEST_F(open_dbf_table_test, success_leaves_the_first_record_current) {
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1"), true), yes);
  platform::recordset& rs = control.recordset();
  EXPECT_EQ(rs.record_count(), 2);
  EXPECT_EQ(rs.absolute_position(), 0);
  EXPECT_EQ(name_of_current(), QStringLiteral("Anna"));
  EXPECT_EQ(control.database_name(), QStringLiteral("C:\\DATA"));
  EXPECT_EQ(control.record_source(), QStringLiteral("marks1.dbf"));
  EXPECT_TRUE(rs.updatable());
}

TEST_F(open_dbf_table_test, empty_table_is_true_unless_records_are_required) {
  put_table(test::dbf_builder().field("NAME", 'C', 10), QStringLiteral("C/DATA/marks1.dbf"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1"), false), yes);
  EXPECT_TRUE(control.recordset().eof());
  EXPECT_EQ(open(folder, QStringLiteral("marks1"), true), no);
}

TEST_F(open_dbf_table_test, read_only_choice_is_in_force_from_the_first_opening) {
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  std::vector<bool> seen;
  set_open_dbf_table_refresh([&](platform::data_control& c) {
    seen.push_back(c.read_only());
    c.refresh();
  });
  read_only = true;
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(seen, (std::vector<bool>{true, true}));
  EXPECT_FALSE(control.recordset().updatable());
}

TEST_F(open_dbf_table_test, failure_after_the_opening_gives_an_empty_result) {
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  int refreshes = 0;
  set_open_dbf_table_refresh([&](platform::data_control& c) {
    if (++refreshes == 2) throw dbf_error(dbf_error_kind::disk_error, QStringLiteral("gone"));
    c.refresh();
  });
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), nothing);
}

// ---- engine failures ---------------------------------------------------------------

class engine_failure_test : public open_dbf_table_test {
 protected:
  void SetUp() override {
    open_dbf_table_test::SetUp();
    put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  }
  // Every opening fails with this error (the first `times` openings only
  // when times is given).
  void fail_with(dbf_error_kind kind, int times = 1000, int number = 0) {
    set_open_dbf_table_refresh([this, kind, times, number](platform::data_control& c) {
      if (++refreshes <= times) throw dbf_error(kind, QStringLiteral("Reason of the engine"), number);
      c.refresh();
    });
  }
  // Loads windows named w1, w2 ... in that order.
  void load_windows(int count) {
    for (int i = 1; i <= count; ++i) platform::load_form(new platform::form(QStringLiteral("w%1").arg(i)));
  }
  int refreshes = 0;
};

TEST_F(engine_failure_test, table_not_found_gives_false_without_a_message) {
  fail_with(dbf_error_kind::not_found);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
}

TEST_F(engine_failure_test, read_only_table_is_reported_and_ends_the_program) {
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    fail_with(dbf_error_kind::read_only);
    dialogs
        .expect_message(
            afrikaans
                ? QStringLiteral("DATASTEL C:\\DATA\\SUB\\marks1  IS 'READ ONLY' ... SKAKEL KORVA-SCOPE !")
                : QStringLiteral("DATASET C:\\DATA\\SUB\\marks1  IS 'READ ONLY' ... CONTACT KORVA-SCOPE !"))
        .icon(msg_icon::critical)
        .buttons(msg_buttons::ok);
    put_table(two_names(), QStringLiteral("C/DATA/sub/marks1.dbf"));
    QString folder = QStringLiteral("C:\\DATA\\sub");
    EXPECT_THROW(open(folder, QStringLiteral("marks1")), platform::program_ended);
    dialogs.verify();
  }
}

TEST_F(engine_failure_test, table_in_use_is_reported_and_the_callers_window_closed) {
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    platform::unload_all_but(QString());
    load_windows(2);
    fail_with(dbf_error_kind::in_use);
    expect_in_use_message(afrikaans);
    QString folder = QStringLiteral("C:\\DATA");
    EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
    EXPECT_TRUE(platform::is_loaded(QStringLiteral("w1")));
    EXPECT_FALSE(platform::is_loaded(QStringLiteral("w2")));
    dialogs.verify();
  }
}

TEST_F(open_dbf_table_test, table_whose_file_system_refuses_locks_is_told_once_and_opened_read_only) {
  put_table(two_names(), QStringLiteral("C/DATA/marks1.dbf"));
  platform::set_dbf_lock_request([](int) { return ENOLCK; });
  for (const bool afrikaans : {false, true}) {
    g_language = afrikaans;
    read_only = false;
    expect_in_use_message(afrikaans);
    QString folder = QStringLiteral("C:\\DATA");
    EXPECT_EQ(open(folder, QStringLiteral("marks1"), true), yes);
    dialogs.verify();  // one message for the whole opening
    EXPECT_TRUE(read_only);
    platform::recordset& rs = control.recordset();
    EXPECT_EQ(rs.record_count(), 2);
    EXPECT_FALSE(rs.updatable());
    EXPECT_THROW(rs.edit(), dbf_error);
  }
  platform::set_dbf_lock_request({});
  control.close_database();
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), two_names().dbf());
}

TEST_F(engine_failure_test, disk_error_is_reported_as_corrupt_and_the_only_window_ends_the_program) {
  load_windows(1);
  fail_with(dbf_error_kind::disk_error);
  dialogs.expect_message(corrupt_marks1_in_data).icon(msg_icon::critical);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_THROW(open(folder, QStringLiteral("marks1")), platform::program_ended);
  EXPECT_EQ(platform::loaded_count(), 0);
  // The table is reported, never replaced.
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\marks1.dbf")), two_names().dbf());
}

TEST_F(engine_failure_test, corrupt_message_upper_cases_the_afrikaans_way) {
  g_language = true;
  fail_with(dbf_error_kind::disk_error);
  drives.make_native_folder(QStringLiteral("C/Ho\u00EBrskool"));
  put_table(two_names(), QStringLiteral("C/Ho\u00EBrskool/marks1.dbf"));
  dialogs
      .expect_message(QStringLiteral("LE\u00EAR  'MARKS1'  IN  'C:\\HO\u00EBRSKOOL'  IS KORRUP!\r\n"
                                     "HERWIN ASB U LAASTE RUGSTEUN KOPIE ..."))
      .icon(msg_icon::critical);
  QString folder = QStringLiteral("C:\\Ho\u00EBrskool");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), no);
}

TEST_F(engine_failure_test, null_value_is_tried_again_a_bounded_number_of_times) {
  fail_with(dbf_error_kind::null_value, 2);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_EQ(open(folder, QStringLiteral("marks1")), yes);
  EXPECT_EQ(refreshes, 4);  // two failures, the opening, the second refresh

  refreshes = 0;
  fail_with(dbf_error_kind::null_value);
  dialogs.expect_message(QStringLiteral("94 ... Reason of the engine")).icon(msg_icon::none);
  EXPECT_THROW(open(folder, QStringLiteral("marks1")), platform::program_ended);
  EXPECT_EQ(refreshes, 3);
}

TEST_F(engine_failure_test, failure_of_no_known_kind_shows_its_number_and_ends_the_program) {
  fail_with(dbf_error_kind::other, 1000, 3420);
  dialogs.expect_message(QStringLiteral("3420 ... Reason of the engine"))
      .icon(msg_icon::none)
      .buttons(msg_buttons::ok);
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_THROW(open(folder, QStringLiteral("marks1")), platform::program_ended);
}

// ---- developer switch ----------------------------------------------------------------

TEST_F(open_dbf_table_test, acc_cnt_control_writes_the_layout_code_and_ends_the_program) {
  const test::dbf_builder table = test::dbf_builder()
                                      .field("AC_NAME", 'C', 12)
                                      .field("AC_COUNT", 'N', 4)
                                      .field("AC_SUM", 'N', 8, 2)
                                      .field("AC_DATE", 'D', 8)
                                      .field("AC_OK", 'L', 1)
                                      .record({"x", "1", "2.50", "20170317", "T"});
  put_table(table, QStringLiteral("C/DATA/acc_cnt.dbf"));
  control.setObjectName(QStringLiteral("Data1"));
  control.set_tag(QStringLiteral("acc_cnt"));
  QString folder = QStringLiteral("C:\\DATA");
  EXPECT_THROW(open(folder, QStringLiteral("acc_cnt")), platform::program_ended);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\VB_PROJECT\\acc_cnt_layout.txt")),
            QByteArray("AC_NAME as String * 12\r\nAC_COUNT as Integer\r\nAC_SUM as Single\r\n"
                       "AC_DATE as Date\r\nAC_OK as Boolean\r\n"));
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\VB_PROJECT\\acc_cnt_program.txt")),
            QByteArray("MyRecord.AC_NAME = clean_field_value(Data1.Recordset(\"AC_NAME\"))\r\n"
                       "MyRecord.AC_COUNT = clean_field_value(Data1.Recordset(\"AC_COUNT\"))\r\n"
                       "MyRecord.AC_SUM = clean_field_value(Data1.Recordset(\"AC_SUM\"))\r\n"
                       "MyRecord.AC_DATE = clean_field_value(Data1.Recordset(\"AC_DATE\"))\r\n"
                       "MyRecord.AC_OK = clean_field_value(Data1.Recordset(\"AC_OK\"))\r\n"));
  EXPECT_EQ(g_file_number2, 0);
  EXPECT_EQ(g_file_number3, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

}  // namespace
}  // namespace km
