#include "common/open_random_files.h"

#include <QSet>
#include <optional>

#include "common/file_code_table.h"
#include "common/record_file_hooks.h"
#include "record_file_fixture.h"
#include "support/dbf_builder.h"

namespace km::test {
namespace {

using platform::msg_buttons;
using platform::msg_icon;

// --- counting ---------------------------------------------------------------

TEST(record_count_of, length_over_record_length_rounded_halves_to_even) {
  struct row {
    qint64 length;
    int record_length;
    std::int32_t expected;
  };
  const row rows[] = {
      {0, 12, 0},  {6, 12, 0},  {7, 12, 1},  {12, 12, 1}, {18, 12, 2},         {25, 12, 2},
      {30, 12, 2}, {42, 12, 4}, {54, 12, 4}, {66, 12, 6}, {1327 * 3, 1327, 3}, {5, 0, 0},
  };
  for (const row& r : rows) {
    EXPECT_EQ(record_count_of(r.length, r.record_length), r.expected) << r.length << " / " << r.record_length;
  }
}

TEST_F(record_file_test, puvak_file_is_counted_by_its_length_rounded) {
  struct row {
    int length;
    std::int32_t expected;
  };
  for (const row r : {row{18, 2}, row{30, 2}, row{42, 4}, row{25, 2}, row{0, 0}, row{36, 3}}) {
    put(QStringLiteral("C/DATA/PUVak_random.txt"), QByteArray(r.length, 'x'));
    open(QStringLiteral("PUVAK"));
    EXPECT_EQ(g_puvak_record_count, r.expected) << r.length << " bytes";
    EXPECT_NE(g_puvak_file_number, 0);
    close_file(g_puvak_file_number);
  }
}

// --- folder and drive checks ---------------------------------------------------

TEST_F(record_file_test, blank_folder_becomes_the_default_record_folder_and_is_written_back) {
  g_admin_folder = QStringLiteral("C:\\ADMIN");
  drives.make_native_folder(QStringLiteral("C/ADMIN/L17"));
  QString folder = QStringLiteral("   ");
  open_random_files(QStringLiteral("SKL"), folder);
  EXPECT_EQ(folder, QStringLiteral("C:\\ADMIN\\L17"));
  EXPECT_NE(g_skl_file_number, 0);
  EXPECT_TRUE(exists(QStringLiteral("C:\\ADMIN\\L17\\Skl_Dta_random.txt")));
  EXPECT_EQ(g_data_drive, QStringLiteral("C:"));
}

TEST_F(record_file_test, omitted_folder_uses_the_default_record_folder) {
  g_admin_folder = QStringLiteral("D:\\ADMIN");
  g_year = QStringLiteral("2016");
  drives.make_native_folder(QStringLiteral("D/ADMIN/L16"));
  open_random_files(QStringLiteral("PUVAK"));
  EXPECT_NE(g_puvak_file_number, 0);
  EXPECT_TRUE(exists(QStringLiteral("D:\\ADMIN\\L16\\PUVak_random.txt")));
  EXPECT_EQ(g_data_drive, QStringLiteral("D:"));
}

TEST_F(record_file_test, missing_folder_is_told_in_the_current_language_and_nothing_opens) {
  struct row {
    bool afrikaans;
    QString text;
  };
  const row rows[] = {
      {false, QStringLiteral("THE FOLDER C:\\NOPE DOES NOT EXIST!")},
      {true, QStringLiteral("DIE GIDS C:\\NOPE BESTAAN NIE!")},
  };
  for (const row& r : rows) {
    g_language = r.afrikaans;
    g_data_drive = QStringLiteral("X:");
    dialogs.expect_message(r.text).icon(msg_icon::critical).buttons(msg_buttons::ok);
    open(QStringLiteral("*"), QStringLiteral("C:\\NOPE"));
    dialogs.verify();
    EXPECT_EQ(g_open_file_count, 0);
    EXPECT_EQ(g_data_drive, QStringLiteral("X:")) << "the drive is not tested for a missing folder";
    EXPECT_TRUE(services.calls.isEmpty());
    EXPECT_FALSE(platform::program_has_ended());
  }
}

TEST_F(record_file_test, unavailable_drive_is_told_and_the_program_ends) {
  struct row {
    bool afrikaans;
    QString folder;
    std::optional<QString> drive_path;
    QString text;
    QString drive;
  };
  const row rows[] = {
      {false, QStringLiteral("E:\\DATA"), std::nullopt,
       QStringLiteral("NETWORK DRIVE  E:  NOT AVAILABLE ...\r\n\r\nCONTACT YOUR NETWORK ADMINISTRATOR !"),
       QStringLiteral("E:")},
      {true, QStringLiteral("E:\\DATA"), std::nullopt,
       QStringLiteral(
           "NETWERK AANDRYWER  E:  NIE BESKIKBAAR NIE ...\r\n\r\nKONTAK U NETWERKADMINISTRATEUR !"),
       QStringLiteral("E:")},
      {false, QStringLiteral("C:\\DATA"), QStringLiteral("\\\\server\\share\\marks"),
       QStringLiteral("NETWORK DRIVE  \\\\server\\share  NOT AVAILABLE ...\r\n\r\n"
                      "CONTACT YOUR NETWORK ADMINISTRATOR !"),
       QStringLiteral("\\\\server\\share")},
  };
  for (const row& r : rows) {
    g_language = r.afrikaans;
    dialogs.expect_message(r.text).icon(msg_icon::critical).buttons(msg_buttons::ok);
    QString folder = r.folder;
    EXPECT_THROW(open_random_files(QStringLiteral("SKL"), folder, r.drive_path), platform::program_ended);
    dialogs.verify();
    EXPECT_TRUE(platform::program_has_ended());
    EXPECT_EQ(g_data_drive, r.drive);
    EXPECT_EQ(g_skl_file_number, 0);
  }
}

TEST_F(record_file_test, available_drive_path_lets_the_opening_go_on) {
  QString folder = QStringLiteral("C:\\DATA");
  open_random_files(QStringLiteral("PUVAK"), folder, QStringLiteral("D:\\ELSEWHERE"));
  EXPECT_NE(g_puvak_file_number, 0);
  EXPECT_EQ(g_data_drive, QStringLiteral("D:")) << "left holding the drive of the drive path";
}

// --- which codes a request serves ----------------------------------------------

TEST_F(record_file_test, code_not_in_the_table_opens_nothing_and_shows_nothing) {
  for (const char* code : {"skl", "puvak", "Puvak", "NOPE", "", "E_C"}) {
    open(QLatin1String(code));
    EXPECT_EQ(g_open_file_count, 0) << code;
    EXPECT_TRUE(platform::list_files(QStringLiteral("C:\\DATA")).isEmpty()) << code;
  }
  EXPECT_TRUE(services.calls.isEmpty());
}

TEST_F(record_file_test, star_opens_every_file_except_pi1_from_2014_on) {
  struct row {
    const char* year;
    const char* folder;
    bool pi1_served;
    bool rt_built;  // built before 2015 when missing, whether or not its table is there
  };
  for (const row r : {row{"2017", "Y2017", false, false}, row{"2014", "Y2014", false, true},
                      row{"2013", "Y2013", true, true}}) {
    SCOPED_TRACE(r.year);
    platform::close_all_numbered_files();
    reset_shared_variables();
    services.calls.clear();
    g_year = QLatin1String(r.year);
    drives.make_native_folder(QStringLiteral("C/") + QLatin1String(r.folder));
    const QString folder = QStringLiteral("C:\\") + QLatin1String(r.folder);
    open(QStringLiteral("*"), folder);

    QSet<std::int16_t> numbers;
    for (const file_code_entry& e : file_code_table()) {
      const QString code = QLatin1String(e.code);
      const QString path = folder + u'\\' + QLatin1String(e.file_name);
      const bool served = code != QLatin1String("E_C") && (code != QLatin1String("PI1") || r.pi1_served);
      if (!served) {
        EXPECT_EQ(*e.number, 0) << e.code;
        EXPECT_FALSE(exists(path)) << e.code << " must not be created";
        continue;
      }
      ASSERT_NE(*e.number, 0) << e.code;
      EXPECT_TRUE(platform::is_numbered_file_open(*e.number)) << e.code;
      EXPECT_TRUE(exists(path)) << e.code;
      EXPECT_EQ(platform::numbered_file_record_length(*e.number), e.record_length) << e.code;
      if (e.count != nullptr) {
        EXPECT_EQ(*e.count, record_count_of(platform::file_length(path), e.record_length)) << e.code;
      }
      if (!e.school_group) {
        EXPECT_EQ(g_file_code[*e.number], QStringLiteral("*")) << e.code;
        EXPECT_EQ(g_file_folder[*e.number], folder) << e.code;
      }
      numbers.insert(*e.number);
    }
    EXPECT_EQ(numbers.size(), g_open_file_count) << "every open file under its own number";
    // Each build, upgrade and default filling that was due ran once: none
    // of them loops. (The PI11 repairs run after every PI11 count, last
    // year's set-up is taken for PI11 and before PI3 opens, and the GSN file
    // has two upgrade passes.)
    for (const QString& call : services.calls) {
      if (call.startsWith(QLatin1String("fix_pi11")) || call == QLatin1String("copy_previous_year_setup"))
        continue;
      EXPECT_EQ(services.count(call), call == QLatin1String("convert_gsn_cmp_random") ? 2 : 1)
          << call.toStdString();
    }
    EXPECT_EQ(services.count(QStringLiteral("copy_previous_year_setup")), 2);
    EXPECT_EQ(services.count(QStringLiteral("create_pi4_su_random")), 1);
    EXPECT_EQ(services.count(QStringLiteral("create_rt_random")), r.rt_built ? 1 : 0);
  }
}

// --- reuse of open numbers -------------------------------------------------------

TEST_F(record_file_test, school_record_requested_twice_takes_two_numbers_and_closes_the_first) {
  open(QStringLiteral("SKL"));
  const std::int16_t first = g_skl_file_number;
  ASSERT_NE(first, 0);
  open(QStringLiteral("SKL"));
  const std::int16_t second = g_skl_file_number;
  EXPECT_NE(second, first);
  EXPECT_NE(second, 0);
  EXPECT_FALSE(platform::is_numbered_file_open(first));
  EXPECT_EQ(g_file_in_use[first], 0);
  EXPECT_TRUE(platform::is_numbered_file_open(second));
  EXPECT_EQ(g_open_file_count, 1);
  EXPECT_TRUE(g_file_code[second].isEmpty()) << "the school group is not recorded";
}

TEST_F(record_file_test, same_code_twice_reuses_its_number_rewound) {
  put(QStringLiteral("C/DATA/PUVak_random.txt"), records(3, 12));
  open(QStringLiteral("PUVAK"));
  const std::int16_t n = g_puvak_file_number;
  EXPECT_EQ(g_file_code[n], QStringLiteral("PUVAK"));
  EXPECT_EQ(g_file_folder[n], QStringLiteral("C:\\DATA"));
  EXPECT_EQ(platform::get_record(n), QByteArray(12, 'a'));
  EXPECT_EQ(platform::get_record(n), QByteArray(12, 'b'));

  open(QStringLiteral("PUVAK"));
  EXPECT_EQ(g_puvak_file_number, n);
  EXPECT_EQ(g_open_file_count, 1);
  EXPECT_EQ(g_puvak_record_count, 3);
  EXPECT_EQ(platform::get_record(n), QByteArray(12, 'a')) << "rewound to record 1";
}

TEST_F(record_file_test, same_code_for_another_folder_closes_and_opens_again) {
  drives.make_native_folder(QStringLiteral("D/OTHER"));
  put(QStringLiteral("D/OTHER/PUVak_random.txt"), records(2, 12));
  open(QStringLiteral("PUVAK"));
  open(QStringLiteral("PUVAK"), QStringLiteral("D:\\OTHER"));
  EXPECT_EQ(g_open_file_count, 1);
  EXPECT_EQ(g_file_folder[g_puvak_file_number], QStringLiteral("D:\\OTHER"));
  EXPECT_EQ(g_puvak_record_count, 2);
}

TEST_F(record_file_test, code_after_star_closes_its_file_and_opens_it_again) {
  open(QStringLiteral("*"));
  const std::int16_t n = g_puvak_file_number;
  ASSERT_NE(n, 0);
  EXPECT_EQ(g_file_code[n], QStringLiteral("*"));
  const int open_files = g_open_file_count;

  open(QStringLiteral("*"));
  EXPECT_EQ(g_puvak_file_number, n) << "a later \"*\" request reuses it";
  EXPECT_EQ(g_open_file_count, open_files);

  open(QStringLiteral("PUVAK"));
  EXPECT_EQ(g_puvak_file_number, n) << "the lowest free number is the one just freed";
  EXPECT_EQ(g_file_code[n], QStringLiteral("PUVAK"));
  EXPECT_EQ(g_open_file_count, open_files);
  EXPECT_TRUE(platform::is_numbered_file_open(n));
}

TEST_F(record_file_test, rt_file_is_closed_and_opened_again_on_every_request) {
  put(QStringLiteral("C/DATA/rt_random.txt"), records(2, 28));
  open(QStringLiteral("RT"));
  const std::int16_t first = g_rt_file_number;
  open(QStringLiteral("RT"));
  EXPECT_EQ(g_open_file_count, 1);
  EXPECT_EQ(g_rt_file_number, first);
  EXPECT_EQ(g_rt_record_count, 2);
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\rt_random.txt")), records(2, 28));
}

// --- files of the school group ------------------------------------------------------

TEST_F(record_file_test, empty_school_group_files_get_their_first_record) {
  QByteArray skl_add(458, '\0');  // texts blank, the number, flag and dates zero
  skl_add.replace(0, 60, QByteArray(60, ' '));
  skl_add.replace(62, 300, QByteArray(300, ' '));
  skl_add.replace(428, 30, QByteArray(30, ' '));
  struct row {
    const char* code;
    const char* file;
    QByteArray expected;
  };
  const row rows[] = {
      {"SKLEPOS", "skl_epos_random.txt", QByteArray(1100, ' ')},  // every e-mail slot 1 to 5 empty
      {"SKLADD", "skl_add_random.txt", skl_add},
      {"SKLHB", "skl_h_b_random.txt", QByteArray(256, ' ')},
      {"MSPSKL", "Alle_Skole_MS_personeel.txt", QByteArray()},
      {"SKLMSP", "Skl_MSP_personeel.txt", QByteArray()},
      {"SKL", "Skl_Dta_random.txt", QByteArray()},
  };
  for (const row& r : rows) {
    open(QLatin1String(r.code));
    const QByteArray got = bytes_of(QStringLiteral("C:\\DATA\\") + QLatin1String(r.file));
    EXPECT_EQ(got, r.expected) << r.code << ": " << hex(got.left(80)).toStdString();
  }
  EXPECT_TRUE(services.calls.isEmpty()) << "2017: the SKLADD upgrade is over";
}

TEST_F(record_file_test, school_group_file_with_a_record_is_left_as_it_is) {
  const QByteArray record(1100, 'x');
  put(QStringLiteral("C/DATA/skl_epos_random.txt"), record);
  open(QStringLiteral("SKLEPOS"));
  EXPECT_EQ(bytes_of(QStringLiteral("C:\\DATA\\skl_epos_random.txt")), record);
  EXPECT_EQ(platform::numbered_file_record_length(g_sklepos_file_number), 1100);
}

// --- failures ------------------------------------------------------------------

TEST_F(record_file_test, file_that_cannot_be_opened_leaves_its_number_zero_and_the_rest_goes_on) {
  drives.make_native_folder(QStringLiteral("C/DATA/PUVak_random.txt"));  // a folder in the file's place
  g_puvak_record_count = 7;
  open(QStringLiteral("PUVAK"));
  EXPECT_EQ(g_puvak_file_number, 0);
  EXPECT_EQ(g_puvak_record_count, 0);
  EXPECT_EQ(g_open_file_count, 0);

  // With a promotion-settings file in order nothing is rebuilt, so the
  // failure is passed over and the other files open.
  put(QStringLiteral("C/DATA/prm_prom_random.txt"), QByteArray(8, '\xFF'));
  open(QStringLiteral("*"));
  EXPECT_EQ(g_puvak_file_number, 0);
  EXPECT_NE(g_putot_file_number, 0);
  EXPECT_NE(g_nwekls_file_number, 0);
  EXPECT_EQ(g_prmprom_record_count, 1);
}

TEST_F(record_file_test, failure_after_a_rebuild_of_the_same_call_reaches_the_caller) {
  drives.make_native_folder(QStringLiteral("C/DATA/PUVak_random.txt"));
  // The empty prm_prom_random.txt is rebuilt before PUVAK comes.
  EXPECT_THROW(open(QStringLiteral("*")), platform::file_error);
  EXPECT_EQ(g_puvak_file_number, 0);
  for (std::int16_t n = 101; n <= 511; ++n) {
    if (g_file_in_use[n] != 0) {
      EXPECT_TRUE(platform::is_numbered_file_open(n)) << "number " << n << " kept without a file";
    }
  }
}

TEST_F(record_file_test, build_that_cannot_leave_its_file_does_not_loop) {
  dbf_builder().field("SD_SKOOL", 'C', 60).record({"KORVA"}).write(drives.base() + "/C/DATA/skl_dta.dbf");
  drives.make_native_folder(QStringLiteral("C/DATA/Skl_Dta_random.txt"));  // the file can never be made
  open(QStringLiteral("SKL"));
  EXPECT_EQ(services.calls, QStringList{QStringLiteral("create_skl_dta_random")});
  EXPECT_EQ(g_skl_file_number, 0);
  EXPECT_EQ(g_open_file_count, 0);
}

// --- close-all -----------------------------------------------------------------

TEST_F(record_file_test, close_all_requests_the_school_record_again) {
  install_record_file_hooks();
  g_school_data_folder = QStringLiteral("C:\\DATA");
  open(QStringLiteral("PUVAK"));
  open(QStringLiteral("SKL"));
  std::int16_t all = close_all_files;
  close_file(all);
  EXPECT_EQ(all, close_all_files);
  EXPECT_EQ(g_puvak_file_number, 0);
  ASSERT_NE(g_skl_file_number, 0);
  EXPECT_EQ(g_skl_file_number, 101);
  EXPECT_TRUE(platform::is_numbered_file_open(g_skl_file_number));
  EXPECT_EQ(g_open_file_count, 1);
}

TEST_F(record_file_test, close_all_with_a_blank_school_folder_fills_in_the_default_folder) {
  install_record_file_hooks();
  g_admin_folder = QStringLiteral("C:\\ADMIN");
  drives.make_native_folder(QStringLiteral("C/ADMIN/L17"));
  std::int16_t all = close_all_files;
  close_file(all);
  EXPECT_EQ(g_school_data_folder, QStringLiteral("C:\\ADMIN\\L17"));
  EXPECT_NE(g_skl_file_number, 0);
}

}  // namespace
}  // namespace km::test
