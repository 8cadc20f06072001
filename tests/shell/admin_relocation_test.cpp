#include "shell/admin_relocation.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km {
namespace {

// Records what the window would show.
class recording_view : public relocation_view {
 public:
  void show() override { shown = true; }
  void message(const QString& text) override { messages.append(text); }
  void listed(const QString& folder) override { to_move.append(folder); }
  void moved(const QString& folder) override {
    done.append(folder);
    to_move.removeOne(folder);
  }

  bool shown = false;
  QStringList messages;
  QStringList to_move;
  QStringList done;
};

// C: holds an old administration folder C:\SCHOOL\NW_ADMIN with folders that
// move (L*, F*, FOTOS, ALUMNI), folders that stay, and a file at its top;
// the settings folder; and a program root with two suite programs installed.
class admin_relocation_test : public test::clean_state_test {
 protected:
  void SetUp() override {
    g_language = false;
    g_admin_folder = "C:\\SCHOOL\\NW_ADMIN";
    g_settings_folder = "C:\\ProgramData\\OSKAVEN";
    g_program_root = "C:\\PF";
    write("C/SCHOOL/NW_ADMIN/LEERDERS/learners.txt", "learner data");
    write("C/SCHOOL/NW_ADMIN/LEERDERS/2017/term1.txt", "term one");
    write("C/SCHOOL/NW_ADMIN/FINANS/fees.txt", "fees");
    write("C/SCHOOL/NW_ADMIN/FOTOS/p1.jpg", QByteArray("\xff\xd8\x00\x01", 4));
    write("C/SCHOOL/NW_ADMIN/ALUMNI/old.txt", "alumni");
    write("C/SCHOOL/NW_ADMIN/OTHER/x.txt", "stays");
    write("C/SCHOOL/NW_ADMIN/lessons/y.txt", "lower case stays");
    write("C/SCHOOL/NW_ADMIN/top.txt", "a file at the top");
    drives.make_native_folder("C/ProgramData/OSKAVEN");
    drives.make_native_folder("C/PF/KORVA-SCOPE");
    drives.make_native_folder("C/PF/KORVA-ADMIN");
  }

