#include "common/file_number_pool.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <stdexcept>
#include <vector>

#include "common/shared_variables.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km {
namespace {

using platform::msg_buttons;
using platform::msg_icon;

const QString exhausted_text = QStringLiteral(
    "System error!\r\nAll available File Handles are used!\r\nSystem will now terminate... Please reload.");

class file_number_pool_test : public test::clean_state_test {
 protected:
  void TearDown() override {
    dialogs.verify();
    test::clean_state_test::TearDown();
  }

  // Opens a random file of 4-byte records under a number just taken from
  // the record pool, as the record-file opener does.
  std::int16_t open_record_file(const QString& path, const QString& folder = {}, const QString& code = {}) {
    const std::int16_t n = get_free_file_number(0);
    platform::open_file(n, path, platform::open_mode::random, 4);
    if (!folder.isEmpty() || !code.isEmpty()) remember_open_file(n, folder, code);
    return n;
  }

  // Takes every number of a pool.
  void take_whole_pool(std::int16_t flag) {
    const int size = flag != 0 ? 90 : 411;
    for (int i = 0; i < size; ++i) get_free_file_number(flag);
  }

  test::temp_drives drives;
  test::scripted_dialogs dialogs;
};

// --- taking numbers ----------------------------------------------------------

TEST_F(file_number_pool_test, first_number_of_each_pool_on_a_fresh_start) {
  struct row {
    std::int16_t flag;
    std::int16_t expected;
  };
  for (const row& r : {row{0, 101}, row{1, 11}, row{-1, 11}, row{5, 11}}) {
    reset_shared_variables();
    EXPECT_EQ(get_free_file_number(r.flag), r.expected) << "flag " << r.flag;
    EXPECT_EQ(g_file_in_use[r.expected], 1);
    EXPECT_EQ(g_open_file_count, 1);
  }
}

TEST_F(file_number_pool_test, numbers_are_taken_lowest_first_and_a_freed_number_comes_back) {
  std::int16_t a = get_free_file_number(0);
  std::int16_t b = get_free_file_number(0);
  std::int16_t c = get_free_file_number(0);
  EXPECT_EQ(a, 101);
  EXPECT_EQ(b, 102);
  EXPECT_EQ(c, 103);
  EXPECT_EQ(g_open_file_count, 3);

  close_file(b);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(g_open_file_count, 2);
  EXPECT_EQ(get_free_file_number(0), 102);  // the freed number is the lowest free one
  EXPECT_EQ(get_free_file_number(0), 104);

  // A freed short number does not disturb the record pool and vice versa.
  std::int16_t s = get_free_file_number(1);
  EXPECT_EQ(s, 11);
  close_file(c);
  EXPECT_EQ(get_free_file_number(1), 12);
  EXPECT_EQ(get_free_file_number(0), 103);
}

TEST_F(file_number_pool_test, a_full_pool_stops_the_program_even_when_the_other_pool_is_free) {
  struct row {
    std::int16_t flag;
    std::int16_t other_flag;
    std::int16_t other_first;
  };
  for (const row& r : {row{1, 0, 101}, row{0, 1, 11}}) {
    SCOPED_TRACE(r.flag);
    reset_shared_variables();
    take_whole_pool(r.flag);
    EXPECT_EQ(get_free_file_number(r.other_flag), r.other_first);

    QStringList steps;
    g_data_folder = QStringLiteral("C:\\DATA");
    g_close_all_release_locks_hook = [&](const QString& folder) { steps << "locks " + folder; };
    g_close_all_reopen_school_hook = [&] { steps << "school"; };
    dialogs.expect_message(exhausted_text)
        .icon(msg_icon::critical)
        .buttons(msg_buttons::ok)
        .title(platform::program_title())
        .while_shown([&] { steps << "message"; });

    EXPECT_THROW(get_free_file_number(r.flag), platform::program_ended);
    dialogs.verify();
    EXPECT_EQ(steps, QStringList({"message", "locks C:\\DATA", "school"}));
    EXPECT_TRUE(platform::program_has_ended());
    // Close-all ran before the end: every number is free again.
    EXPECT_EQ(g_open_file_count, 0);
    for (int n = 0; n < file_number_slots; ++n) ASSERT_EQ(g_file_in_use[n], 0) << n;
    g_close_all_release_locks_hook = nullptr;
    g_close_all_reopen_school_hook = nullptr;
  }
}

TEST_F(file_number_pool_test, the_last_number_of_each_pool_is_handed_out) {
  for (int i = 0; i < 89; ++i) get_free_file_number(1);
  EXPECT_EQ(get_free_file_number(1), 100);
  for (int i = 0; i < 410; ++i) get_free_file_number(0);
  EXPECT_EQ(get_free_file_number(0), 511);
  EXPECT_EQ(g_open_file_count, 501);
}

// --- closing -------------------------------------------------------------------

TEST_F(file_number_pool_test, closing_number_0_changes_nothing) {
  std::int16_t n = open_record_file("C:\\a.dat", "C:\\", "PUVAK");
  g_puvak_file_number = n;
  const auto in_use = g_file_in_use;
  const auto folders = g_file_folder;
  const auto codes = g_file_code;

  std::int16_t none = 0;
  close_file(none);

  EXPECT_EQ(none, 0);
  EXPECT_EQ(g_file_in_use, in_use);
  EXPECT_EQ(g_file_folder, folders);
  EXPECT_EQ(g_file_code, codes);
  EXPECT_EQ(g_open_file_count, 1);
  EXPECT_EQ(g_puvak_file_number, n);
  EXPECT_TRUE(platform::is_numbered_file_open(n));
}

TEST_F(file_number_pool_test, a_single_close_frees_the_number_and_clears_the_first_variable_holding_it) {
  std::int16_t n = open_record_file("C:\\a.dat", "C:\\DATA", "PUVAK");
  std::int16_t other = open_record_file("C:\\b.dat", "C:\\DATA", "PUTOT");
  // A stale copy of n in a variable later in the fixed order stays.
  g_puvak_file_number = n;
  g_exp_mrk_control_file_number = n;
  g_putot_file_number = other;

  std::int16_t caller = n;
  close_file(caller);

  EXPECT_EQ(caller, 0);
  EXPECT_EQ(g_puvak_file_number, 0);
  EXPECT_EQ(g_exp_mrk_control_file_number, n);
  EXPECT_EQ(g_putot_file_number, other);
  EXPECT_EQ(g_file_in_use[n], 0);
  EXPECT_TRUE(g_file_folder[n].isEmpty());
  EXPECT_TRUE(g_file_code[n].isEmpty());
  EXPECT_EQ(g_open_file_count, 1);
  EXPECT_FALSE(platform::is_numbered_file_open(n));
  EXPECT_TRUE(platform::is_numbered_file_open(other));
  EXPECT_EQ(g_file_code[other], "PUTOT");
}

TEST_F(file_number_pool_test, closing_a_per_file_variable_itself_sets_it_to_0) {
  g_hw2_file_number = open_record_file("C:\\hw2_random.txt");
  close_file(g_hw2_file_number);
  EXPECT_EQ(g_hw2_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(file_number_pool_test, the_count_never_goes_below_0) {
  std::int16_t n = get_free_file_number(0);
  std::int16_t copy = n;
  close_file(n);
  EXPECT_EQ(g_open_file_count, 0);
  close_file(copy);  // the same number twice: no error
  EXPECT_EQ(g_open_file_count, 0);
  std::int16_t never_taken = 300;  // a number with no file: no error either
  close_file(never_taken);
  EXPECT_EQ(never_taken, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(file_number_pool_test, numbers_outside_the_tables_are_refused) {
  for (std::int16_t bad : {std::int16_t(-1), std::int16_t(512), std::int16_t(998), std::int16_t(1000)}) {
    std::int16_t n = bad;
    EXPECT_THROW(close_file(n), std::out_of_range) << bad;
    EXPECT_EQ(n, bad);
    EXPECT_THROW(remember_open_file(bad, "C:\\", "PUVAK"), std::out_of_range) << bad;
    EXPECT_THROW(check_file_open_needed(n, "C:\\", "PUVAK"), std::out_of_range) << bad;
  }
  // 999 means close-all only to close_file; here it is no file number.
  std::int16_t all = close_all_files;
  EXPECT_THROW(check_file_open_needed(all, "C:\\", "SKL"), std::out_of_range);
  EXPECT_EQ(all, 999);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(file_number_pool_test, close_all_closes_every_file_and_forgets_every_number) {
  const std::int16_t a = open_record_file("C:\\a.dat", "C:\\DATA", "*");
  const std::int16_t b = open_record_file("C:\\b.dat", "C:\\DATA", "*");
  const std::int16_t s = get_free_file_number(1);
  drives.write_native("C/setup.txt", "old\r\nthree\r\nlines\r\n");
  platform::open_file(s, "C:\\setup.txt", platform::open_mode::output);
  platform::print_line(s, "half written");
  platform::open_file(5, "C:\\outside_the_pool.dat", platform::open_mode::random, 4);
  for (std::int16_t* variable : per_file_number_variables()) *variable = a;
  g_putot_file_number = b;
  g_file_number = s;
  g_file_number2 = b;

  QStringList steps;
  g_data_folder = QStringLiteral("C:\\DATA");
  g_close_all_release_locks_hook = [&](const QString& folder) {
    // The tables are cleared and the files closed before the locks go.
    steps << "locks " + folder;
    EXPECT_FALSE(platform::is_numbered_file_open(a));
    EXPECT_EQ(g_file_in_use[a], 0);
    EXPECT_EQ(g_open_file_count, 0);
    EXPECT_EQ(g_skl_file_number, 0);
  };
  g_close_all_reopen_school_hook = [&] {
    steps << "school";
    g_skl_file_number = get_free_file_number(0);
  };

  std::int16_t all = close_all_files;
  close_file(all);

  EXPECT_EQ(all, 999);
  EXPECT_EQ(steps, QStringList({"locks C:\\DATA", "school"}));
  for (int n : {int(a), int(b), int(s), 5}) EXPECT_FALSE(platform::is_numbered_file_open(n)) << n;
  // Only the renewed school record holds a number.
  EXPECT_EQ(g_skl_file_number, 101);
  for (std::int16_t* variable : per_file_number_variables().subspan(1)) EXPECT_EQ(*variable, 0);
  EXPECT_EQ(g_open_file_count, 1);
  for (int n = 0; n < file_number_slots; ++n) {
    EXPECT_EQ(g_file_in_use[n], n == 101 ? 1 : 0) << n;
    EXPECT_TRUE(g_file_folder[n].isEmpty()) << n;
    EXPECT_TRUE(g_file_code[n].isEmpty()) << n;
  }
  // The general-purpose numbers are not per-file variables: left as they were.
  EXPECT_EQ(g_file_number, s);
  EXPECT_EQ(g_file_number2, b);
  // The output nobody closed was abandoned: the old file is whole.
  QFile setup(drives.native_drive('C') + "/setup.txt");
  ASSERT_TRUE(setup.open(QIODevice::ReadOnly));
  EXPECT_EQ(setup.readAll(), "old\r\nthree\r\nlines\r\n");
}

TEST_F(file_number_pool_test, close_all_without_hooks_still_clears_everything) {
  g_skl_file_number = open_record_file("C:\\Skl_Dta_random.txt", "C:\\", "SKL");
  std::int16_t all = close_all_files;
  close_file(all);
  EXPECT_EQ(all, 999);
  EXPECT_EQ(g_skl_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
  EXPECT_EQ(g_file_in_use[101], 0);
}

TEST_F(file_number_pool_test, a_failed_close_is_reported_after_the_number_is_freed) {
  // An output file whose folder is gone cannot be put in place.
  drives.make_native_folder("C/GONE");
  g_file_number = get_free_file_number(1);
  const std::int16_t n = g_file_number;
  platform::open_file(n, "C:\\GONE\\uitvoer.txt", platform::open_mode::output);
  platform::print_line(n, "x");
  ASSERT_TRUE(QDir(drives.native_drive('C') + "/GONE").removeRecursively());

  EXPECT_THROW(close_file(g_file_number), platform::file_error);
  EXPECT_EQ(g_file_number, 0);
  EXPECT_EQ(g_file_in_use[n], 0);
  EXPECT_EQ(g_open_file_count, 0);
  EXPECT_FALSE(platform::is_numbered_file_open(n));
}

TEST_F(file_number_pool_test, abandon_frees_the_number_and_keeps_the_old_file) {
  drives.write_native("C/kleur.txt", "#TRUE#\r\n");
  g_file_number = get_free_file_number(1);
  const std::int16_t n = g_file_number;
  platform::open_file(n, "C:\\kleur.txt", platform::open_mode::output);
  platform::print_line(n, "#FAL");

  abandon_file(g_file_number);

  EXPECT_EQ(g_file_number, 0);
  EXPECT_EQ(g_file_in_use[n], 0);
  EXPECT_EQ(g_open_file_count, 0);
  EXPECT_FALSE(platform::is_numbered_file_open(n));
  QFile kept(drives.native_drive('C') + "/kleur.txt");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "#TRUE#\r\n");
  EXPECT_EQ(QDir(drives.native_drive('C')).entryList(QDir::Files | QDir::Hidden), QStringList{"kleur.txt"});
}

// --- reuse of open record files ----------------------------------------------------

TEST_F(file_number_pool_test, number_0_must_be_opened) {
  std::int16_t n = 0;
  EXPECT_TRUE(check_file_open_needed(n, "C:\\DATA", "PUVAK"));
  EXPECT_EQ(n, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(file_number_pool_test, recorded_folder_and_code_decide_reuse) {
  struct row {
    const char* recorded_folder;
    const char* recorded_code;
    const char* folder;
    const char* code;
    bool open_needed;
  };
  const row rows[] = {
      {"C:\\DATA", "PUVAK", "C:\\DATA", "PUVAK", false},
      {"  C:\\DATA ", "PUVAK ", "C:\\DATA   ", "  PUVAK", false},  // blanks around are ignored
      {"C:\\DATA", "PUVAK", "c:\\data", "PUVAK", true},            // letter case counts
      {"C:\\DATA", "PUVAK", "C:\\DATA", "puvak", true},
      {"C:\\DATA", "*", "C:\\DATA", "PUVAK", true},  // opened by an all-files request
      {"C:\\DATA", "PUVAK", "D:\\DATA", "PUVAK", true},
      {"C:\\DATA", "PUVAK", "C:\\DATA", "PUTOT", true},
      {"C:\\DATA", "PUVAK", "C:\\DATA", "PUVAK\t", true},  // only blanks are trimmed
  };
  for (const row& r : rows) {
    SCOPED_TRACE(QStringLiteral("%1|%2 vs %3|%4")
                     .arg(r.recorded_folder, r.recorded_code, r.folder, r.code)
                     .toStdString());
    reset_shared_variables();
    platform::close_all_numbered_files();
    g_puvak_file_number = open_record_file("C:\\PUVak_random.txt", r.recorded_folder, r.recorded_code);
    const std::int16_t n = g_puvak_file_number;

    EXPECT_EQ(check_file_open_needed(g_puvak_file_number, r.folder, r.code), r.open_needed);

    if (r.open_needed) {
      EXPECT_EQ(g_puvak_file_number, 0);
      EXPECT_EQ(g_file_in_use[n], 0);
      EXPECT_TRUE(g_file_folder[n].isEmpty());
      EXPECT_TRUE(g_file_code[n].isEmpty());
      EXPECT_EQ(g_open_file_count, 0);
      EXPECT_FALSE(platform::is_numbered_file_open(n));
    } else {
      EXPECT_EQ(g_puvak_file_number, n);
      EXPECT_EQ(g_file_in_use[n], 1);
      EXPECT_EQ(g_open_file_count, 1);
      EXPECT_TRUE(platform::is_numbered_file_open(n));
    }
  }
}

TEST_F(file_number_pool_test, a_reused_file_reads_from_record_1_again) {
  std::int16_t n = open_record_file("C:\\PUVak_random.txt", "C:\\DATA", "PUVAK");
  platform::put_record(n, 1, QByteArray("AAAA"));
  platform::put_record(n, 2, QByteArray("BBBB"));
  EXPECT_EQ(platform::get_record(n, 2), QByteArray("BBBB"));

  EXPECT_FALSE(check_file_open_needed(n, " C:\\DATA", "PUVAK "));

  EXPECT_EQ(platform::get_record(n), QByteArray("AAAA"));
  EXPECT_EQ(platform::get_record(n), QByteArray("BBBB"));
}

TEST_F(file_number_pool_test, short_lived_numbers_are_never_reused) {
  std::int16_t n = get_free_file_number(1);
  platform::open_file(n, "C:\\kort.dat", platform::open_mode::random, 4);
  remember_open_file(n, "C:\\DATA", "PUVAK");

  EXPECT_TRUE(check_file_open_needed(n, "C:\\DATA", "PUVAK"));

  EXPECT_EQ(n, 0);
  EXPECT_EQ(g_file_in_use[11], 0);
  EXPECT_FALSE(platform::is_numbered_file_open(11));
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(file_number_pool_test, a_file_closed_behind_the_pool_is_freed_and_opened_anew) {
  std::int16_t n = open_record_file("C:\\PUVak_random.txt", "C:\\DATA", "PUVAK");
  const std::int16_t number = n;
  platform::close_numbered_file(n);  // a plain close: the number stays taken
  EXPECT_EQ(g_file_in_use[number], 1);

  EXPECT_TRUE(check_file_open_needed(n, "C:\\DATA", "PUVAK"));

  EXPECT_EQ(n, 0);
  EXPECT_EQ(g_file_in_use[number], 0);
  EXPECT_TRUE(g_file_folder[number].isEmpty());
  EXPECT_EQ(g_open_file_count, 0);
  EXPECT_EQ(get_free_file_number(0), number);
}

TEST_F(file_number_pool_test, remember_open_file_keeps_folder_and_code_trimmed) {
  remember_open_file(150, "  C:\\DATA\\L12  ", " GEMDTA ");
  EXPECT_EQ(g_file_folder[150], "C:\\DATA\\L12");
  EXPECT_EQ(g_file_code[150], "GEMDTA");
  remember_open_file(0, "x", "y");  // 0 is a valid table entry
  remember_open_file(511, "z", "*");
  EXPECT_EQ(g_file_code[511], "*");
}

// --- per-file variables ------------------------------------------------------------

TEST_F(file_number_pool_test, forget_file_number_clears_only_the_first_variable_in_order) {
  g_skl_file_number = 120;
  g_audit_trail_file_number = 120;
  g_exp_mrk_control_file_number = 120;
  g_puvak_file_number = 121;

  forget_file_number(120);
  EXPECT_EQ(g_skl_file_number, 0);
  EXPECT_EQ(g_audit_trail_file_number, 120);
  EXPECT_EQ(g_exp_mrk_control_file_number, 120);

  forget_file_number(120);
  EXPECT_EQ(g_audit_trail_file_number, 0);
  EXPECT_EQ(g_exp_mrk_control_file_number, 120);

  forget_file_number(122);  // held by none: nothing changes
  EXPECT_EQ(g_puvak_file_number, 121);
  EXPECT_EQ(g_exp_mrk_control_file_number, 120);
}

TEST_F(file_number_pool_test, reset_file_number_globals_clears_every_per_file_variable_only) {
  std::int16_t value = 101;
  for (std::int16_t* variable : per_file_number_variables()) *variable = value++;
  g_file_number = 11;
  g_file_number2 = 12;
  g_file_number3 = 13;

  reset_file_number_globals();

  for (std::int16_t* variable : per_file_number_variables()) EXPECT_EQ(*variable, 0);
  EXPECT_EQ(g_file_number, 11);
  EXPECT_EQ(g_file_number2, 12);
  EXPECT_EQ(g_file_number3, 13);
}

}  // namespace
}  // namespace km
