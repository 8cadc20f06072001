// The layout rebuilds stopped (as a kill stops the program) or failed (as a
// full disk or a read-only folder fails a write) at every file step: each
// record file is whole in its old layout without its marker, or whole in
// its new one with its marker, the failure is told, and after the next
// opening the folder is the one an uninterrupted run leaves.

#include <algorithm>
#include <functional>
#include <vector>

#include "common/file_number_pool.h"
#include "common/record_file_not_ready.h"
#include "common/table_messages.h"
#include "datafiles/write_failure_messages.h"
#include "file_step_faults.h"
#include "platform/dialogs.h"
#include "platform/file_hold.h"
#include "upgrade_fixture.h"

namespace km::test {
namespace {

// count records of length bytes, every record different.
QByteArray old_records(int count, int length) {
  QByteArray out;
  for (int r = 0; r < count; ++r)
    for (int i = 0; i < length; ++i) out += char('A' + (r * 7 + i) % 26);
  return out;
}

struct record_file {
  const char* name;
  const char* marker;
  QByteArray old_bytes;
};

struct rebuild_case {
  const char* name;
  const char* code;  // the code whose opening runs the rebuild
  void (*job)(const QString& folder);
  std::vector<record_file> files;
};

// Families in the oldest layout (2046 bytes), each its own: the number of
// members (F58) and dates of F63 that are dates.
QByteArray old_families(int count) {
  QByteArray out;
  for (int r = 0; r < count; ++r) {
    QByteArray family(2046, char('A' + r % 26));
    family.replace(1222, 2, le16(r % 13));
    for (int i = 0; i <= 10; ++i) {
      const double day = i == 1 ? 42000.0 + r : 0.0;
      family.replace(1950 + 8 * i, 8, QByteArray(reinterpret_cast<const char*>(&day), 8));
    }
    out += family;
  }
  return out;
}

// The upgrades as the program's services run them, telling their failure.
void upgrade_families(const QString& folder) { datafile_services().convert_gsn_cmp_random(folder); }
void upgrade_school_address(const QString& folder) { datafile_services().upgrade_skl_add_2016(folder); }
void cut_outcome_sets(const QString& folder) { datafile_services().upgrade_pi4_vh(folder); }

// 17 learner-history records take as many bytes as 44 old ones: their new
// file is a whole number of old records too; so do 93 families rebuilt
// from the first family layout (95 records of it).
const std::vector<rebuild_case>& cases() {
  static const std::vector<rebuild_case> all = {
      {"learner history",
       "PPLHST",
       &upgrade_ppl_hst_2014,
       {{"Ppl_hst_random.txt", "PH2014_random.txt", old_records(17, 34)}}},
      {"learner marks",
       "PIG",
       &upgrade_ppl_pig_2014,
       {{"Ppl_pig_random.txt", "pig2014_random.txt", old_records(2, 244)}}},
      {"behaviour", "S_B", &upgrade_sb_2014, {{"sb_random.txt", "sb2014_random.txt", old_records(2, 1324)}}},
      {"cycle weights and outcome values",
       "PI5",
       &upgrade_pi11_pi5_2014,
       {{"pi11_random.txt", "pi14_random.txt", old_records(1, 168)},
        {"pi5_random.txt", "pi54_random.txt", old_records(3, 57)}}},
      {"families",
       "GSN",
       &upgrade_families,
       {{"Gsn_Cmp_random.txt", "gsncmp_convert.2016", old_families(93)}}},
      {"school address",
       "SKLADD",
       &upgrade_school_address,
       {{"skl_add_random.txt", "skladd_convert.2016", old_records(2, 458)}}},
      {"outcome sets cut to 50",
       "PI4VH",
       &cut_outcome_sets,
       {{"pi4_vh_random.txt", "", old_records(53, 5717)}}},
  };
  return all;
}

class rebuild_stop_test : public upgrade_test {
 protected:
  // A fresh folder C:\<name> holding the case's old files.
  QString fresh_folder(const rebuild_case& c, const QString& name) {
    for (const record_file& f : c.files) put(QLatin1String(f.name), f.old_bytes, name);
    return QStringLiteral("C:\\") + name;
  }
  QString native(const QString& name) const { return drives.native_drive('C') + u'/' + name; }
  // The program ends: every file is given up, no output is committed.
  static void end_program() {
    std::int16_t all = 999;
    close_file(all);
  }
  // The next start of the program opens the code again.
  static void next_opening(const rebuild_case& c, const QString& folder) {
    open(QLatin1String(c.code), folder);
    end_program();
  }
  // The folder after an uninterrupted rebuild and the opening after it;
  // done_ keeps the folder as the rebuild alone leaves it.
  folder_state clean_run(const rebuild_case& c) {
    const QString name = QStringLiteral("CLEAN%1_%2").arg(++runs_).arg(QLatin1String(c.code));
    const QString folder = fresh_folder(c, name);
    c.job(folder);
    end_program();
    done_ = state_of_folder(native(name));
    next_opening(c, folder);
    return state_of_folder(native(name));
  }
  folder_state done_;
  int runs_ = 0;
  counted_steps steps_of_clean_run(const rebuild_case& c) {
    const QString folder =
        fresh_folder(c, QStringLiteral("COUNT%1_%2").arg(++runs_).arg(QLatin1String(c.code)));
    file_step_faults counter;
    c.job(folder);
    return counter.counted();
  }
};

TEST_F(rebuild_stop_test, a_rebuild_stopped_at_any_step_is_finished_or_redone_by_the_next_opening) {
  g_year = QStringLiteral("2014");
  for (const rebuild_case& c : cases()) {
    SCOPED_TRACE(c.name);
    const folder_state after = clean_run(c);
    const int steps = int(steps_of_clean_run(c).paths.size());
    RecordProperty(std::string("file steps: ") + c.code, steps);
    ASSERT_GT(steps, 3);
    for (int at = 1; at <= steps; ++at) {
      SCOPED_TRACE(at);
      const QString name = QStringLiteral("STOP%1_%2").arg(c.code).arg(at);
      const QString folder = fresh_folder(c, name);
      {
        file_step_faults stop(step_fault::stop, at);
        EXPECT_THROW(c.job(folder), stopped_at_step);
      }
      end_program();
      next_opening(c, folder);
      const folder_state state = state_of_folder(native(name));
      EXPECT_EQ(describe(state), describe(after));
      EXPECT_TRUE(state == after);
    }
  }
}

// Each record file of the case is whole in its old layout without its
// marker, or as the uninterrupted rebuild leaves it (done) with its marker;
// no file is there that neither the folder before nor done holds.
void expect_old_or_new(const rebuild_case& c, const folder_state& state, const folder_state& done) {
  for (const record_file& f : c.files) {
    SCOPED_TRACE(f.name);
    const QString file = QLatin1String(f.name);
    const QString marker = QLatin1String(f.marker);
    const bool marked = !marker.isEmpty() && state.count(marker);
    const bool old_unmarked = state.count(file) && state.at(file) == f.old_bytes && !marked;
    const bool new_marked = state.count(file) && state.at(file) == done.at(file) &&
                            (marker.isEmpty() || (marked && state.at(marker) == done.at(marker)));
    EXPECT_TRUE(old_unmarked || new_marked) << describe(state);
  }
  for (const auto& [name, bytes] : state) {
    const bool before = std::any_of(c.files.begin(), c.files.end(),
                                    [&](const record_file& f) { return name == QLatin1String(f.name); });
    EXPECT_TRUE(before || done.count(name)) << name.toStdString() << " left behind";
  }
}

// The record file a step works on, by the names of its files.
QString file_of_step(const rebuild_case& c, const QString& path) {
  if (c.files.size() == 1) return QLatin1String(c.files[0].name);
  for (const record_file& f : c.files) {
    for (const char* name : {f.name, f.marker}) {
      const QString base = QString::fromLatin1(name).chopped(4);  // less ".txt"
      if (path.contains(base + u'.', Qt::CaseInsensitive)) return QLatin1String(f.name);
    }
  }
  return QStringLiteral("?");
}

TEST_F(rebuild_stop_test, a_rebuild_failing_at_any_step_is_told_and_leaves_each_file_as_it_was) {
  g_year = QStringLiteral("2014");
  const platform::file_error full(platform::file_error::kind::disk_full, QString());
  const platform::file_error read_only(platform::file_error::kind::permission_denied, QString());
  // A full disk can fail any write; a read-only folder refuses the first.
  for (const step_fault fault : {step_fault::disk_full, step_fault::read_only}) {
    for (const rebuild_case& c : cases()) {
      SCOPED_TRACE(c.name);
      const folder_state after = clean_run(c);
      const counted_steps steps = steps_of_clean_run(c);
      const int last = fault == step_fault::read_only ? 1 : int(steps.paths.size());
      for (int at = 1; at <= last; ++at) {
        SCOPED_TRACE(at);
        const QString name = QStringLiteral("FAIL%1_%2_%3").arg(int(fault)).arg(c.code).arg(at);
        const QString folder = fresh_folder(c, name);
        // A failure the file layer passes over lets the rebuild finish.
        const bool told = !failure_passed_over(steps.kinds[at - 1]);
        if (told) {
          const QString file = file_of_step(c, steps.paths[at - 1]);
          dialogs
              .expect_message(fault == step_fault::disk_full
                                  ? record_file_not_upgraded_message(file, full)
                                  : record_file_not_upgraded_message(file, read_only))
              .icon(platform::msg_icon::exclamation);
        }
        {
          file_step_faults faults(fault, at);
          if (told)
            EXPECT_ANY_THROW(c.job(folder));
          else
            EXPECT_NO_THROW(c.job(folder));
        }
        dialogs.verify();
        end_program();
        expect_old_or_new(c, state_of_folder(native(name)), done_);
        next_opening(c, folder);
        EXPECT_EQ(describe(state_of_folder(native(name))), describe(after));
      }
    }
  }
}

// The learner-address rebuild keeps its file in the folder until the new
// one is whole: stopped at any step, the next opening rebuilds it; failing,
// the file stays as it was.
TEST_F(rebuild_stop_test, an_address_rebuild_stopped_or_failing_at_any_step_keeps_the_file) {
  QByteArray old;
  for (int n = 0; n < 2001; ++n) old += le_single(float(n % 2 + 1)) + padded(QByteArray::number(n), 173);
  const rebuild_case c{"learner addresses", "PPLADD", &upgrade_ppl_add, {{"Ppl_add_random.txt", "", old}}};
  const auto count_message = [&] { dialogs.expect_message(QStringLiteral("2")); };
  count_message();
  const folder_state after = clean_run(c);
  count_message();
  const counted_steps steps = steps_of_clean_run(c);
  dialogs.verify();
  const platform::file_error full(platform::file_error::kind::disk_full, QString());
  for (int at = 1; at <= steps.paths.size(); ++at) {
    SCOPED_TRACE(at);
    for (const step_fault fault : {step_fault::stop, step_fault::disk_full}) {
      const QString name = QStringLiteral("ADDRESSES%1_%2").arg(int(fault)).arg(at);
      const QString folder = fresh_folder(c, name);
      if (fault == step_fault::disk_full && failure_passed_over(steps.kinds[at - 1])) {
        // The rebuild finishes as though the step had run.
        count_message();
        {
          file_step_faults faults(fault, at);
          EXPECT_NO_THROW(services.upgrade_ppl_add(folder));
        }
        end_program();
        next_opening(c, folder);
        dialogs.verify();
        EXPECT_EQ(describe(state_of_folder(native(name))), describe(after));
        continue;
      }
      {
        file_step_faults faults(fault, at);
        if (fault == step_fault::stop) {
          EXPECT_THROW(upgrade_ppl_add(folder), stopped_at_step);
        } else {
          dialogs.expect_message(record_file_not_upgraded_message(QStringLiteral("Ppl_add_random.txt"), full))
              .icon(platform::msg_icon::exclamation);
          EXPECT_THROW(services.upgrade_ppl_add(folder), record_file_not_ready);
        }
      }
      end_program();
      // Stopped once the rename that puts the new file in place is done (at
      // the flush of the folder after it), the rebuild stands whole as an
      // uninterrupted one leaves it; before that, the file is as it was.
      const folder_state state = state_of_folder(native(name));
      const bool rebuilt = fault == step_fault::stop && state == done_;
      if (!rebuilt) {
        EXPECT_EQ(bytes_of(QStringLiteral("Ppl_add_random.txt"), folder), old);
        count_message();
        dialogs.expect_message(QStringLiteral("?"));
      }
      next_opening(c, folder);
      dialogs.verify();
      EXPECT_EQ(describe(state_of_folder(native(name))), describe(after));
    }
  }
}

// The copy of pi1_random.txt into the empty pi11_random.txt moves the
// outcome values aside and marks itself done before the new file takes its
// place: stopped at any step, the next opening finishes it.
TEST_F(rebuild_stop_test, a_pi1_to_pi11_copy_stopped_at_any_step_is_finished_by_the_next_opening) {
  g_year = QStringLiteral("2014");
  const rebuild_case c{"pi1 into pi11",
                       "PI11",
                       &upgrade_pi1_to_pi11,
                       {{"pi11_random.txt", "", {}},
                        {"pi1_random.txt", "", old_records(1, 172)},
                        {"pi5_random.txt", "", old_records(2, 57)}}};
  const auto next_openings = [&](const QString& folder) {
    next_opening(c, folder);
    open(QStringLiteral("PI5"), folder);
    end_program();
  };
  const auto first_opening = [&](const QString& name) {
    const QString folder = fresh_folder(c, name);
    open(QLatin1String(c.code), folder);
    end_program();
    return folder;
  };
  next_openings(first_opening(QStringLiteral("PI1_CLEAN")));
  const folder_state after = state_of_folder(native(QStringLiteral("PI1_CLEAN")));
  ASSERT_TRUE(after.count(QStringLiteral("save/pi5_random.txt")));
  int steps = 0;
  {
    file_step_faults counter;
    first_opening(QStringLiteral("PI1_COUNT"));
    steps = counter.steps();
  }
  for (int at = 1; at <= steps; ++at) {
    SCOPED_TRACE(at);
    const QString name = QStringLiteral("PI1_STOP%1").arg(at);
    const QString folder = fresh_folder(c, name);
    {
      file_step_faults stop(step_fault::stop, at);
      EXPECT_THROW(open(QLatin1String(c.code), folder), stopped_at_step);
    }
    end_program();
    next_openings(folder);
    EXPECT_EQ(describe(state_of_folder(native(name))), describe(after));
  }
}

// A work file another program holds is that program's rebuild at work: it
// is left alone, and the file is rebuilt at a later opening.
TEST_F(rebuild_stop_test, a_work_file_another_program_holds_is_left_alone) {
  g_year = QStringLiteral("2014");
  const rebuild_case& c = cases()[0];
  const folder_state after = clean_run(c);
  const QString folder = fresh_folder(c, QStringLiteral("HELD"));
  const QString work = folder + QStringLiteral("\\Ppl_hst_random.new");
  {
    const platform::file_hold other_program(work);
    dialogs.expect_message(in_use_message(folder, QStringLiteral("Ppl_hst_random.txt")))
        .icon(platform::msg_icon::exclamation);
    next_opening(c, folder);
    dialogs.verify();
    EXPECT_TRUE(exists(QStringLiteral("Ppl_hst_random.new"), folder));
    EXPECT_FALSE(exists(QStringLiteral("PH2014_random.txt"), folder));
    EXPECT_EQ(bytes_of(QStringLiteral("Ppl_hst_random.txt"), folder), c.files[0].old_bytes);
  }
  next_opening(c, folder);
  EXPECT_EQ(describe(state_of_folder(native(QStringLiteral("HELD")))), describe(after));
}

TEST_F(rebuild_stop_test, the_failure_message_in_both_languages) {
  const platform::file_error full(platform::file_error::kind::disk_full, QString());
  const platform::file_error read_only(platform::file_error::kind::permission_denied, QString());
  const platform::file_error other(platform::file_error::kind::other, QString());
  struct row {
    bool afrikaans;
    const platform::file_error& error;
    QString made;
    QString upgraded;
  };
  const row rows[] = {
      {false, full, QStringLiteral("THE DISK IS FULL: x_random.txt WAS NOT MADE. NOTHING WAS CHANGED."),
       QStringLiteral("THE DISK IS FULL: x_random.txt WAS NOT BROUGHT UP TO DATE. NOTHING WAS CHANGED.")},
      {true, full, QStringLiteral("DIE SKYF IS VOL: x_random.txt IS NIE GEMAAK NIE. NIKS IS VERANDER NIE."),
       QStringLiteral("DIE SKYF IS VOL: x_random.txt IS NIE OPGEDATEER NIE. NIKS IS VERANDER NIE.")},
      {false, read_only,
       QStringLiteral("THE FOLDER IS 'READ ONLY': x_random.txt WAS NOT MADE. NOTHING WAS CHANGED."),
       QStringLiteral(
           "THE FOLDER IS 'READ ONLY': x_random.txt WAS NOT BROUGHT UP TO DATE. NOTHING WAS CHANGED.")},
      {true, read_only,
       QStringLiteral("DIE GIDS IS 'READ ONLY': x_random.txt IS NIE GEMAAK NIE. NIKS IS VERANDER NIE."),
       QStringLiteral("DIE GIDS IS 'READ ONLY': x_random.txt IS NIE OPGEDATEER NIE. NIKS IS VERANDER NIE.")},
      {false, other,
       QStringLiteral(
           "WRITE ERROR (Path/File access error): x_random.txt WAS NOT MADE. NOTHING WAS CHANGED."),
       QStringLiteral(
           "WRITE ERROR (Path/File access error): x_random.txt WAS NOT BROUGHT UP TO DATE. NOTHING WAS "
           "CHANGED.")},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.made.toStdString());
    g_language = r.afrikaans;
    EXPECT_EQ(record_file_not_made_message(QStringLiteral("x_random.txt"), r.error), r.made);
    EXPECT_EQ(record_file_not_upgraded_message(QStringLiteral("x_random.txt"), r.error), r.upgraded);
  }
}

}  // namespace
}  // namespace km::test
