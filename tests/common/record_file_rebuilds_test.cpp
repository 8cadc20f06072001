// The builds, rebuilds, upgrades and default fillings that the opening of
// record files runs, and the HW2 merge.

#include <cstring>

#include "common/file_code_table.h"
#include "common/record_file_layouts.h"
#include "common/school_record.h"
#include "platform/file_error.h"
#include "platform/record_layout.h"
#include "record_file_fixture.h"
#include "support/dbf_builder.h"

namespace km::test {
namespace {

using platform::msg_buttons;
using platform::msg_icon;

// Writes a one-field dBase table with the given number of rows.
void write_table(const temp_drives& drives, const QString& native_relative, int rows) {
  dbf_builder table;
  table.field("NAME", 'C', 10);
  for (int i = 0; i < rows; ++i) table.record({"row"});
  table.write(drives.base() + u'/' + native_relative);
}

// --- builds ----------------------------------------------------------------------

TEST_F(record_file_test, build_runs_only_while_its_file_is_missing_its_table_present_and_the_year_allows) {
  struct row {
    const char* code;
    const char* table;
    const char* hook;
    const char* year;
    int runs;
  };
  const row rows[] = {
      {"PPLHST", "Ppl_hst.dbf", "create_ppl_hst_random", "2014", 1},
      {"PPLHST", "Ppl_hst.dbf", "create_ppl_hst_random", "2015", 0},
      {"KHDTA", "k_h_dta.dbf", "create_k_h_dta_random", "2012", 1},
      {"PRMREM", "r_c_dta.dbf", "create_prm_rem_random", "2014", 1},
      {"HW2", "hw2_dta.dbf", "create_hw2_random", "2014", 1},
      {"SKL", "skl_dta.dbf", "create_skl_dta_random", "2020", 1},
      // Built when missing, and again once when the new file is still empty
      // while the table holds records.
      {"SBI", "sbi_kde.dbf", "create_sbi_random", "2020", 2},
      {"S_B", "sb2_dta.dbf", "create_sb_random", "2014", 1},
      {"S_B", "sb2_dta.dbf", "create_sb_random", "2015", 0},
      {"KPD", "k_p_dta.dbf", "create_kpd_random", "2014", 1},
      {"KPK", "kpv_kde.dbf", "create_kpk_random", "2016", 0},
  };
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(std::string(r.code) + " " + r.year);
    const QString folder = QStringLiteral("B%1").arg(++n);
    drives.make_native_folder(QStringLiteral("C/") + folder);
    write_table(drives, QStringLiteral("C/%1/%2").arg(folder, QLatin1String(r.table)), 1);
    g_year = QLatin1String(r.year);
    services.calls.clear();
    services.folders.clear();
    services.tables.clear();
    services.tables_open.clear();
    open(QLatin1String(r.code), QStringLiteral("C:\\") + folder);
    EXPECT_EQ(services.count(QLatin1String(r.hook)), r.runs);
    if (r.runs > 0) {
      ASSERT_FALSE(services.tables.isEmpty());
      EXPECT_EQ(services.tables.first(), QLatin1String(r.table));
      EXPECT_TRUE(services.tables_open.first()) << "the control is bound to the table";
      EXPECT_EQ(services.folders.at(services.calls.indexOf(QLatin1String(r.hook))),
                QStringLiteral("C:\\") + folder);
    }
    const file_code_entry* e = find_file_code(QLatin1String(r.code));
    EXPECT_NE(*e->number, 0) << "the file is opened all the same";
  }
}

TEST_F(record_file_test, build_that_makes_its_file_is_followed_by_the_opening_of_that_file) {
  write_table(drives, QStringLiteral("C/DATA/skl_dta.dbf"), 1);
  platform::data_control startup_data1;
  set_startup_data_control_provider([&] { return &startup_data1; });
  services.actions[QStringLiteral("create_skl_dta_random")] = [&] {
    platform::record_buffer school(skl_dta_record);
    school.set_text("SD_SKOOL", QStringLiteral("Hoërskool Korva"));
    put(QStringLiteral("C/DATA/skl_dta_random.txt"), school.bytes());
  };
  open(QStringLiteral("SKL"));
  EXPECT_EQ(services.calls, QStringList{QStringLiteral("create_skl_dta_random")});
  ASSERT_EQ(services.controls.size(), 1);
  EXPECT_EQ(services.controls.first(), &startup_data1) << "the start-up window's control is used";
  EXPECT_FALSE(startup_data1.has_recordset()) << "the table is given back after the build";
  ASSERT_NE(g_skl_file_number, 0);
  EXPECT_EQ(read_school_name(g_skl_file_number), QStringLiteral("Hoërskool Korva"));
}

TEST_F(record_file_test, rt_build_binds_its_table_even_when_it_is_missing_and_runs_once) {
  g_year = QStringLiteral("2014");
  open(QStringLiteral("RT"));
  EXPECT_EQ(services.calls, QStringList{QStringLiteral("create_rt_random")});
  EXPECT_EQ(services.tables, QStringList{QStringLiteral("rt_dta.dbf")});
  EXPECT_FALSE(services.tables_open.first());
  EXPECT_NE(g_rt_file_number, 0);
  EXPECT_EQ(g_rt_record_count, 0);
}

TEST_F(record_file_test, empty_rt_file_is_deleted_and_built_again) {
  g_year = QStringLiteral("2014");
  put(QStringLiteral("C/DATA/rt_random.txt"), QByteArray());
  services.actions[QStringLiteral("create_rt_random")] = [&] {
    put(QStringLiteral("C/DATA/rt_random.txt"), records(3, 28));
  };
  open(QStringLiteral("RT"));
  EXPECT_EQ(services.count(QStringLiteral("create_rt_random")), 1);
  EXPECT_EQ(g_rt_record_count, 3);
}

TEST_F(record_file_test, folder_builds_run_while_their_file_is_missing) {
  g_year = QStringLiteral("2015");
  open(QStringLiteral("PI4SU"));
  open(QStringLiteral("PI4VH"));
  EXPECT_EQ(services.calls,
            (QStringList{QStringLiteral("create_pi4_su_random"), QStringLiteral("create_pi4_vh_random")}));
  services.calls.clear();
  g_year = QStringLiteral("2016");
  close_file(g_pi4vh_file_number);
  platform::delete_file(QStringLiteral("C:\\DATA\\pi4_vh_random.txt"), true);
  open(QStringLiteral("PI4VH"));
  EXPECT_TRUE(services.calls.isEmpty()) << "no PI4VH build from 2016 on";
}

// --- upgrades --------------------------------------------------------------------

TEST_F(record_file_test, upgrades_run_while_their_marker_is_missing_and_only_when_the_file_is_opened) {
  open(QStringLiteral("GSN"));
  EXPECT_EQ(services.count(QStringLiteral("convert_gsn_cmp_random")), 2) << "one pass per marker";
  open(QStringLiteral("GSN"));
  EXPECT_EQ(services.count(QStringLiteral("convert_gsn_cmp_random")), 2) << "reused: no upgrade";

  put(QStringLiteral("C/DATA/ph2014_random.txt"), "x");
  open(QStringLiteral("PPLHST"));
  EXPECT_EQ(services.count(QStringLiteral("upgrade_ppl_hst_2014")), 0);

  struct row {
    const char* code;
    const char* hook;
    const char* year;
    int runs;
  };
  const row rows[] = {
      {"SKLADD", "upgrade_skl_add_2016", "2016", 1}, {"SKLADD", "upgrade_skl_add_2016", "2017", 0},
      {"PIG", "upgrade_ppl_pig_2014", "2020", 1},    {"PI5", "upgrade_pi11_pi5_2014", "2020", 1},
      {"GEMDTA", "upgrade_gem_2014", "2020", 1},     {"S_B", "upgrade_sb_2014", "2015", 1},
      {"S_B", "upgrade_sb_2014", "2016", 0},
  };
  for (const row& r : rows) {
    services.calls.clear();
    platform::close_all_numbered_files();
    reset_shared_variables();
    g_year = QLatin1String(r.year);
    open(QLatin1String(r.code));
    EXPECT_EQ(services.count(QLatin1String(r.hook)), r.runs) << r.code << " " << r.year;
  }
}

// --- PRMPROM -----------------------------------------------------------------------

TEST_F(record_file_test, prmprom_with_no_record_or_more_than_ten_is_rebuilt_once) {
  struct row {
    int records;
    bool rebuilt;
  };
  for (const row r : {row{11, true}, row{10, false}, row{1, false}, row{0, true}}) {
    SCOPED_TRACE(r.records);
    services.calls.clear();
    services.folders.clear();
    const QByteArray old = records(r.records, 8);
    put(QStringLiteral("C/DATA/prm_prom_random.txt"), old);
    open(QStringLiteral("PRMPROM"));
    const QByteArray now = bytes_of(QStringLiteral("C:\\DATA\\prm_prom_random.txt"));
    if (r.rebuilt) {
      EXPECT_EQ(services.calls, QStringList{QStringLiteral("create_prm_prom_random")});
      EXPECT_EQ(services.folders, QStringList{QStringLiteral("C:\\DATA")});
      EXPECT_TRUE(now.isEmpty()) << "the stand-in writes no default: the file is opened empty";
      EXPECT_EQ(g_prmprom_record_count, 0);
      if (r.records > 0) {
        EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\save\\prm_prom_random.txt")), old);
      }
    } else {
      EXPECT_TRUE(services.calls.isEmpty());
      EXPECT_EQ(now, old);
      EXPECT_EQ(g_prmprom_record_count, r.records);
    }
    EXPECT_NE(g_prmprom_file_number, 0);
    close_file(g_prmprom_file_number);
  }
}

TEST_F(record_file_test, prmprom_is_rebuilt_in_the_folder_requested_not_in_the_data_folder) {
  drives.make_native_folder(QStringLiteral("D/MARKS"));
  const QByteArray other = records(11, 8);
  put(QStringLiteral("D/MARKS/prm_prom_random.txt"), other);
  g_data_folder = QStringLiteral("D:\\MARKS");
  services.actions[QStringLiteral("create_prm_prom_random")] = [&] {
    put(QStringLiteral("C/DATA/prm_prom_random.txt"),
        bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  };
  put(QStringLiteral("C/DATA/prm_prom_random.txt"), records(12, 8));
  open(QStringLiteral("PRMPROM"));
  EXPECT_EQ(hex(bytes_of(QStringLiteral("C:\\DATA\\prm_prom_random.txt"))),
            QStringLiteral("FF FF FF FF FF FF 00 00"));
  EXPECT_EQ(g_prmprom_record_count, 1);
  EXPECT_EQ(bytes_of(QStringLiteral("D:\\MARKS\\prm_prom_random.txt")), other)
      << "another folder is not touched";
  EXPECT_EQ(services.count(QStringLiteral("create_prm_prom_random")), 1);
}

// --- PPLADD, PI4VH, HWK --------------------------------------------------------------

TEST_F(record_file_test, ppladd_over_2000_records_is_rebuilt_with_the_question_mark_message) {
  struct row {
    int records;
    bool rebuilt;
  };
  for (const row r : {row{2001, true}, row{2000, false}}) {
    SCOPED_TRACE(r.records);
    services.calls.clear();
    put(QStringLiteral("C/DATA/Ppl_add_random.txt"), QByteArray(177 * r.records, 'p'));
    if (r.rebuilt) dialogs.expect_message(QStringLiteral("?")).icon(msg_icon::none).buttons(msg_buttons::ok);
    open(QStringLiteral("PPLADD"));
    dialogs.verify();
    EXPECT_EQ(services.count(QStringLiteral("upgrade_ppl_add")), r.rebuilt ? 1 : 0);
    EXPECT_EQ(g_ppladd_record_count, r.records) << "the stand-in leaves the file as it was";
    EXPECT_NE(g_ppladd_file_number, 0) << "opened again after the rebuild closed it";
    close_file(g_ppladd_file_number);
  }
}

TEST_F(record_file_test, pi4vh_over_50_records_is_rewritten_once) {
  for (const int n : {51, 50}) {
    services.calls.clear();
    put(QStringLiteral("C/DATA/pi4_vh_random.txt"), QByteArray(5717 * n, 'v'));
    open(QStringLiteral("PI4VH"));
    EXPECT_EQ(services.count(QStringLiteral("upgrade_pi4_vh")), n > 50 ? 1 : 0) << n;
    EXPECT_EQ(g_pi4vh_record_count, n);
    close_file(g_pi4vh_file_number);
  }
}

TEST_F(record_file_test, empty_code_file_is_filled_before_2016) {
  g_year = QStringLiteral("2015");
  services.actions[QStringLiteral("create_hw_kodes_random")] = [] {
    platform::put_record(g_hwk_file_number, 1, QByteArray(1547, 'k'));
  };
  open(QStringLiteral("HWK"));
  EXPECT_EQ(services.count(QStringLiteral("create_hw_kodes_random")), 1);
  EXPECT_EQ(g_hwk_record_count, 1);

  services.calls.clear();
  g_year = QStringLiteral("2016");
  put(QStringLiteral("C/DATA/hw_kodes_random.txt"), QByteArray());
  open(QStringLiteral("HWK"));
  EXPECT_TRUE(services.calls.isEmpty());
}

// --- defaults of PI2 and PSMB, PI1SMA ----------------------------------------------

TEST_F(record_file_test, empty_symbol_files_get_their_defaults_and_are_counted_again) {
  services.actions[QStringLiteral("fill_default_pi2_symbols")] = [] {
    for (int i = 1; i <= 7; ++i) platform::put_record(g_pi2_file_number, i, QByteArray(10, 'S'));
  };
  open(QStringLiteral("PI2"));
  EXPECT_EQ(services.count(QStringLiteral("fill_default_pi2_symbols")), 1);
  EXPECT_EQ(g_pi2_record_count, 7);

  open(QStringLiteral("PSMB"));  // the stand-in writes nothing: called once, no loop
  EXPECT_EQ(services.count(QStringLiteral("fill_default_psmb_symbols")), 1);
  EXPECT_EQ(g_psmb_record_count, 0);

  open(QStringLiteral("PI2"));
  EXPECT_EQ(services.count(QStringLiteral("fill_default_pi2_symbols")), 1)
      << "a file with records is not filled";
}

TEST_F(record_file_test, pi1sma_record_1_is_read_into_its_buffer) {
  QByteArray value(48, '\0');
  for (int i = 0; i < 48; ++i) value[i] = char(i + 1);
  put(QStringLiteral("C/DATA/PI1SMA_random.txt"), value + QByteArray(48, 'z'));
  open(QStringLiteral("PI1SMA"));
  EXPECT_EQ(g_pi1sma_rec.bytes(), value);
  EXPECT_NE(g_pi1sma_file_number, 0);
}

// --- PI3 and PI11 ----------------------------------------------------------------------

QByteArray pi3_bytes(std::int16_t old_weight, float weight, char fill) {
  platform::record_buffer r(pi3_record);
  r.set_raw("PI3_HEAD", QByteArray(57, fill));
  r.set_int16("PI3_WEIGHT_OLD", old_weight);
  r.set_single("PI3_WEIGHT", weight);
  r.set_raw("PI3_REST", QByteArray(185, fill));
  return r.bytes();
}

TEST_F(record_file_test, pi3_weight_of_zero_takes_the_older_16_bit_weight) {
  const QByteArray first = pi3_bytes(7, 0.0F, 'a');
  const QByteArray second = pi3_bytes(9, 3.5F, 'b');
  put(QStringLiteral("C/DATA/pi3_random.txt"), first + second);
  open(QStringLiteral("PI3"));
  const QByteArray now = bytes_of(QStringLiteral("C:\\DATA\\pi3_random.txt"));
  ASSERT_EQ(now.size(), 500);
  EXPECT_EQ(hex(now.mid(57, 8)), QStringLiteral("07 00 00 00 00 00 E0 40")) << "7.0 written at offset 61";
  EXPECT_EQ(now.left(57), first.left(57));
  EXPECT_EQ(now.mid(65, 185), first.mid(65));
  EXPECT_EQ(now.mid(250), second) << "a record with a weight is not written";
  EXPECT_EQ(g_pi3_recno, 3);
  EXPECT_TRUE(services.calls.isEmpty());
}

TEST_F(record_file_test, missing_then_empty_pi3_takes_last_years_setup_once_each) {
  g_data_folder = QStringLiteral("C:\\DATA");
  drives.make_native_folder(QStringLiteral("C/WORK"));
  open(QStringLiteral("PI3"), QStringLiteral("C:\\WORK"));
  EXPECT_EQ(services.calls, (QStringList{QStringLiteral("copy_previous_year_setup"),
                                         QStringLiteral("copy_previous_year_setup")}));
  // Into the folder being opened, whatever the data folder is.
  EXPECT_EQ(services.folders, (QStringList{QStringLiteral("C:\\WORK"), QStringLiteral("C:\\WORK")}));
  EXPECT_NE(g_pi3_file_number, 0);
  EXPECT_EQ(g_pi3_record_count, 0);
}

TEST_F(record_file_test, empty_pi11_from_2016_takes_last_years_setup_and_is_repaired_every_time) {
  services.actions[QStringLiteral("copy_previous_year_setup")] = [&] {
    put(QStringLiteral("C/DATA/pi11_random.txt"), records(2, 272));
  };
  open(QStringLiteral("PI11"));
  EXPECT_EQ(services.calls,
            (QStringList{QStringLiteral("copy_previous_year_setup"), QStringLiteral("fix_pi11_adj_ana"),
                         QStringLiteral("fix_pi11_zero_weights")}));
  EXPECT_EQ(g_pi11_record_count, 2);
  EXPECT_EQ(services.folders.first(), QStringLiteral("C:\\DATA"));
  open(QStringLiteral("PI11"));
  EXPECT_EQ(services.count(QStringLiteral("fix_pi11_adj_ana")), 2);
  EXPECT_EQ(services.count(QStringLiteral("copy_previous_year_setup")), 1);
}

TEST_F(record_file_test, empty_pi11_before_2016_is_copied_from_pi1_once) {
  g_year = QStringLiteral("2015");
  put(QStringLiteral("C/DATA/pi1_random.txt"), records(1, 172));
  open(QStringLiteral("PI11"));
  EXPECT_EQ(services.calls,
            (QStringList{QStringLiteral("upgrade_pi1_to_pi11"), QStringLiteral("fix_pi11_adj_ana"),
                         QStringLiteral("fix_pi11_zero_weights")}));
}

TEST_F(record_file_test, star_request_shares_one_retry_between_pi11_and_pi3) {
  open(QStringLiteral("*"));
  // PI11 (empty, 2017) takes last year's set-up; PI3 takes it while it is
  // missing; its empty-file retry is then used up.
  EXPECT_EQ(services.count(QStringLiteral("copy_previous_year_setup")), 2);
}

// The outcome-values count hook runs when the weights and outcome-values
// files are both open with records, in differing numbers.
TEST_F(record_file_test, pi5_count_hook_runs_only_for_differing_counts_of_two_open_files) {
  struct row {
    int pi3_records;  // -1: PI3 not opened
    int pi5_records;
    int runs;
  };
  const row rows[] = {{2, 3, 1}, {3, 3, 0}, {0, 3, 0}, {2, 0, 0}, {-1, 3, 0}};
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(n);
    const QString folder = QStringLiteral("F%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    put(QStringLiteral("C/%1/pi54_random.txt").arg(folder), QByteArray());
    put(QStringLiteral("C/%1/pi5_random.txt").arg(folder), records(r.pi5_records, 89));
    if (r.pi3_records > 0)
      put(QStringLiteral("C/%1/pi3_random.txt").arg(folder), records(r.pi3_records, 250));
    close_file(g_pi3_file_number);
    close_file(g_pi5_file_number);
    if (r.pi3_records >= 0) {
      if (r.pi3_records == 0) put(QStringLiteral("C/%1/pi3_random.txt").arg(folder), QByteArray());
      open(QStringLiteral("PI3"), win);
    }
    services.calls.clear();
    open(QStringLiteral("PI5"), win);
    EXPECT_EQ(services.count(QStringLiteral("upgrade_pi5")), r.runs);
  }
}

// --- SBI --------------------------------------------------------------------------------

TEST_F(record_file_test, empty_sbi_file_is_built_from_its_table_when_that_holds_records) {
  struct row {
    int table_rows;
    int builds;
  };
  for (const row r : {row{2, 1}, row{0, 0}}) {
    services.calls.clear();
    put(QStringLiteral("C/DATA/sbi_random.txt"), QByteArray());
    write_table(drives, QStringLiteral("C/DATA/sbi_kde.dbf"), r.table_rows);
    open(QStringLiteral("SBI"));
    EXPECT_EQ(services.count(QStringLiteral("create_sbi_random")), r.builds) << r.table_rows << " rows";
    EXPECT_NE(g_sbi_file_number, 0);
    close_file(g_sbi_file_number);
  }
}

// --- S_B --------------------------------------------------------------------------------

TEST_F(record_file_test, large_behaviour_file_is_moved_into_the_save_folder_after_2015) {
  struct row {
    const char* year;
    int records;
    bool moved;
  };
  int n = 0;
  for (const row r : {row{"2017", 2001, true}, row{"2017", 2000, false}, row{"2015", 2001, false}}) {
    SCOPED_TRACE(std::string(r.year) + " " + std::to_string(r.records));
    const QString folder = QStringLiteral("S%1").arg(++n);
    drives.make_native_folder(QStringLiteral("C/") + folder);
    const QString win = QStringLiteral("C:\\") + folder;
    QByteArray old(1327 * r.records, 's');
    old[0] = 'F';
    old[old.size() - 1] = 'L';
    put(QStringLiteral("C/%1/sb_random.txt").arg(folder), old);
    g_year = QLatin1String(r.year);
    open(QStringLiteral("S_B"), win);
    const QByteArray now = bytes_of(win + QStringLiteral("\\sb_random.txt"));
    if (r.moved) {
      EXPECT_EQ(bytes_of(win + QStringLiteral("\\save\\sb_random.txt")), old);
      EXPECT_TRUE(exists(win + QStringLiteral("\\sb_random.txt")));
      EXPECT_TRUE(now.isEmpty());
      EXPECT_EQ(g_s_b_record_count, 0);
    } else {
      EXPECT_EQ(now, old);
      EXPECT_FALSE(exists(win + QStringLiteral("\\save\\sb_random.txt")));
      EXPECT_EQ(g_s_b_record_count, r.records);
    }
    EXPECT_NE(g_s_b_file_number, 0);
  }
}

TEST_F(record_file_test, behaviour_file_moved_aside_again_keeps_the_earlier_copy) {
  g_year = QStringLiteral("2017");
  const QByteArray first(1327 * 2001, '1');
  const QByteArray second(1327 * 2002, '2');
  put(QStringLiteral("C/DATA/sb_random.txt"), first);
  open(QStringLiteral("S_B"));
  close_file(g_s_b_file_number);
  put(QStringLiteral("C/DATA/sb_random.txt"), second);
  open(QStringLiteral("S_B"));
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\save\\sb_random.txt")), second);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\save\\sb_random_1.txt")), first);
  EXPECT_EQ(g_s_b_record_count, 0);
}

