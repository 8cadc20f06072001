// The steps of the capture windows on a combination's administration
// tables, on tables written byte by byte in C:\DATA: the backup, the
// rewrite in name order, the undo, the bulk write of a mark column and the
// copy of every mark into the other table, each checked byte for byte and
// read back with python3-dbf.
#include "marks/marks_table_steps.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

#include "common/text_routines.h"
#include "marks/marks_messages.h"
#include "marks/marks_tables.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_table.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/win_path.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"

namespace km {
namespace {

using rows_t = std::vector<std::vector<QByteArray>>;
using platform::file_error;
using platform::file_step;

// The two tables of a combination, fields only. The first three fields of
// both are learner number, name and mark; the last two of the cycle-marks
// table and the next two of the OBE table take short codes, so one record
// of five texts fits either. The mark field is text of five characters
// unless a case needs another.
struct mark_def {
  char type = 'C';
  int width = 5;
  int decimals = 0;
};

test::dbf_builder cycle_layout(mark_def mark = {}) {
  test::dbf_builder b;
  b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40).field("EF_PUNT", mark.type, mark.width, mark.decimals);
  b.field("EF_PS_VO", 'C', 4).field("EF_KLAS", 'C', 3);
  return b;
}

test::dbf_builder obe_layout(mark_def mark = {}) {
  test::dbf_builder b;
  b.field("EO_T_NR", 'N', 8)
      .field("EO_NAME", 'C', 40)
      .field("EO_PUNT", mark.type, mark.width, mark.decimals)
      .field("EO_P_S", 'C', 2);
  for (const char* f : {"EO_FE_1", "EO_FE_2", "EO_FE_3", "EO_FE_4"}) b.field(f, 'C', 2);
  return b;
}

test::dbf_builder with_records(test::dbf_builder b, const rows_t& rows) {
  for (const auto& r : rows) b.record(r);
  return b;
}

const std::vector<QByteArray> smit{"1001", "Smit", "12.0", "", "8A"};
const std::vector<QByteArray> jansen{"1002", "Jansen", "9.0", "", "8A"};  // deleted
const std::vector<QByteArray> botha{"1003", "Botha", "A", "", "8B"};

// Smit, a deleted Jansen and Botha.
test::dbf_builder smit_jansen_botha() {
  test::dbf_builder b = cycle_layout();
  b.record(smit).record(jansen, true).record(botha);
  return b;
}

class marks_table_steps_test : public test::temp_drives_test {
 protected:
  void SetUp() override { drives.make_native_folder(QStringLiteral("C/DATA")); }

  QString native(const QString& file) const {
    return platform::to_native_path(platform::join_win_path(folder, file));
  }
  QByteArray bytes(const QString& file) const { return test::read_native_file(native(file)); }
  void write(const test::dbf_builder& b, const QString& file) const { b.write(native(file)); }

  void open(platform::data_control& control, const QString& file, bool read_only = false) const {
    control.set_database_name(folder);
    control.set_record_source(file);
    control.set_read_only(read_only);
    control.refresh();
  }

