// Conversions stopped (as a kill stops the program) or failed (as a full
// disk fails a write) at every file step: the record file is never left
// half made, never taken for an older layout, the source is retired only
// once the record file and its marker stand, a failure is told, and after
// the next opening the folder is the one an uninterrupted run leaves.

#include <QFile>
#include <QRegularExpression>
#include <vector>

#include "common/file_number_pool.h"
#include "common/open_random_files.h"
#include "common/table_messages.h"
#include "conversion_fixture.h"
#include "datafiles/write_failure_messages.h"
#include "file_step_faults.h"
#include "platform/dialogs.h"
#include "platform/file_hold.h"
#include "platform/file_system.h"

namespace km::test {
namespace {

const QString homework_fields = QStringLiteral(
    "hd_t_nr C(6); hd_datum D; hd_pos_nr C(3); hd_rede N(3,0); hd_uitslag N(3,0); hd_opmerk N(3,0); "
    "hd_voltooi L");

struct conversion_case {
  const char* name;
  const char* code;
  const char* table;  // the source: a dBase table, or a file a hand-written build reads
  const char* record_file;
  bool retires_source = true;  // the source goes into \save once the record file stands
};

// 17 history records of 88 bytes are as long as 44 records of the older
// 34-byte layout.
const conversion_case cases[] = {
    {"learner history of 17 rows, with its layout marker", "PPLHST", "Ppl_hst.dbf", "Ppl_hst_random.txt"},
    {"hostel table with its memo file", "KHDTA", "k_h_dta.dbf", "k_h_dta_random.txt"},
    {"plain homework table", "H_W", "h_w_dta.dbf", "hw_random.txt"},
    {"wide outcome sets, built by hand from the narrow ones", "PI4VH", "pi4_su_random.txt",
     "pi4_vh_random.txt", false},
    {"narrow outcome sets, built by hand from the subject text files", "PI4SU", "su_wisk.txt",
     "pi4_su_random.txt"},
};

class conversion_stop_test : public conversion_test {
 protected:
  void SetUp() override {
    conversion_test::SetUp();
    std::vector<QJsonArray> history;
    for (int n = 1; n <= 17; ++n)
      history.push_back(
          row_of(history_fields, {{"PH_T_NR", n}, {"PH_STD_1", "10"}, {"PH_JAAR_1", 2000 + n}}));
    write_table(QStringLiteral("Ppl_hst.dbf"), history_fields, history);
    write_table(QStringLiteral("k_h_dta.dbf"), hostel_fields,
                {row_of(hostel_fields, {{"KH_T_NR", 3}, {"KH_KOSHUIS", "Noord"}, {"KH_MEMO", "een nota"}}),
                 row_of(hostel_fields, {{"KH_T_NR", 4}, {"KH_MEMO", "nog een"}})});
    write_table(QStringLiteral("h_w_dta.dbf"), homework_fields,
                {row_of(homework_fields, {{"hd_t_nr", "17"}, {"hd_voltooi", true}}),
                 row_of(homework_fields, {{"hd_t_nr", "18"}})});
    QByteArray subjects;  // two outcome sets of 1237 bytes
    for (const char* code : {"WISK ", "GESK "}) {
      QByteArray set = code;
      for (int i = 5; i < 1237; ++i) set += char('a' + i % 26);
      subjects += set;
    }
    put(QStringLiteral("pi4_su_random.txt"), subjects);
    // Two subject text files of outcome groups, eight values a group.
    put(QStringLiteral("su_wisk.txt"),
        "\"Getalle\",1,\"Numbers\",\"x\",#TRUE#,#FALSE#,1,0\r\n\"Meting\",2,\"Measurement\",0,0,-1,0,#TRUE#"
        "\r\n");
    put(QStringLiteral("SU_GESK.TXT"), "\"Bronne\",1,\"Sources\",2,0,0,#TRUE#,0\r\n");
  }
  QString native(const QString& name) const { return drives.native_drive('C') + u'/' + name; }
  // A fresh folder C:\<name> holding the case's source (and the others'),
  // without the case's record file (the source of another case).
  QString fresh_folder(const QString& name, const conversion_case& c) {
    copy_native_folder(native(QStringLiteral("DATA")), native(name));
    QFile::remove(native(name) + u'/' + QLatin1String(c.record_file));
    return QStringLiteral("C:\\") + name;
  }
  static void end_program() {
    std::int16_t all = 999;
    close_file(all);
  }
  static void opening(const conversion_case& c, const QString& folder) {
    open_random_files(QLatin1String(c.code), QString(folder));
    end_program();
  }
  folder_state clean_run(const conversion_case& c) {
    const QString name = QStringLiteral("CLEAN%1_%2").arg(++runs_).arg(QLatin1String(c.code));
    const QString folder = fresh_folder(name, c);
    opening(c, folder);
    opening(c, folder);
    return state_of_folder(native(name));
  }
  int runs_ = 0;
  counted_steps steps_of_clean_run(const conversion_case& c) {
    const QString folder =
        fresh_folder(QStringLiteral("COUNT%1_%2").arg(++runs_).arg(QLatin1String(c.code)), c);
    file_step_faults counter;
    opening(c, folder);
    return counter.counted();
  }
};

TEST_F(conversion_stop_test, a_conversion_stopped_at_any_step_is_redone_or_finished_by_the_next_opening) {
  for (const conversion_case& c : cases) {
    SCOPED_TRACE(c.name);
    const folder_state after = clean_run(c);
    ASSERT_TRUE(after.count(QLatin1String(c.record_file)));
    ASSERT_TRUE(
        after.count((c.retires_source ? QStringLiteral("save/") : QString()) + QLatin1String(c.table)));
    const int steps = int(steps_of_clean_run(c).paths.size());
    RecordProperty(std::string("file steps: ") + c.code, steps);
    ASSERT_GT(steps, 2);
    for (int at = 1; at <= steps; ++at) {
      SCOPED_TRACE(at);
      const QString name = QStringLiteral("STOP_%1_%2").arg(QLatin1String(c.code)).arg(at);
      const QString folder = fresh_folder(name, c);
      {
        file_step_faults stop(step_fault::stop, at);
        EXPECT_THROW(open_random_files(QLatin1String(c.code), QString(folder)), stopped_at_step);
      }
      end_program();
      opening(c, folder);
      EXPECT_EQ(describe(state_of_folder(native(name))), describe(after));
    }
  }
}

TEST_F(conversion_stop_test, a_write_failing_at_any_step_is_told_and_changes_nothing_until_the_next_opening) {
  const platform::file_error full(platform::file_error::kind::disk_full, QString());
  for (const conversion_case& c : cases) {
    SCOPED_TRACE(c.name);
    const folder_state after = clean_run(c);
    const counted_steps steps = steps_of_clean_run(c);
    // The first step into \save begins the retire of the source (for a build
    // that retires none, the step after the record file takes its name):
    // from there on a failure is no failure of the record file and is not
    // told.
    const qsizetype retire_from =
        c.retires_source ? steps.paths.indexOf(QRegularExpression(QStringLiteral(R"(.*[\\/]save[\\/].*)"),
                                                                  QRegularExpression::CaseInsensitiveOption))
                         : steps.paths.indexOf(QRegularExpression(QStringLiteral(R"(.*[\\/])") +
                                                                  QLatin1String(c.record_file))) +
                               1;
    ASSERT_GT(retire_from, 0);
    for (int at = 1; at <= steps.paths.size(); ++at) {
      SCOPED_TRACE(at);
      const QString name = QStringLiteral("FULL_%1_%2").arg(QLatin1String(c.code)).arg(at);
      const QString folder = fresh_folder(name, c);
      const folder_state before = state_of_folder(native(name));
      const bool retiring = at - 1 >= retire_from;
      const bool told = !retiring && !failure_passed_over(steps.kinds[at - 1]);
      if (told) {
        dialogs.expect_message(record_file_not_made_message(QLatin1String(c.record_file), full))
            .icon(platform::msg_icon::exclamation);
      }
      {
        file_step_faults faults(step_fault::disk_full, at);
        open_random_files(QLatin1String(c.code), QString(folder));
      }
      dialogs.verify();
      end_program();
      const folder_state state = state_of_folder(native(name));
      // A failed retire leaves the source beside the finished record file;
      // the opening's restart finds both and retires the source then. A
      // failure passed over lets the conversion finish.
      EXPECT_EQ(describe(state), describe(told ? before : after));
      opening(c, folder);
      EXPECT_EQ(describe(state_of_folder(native(name))), describe(after));
    }
  }
}

// A folder that refuses every write: the teacher is told, nothing is made.
TEST_F(conversion_stop_test, a_read_only_folder_is_told_and_no_record_file_is_made) {
  const platform::file_error refused(platform::file_error::kind::permission_denied, QString());
  for (const conversion_case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QStringLiteral("READ_ONLY_") + QLatin1String(c.code);
    const QString folder = fresh_folder(name, c);
    const folder_state before = state_of_folder(native(name));
    dialogs.expect_message(record_file_not_made_message(QLatin1String(c.record_file), refused))
        .icon(platform::msg_icon::exclamation);
    {
      file_step_faults faults(step_fault::read_only, 1);
      open_random_files(QLatin1String(c.code), QString(folder));
    }
    dialogs.verify();
    end_program();
    EXPECT_EQ(describe(state_of_folder(native(name))), describe(before));
  }
}

// A temporary file another program holds is that program's conversion at
// work: it is left alone and the table is converted at a later opening.
TEST_F(conversion_stop_test, a_temporary_file_another_program_holds_is_left_alone) {
  const conversion_case& c = cases[1];
  const folder_state after = clean_run(c);
  const QString folder = fresh_folder(QStringLiteral("HELD"), c);
  const QString temporary = folder + QStringLiteral("\\khdta_conversion.tmp");
  {
    const platform::file_hold other_program(temporary);
    dialogs.expect_message(in_use_message(folder, QLatin1String(c.record_file)))
        .icon(platform::msg_icon::exclamation);
    opening(c, folder);
    dialogs.verify();
    EXPECT_TRUE(platform::file_exists(temporary));
    EXPECT_FALSE(platform::file_exists(folder + u'\\' + QLatin1String(c.record_file)));
    EXPECT_TRUE(platform::file_exists(folder + u'\\' + QLatin1String(c.table)));
  }
  opening(c, folder);
  EXPECT_EQ(describe(state_of_folder(native(QStringLiteral("HELD")))), describe(after));
}

}  // namespace
}  // namespace km::test
