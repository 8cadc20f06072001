// The outcome sets: pi4_su_random.txt from the subject text files
// su_<code>.txt, one record per file, and pi4_vh_random.txt, the same
// records in the wider layout.

#include <QDir>
#include <QFile>
#include <vector>

#include "common/file_number_pool.h"
#include "common/record_file_not_ready.h"
#include "common/save_folder.h"
#include "hand_written_fixture.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/numbered_files.h"

namespace km::test {
namespace {

constexpr int su_length = 1237;
constexpr int vh_length = 5717;
const QString su_file = QStringLiteral("pi4_su_random.txt");
const QString vh_file = QStringLiteral("pi4_vh_random.txt");

// One outcome group as a subject file holds it, and the flags it gives in
// columns 1, 2, 3 and 5.
struct outcome {
  QByteArray text_a;
  QByteArray text_b;
  QByteArray values;  // the group's eight values as the file holds them
  int flags[4];
};

// The record a subject file gives: the code and one row per group up to the
// tenth; everything else zero bytes.
QByteArray expected_su(const char* code, const std::vector<outcome>& groups) {
  expected_record r(su_length);
  r.text(0, 5, code);
  const int columns[] = {1, 2, 3, 5};
  for (int i = 1; i <= int(groups.size()) && i <= 10; ++i) {
    const outcome& g = groups[std::size_t(i - 1)];
    r.text(5 + 50 * i, 50, g.text_a.constData()).text(555 + 50 * i, 50, g.text_b.constData());
    for (int k = 0; k < 4; ++k) r.int16(1105 + 2 * (i + 11 * columns[k]), g.flags[k]);
  }
  return r.bytes();
}

QByteArray subject_file(const std::vector<outcome>& groups) {
  QByteArray out;
  for (const outcome& g : groups) out += g.values + "\r\n";
  return out;
}

outcome numbered(const char* prefix, int n) {
  const QByteArray a = prefix + QByteArray::number(n);
  return {a, "b" + a, "\"" + a + "\",0,\"b" + a + "\",0,1,#TRUE#,-1,5", {-1, -1, -1, -1}};
}

// su_wisk.txt: three groups, the second split over two lines (a line end
// separates values as a comma does).
const std::vector<outcome> wisk = {
    {"Getalle", "Numbers", "\"Getalle\",1,\"Numbers\",\"x\",#TRUE#,#FALSE#,1,0", {-1, 0, -1, 0}},
    {"Meting", "Measurement", "\"Meting\",2,\"Measurement\"\r\n\"y\",0,-1,\"x\",#TRUE#", {0, -1, 0, -1}},
    // A text of 60 characters keeps 50; a number as text is its digits.
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx",
     "42",
     "\"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz01234567\",3,42,4,1,1,1,1",
     {-1, -1, -1, -1}},
};
const std::vector<outcome> gesk = {
    {"Bronne", "Sources", "\"Bronne\",1,\"Sources\",2,0,0,#TRUE#,0", {0, 0, -1, 0}},
    {"Tydlyn", "Time line", "\"Tydlyn\",1,\"Time line\",2,1,0,0,0", {-1, 0, 0, 0}},
};
std::vector<outcome> twelve_groups() {
  std::vector<outcome> groups;
  for (int n = 1; n <= 12; ++n) groups.push_back(numbered("B", n));
  return groups;
}

// The wide record of a narrow one: the code, rows 1 to 10 with both texts
// and flag columns 1 to 5, in their wider places.
QByteArray widened(const QByteArray& su) {
  QByteArray vh(vh_length, '\0');
  vh.replace(0, 5, su.mid(0, 5));
  for (int i = 1; i <= 10; ++i) {
    vh.replace(5 + 50 * i, 50, su.mid(5 + 50 * i, 50));
    vh.replace(2555 + 50 * i, 50, su.mid(555 + 50 * i, 50));
    for (int j = 1; j <= 5; ++j) vh.replace(5105 + 2 * (i + 51 * j), 2, su.mid(1105 + 2 * (i + 11 * j), 2));
  }
  return vh;
}

class hand_written_pi4_test : public hand_written_test {
 protected:
  void put_subjects() {
    put("su_wisk.txt", subject_file(wisk));
    put("SU_GESK.TXT", subject_file(gesk));
    put("su_biologie.txt", subject_file(twelve_groups()));
  }
};

TEST_F(hand_written_pi4_test, each_subject_file_gives_one_record_in_listing_order_and_moves_into_save) {
  put_subjects();
  const QByteArray not_a_subject = subject_file(gesk);
  put("SU_OLD_RANDOM.TXT", not_a_subject);
  put("backup_su_x.doc", not_a_subject);
  put("su_.txt", not_a_subject);
  const QByteArray sources[] = {data_file("su_biologie.txt"), data_file("SU_GESK.TXT"),
                                data_file("su_wisk.txt")};

  create_pi4_su_random(folder);

  ASSERT_EQ(data_file(su_file).size(), 3 * su_length);
  EXPECT_EQ(g_pi4su_record_count, 3);
  EXPECT_EQ(g_pi4su_file_number, 0) << "closed";
  // Rows 11 and 12 of the biology file are dropped; the history record,
  // written after it, has zero bytes past its two rows: each subject starts
  // from a cleared record.
  EXPECT_EQ(hex(record(su_file, su_length, 1)), hex(expected_su("BIOLO", twelve_groups())));
  EXPECT_EQ(hex(record(su_file, su_length, 2)), hex(expected_su("GESK", gesk)));
  EXPECT_EQ(hex(record(su_file, su_length, 3)), hex(expected_su("WISK", wisk)));

  const char* const moved[] = {"su_biologie.txt", "SU_GESK.TXT", "su_wisk.txt"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(moved[i]);
    EXPECT_EQ(data_file(QLatin1String(moved[i])), QByteArrayLiteral("<missing>"));
    EXPECT_EQ(data_file(QStringLiteral("save/") + QLatin1String(moved[i])), sources[i]);
  }
  for (const char* kept : {"SU_OLD_RANDOM.TXT", "backup_su_x.doc", "su_.txt"})
    EXPECT_EQ(data_file(QLatin1String(kept)), not_a_subject) << kept << " is not a subject file";
  EXPECT_EQ(data_file(QStringLiteral("pi4_su_random.tmp")), QByteArrayLiteral("<missing>"));
}

TEST_F(hand_written_pi4_test, a_subject_file_that_cannot_be_opened_or_read_gives_no_record_and_stays) {
  put("su_a.txt", subject_file(gesk));
  put("su_b.txt", subject_file(gesk) + "\"Half\",1,\"a group\"\r\n");
  put("su_c.txt", subject_file(wisk));
  const QByteArray a = data_file("su_a.txt");
  const QByteArray b = data_file("su_b.txt");
  std::int16_t holder = get_free_file_number(1);
  platform::open_file(holder, folder + QStringLiteral("\\su_a.txt"), platform::open_mode::append);

  create_pi4_su_random(folder);
  close_file(holder);

  EXPECT_EQ(hex(data_file(su_file)), hex(expected_su("C", wisk)));
  EXPECT_EQ(data_file("su_a.txt"), a) << "held open by another number";
  EXPECT_EQ(data_file("su_b.txt"), b) << "ends inside a group";
  EXPECT_EQ(data_file("save/su_a.txt"), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(data_file("save/su_b.txt"), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(data_file("su_c.txt"), QByteArrayLiteral("<missing>"));
}

TEST_F(hand_written_pi4_test,
       an_earlier_file_is_kept_in_save_and_a_save_folder_that_cannot_be_made_leaves_the_sources) {
  put(su_file, "OLD SUBJECTS");
  put_subjects();
  create_pi4_su_random(folder);
  EXPECT_EQ(data_file("save/pi4_su_random.txt"), QByteArrayLiteral("OLD SUBJECTS"));
  EXPECT_EQ(data_file(su_file).size(), 3 * su_length);

  // A second folder whose save folder is a plain file.
  QDir(drives.native_drive('C') + QStringLiteral("/DATA")).removeRecursively();
  drives.make_native_folder(QStringLiteral("C/DATA"));
  put("save", "in the way");
  put_subjects();
  const QByteArray wisk_source = data_file("su_wisk.txt");
  create_pi4_su_random(folder);
  EXPECT_EQ(data_file(su_file).size(), 3 * su_length) << "the records are written";
  EXPECT_EQ(data_file("su_wisk.txt"), wisk_source);
  EXPECT_NE(data_file("su_biologie.txt"), QByteArrayLiteral("<missing>"));
  EXPECT_NE(data_file("SU_GESK.TXT"), QByteArrayLiteral("<missing>"));
}

// Narrow records with something in every place the copy must leave out:
// row 0, column 0, and column 4, which is copied as it stands.
QByteArray narrow_records() {
  QByteArray out;
  for (int n = 1; n <= 3; ++n) {
    expected_record r(su_length);
    r.text(0, 5, QByteArray("SUBJ" + QByteArray::number(n)).constData());
    r.text(5, 50, "row 0 is never copied").text(555, 50, "nor here");
    for (int i = 0; i <= 10; ++i) {
      const QByteArray row = QByteArray::number(n) + "-" + QByteArray::number(i);
      if (i > 0) r.text(5 + 50 * i, 50, row.constData()).text(555 + 50 * i, 50, ("b" + row).constData());
      for (int j = 0; j <= 5; ++j) r.int16(1105 + 2 * (i + 11 * j), 100 * n + 10 * i + j);
    }
    out += r.bytes();
  }
  return out;
}

TEST_F(hand_written_pi4_test, the_wide_file_holds_each_narrow_record_in_its_wider_places) {
  const QByteArray narrow = narrow_records();
  put(su_file, narrow);
  create_pi4_vh_random(folder);

  const QByteArray wide = data_file(vh_file);
  ASSERT_EQ(wide.size(), 3 * vh_length);
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(hex(record(vh_file, vh_length, n)), hex(widened(narrow.mid((n - 1) * su_length, su_length))));
  }
  EXPECT_EQ(hex(wide.mid(5209, 2)), QStringLiteral("6F 00")) << "entry (1, 1) of the first record: 111";
  EXPECT_EQ(wide.mid(5 + 50 * 11, 50 * 40), QByteArray(50 * 40, '\0')) << "rows 11 to 50";
  EXPECT_EQ(data_file(su_file), narrow);
  EXPECT_EQ(g_pi4vh_record_count, 3);
  EXPECT_EQ(g_pi4su_file_number, 0);
  EXPECT_EQ(g_pi4vh_file_number, 0);
}

TEST_F(hand_written_pi4_test, the_wide_file_builds_the_narrow_one_first_and_keeps_an_earlier_wide_file) {
  put("su_wisk.txt", subject_file(wisk));
  put(vh_file, "OLD WIDE");
  create_pi4_vh_random(folder);
  EXPECT_EQ(hex(data_file(su_file)), hex(expected_su("WISK", wisk)));
  EXPECT_EQ(hex(data_file(vh_file)), hex(widened(expected_su("WISK", wisk))));
  EXPECT_EQ(data_file("save/pi4_vh_random.txt"), QByteArrayLiteral("OLD WIDE"));
  EXPECT_EQ(data_file("su_wisk.txt"), QByteArrayLiteral("<missing>"));
}

TEST_F(hand_written_pi4_test, a_narrow_file_that_cannot_be_written_leaves_no_wide_file_behind) {
  put("su_wisk.txt", subject_file(wisk));
  platform::set_file_fault_hook([](platform::file_step step, const QString& path) {
    if (step == platform::file_step::record_write &&
        path.contains(QStringLiteral("pi4_su_random"), Qt::CaseInsensitive))
      throw platform::file_error(platform::file_error::kind::disk_full, path);
  });
  dialogs
      .expect_message(
          QStringLiteral("THE DISK IS FULL: pi4_su_random.txt WAS NOT MADE. NOTHING WAS CHANGED."))
      .icon(platform::msg_icon::exclamation);
  EXPECT_THROW(create_pi4_vh_random(folder), record_file_not_ready);
  platform::set_file_fault_hook({});
  EXPECT_EQ(data_file(su_file), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(data_file(vh_file), QByteArrayLiteral("<missing>")) << "an empty wide file is never made again";
  EXPECT_EQ(data_file("su_wisk.txt"), subject_file(wisk));
}

TEST_F(hand_written_pi4_test, the_opening_builds_the_wide_file_before_2016_only) {
  struct row {
    const char* year;
    int records;
  };
  for (const row r : {row{"2015", 3}, row{"2016", 0}}) {
    SCOPED_TRACE(r.year);
    close_file(g_pi4vh_file_number);
    QFile::remove(drives.native_drive('C') + QStringLiteral("/DATA/pi4_vh_random.txt"));
    put(su_file, narrow_records());
    g_year = QLatin1String(r.year);
    open(QStringLiteral("PI4VH"));
    EXPECT_EQ(data_file(vh_file).size(), r.records * vh_length);
    EXPECT_EQ(g_pi4vh_record_count, r.records);
    EXPECT_NE(g_pi4vh_file_number, 0) << "opened after the build";
  }
}

TEST_F(hand_written_pi4_test, the_opening_builds_the_narrow_file_in_any_year) {
  g_year = QStringLiteral("2030");
  put_subjects();
  open(QStringLiteral("PI4SU"));
  EXPECT_EQ(g_pi4su_record_count, 3);
  EXPECT_EQ(hex(record(su_file, su_length, 3)), hex(expected_su("WISK", wisk)));
}

// A subject file still beside the narrow file after a build is moved by
// the next opening only when the file holds its record: the build had
// written it and was stopped before moving it. Others stay where they are.
TEST_F(hand_written_pi4_test, the_opening_moves_only_the_subject_files_the_narrow_file_was_built_from) {
  put_subjects();
  open(QStringLiteral("PI4SU"));
  const QByteArray narrow = data_file(su_file);
  ASSERT_EQ(narrow.size(), 3 * su_length);
  std::int16_t all = 999;
  close_file(all);

  // su_wisk.txt as the build left it when stopped after its copy into \save
  // (the copy there is the copy: no second one is kept); SU_GESK.TXT stopped
  // before its copy; a new subject, one holding a built subject's groups
  // under another code, and one that ends inside a group are no sources.
  put("su_wisk.txt", subject_file(wisk));
  const QByteArray gesk_source = data_file("save/SU_GESK.TXT");
  QFile::remove(drives.native_drive('C') + QStringLiteral("/DATA/save/SU_GESK.TXT"));
  put("SU_GESK.TXT", gesk_source);
  const QByteArray added = subject_file({numbered("N", 1)});
  const QByteArray other_code = subject_file(gesk);
  const QByteArray half = subject_file(wisk) + "\"Half\",1,\"a group\"\r\n";
  put("su_nuut.txt", added);
  put("su_ander.txt", other_code);
  put("su_half.txt", half);

  open(QStringLiteral("PI4SU"));

  EXPECT_EQ(data_file(su_file), narrow);
  EXPECT_EQ(g_pi4su_record_count, 3);
  EXPECT_EQ(data_file("su_wisk.txt"), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(data_file("save/su_wisk.txt"), subject_file(wisk));
  EXPECT_EQ(data_file("save/su_wisk_1.txt"), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(data_file("SU_GESK.TXT"), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(data_file("save/SU_GESK.TXT"), gesk_source);
  EXPECT_EQ(data_file("su_nuut.txt"), added);
  EXPECT_EQ(data_file("su_ander.txt"), other_code);
  EXPECT_EQ(data_file("su_half.txt"), half);
  for (const char* name : {"save/su_nuut.txt", "save/su_ander.txt", "save/su_half.txt"})
    EXPECT_EQ(data_file(name), QByteArrayLiteral("<missing>")) << name;
}

}  // namespace
}  // namespace km::test