  // The records as python3-dbf reads them: "number|name|mark", deleted
  // ones marked "*".
  static QStringList read_back(const QString& native_path) {
    EXPECT_TRUE(test::python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
    QStringList out;
    for (const QJsonValue& row : test::python_dbf_dump(native_path)[QStringLiteral("rows")].toArray()) {
      const QJsonArray cells = row.toArray();
      out << QStringLiteral("%1%2|%3|%4")
                 .arg(cells[0].toBool() ? QStringLiteral("*") : QString())
                 .arg(cells[1].isDouble() ? QString::number(cells[1].toDouble(), 'g', 15) : QString())
                 .arg(cells[2].toString().trimmed(), cells[3].toString().trimmed());
    }
    return out;
  }
  // The same lines for records given to the builder.
  static QStringList lines_of(const rows_t& rows) {
    QStringList out;
    for (const auto& r : rows)
      out << QStringLiteral("%1|%2|%3")
                 .arg(QString::fromLatin1(r[0]), QString::fromLatin1(r[1]).trimmed(),
                      QString::fromLatin1(r.size() > 2 ? r[2] : QByteArray()).trimmed());
    return out;
  }

  // Runs `step` on tables `prepare` writes afresh, once as it runs alone
  // and once with every rename of a table refused as a network server
  // refuses it while another computer has the file open: the step still
  // does its whole work (written in place), leaving `target` as the run
  // alone leaves it and nothing beside it.
  void refuse_every_rename(const std::function<void()>& prepare, const std::function<bool()>& step,
                           const QString& target) {
    prepare();
    const QStringList files = QDir(native(QString())).entryList(QDir::Files);
    ASSERT_TRUE(step());
    const QByteArray alone = bytes(target);
    prepare();
    int refused = 0;
    platform::set_file_fault_hook([&refused](file_step kind, const QString& path) {
      if (kind != file_step::table_rename) return;
      ++refused;
      throw platform::file_error(platform::file_error::kind::file_already_open, path);
    });
    const bool ok = step();
    platform::set_file_fault_hook({});
    EXPECT_TRUE(ok);
    EXPECT_GT(refused, 0) << "the step never tried to replace the table";
    EXPECT_EQ(test::hex(bytes(target)), test::hex(alone));
    EXPECT_EQ(QDir(native(QString())).entryList(QDir::Files), files) << "a file was left beside";
  }

  // What a step reports: whether it did its work, and what it says.
  struct step_outcome {
    bool ok = true;
    QString message;
  };

  // Runs `step` on tables `prepare` writes afresh: once cleanly, counting
  // its file steps, then once for every step N with that step failing as
  // a full disk fails it (the file layer's fault hook, set by `step` with
  // arm() once its tables are open). A step that reports the failure has
  // left `target` as it was, byte for byte, with nothing left beside it,
  // and says why in the engine's words; one that does not has done its
  // whole work. Returns the number of steps of the clean run.
  std::size_t fail_every_step(const std::function<void()>& prepare,
                              const std::function<step_outcome(const std::function<void()>& arm)>& step,
                              const QString& target) {
    prepare();
    const QByteArray before = bytes(target);
    const QStringList files = QDir(native(QString())).entryList(QDir::Files);
    std::size_t steps = 0;
    const step_outcome clean =
        step([&] { platform::set_file_fault_hook([&steps](file_step, const QString&) { ++steps; }); });
    platform::set_file_fault_hook({});
    EXPECT_TRUE(clean.ok) << clean.message.toStdString();
    const QByteArray after = bytes(target);
    EXPECT_NE(after, before) << "the clean run wrote nothing";
    // The text the engine gives for each step that fails, on the table's
    // native path (a full disk, as the hook says, whether the bytes or their
    // flush fail); a failed flush of the folder is passed over.
    const auto why = [&](file_step kind) {
      const QString path = native(target);
      const auto reason = [](int e) { return QString::fromLocal8Bit(std::strerror(e)); };
      switch (kind) {
        case file_step::open_write:
          return QStringLiteral("Cannot write a temporary file beside '%1': %2").arg(path, reason(EIO));
        case file_step::write:
        case file_step::sync:
          return QStringLiteral("Cannot write '%1': %2").arg(path, reason(ENOSPC));
        case file_step::table_rename:
          return QStringLiteral("Cannot replace '%1': %2").arg(path, reason(EIO));
        default:
          return QStringLiteral("(no failure expected at this step)");
      }
    };
    for (std::size_t n = 1; n <= steps; ++n) {
      SCOPED_TRACE("failing step " + std::to_string(n) + " of " + std::to_string(steps));
      prepare();
      std::optional<file_step> failed;
      const step_outcome r = step([&] {
        platform::set_file_fault_hook(
            [&failed, n, seen = std::size_t(0)](file_step kind, const QString& path) mutable {
              if (++seen != n) return;
              failed = kind;
              throw file_error(file_error::kind::disk_full, path);
            });
      });
      platform::set_file_fault_hook({});
      EXPECT_TRUE(failed.has_value());
      if (r.ok) {
        EXPECT_EQ(failed, file_step::folder_sync) << "a failed step not reported";
        EXPECT_EQ(test::hex(bytes(target)), test::hex(after));
      } else {
        EXPECT_EQ(r.message, failed ? why(*failed) : QString());
        EXPECT_EQ(test::hex(bytes(target)), test::hex(before));
      }
      EXPECT_EQ(QDir(native(QString())).entryList(QDir::Files), files) << "a file was left beside";
    }
    return steps;
  }

  // Every field of every live record of the set, as the set reads them and
  // as a fresh opening of its table does: the two must agree after a write.
  static void expect_set_reads_its_table(const platform::recordset& rs) {
    const platform::dbf_table fresh(rs.table().path(), platform::dbf_table::access::read_only);
    std::vector<std::uint32_t> live;
    for (std::uint32_t r = 0; r < fresh.record_count(); ++r)
      if (!fresh.is_deleted(r)) live.push_back(r);
    ASSERT_EQ(rs.record_count(), qint64(live.size()));
    for (qint64 p = 0; p < rs.record_count(); ++p)
      for (int f = 0; f < rs.field_count(); ++f)
        EXPECT_EQ(rs.value_at(p, f), fresh.value(live[std::size_t(p)], f))
            << "record " << p << " field " << f;
  }

  // The name of the control's current record.
  static QString current_name(const platform::data_control& control) {
    EXPECT_TRUE(control.has_recordset());
    if (!control.has_recordset()) return {};
    return clean_field_value(control.recordset().value(1));
  }

  const QString folder = QStringLiteral("C:\\DATA");
  const QString table = cycle_table_name(3);
  const QString backup = cycle_backup_name(3);
  const QString obe = obe_table_name(3);
  // Every write that stamps a header dates it 2024-03-01; the builder's
  // tables are dated 2017-03-17.
  platform::fake_clock clk{*platform::make_date(2024, 3, 1) + 0.5};
  platform::scoped_clock use_clock{clk};
};

// --- The backup made when a combination opens.

TEST_F(marks_table_steps_test, a_backup_replaces_the_old_one_with_the_table_byte_for_byte) {
  write(smit_jansen_botha(), table);
  drives.write_native(QStringLiteral("C/DATA/") + backup, "an older backup");
  const QByteArray before = bytes(table);
  const table_step step = make_backup(folder, table, backup);
  EXPECT_TRUE(step.ok) << step.message.toStdString();
  EXPECT_EQ(step.message, QString());
  EXPECT_EQ(bytes(backup), before);
  EXPECT_EQ(bytes(table), before);
}

TEST_F(marks_table_steps_test, a_backup_that_cannot_be_made_keeps_the_old_one_and_says_so) {
  enum class fault { read_only_backup, missing_table, disk_full };
  struct backup_case {
    const char* name;
    fault what;
  };
  for (const backup_case& c :
       {backup_case{"read_only_backup", fault::read_only_backup},
        backup_case{"missing_table", fault::missing_table}, backup_case{"disk_full", fault::disk_full}}) {
    SCOPED_TRACE(c.name);
    QFile::remove(native(table));
    if (c.what != fault::missing_table) write(smit_jansen_botha(), table);
    const QString old_backup = drives.write_native(QStringLiteral("C/DATA/") + backup, "an older backup");
    // The copy refuses a target without its owner's write permission
    // whoever runs it, so the read-only case fails for the superuser too.
    if (c.what == fault::read_only_backup) {
      ASSERT_TRUE(QFile::setPermissions(old_backup, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    if (c.what == fault::disk_full)
      platform::set_file_fault_hook([](file_step step, const QString& path) {
        if (step == file_step::copy) throw file_error(file_error::kind::disk_full, path);
      });
    const QByteArray before = bytes(table);

    const table_step step = make_backup(folder, table, backup);
    platform::set_file_fault_hook({});
    EXPECT_FALSE(step.ok);
    EXPECT_EQ(step.message, backup_failed_message(backup));
    EXPECT_EQ(test::read_native_file(old_backup), QByteArray("an older backup"));
    EXPECT_EQ(bytes(table), before);
    QFile::setPermissions(old_backup, QFile::ReadOwner | QFile::WriteOwner);
  }
}

// --- The rewrite in name order.

TEST_F(marks_table_steps_test, sorting_moves_the_live_records_into_name_order_around_the_deleted_one) {
  write(smit_jansen_botha(), table);
  platform::data_control control;
  open(control, table);
  platform::flex_grid grid;
  std::vector<std::pair<int, int>> progress;
  const sort_result r = sort_table_by_name(control, grid, field_ref::at(1),
                                           [&](int done, int total) { progress.emplace_back(done, total); });
  EXPECT_TRUE(r.ok) << r.message.toStdString();
  EXPECT_TRUE(r.rewritten);

  test::dbf_builder expected = cycle_layout();
  expected.date(2024, 3, 1).record(botha).record(jansen, true).record(smit);
  EXPECT_EQ(test::hex(bytes(table)), test::hex(expected.dbf()));
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(read_back(native(table)),
            (QStringList{QStringLiteral("1003|Botha|A"), QStringLiteral("*1002|Jansen|9.0"),
                         QStringLiteral("1001|Smit|12.0")}));
  EXPECT_EQ(current_name(control), QStringLiteral("Botha"));
  EXPECT_EQ(control.recordset().absolute_position(), 0);
}

TEST_F(marks_table_steps_test, names_sort_as_the_grid_sorts_them_and_a_table_in_order_is_not_written) {
  struct order_case {
    const char* name;
    std::vector<QByteArray> names;  // Windows-1252; learner numbers 1, 2, ... in this order
    QString numbers_after;          // the learner numbers in file order after the sort
    bool rewritten;
  };
  const order_case cases[] = {
      {"equal_names_keep_their_order", {"Botha", "Adams", "Botha", "adams"}, QStringLiteral("2 4 1 3"), true},
      // Upper-cased and compared by code: DE WET, DU TOIT, ENGELBRECHT, ZULU,
      // then \xCB (E diaeresis) BEN before \xCB LIZE, then \xD6 (O diaeresis).
      {"letters_with_diacritics_by_their_code",
       {"\xCBlize", "Zulu",
        "\xEB"
        "ben",
        "Engelbrecht", "du Toit", "De Wet", "\xD6stlund"},
       QStringLiteral("6 5 4 2 3 1 7"),
       true},
      {"numbers_as_numbers", {"10", "9", "Adams"}, QStringLiteral("2 1 3"), true},
      {"already_in_order", {"Adams", "botha", "Cloete", "cloete"}, QStringLiteral("1 2 3 4"), false},
  };
  for (const order_case& c : cases) {
    SCOPED_TRACE(c.name);
    test::dbf_builder b = cycle_layout();
    for (std::size_t i = 0; i < c.names.size(); ++i)
      b.record({QByteArray::number(qulonglong(i + 1)), c.names[i]});
    write(b, table);
    const QByteArray before = bytes(table);
    platform::data_control control;
    open(control, table);
    platform::flex_grid grid;

    const sort_result r = sort_table_by_name(control, grid, field_ref::named(QStringLiteral("ef_name")));
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.rewritten, c.rewritten);
    QStringList numbers;
    for (const QString& line : read_back(native(table))) numbers << line.section(QLatin1Char('|'), 0, 0);
    EXPECT_EQ(numbers.join(QLatin1Char(' ')), c.numbers_after);
    if (!c.rewritten) {
      EXPECT_EQ(test::hex(bytes(table)), test::hex(before)) << "not even the date changes";
    }
    EXPECT_EQ(control.recordset().absolute_position(), 0);
  }
}

TEST_F(marks_table_steps_test, a_sort_that_cannot_be_written_leaves_the_table_and_reopens_it) {
  struct failed_case {
    const char* name;
    field_ref field;
    std::optional<file_error::kind> failing_rename;  // how the rename of the table fails
    QString message_start;
  };
  const failed_case cases[] = {
      {"unknown_name_field", field_ref::named(QStringLiteral("EF_NAAM")), std::nullopt,
       QStringLiteral("Item not found in this collection: field 'EF_NAAM'")},
      {"field_past_the_last", field_ref::at(5), std::nullopt,
       QStringLiteral("Item not found in this collection: field 5")},
      {"the_rename_fails", field_ref::at(1), file_error::kind::other,
       QStringLiteral("Cannot replace '%1'").arg(native(table))},
      // A Windows server refuses the rename while another computer has the
      // table open: the teacher is told which file, in her language.
      {"the_table_is_open_on_another_computer", field_ref::at(1), file_error::kind::file_already_open,
       QStringLiteral("FILE  '%1'  IN  'C:\\DATA'  IS OPEN ON ANOTHER COMPUTER ... NOTHING WAS CHANGED !")
           .arg(table.toUpper())},
  };
  for (const failed_case& c : cases) {
    SCOPED_TRACE(c.name);
    write(smit_jansen_botha(), table);
    const QByteArray before = bytes(table);
    platform::data_control control;
    open(control, table);
    if (c.failing_rename)
      platform::set_file_fault_hook([kind = *c.failing_rename](file_step step, const QString& path) {
        if (step == file_step::table_rename) throw file_error(kind, path);
      });
    platform::flex_grid grid;

    const sort_result r = sort_table_by_name(control, grid, c.field);
    platform::set_file_fault_hook({});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.rewritten);
    EXPECT_TRUE(r.message.startsWith(c.message_start)) << r.message.toStdString();
    EXPECT_EQ(test::hex(bytes(table)), test::hex(before));
    EXPECT_EQ(current_name(control), QStringLiteral("Smit"));
  }
}

// --- The undo.

TEST_F(marks_table_steps_test, undo_puts_the_backup_back_and_reopens_the_table) {
  write(smit_jansen_botha(), table);
  platform::data_control control;
  open(control, table);
  ASSERT_TRUE(make_backup(folder, table, backup).ok);
  platform::flex_grid grid;
  ASSERT_TRUE(sort_table_by_name(control, grid, field_ref::at(1)).rewritten);
  ASSERT_TRUE(write_mark_column(control.recordset(), field_ref::at(2), {QStringLiteral("50.0")}).ok);
  ASSERT_NE(bytes(table), bytes(backup));

  const table_step step = restore_backup(control, folder, table, backup);
  EXPECT_TRUE(step.ok) << step.message.toStdString();
  EXPECT_EQ(test::hex(bytes(table)), test::hex(smit_jansen_botha().dbf()));
  EXPECT_EQ(bytes(backup), smit_jansen_botha().dbf());
  EXPECT_EQ(current_name(control), QStringLiteral("Smit"));
  EXPECT_EQ(control.recordset().value(2), platform::Value(QStringLiteral("12.0 ")));
}

TEST_F(marks_table_steps_test, undo_without_a_backup_changes_nothing) {
  write(smit_jansen_botha(), table);
  platform::data_control control;
  open(control, table);
  control.recordset().set_absolute_position(1);
  const QByteArray before = bytes(table);

  const table_step step = restore_backup(control, folder, table, backup);
  EXPECT_FALSE(step.ok);
  EXPECT_EQ(step.message, no_backup_message(backup));
  EXPECT_EQ(bytes(table), before);
  ASSERT_TRUE(control.has_recordset()) << "the control stays open";
  EXPECT_EQ(control.recordset().absolute_position(), 1);
}

TEST_F(marks_table_steps_test, an_undo_that_cannot_copy_keeps_the_table_and_reopens_it) {
  write(smit_jansen_botha(), table);
  write(with_records(cycle_layout(), {botha}), backup);
  platform::data_control control;
  open(control, table);
  const QByteArray before = bytes(table);
  platform::set_file_fault_hook([](file_step step, const QString& path) {
    if (step == file_step::copy) throw file_error(file_error::kind::disk_full, path);
  });

  const table_step step = restore_backup(control, folder, table, backup);
  platform::set_file_fault_hook({});
  EXPECT_FALSE(step.ok);
  EXPECT_EQ(step.message, platform::error_description(file_error::kind::disk_full));
  EXPECT_EQ(bytes(table), before);
  EXPECT_EQ(current_name(control), QStringLiteral("Smit"));
}

// --- The bulk write of a mark column.

TEST_F(marks_table_steps_test, a_mark_column_goes_into_the_live_records_in_their_order) {
  const std::vector<QByteArray> cloete{"1004", "Cloete", "", "", "8B"};
  const std::vector<QByteArray> du_toit{"1005", "Du Toit", "7.0", "3", "8B"};
  test::dbf_builder b = smit_jansen_botha();
  write(b.record(cloete).record(du_toit), table);
  platform::data_control control;
  open(control, table);

  // Smit is left, Botha's and Cloete's marks change, Du Toit's is cleared;
  // the deleted Jansen takes no text.
  const table_step step =
      write_mark_column(control.recordset(), field_ref::named(QStringLiteral("ef_punt")),
                        {std::nullopt, QStringLiteral("13.5"), QStringLiteral("a"), QString()});
  EXPECT_TRUE(step.ok) << step.message.toStdString();

  test::dbf_builder expected = cycle_layout();
  expected.record(smit).record(jansen, true).record({"1003", "Botha", "13.5", "", "8B"});
  expected.record({"1004", "Cloete", "a", "", "8B"}).record({"1005", "Du Toit", "", "3", "8B"});
  EXPECT_EQ(test::hex(bytes(table)), test::hex(expected.dbf()));
  EXPECT_EQ(read_back(native(table)),
            (QStringList{QStringLiteral("1001|Smit|12.0"), QStringLiteral("*1002|Jansen|9.0"),
                         QStringLiteral("1003|Botha|13.5"), QStringLiteral("1004|Cloete|a"),
                         QStringLiteral("1005|Du Toit|")}));
}

TEST_F(marks_table_steps_test, a_mark_fits_its_field_by_its_windows_1252_bytes) {
  struct width_case {
    QString text;
    bool fits;
  };
  for (const width_case& c :
       {width_case{QStringLiteral("100.0"), true}, width_case{QStringLiteral("100.05"), false},
        width_case{QString::fromUtf8("\u00EB\u00EB\u00EB\u00EB\u00EB"), true},
        width_case{QString::fromUtf8("\u20AC1234"), true},
        width_case{QString::fromUtf8("\u00EB\u00EB\u00EB\u00EB\u00EB\u00EB"), false}}) {
    SCOPED_TRACE(c.text.toStdString());
    write(smit_jansen_botha(), table);
    const QByteArray before = bytes(table);
    platform::data_control control;
    open(control, table);
    const table_step step = write_mark_column(control.recordset(), field_ref::at(2), {c.text});
    EXPECT_EQ(step.ok, c.fits);
    if (!c.fits) {
      EXPECT_EQ(step.message, mark_does_not_fit_message(c.text, QStringLiteral("EF_PUNT")));
      EXPECT_EQ(bytes(table), before);
      continue;
    }
    EXPECT_EQ(clean_field_value(control.recordset().value_at(0, 2)), c.text);
  }
}

TEST_F(marks_table_steps_test, a_mark_column_that_cannot_be_written_changes_nothing) {
  struct refused_case {
    const char* name;
    std::vector<std::optional<QString>> texts;
    bool read_only;
    QString message;
    mark_def mark = {};
  };
  const refused_case cases[] = {
      {"one_mark_too_wide",
       {QStringLiteral("1.0"), QStringLiteral("123456")},
       false,
       mark_does_not_fit_message(QStringLiteral("123456"), QStringLiteral("EF_PUNT"))},
      {"more_marks_than_records",
       {QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("3.0")},
       false,
       QStringLiteral("No current record.")},
      {"a_read_only_table",
       {QStringLiteral("1.0")},
       true,
       QStringLiteral("Cannot update: table '%1' is open read-only").arg(table)},
      // Refused by the engine once the record is being edited: the edit is
      // dropped.
      {"a_letter_in_a_number_field",
       {QStringLiteral("A")},
       false,
       QStringLiteral(
           "Data type conversion error: the text 'A' cannot be stored in field 'EF_PUNT' (type N)"),
       {'N', 5, 1}},
  };
  for (const refused_case& c : cases) {
    SCOPED_TRACE(c.name);
    write(with_records(cycle_layout(c.mark), {smit, botha}), table);
    const QByteArray before = bytes(table);
    platform::data_control control;
    open(control, table, c.read_only);
    const table_step step = write_mark_column(control.recordset(), field_ref::at(2), c.texts);
    EXPECT_FALSE(step.ok);
    EXPECT_EQ(step.message, c.message);
    EXPECT_EQ(bytes(table), before);
    EXPECT_EQ(control.recordset().mode(), platform::recordset::edit_mode::none);
  }
}

TEST_F(marks_table_steps_test, a_mark_column_the_disk_fails_to_take_leaves_the_table_as_it_was) {
  // Botha's, Cloete's and Du Toit's marks change; Smit's stays.
  const auto prepare = [&] {
    test::dbf_builder b = smit_jansen_botha();
    write(b.record({"1004", "Cloete", "", "", "8B"}).record({"1005", "Du Toit", "7.0", "3", "8B"}), table);
  };
  const std::size_t steps = fail_every_step(
      prepare,
      [&](const std::function<void()>& arm) {
        platform::data_control control;
        open(control, table);
        arm();
        const table_step r = write_mark_column(
            control.recordset(), field_ref::at(2),
            {std::nullopt, QStringLiteral("13.5"), QStringLiteral("a"), QStringLiteral("40.0")});
        platform::set_file_fault_hook({});
        expect_set_reads_its_table(control.recordset());
        return step_outcome{r.ok, r.message};
      },
      table);
  EXPECT_GT(steps, 0u);
}

TEST_F(marks_table_steps_test, a_mark_column_goes_in_place_when_another_computer_holds_the_table_open) {
  refuse_every_rename(
      [&] {
        test::dbf_builder b = smit_jansen_botha();
        write(b.record({"1004", "Cloete", "", "", "8B"}), table);
      },
      [&] {
        platform::data_control control;
        open(control, table);
        const table_step r = write_mark_column(control.recordset(), field_ref::at(2),
                                               {std::nullopt, QStringLiteral("13.5"), QStringLiteral("a")});
        expect_set_reads_its_table(control.recordset());
        return r.ok;
      },
      table);
}

TEST_F(marks_table_steps_test, a_written_mark_column_leaves_the_set_writing_on_its_table) {
  write(smit_jansen_botha(), table);
  platform::data_control control;
  open(control, table);
  platform::recordset& rs = control.recordset();
  ASSERT_TRUE(write_mark_column(rs, field_ref::at(2), {QStringLiteral("1.0")}).ok);
  ASSERT_TRUE(write_mark_column(rs, field_ref::at(2), {std::nullopt, QStringLiteral("2.0")}).ok);
  // The window's own edit and append, after the column was written.
  rs.set_absolute_position(0);
  rs.edit();
  rs.set_value(4, platform::Value(QStringLiteral("9C")));
  rs.update();
  rs.add_new();
  rs.set_value(0, platform::Value(1006.0));
  rs.update();

  test::dbf_builder expected = cycle_layout();
  expected.date(2024, 3, 1).record({"1001", "Smit", "1.0", "", "9C"}).record(jansen, true);
  expected.record({"1003", "Botha", "2.0", "", "8B"}).record({"1006"});
  EXPECT_EQ(test::hex(bytes(table)), test::hex(expected.dbf()));
  expect_set_reads_its_table(rs);
}

// --- The copy of every mark into the other table.

// Which way the marks go and how the fields are named: the cycle window
// names them by position, the OBE window by name in lower case.
struct copy_direction {
  const char* name;
  bool cycle_to_obe;
  field_ref from_number, from_mark, to_number, to_mark;
};

void PrintTo(const copy_direction& d, std::ostream* os) { *os << d.name; }

class copy_marks_test : public marks_table_steps_test, public ::testing::WithParamInterface<copy_direction> {
 protected:
  const QString& from_table() const { return GetParam().cycle_to_obe ? table : obe; }
  const QString& to_table() const { return GetParam().cycle_to_obe ? obe : table; }
  test::dbf_builder from_layout() const { return GetParam().cycle_to_obe ? cycle_layout() : obe_layout(); }
  test::dbf_builder to_layout(mark_def mark = {}) const {
    return GetParam().cycle_to_obe ? obe_layout(mark) : cycle_layout(mark);
  }

  copy_result copy(platform::data_control& from, platform::data_control& to) const {
    const copy_direction& d = GetParam();
    return copy_marks(from.recordset(), d.from_number, d.from_mark, to.recordset(), d.to_number, d.to_mark);
  }
};

struct copy_case {
  const char* name;
  rows_t from;
  rows_t to;
  rows_t expected;  // the records of `to` after the copy
  int updated, added;
  std::vector<double> numbers;
};

TEST_P(copy_marks_test, marks_reach_the_record_of_their_learner_and_a_second_copy_changes_nothing) {
  const copy_case cases[] = {
      {"a_missing_learner_gets_a_record_of_number_and_mark_only",
       {{"1001", "Botha Zoe", "12", "1", "2"}},
       {{"900", "Earlier Learner", "30.0", "1", "2"}},
       {{"900", "Earlier Learner", "30.0", "1", "2"}, {"1001", "", "12.0"}},
       0,
       1,
       {900}},
      // 87654321 and 87654322 are one number in single precision.
      {"eight_digit_numbers_find_their_own_records",
       {{"12345678", "Naidoo", "55", "1", "2"}, {"87654321", "Pillay", "60"}, {"87654322", "Moodley", "61"}},
       {{"87654322", "Moodley", "1.0"}, {"12345678", "Naidoo", "10.0", "1", "2"}, {"87654321", "Pillay", ""}},
       {{"87654322", "Moodley", "61.0"},
        {"12345678", "Naidoo", "55.0", "1", "2"},
        {"87654321", "Pillay", "60.0"}},
       3,
       0,
       {87654322, 12345678, 87654321}},
      {"numbers_not_above_0_are_not_copied",
       {{"0", "Nobody", "12"}, {"-1", "Minus", "13"}, {"", "Blank", "14"}},
       {},
       {},
       0,
       0,
       {}},
      {"a_number_met_again_updates_the_record_it_added",
       {{"2001", "Twice", "10"}, {"2001", "Twice", "20"}},
       {},
       {{"2001", "", "20.0"}},
       1,
       1,
       {}},
      {"the_first_record_of_a_number_counts",
       {{"3001", "Once", "5"}},
       {{"3001", "First", "1.0"}, {"3001", "Second", "2.0"}},
       {{"3001", "First", "5.0"}, {"3001", "Second", "2.0"}},
       1,
       0,
       {3001, 3001}},
      {"marks_go_as_numbers_and_letters_and_blanks_as_they_are",
       {{"1", "a", "12"},
        {"2", "b", "A"},
        {"3", "c", "a"},
        {"4", "d", ""},
        {"5", "e", " 8.5"},
        {"6", "f", "0"}},
       {{"4", "Has a mark", "30.0"}},
       {{"4", "Has a mark", ""},
        {"1", "", "12.0"},
        {"2", "", "A"},
        {"3", "", "a"},
        {"5", "", "8.5"},
        {"6", "", "0.0"}},
       1,
       5,
       {4}},
  };
  for (const copy_case& c : cases) {
    SCOPED_TRACE(c.name);
    write(with_records(from_layout(), c.from), from_table());
    write(with_records(to_layout(), c.to), to_table());
    const QByteArray from_before = bytes(from_table());
    platform::data_control from, to;
    open(from, from_table());
    open(to, to_table());

    const copy_result r = copy(from, to);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.updated, c.updated);
    EXPECT_EQ(r.added, c.added);
    EXPECT_EQ(r.numbers, c.numbers);
    test::dbf_builder expected = with_records(to_layout(), c.expected);
    if (c.added > 0) expected.date(2024, 3, 1);
    EXPECT_EQ(test::hex(bytes(to_table())), test::hex(expected.dbf()));
    EXPECT_EQ(bytes(from_table()), from_before);
    EXPECT_EQ(read_back(native(to_table())), lines_of(c.expected));

    // Copying again, on a later day, finds every learner and writes the
    // same bytes: not even the header's date changes.
    clk.advance_ms(24 * 3600 * 1000);
    const QByteArray to_once = bytes(to_table());
    const copy_result again = copy(from, to);
    EXPECT_TRUE(again.ok) << again.message.toStdString();
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(test::hex(bytes(to_table())), test::hex(to_once));
    EXPECT_EQ(bytes(from_table()), from_before);
    clk.set_now(*platform::make_date(2024, 3, 1) + 0.5);
  }
}

TEST_P(copy_marks_test, a_copy_that_cannot_be_written_leaves_both_tables_as_they_were) {
  const QString to_name = to_table();
  const QString to_mark_name =
      GetParam().cycle_to_obe ? QStringLiteral("EO_PUNT") : QStringLiteral("EF_PUNT");
  struct refused_case {
    const char* name;
    rows_t from_rows;
    mark_def to_mark_def;
    bool read_only;
    field_ref to_mark;  // in place of the direction's field when named
    QString message;
  };
  // In the first three cases the first learner's mark would fit and be
  // written first.
  const rows_t botha_and_cloete{{"1001", "Botha Zoe", "12"}, {"1002", "Cloete Ann", "100"}};
  const refused_case cases[] = {
      {"a_mark_too_wide_for_the_field",
       botha_and_cloete,
       {'C', 4},
       false,
       {},
       mark_does_not_fit_message(QStringLiteral("100.0"), to_mark_name)},
      {"a_read_only_table",
       botha_and_cloete,
       {},
       true,
       {},
       QStringLiteral("Cannot update: table '%1' is open read-only").arg(to_name)},
      {"a_field_the_table_lacks",
       botha_and_cloete,
       {},
       false,
       field_ref::named(QStringLiteral("punt")),
       QStringLiteral("Item not found in this collection: field 'punt' of table '%1'").arg(to_name)},
      // Refused by the engine once the record is being edited: the edit is
      // dropped.
      {"a_letter_in_a_number_field",
       {{"1001", "Botha Zoe", "A"}},
       {'N', 5, 1},
       false,
       {},
       QStringLiteral("Data type conversion error: the text 'A' cannot be stored in field '%1' (type N)")
           .arg(to_mark_name)},
  };
  for (const refused_case& c : cases) {
    SCOPED_TRACE(c.name);
    write(with_records(from_layout(), c.from_rows), from_table());
    write(with_records(to_layout(c.to_mark_def), {{"1001", "Botha Zoe", "1.0"}}), to_table());
    const QByteArray from_before = bytes(from_table()), to_before = bytes(to_table());
    platform::data_control from, to;
    open(from, from_table());
    open(to, to_table(), c.read_only);

    const copy_direction& d = GetParam();
    const copy_result r = copy_marks(from.recordset(), d.from_number, d.from_mark, to.recordset(),
                                     d.to_number, c.to_mark.name.isEmpty() ? d.to_mark : c.to_mark);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.updated + r.added, 0);
    EXPECT_EQ(to.recordset().mode(), platform::recordset::edit_mode::none);
    EXPECT_EQ(test::hex(bytes(to_table())), test::hex(to_before));
    EXPECT_EQ(bytes(from_table()), from_before);
  }
}

TEST_P(copy_marks_test, a_copy_the_disk_fails_to_take_leaves_the_other_table_as_it_was) {
  // One learner updated, one added, one mark unchanged.
  const auto prepare = [&] {
    write(
        with_records(from_layout(),
                     {{"1001", "Botha Zoe", "12"}, {"1002", "Cloete Ann", "A"}, {"1003", "Dlamini", "7.5"}}),
        from_table());
    write(with_records(to_layout(), {{"1003", "Dlamini", "7.5"}, {"1001", "Botha Zoe", "1.0"}}), to_table());
  };
  const QByteArray from_before = (prepare(), bytes(from_table()));
  const std::size_t steps = fail_every_step(
      prepare,
      [&](const std::function<void()>& arm) {
        platform::data_control from, to;
        open(from, from_table());
        open(to, to_table());
        arm();
        const copy_result r = copy(from, to);
        platform::set_file_fault_hook({});
        EXPECT_EQ(r.numbers, (std::vector<double>{1003, 1001}));
        expect_set_reads_its_table(to.recordset());
        EXPECT_EQ(bytes(from_table()), from_before);
        return step_outcome{r.ok, r.message};
      },
      to_table());
  EXPECT_GT(steps, 0u);
}

TEST_P(copy_marks_test, a_copy_goes_in_place_when_another_computer_holds_the_other_table_open) {
  // One learner updated, one added.
  refuse_every_rename(
      [&] {
        write(with_records(from_layout(), {{"1001", "Botha Zoe", "12"}, {"1002", "Cloete Ann", "A"}}),
              from_table());
        write(with_records(to_layout(), {{"1001", "Botha Zoe", "1.0"}}), to_table());
      },
      [&] {
        platform::data_control from, to;
        open(from, from_table());
        open(to, to_table());
        const copy_result r = copy(from, to);
        expect_set_reads_its_table(to.recordset());
        return r.ok && r.updated == 1 && r.added == 1;
      },
      to_table());
}

INSTANTIATE_TEST_SUITE_P(
    directions, copy_marks_test,
    ::testing::Values(copy_direction{"cycle_to_obe", true, field_ref::at(0), field_ref::at(2),
                                     field_ref::named(QStringLiteral("EO_T_NR")),
                                     field_ref::named(QStringLiteral("EO_PUNT"))},
                      copy_direction{"obe_to_cycle", false, field_ref::named(QStringLiteral("eo_t_nr")),
                                     field_ref::named(QStringLiteral("eo_punt")),
                                     field_ref::named(QStringLiteral("ef_t_nr")),
                                     field_ref::named(QStringLiteral("ef_punt"))}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace km