// --- HW2 merge ---------------------------------------------------------------------------

class hw2_merge_test : public record_file_test {
 protected:
  const QByteArray a = QByteArray(129, 'a');
  const QByteArray b = QByteArray(129, 'b');
  const QByteArray c = QByteArray(129, 'c');
  const QString hw2 = QStringLiteral("C:\\DATA\\hw2_random.txt");
  const QString gedrag2 = QStringLiteral("C:\\DATA\\gedrag2_random.txt");
};

TEST_F(hw2_merge_test, gedrag2_records_are_added_after_the_hw2_records_once) {
  put(QStringLiteral("C/DATA/hw2_random.txt"), a + b);
  put(QStringLiteral("C/DATA/gedrag2_random.txt"), c);
  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a + b + c);
  EXPECT_EQ(g_hw2_record_count, 3);
  EXPECT_FALSE(exists(gedrag2));
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\save\\gedrag2_random.txt")), c);
  EXPECT_EQ(platform::list_files(QStringLiteral("C:\\DATA")), QStringList{QStringLiteral("hw2_random.txt")});
  ASSERT_NE(g_hw2_file_number, 0);
  EXPECT_EQ(platform::get_record(g_hw2_file_number, 3), c);
  EXPECT_EQ(g_hw2_rec.bytes(), c);
  EXPECT_EQ(g_file_number, 0) << "the short-lived number is given back";

  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a + b + c) << "never merged twice";
}

