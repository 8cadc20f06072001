// The homework codes read from the four code text files into
// hw_kodes_random.txt, one record per code at the code's record number.

#include <QDir>
#include <QFile>

#include "common/file_number_pool.h"
#include "common/save_folder.h"
#include "hand_written_fixture.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "support/python_peer.h"

namespace km::test {
namespace {

constexpr int length = 1547;
const QString codes = QStringLiteral("hw_kodes_random.txt");
const char* const code_files[] = {"hwi_kde1.txt", "hwi_kde2.txt", "hwi_kde3.txt", "hwi_drk1.txt"};

QByteArray lines(std::initializer_list<QByteArray> each) {
  QByteArray out;
  for (const QByteArray& line : each) out += line + "\r\n";
  return out;
}

// A record as the blank code record starts it: texts blank, the rest zero.
expected_record blank_code_record(int code) {
  expected_record r(length);
  r.int16(0, code);
  for (const int text : {2, 257, 519, 774, 1031, 1286}) r.text(text, 255, "");
  r.text(514, 5, "");
  return r;
}

class hand_written_hw_codes_test : public hand_written_test {
 protected:
  // The empty code file open under its number, as the opening leaves it
  // before it calls the import.
  void open_empty_code_file() {
    g_hwk_file_number = get_free_file_number(0);
    platform::open_file(g_hwk_file_number, folder + QStringLiteral("\\hw_kodes_random.txt"),
                        platform::open_mode::random, length);
    g_hwk_record_count = 0;
  }