  void write(const QString& relative, const QByteArray& bytes) { drives.write_native(relative, bytes); }
  QString native(const QString& relative) const { return drives.base() + "/" + relative; }
  bool exists(const QString& relative) const { return QFileInfo::exists(native(relative)); }
  QByteArray read(const QString& relative) const {
    QFile f(native(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }

  test::temp_drives drives;
  platform::fake_clock clock{42811.4375};  // 2017-03-17 10:30
  platform::scoped_clock use_clock{clock};
  recording_view view;
};

const QByteArray network_dta =
    "\"C:\\SCHOOL\\OSKAVEN\\ADMIN\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
const QByteArray network_setup_dta =
    "\"2017.03.17\"\r\n\"C:\\SCHOOL\\OSKAVEN\\ADMIN\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

TEST(admin_relocation, new_folder_replaces_the_nw_admin_part) {
  EXPECT_EQ(new_admin_folder("C:\\SCHOOL\\NW_ADMIN"), "C:\\SCHOOL\\OSKAVEN\\ADMIN");
  EXPECT_EQ(new_admin_folder("F:\\NW_ADMIN\\X\\NW_ADMIN"), "F:\\OSKAVEN\\ADMIN");
  EXPECT_EQ(new_admin_folder("\\\\server\\data\\nw_admin"), "\\\\server\\data\\OSKAVEN\\ADMIN");
  EXPECT_EQ(new_admin_folder("C:\\SCHOOL\\ADMIN"), "");
  EXPECT_EQ(new_admin_folder("C:\\NW-ADMIN"), "");
}

TEST(admin_relocation, which_subfolders_move) {
  for (const char* name : {"LEERDERS", "L", "FINANS", "F2017", "FOTOS", "ALUMNI"})
    EXPECT_TRUE(is_relocated_subfolder(name)) << name;
  for (const char* name : {"lessons", "fotos", "Alumni", "ALUMNI2", "OTHER", "AL", ""})
    EXPECT_FALSE(is_relocated_subfolder(name)) << name;
}

TEST_F(admin_relocation_test, moves_the_folders_writes_the_settings_and_renames_the_old_folder) {
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::completed);

  EXPECT_TRUE(view.shown);
  ASSERT_EQ(view.messages.size(), 2);
  EXPECT_EQ(view.messages[0],
            "All folders from the 'C:\\SCHOOL\\NW_ADMIN' folder will now be moved to the new "
            "'C:\\SCHOOL\\OSKAVEN\\ADMIN' folder !");
  EXPECT_EQ(view.messages[1],
            "The relocation of C:\\SCHOOL\\NW_ADMIN to C:\\SCHOOL\\OSKAVEN\\ADMIN is complete ...\r\n\r\n"
            "The C:\\SCHOOL\\NW_ADMIN folder was renamed to C:\\SCHOOL\\NW_ADMIN_20170317");
  EXPECT_EQ(view.done, QStringList({"ALUMNI", "FINANS", "FOTOS", "LEERDERS"}));
  EXPECT_TRUE(view.to_move.isEmpty());

  // The copies, with everything in them.
  EXPECT_EQ(
      QDir(native("C/SCHOOL/OSKAVEN/ADMIN")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
      QStringList({"ALUMNI", "FINANS", "FOTOS", "LEERDERS"}));
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/LEERDERS/learners.txt"), "learner data");
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/LEERDERS/2017/term1.txt"), "term one");
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/FOTOS/p1.jpg"), QByteArray("\xff\xd8\x00\x01", 4));
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/ALUMNI/old.txt"), "alumni");

  // The settings files.
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/network_setup.dta"), network_setup_dta);
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/network.dta"), network_dta);
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/KORVA-SCOPE/network.dta"), network_dta);
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/KORVA-ADMIN/network.dta"), network_dta);
  // Programs that are not installed get no settings folder.
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/KORVA-LEARNERS"));
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/KORVA-FINANCE"));

  // The old folder keeps everything under its dated name.
  EXPECT_FALSE(exists("C/SCHOOL/NW_ADMIN"));
  EXPECT_EQ(read("C/SCHOOL/NW_ADMIN_20170317/top.txt"), "a file at the top");
  EXPECT_EQ(read("C/SCHOOL/NW_ADMIN_20170317/OTHER/x.txt"), "stays");
  EXPECT_EQ(read("C/SCHOOL/NW_ADMIN_20170317/lessons/y.txt"), "lower case stays");
  EXPECT_EQ(read("C/SCHOOL/NW_ADMIN_20170317/LEERDERS/learners.txt"), "learner data");

  EXPECT_EQ(g_admin_folder, "C:\\SCHOOL\\OSKAVEN\\ADMIN");
  // A second run finds no old folder and does nothing.
  recording_view again;
  g_admin_folder = "C:\\SCHOOL\\NW_ADMIN";
  EXPECT_EQ(relocate_admin_folder(again), relocation_outcome::old_folder_missing);
  EXPECT_TRUE(again.messages.isEmpty());
}

TEST_F(admin_relocation_test, afrikaans_messages) {
  g_language = true;
  ASSERT_EQ(relocate_admin_folder(view), relocation_outcome::completed);
  ASSERT_EQ(view.messages.size(), 2);
  EXPECT_EQ(view.messages[0],
            "Alle gidse van die 'C:\\SCHOOL\\NW_ADMIN' gids sal nou na die nuwe 'C:\\SCHOOL\\OSKAVEN\\ADMIN' "
            "geskuif word !");
  EXPECT_EQ(view.messages[1],
            "Die verskuiwing van C:\\SCHOOL\\NW_ADMIN na C:\\SCHOOL\\OSKAVEN\\ADMIN is voltooi ...\r\n\r\n"
            "Die C:\\SCHOOL\\NW_ADMIN gids se naam is verander na C:\\SCHOOL\\NW_ADMIN_20170317");
}

TEST_F(admin_relocation_test, a_folder_already_in_the_new_place_is_listed_but_not_copied) {
  write("C/SCHOOL/OSKAVEN/ADMIN/FINANS/newer.txt", "kept");
  ASSERT_EQ(relocate_admin_folder(view), relocation_outcome::completed);
  EXPECT_EQ(view.done, QStringList({"ALUMNI", "FINANS", "FOTOS", "LEERDERS"}));
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/FINANS/newer.txt"), "kept");
  EXPECT_FALSE(exists("C/SCHOOL/OSKAVEN/ADMIN/FINANS/fees.txt"));
}

TEST_F(admin_relocation_test, a_failing_copy_stops_before_the_settings_and_the_rename) {
  write("C/ProgramData/OSKAVEN/network.dta", "old settings");
  // A file where the copy of LEERDERS must go makes that copy fail.
  write("C/SCHOOL/OSKAVEN/ADMIN/LEERDERS", "in the way");

  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::failed);

  ASSERT_EQ(view.messages.size(), 2);
  EXPECT_EQ(view.messages[1],
            "The folder 'LEERDERS' could not be copied to 'C:\\SCHOOL\\OSKAVEN\\ADMIN' (File already exists)."
            "\r\n\r\nThe relocation was stopped: the network files were not changed and the "
            "'C:\\SCHOOL\\NW_ADMIN' folder was not renamed.");
  EXPECT_EQ(view.done, QStringList({"ALUMNI", "FINANS", "FOTOS"}));
  EXPECT_EQ(view.to_move, QStringList({"LEERDERS"}));
  // The folders before it were copied; nothing after the copies happened.
  EXPECT_TRUE(exists("C/SCHOOL/OSKAVEN/ADMIN/ALUMNI/old.txt"));
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/network.dta"), "old settings");
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/network_setup.dta"));
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/KORVA-SCOPE"));
  EXPECT_TRUE(exists("C/SCHOOL/NW_ADMIN/top.txt"));
  EXPECT_FALSE(exists("C/SCHOOL/NW_ADMIN_20170317"));
  EXPECT_EQ(g_admin_folder, "C:\\SCHOOL\\NW_ADMIN");
}

TEST_F(admin_relocation_test, a_copy_cut_off_inside_a_folder_is_copied_whole_by_the_next_run) {
  write("C/ProgramData/OSKAVEN/network.dta", "old settings");
  // Run 1: the disk fills up inside LEERDERS, after learners.txt was copied.
  platform::set_file_fault_hook([](platform::file_step, const QString& win_path) {
    if (win_path.endsWith("\\2017\\term1.txt"))
      throw platform::file_error(platform::file_error::kind::disk_full, win_path);
  });
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::failed);
  EXPECT_EQ(view.to_move, QStringList({"LEERDERS"}));
  // No part of LEERDERS is in the new place, under its name or any other.
  EXPECT_EQ(
      QDir(native("C/SCHOOL/OSKAVEN/ADMIN")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
      QStringList({"ALUMNI", "FINANS", "FOTOS"}));
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/network.dta"), "old settings");
  EXPECT_TRUE(exists("C/SCHOOL/NW_ADMIN/LEERDERS/learners.txt"));

  // Run 2 copies LEERDERS whole, and only then reports completion.
  platform::set_file_fault_hook({});
  recording_view again;
  EXPECT_EQ(relocate_admin_folder(again), relocation_outcome::completed);
  EXPECT_EQ(again.done, QStringList({"ALUMNI", "FINANS", "FOTOS", "LEERDERS"}));
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/LEERDERS/learners.txt"), "learner data");
  EXPECT_EQ(read("C/SCHOOL/OSKAVEN/ADMIN/LEERDERS/2017/term1.txt"), "term one");
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/network.dta"), network_dta);
  EXPECT_TRUE(exists("C/SCHOOL/NW_ADMIN_20170317/LEERDERS/2017/term1.txt"));
}

// A run killed inside a copy leaves its partial copy; the next run's
// opening of the new place removes it, even of a folder no longer to move.
TEST_F(admin_relocation_test, a_partial_copy_a_killed_run_left_goes_at_the_next_opening_of_the_new_place) {
  write("C/SCHOOL/OSKAVEN/ADMIN/F2016.partial/half.txt", "half");
  write("C/SCHOOL/OSKAVEN/ADMIN/F2016.partial/SUB/deep.txt", "deep");
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::completed);
  EXPECT_EQ(
      QDir(native("C/SCHOOL/OSKAVEN/ADMIN")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
      QStringList({"ALUMNI", "FINANS", "FOTOS", "LEERDERS"}));
}

TEST_F(admin_relocation_test, settings_that_cannot_be_written_stop_before_the_rename) {
  g_settings_folder = "C:\\NO_SETTINGS";
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::failed);
  ASSERT_EQ(view.messages.size(), 2);
  EXPECT_EQ(view.messages[1],
            "The network file 'C:\\NO_SETTINGS\\network_setup.dta' could not be written (Path not found)."
            "\r\n\r\nThe relocation was stopped: the 'C:\\SCHOOL\\NW_ADMIN' folder was not renamed.");
  EXPECT_TRUE(exists("C/SCHOOL/NW_ADMIN/top.txt"));
  EXPECT_EQ(g_admin_folder, "C:\\SCHOOL\\NW_ADMIN");
}

TEST_F(admin_relocation_test, a_refused_rename_is_reported_not_called_complete) {
  drives.make_native_folder("C/SCHOOL/NW_ADMIN_20170317");
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::failed);
  ASSERT_EQ(view.messages.size(), 2);
  EXPECT_EQ(view.messages[1],
            "The C:\\SCHOOL\\NW_ADMIN folder could not be renamed to C:\\SCHOOL\\NW_ADMIN_20170317 "
            "(File already exists).\r\n\r\nThe folders were copied and the network files were written.");
  EXPECT_TRUE(exists("C/SCHOOL/NW_ADMIN/top.txt"));
  EXPECT_EQ(read("C/ProgramData/OSKAVEN/network.dta"), network_dta);
}