TEST_F(hw2_merge_test, empty_hw2_takes_the_gedrag2_records) {
  put(QStringLiteral("C/DATA/hw2_random.txt"), QByteArray());
  put(QStringLiteral("C/DATA/gedrag2_random.txt"), a + b);
  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a + b);
  EXPECT_EQ(g_hw2_record_count, 2);
  EXPECT_FALSE(exists(gedrag2));
}

TEST_F(hw2_merge_test, hw2_part_record_is_completed_before_the_added_records) {
  put(QStringLiteral("C/DATA/hw2_random.txt"), a + QByteArray(20, 'x'));  // counts 1
  put(QStringLiteral("C/DATA/gedrag2_random.txt"), c);
  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a + c);
  EXPECT_EQ(g_hw2_record_count, 2);
}

TEST_F(hw2_merge_test, empty_gedrag2_is_removed_and_hw2_left_alone) {
  put(QStringLiteral("C/DATA/hw2_random.txt"), a);
  put(QStringLiteral("C/DATA/gedrag2_random.txt"), QByteArray());
  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a);
  EXPECT_FALSE(exists(gedrag2));
  EXPECT_EQ(g_hw2_record_count, 1);
}

TEST_F(hw2_merge_test, merge_that_cannot_replace_hw2_keeps_gedrag2_for_the_next_time) {
  put(QStringLiteral("C/DATA/hw2_random.txt"), a + b);
  put(QStringLiteral("C/DATA/gedrag2_random.txt"), c);
  platform::set_read_only(hw2, true);
  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a + b);
  EXPECT_EQ(bytes_of(gedrag2), c);
  EXPECT_FALSE(exists(QStringLiteral("C:\\DATA\\hw2_merge_random.tmp")));
  EXPECT_NE(g_hw2_file_number, 0) << "opened again";
  EXPECT_EQ(g_hw2_record_count, 2);

  platform::set_read_only(hw2, false);
  open(QStringLiteral("HW2"));
  EXPECT_EQ(bytes_of(hw2), a + b + c);
  EXPECT_FALSE(exists(gedrag2));
}

TEST_F(hw2_merge_test, failure_after_the_prmprom_rebuild_reaches_the_caller) {
  put(QStringLiteral("C/DATA/hw2_random.txt"), a + b);
  put(QStringLiteral("C/DATA/gedrag2_random.txt"), c);
  platform::set_read_only(hw2, true);
  // "*" rebuilds the empty prm_prom_random.txt before it comes to HW2.
  EXPECT_THROW(open(QStringLiteral("*")), platform::file_error);
  EXPECT_EQ(bytes_of(hw2), a + b);
  EXPECT_EQ(bytes_of(gedrag2), c);
  platform::set_read_only(hw2, false);
}

}  // namespace
}  // namespace km::test