  // Codes 1 and 3 from the first file; the second file changes 3, starts 5
  // afresh (above the count of 3) and fills members of the unwritten 2; the
  // third and fourth files change what is there.
  void put_four_code_files() {
    put("hwi_kde1.txt", lines({"1,\"Een\",\"One\",1,\"S1\"", "3,\"Drie\",\"Three\",3,\"S3\""}));
    put("hwi_kde2.txt", lines({"3,\"Twee-3\",\"Two-3\",23", "5,\"Twee-5\",\"Two-5\",25",
                               "2,\"Twee-2\",\"Two-2\",22", "6,\"\",\"no first text\",26"}));
    put("hwi_kde3.txt", lines({"5,\"Drie-5\",\"Three-5\",35", "1,\"Drie-1\",\"Three-1\",31"}));
    put("hwi_drk1.txt",
        lines({"1,#TRUE#,0", "5,,1", "3,#FALSE#,-1", "2,1,#FALSE#", "4,#TRUE#,", ",#TRUE#,#TRUE#"}));
  }
};

TEST_F(hand_written_hw_codes_test,
       first_file_writes_each_code_at_its_number_and_passes_over_codes_that_name_no_record) {
  put("hwi_kde1.txt",
      lines({
          "1,\"Eerste\",\"First\",7,\"AB\"", "3,\"Derde\",\"Third\",2,\"C\"", "0,\"Nul\",\"Zero\",1,\"Z\"",
          "40000,\"Groot\",\"Big\",1,\"G\"", "-2,\"Min\",\"Minus\",1,\"M\"", "2.5,\"Half\",\"Half\",1,\"H\"",
          "abc,\"Woord\",\"Word\",1,\"W\"", "  ,\"Leeg\",\"Blank code\",1,\"E\"",
          "4,\"  \",\"Blank first text\",1,\"N\"",
          "3,\"Dri\xEB\",\"Three\",12.5,\"ABCDEFG\"",  // the later line of a code wins
      }));
  open_empty_code_file();
  create_hw_kodes_random(folder);

  ASSERT_EQ(data_file(codes).size(), 3 * length) << "codes 1 and 3 only: the file ends at record 3";
  EXPECT_EQ(g_hwk_record_count, 3);
  EXPECT_EQ(platform::lof(g_hwk_file_number), 3 * length) << "the file is open under its number again";
  EXPECT_EQ(hex(record(codes, length, 1)), hex(blank_code_record(1)
                                                   .text(2, 255, "Eerste")
                                                   .text(257, 255, "First")
                                                   .int16(512, 7)
                                                   .text(514, 5, "AB")
                                                   .bytes()));
  EXPECT_EQ(record(codes, length, 2), QByteArray(length, '\0')) << "never written";
  EXPECT_EQ(hex(record(codes, length, 3)), hex(blank_code_record(3)
                                                   .text(2, 255, "Dri\xEB")
                                                   .text(257, 255, "Three")
                                                   .int16(512, 12)  // 12.5 to the even neighbour
                                                   .text(514, 5, "ABCDE")
                                                   .bytes()));
}

TEST_F(hand_written_hw_codes_test,
       later_files_change_their_own_members_and_start_codes_above_the_count_afresh) {
  put_four_code_files();
  open_empty_code_file();
  create_hw_kodes_random(folder);

  ASSERT_EQ(data_file(codes).size(), 5 * length);
  EXPECT_EQ(g_hwk_record_count, 5);
  struct row {
    int code;
    QByteArray expected;
  };
  const row rows[] = {
      {1, blank_code_record(1)
              .text(2, 255, "Een")
              .text(257, 255, "One")
              .int16(512, 1)
              .text(514, 5, "S1")
              .text(1031, 255, "Drie-1")
              .text(1286, 255, "Three-1")
              .int16(1541, 31)
              .int16(1543, -1)
              .bytes()},
      // Below the count but never written: the zero record keeps its zeros
      // where no file wrote.
      {2, expected_record(length)
              .int16(0, 2)
              .text(519, 255, "Twee-2")
              .text(774, 255, "Two-2")
              .int16(1029, 22)
              .int16(1543, -1)
              .bytes()},
      {3, blank_code_record(3)
              .text(2, 255, "Drie")
              .text(257, 255, "Three")
              .int16(512, 3)
              .text(514, 5, "S3")
              .text(519, 255, "Twee-3")
              .text(774, 255, "Two-3")
              .int16(1029, 23)
              .int16(1545, -1)
              .bytes()},
      {4, expected_record(length).int16(0, 4).int16(1543, -1).bytes()},
      {5, blank_code_record(5)
              .text(519, 255, "Twee-5")
              .text(774, 255, "Two-5")
              .int16(1029, 25)
              .text(1031, 255, "Drie-5")
              .text(1286, 255, "Three-5")
              .int16(1541, 35)
              .int16(1545, -1)
              .bytes()},
  };
  for (const row& r : rows)
    EXPECT_EQ(hex(record(codes, length, r.code)), hex(r.expected)) << "code " << r.code;

  for (const char* name : code_files) {
    SCOPED_TRACE(name);
    const QByteArray source = data_file(QLatin1String(name));
    EXPECT_NE(source, QByteArrayLiteral("<missing>")) << "stays in the folder";
    EXPECT_EQ(data_file(QStringLiteral("save/") + QLatin1String(name)), source);
  }
  EXPECT_EQ(data_file(QStringLiteral("hw_kodes_random.tmp")), QByteArrayLiteral("<missing>"));
}

TEST_F(hand_written_hw_codes_test, the_records_read_back_with_an_independent_reader) {
  put_four_code_files();
  open_empty_code_file();
  create_hw_kodes_random(folder);
  close_file(g_hwk_file_number);

  const QString script = QStringLiteral(
      "import struct, sys\n"
      "data = open(sys.argv[1], 'rb').read()\n"
      "layout = '<h255s255sh5s255s255sh255s255shhh'\n"
      "assert struct.calcsize(layout) == 1547\n"
      "for n in range(len(data) // 1547):\n"
      "    r = struct.unpack_from(layout, data, n * 1547)\n"
      "    text = r[1].rstrip(b' \\0').decode('cp1252')\n"
      "    print(r[0], r[3], r[7], r[10], r[11], r[12], text, sep='|')\n");
  const python_result read =
      run_python(script, {platform::to_native_path(folder + QStringLiteral("\\") + codes)});
  ASSERT_EQ(read.exit_code, 0) << read.err.toStdString();
  EXPECT_EQ(read.out, QByteArray("1|1|0|31|-1|0|Een\n"
                                 "2|0|22|0|-1|0|\n"
                                 "3|3|23|0|0|-1|Drie\n"
                                 "4|0|0|0|-1|0|\n"
                                 "5|0|25|35|0|-1|\n"));
}

TEST_F(hand_written_hw_codes_test, a_file_that_ends_inside_a_line_ends_the_import_keeping_the_codes_read) {
  put("hwi_kde1.txt", lines({"1,\"Een\",\"One\",1,\"S1\"", "3,\"Drie\""}));
  put("hwi_kde2.txt", lines({"1,\"Twee\",\"Two\",2"}));
  open_empty_code_file();
  EXPECT_THROW(create_hw_kodes_random(folder), platform::file_error);

  EXPECT_EQ(hex(data_file(codes)), hex(blank_code_record(1)
                                           .text(2, 255, "Een")
                                           .text(257, 255, "One")
                                           .int16(512, 1)
                                           .text(514, 5, "S1")
                                           .bytes()))
      << "the second file is not read";
  EXPECT_EQ(g_hwk_record_count, 1);
  EXPECT_NE(g_hwk_file_number, 0);
  EXPECT_FALSE(platform::folder_exists(save_folder_of(folder))) << "no copies after a failed import";
  EXPECT_EQ(data_file(QStringLiteral("hw_kodes_random.tmp")), QByteArrayLiteral("<missing>"));
}

TEST_F(hand_written_hw_codes_test, the_opening_imports_into_an_empty_file_before_2016_only) {
  struct row {
    const char* year;
    int records;
  };
  for (const row r : {row{"2015", 5}, row{"2016", 0}}) {
    SCOPED_TRACE(r.year);
    close_file(g_hwk_file_number);
    QFile::remove(drives.native_drive('C') + QStringLiteral("/DATA/hw_kodes_random.txt"));
    QDir(drives.native_drive('C') + QStringLiteral("/DATA/save")).removeRecursively();
    put_four_code_files();
    g_year = QLatin1String(r.year);
    open(QStringLiteral("HWK"));
    EXPECT_EQ(data_file(codes).size(), r.records * length);
    EXPECT_EQ(g_hwk_record_count, r.records);
    EXPECT_NE(g_hwk_file_number, 0);
    EXPECT_EQ(platform::folder_exists(save_folder_of(folder)), r.records > 0);
  }
}

TEST_F(hand_written_hw_codes_test,
       a_save_folder_that_cannot_be_made_leaves_the_text_files_and_the_codes_are_written) {
  put_four_code_files();
  put("save", "a plain file where the save folder goes");
  open(QStringLiteral("HWK"));
  EXPECT_EQ(g_hwk_record_count, 5);
  for (const char* name : code_files)
    EXPECT_NE(data_file(QLatin1String(name)), QByteArrayLiteral("<missing>"));
}

}  // namespace
}  // namespace km::test