TEST_F(admin_relocation_test, a_path_without_nw_admin_changes_nothing) {
  g_admin_folder = "C:\\SCHOOL\\ADMIN";
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::not_old_layout);
  EXPECT_EQ(
      view.messages,
      QStringList({"The folder 'C:\\SCHOOL\\ADMIN' does not contain '\\NW_ADMIN': nothing was moved."}));
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(exists("C/SCHOOL/OSKAVEN"));
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/network.dta"));
  EXPECT_EQ(g_admin_folder, "C:\\SCHOOL\\ADMIN");

  g_language = true;
  recording_view afrikaans;
  relocate_admin_folder(afrikaans);
  EXPECT_EQ(afrikaans.messages,
            QStringList({"Die gids 'C:\\SCHOOL\\ADMIN' bevat nie '\\NW_ADMIN' nie: niks is verskuif nie."}));
}

TEST_F(admin_relocation_test, a_missing_old_folder_or_new_drive_does_nothing) {
  g_admin_folder = "C:\\ELSEWHERE\\NW_ADMIN";
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::old_folder_missing);
  // "\NW_ADMIN" exists on the current drive, but "\OSKAVEN\ADMIN" names no drive.
  drives.make_native_folder("C/NW_ADMIN/LX");
  g_admin_folder = "\\NW_ADMIN";
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::new_drive_missing);
  g_admin_folder.clear();
  EXPECT_EQ(relocate_admin_folder(view), relocation_outcome::nothing_to_do);

  EXPECT_TRUE(view.messages.isEmpty());
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(exists("C/OSKAVEN"));
  EXPECT_FALSE(exists("C/ProgramData/OSKAVEN/network.dta"));
}

}  // namespace
}  // namespace km
