// The one reset of the process-wide state: every service and every piece
// of state goes back to where the test main put it, whatever a test left;
// the test main's stand-ins refuse to start programs or open documents; and
// the steps of the reset run in their stages.
#include "platform/services.h"

#include <fcntl.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <functional>
#include <typeinfo>

#include "platform/clock.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/desktop_shortcut.h"
#include "platform/dialog_language.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/form_timer.h"
#include "platform/instance_lock.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/program_launcher.h"
#include "platform/program_location.h"
#include "platform/registry.h"
#include "platform/system_settings.h"
#include "platform/ui/document_opener.h"
#include "platform/ui/form.h"
#include "platform/ui/printer/device_choice.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/system_info.h"
#include "platform/ui/window_registry.h"
#include "support/fixed_system_info.h"
#include "support/reset_cases.h"
#include "support/safe_services.h"

namespace km::platform {
namespace {

template <typename T>
QString type_of(T& object) {
  return QString::fromLatin1(typeid(object).name());
}

QString default_folder(const QString& name) { return QFileInfo(test::default_c_drive()).path() + '/' + name; }

// True when a lock on the file is held through another open file
// description (this process's write lock on a table counts).
bool write_locked(const QString& native_path) {
  const int fd = ::open(QFile::encodeName(native_path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  const bool asked = ::fcntl(fd, F_OFD_GETLK, &fl) == 0;
  ::close(fd);
  return asked && fl.l_type != F_UNLCK;
}

// Each reset empties the default drive, so a change makes what it needs.
class services_reset : public ::testing::Test {
 protected:
  void TearDown() override { reset_for_tests(); }

  fake_clock fake;
  test::fixed_system_info fixed;
  form_timer leftover_timer{nullptr, QStringLiteral("leftover"), 1000, false};
  dbf_write_lock table_lock;
  int hook_runs = 0;
};

TEST_F(services_reset, puts_every_service_and_state_back) {
  const QString elsewhere = default_folder(QStringLiteral("elsewhere"));
  const QString lock_file = default_folder(QStringLiteral("test.lock"));
  const QString table = test::default_c_drive() + "/T.DBF";
  const test::reset_case cases[] = {
      {"clock", [&] { set_clock(&fake); }, [] { return type_of(clock()); }},
      {"dialogs", [] { use_qt_dialogs(); }, [] { return type_of(dialogs()); }},
      {"system information", [&] { set_system_info(&fixed); }, [] { return type_of(system_info()); }},
      {"program launcher", [] { set_program_launcher(nullptr); }, [] { return type_of(launcher()); }},
      {"document opener", [] { set_document_opener(nullptr); }, [] { return type_of(opener()); }},
      {"drive map",
       [&] {
         drive_map map;
         map.set_drive('Q', elsewhere);
         set_drive_map(map);
       },
       [] { return active_drive_map().native_root("C:") + '|' + active_drive_map().native_root("Q:"); }},
      {"current directory",
       [] {
         QDir().mkpath(test::default_c_drive() + "/SUB");
         set_current_directory("C:\\SUB");
       },
       [] { return current_directory(); }},
      {"registry file", [] { set_registry_file("C:\\other.ini"); }, [] { return registry_file(); }},
      {"desktop folder",
       [&] {
         QDir().mkpath(elsewhere);
         set_desktop_folder(elsewhere);
       },
       [] { return desktop_folder(); }},
      {"program file", [] { set_program_file_path("D:\\ELSE\\KORVA.EXE"); },
       [] { return program_file_path(); }},
      {"PDF folder", [&] { set_pdf_folder(elsewhere); }, [] { return default_pdf_folder(); }},
      {"instance lock",
       [&] {
         set_instance_lock_file(lock_file);
         EXPECT_FALSE(another_instance_running());
       },
       [&] { return QString(QFileInfo::exists(lock_file) ? "held" : "free"); }},
      {"system settings", [] { system_settings().short_date_format = "dd/MM/yyyy"; },
       [] { return system_settings().short_date_format; }},
      {"program end", [] { EXPECT_THROW(end_program(), program_ended); },
       [] { return QString(program_has_ended() ? "ended" : "running"); }},
      {"end hooks", [&] { add_end_hook([&] { ++hook_runs; }); },
       [&] {
         const int before = hook_runs;
         EXPECT_THROW(end_program(), program_ended);
         return QString::number(hook_runs - before);
       }},
      {"numbered file", [] { open_file(9, "C:\\left.txt", open_mode::output); },
       [] { return QString(is_numbered_file_open(9) ? "open" : "closed"); }},
      {"window", [] { load_form(new form(QStringLiteral("leftover"))); },
       [] { return QString(is_loaded("leftover") ? "loaded" : "none"); }},
      {"window factory", [] { register_form("made", [] { return new form(QStringLiteral("made")); }); },
       [] { return QString(has_form_factory("made") ? "registered" : "none"); }},
      {"timer", [&] { leftover_timer.set_enabled(true); },
       [&] { return QString(leftover_timer.enabled() ? "on" : "off"); }},
      {"printer", [] { printer().set_job_name("left behind"); }, [] { return printer().job_name(); }},
      {"dialog language", [] { set_dialog_language_source([] { return dialog_language::afrikaans; }); },
       [] { return button_text(msg_answer::yes, current_dialog_language()); }},
      {"file fault hook",
       [] {
         set_file_fault_hook(
             [](file_step, const QString& path) { throw file_error(file_error::kind::disk_full, path); });
       },
       [] {
         try {
           check_file_fault(file_step::copy, "C:\\x.txt");
           return QString("passes");
         } catch (const file_error&) {
           return QString("fails");
         }
       }},
      {"table lock",
       [&] {
         QFile bytes(table);
         ASSERT_TRUE(bytes.open(QIODevice::WriteOnly));
         bytes.close();
         dbf_io::file_handle file(::open(QFile::encodeName(table).constData(), O_RDWR | O_CLOEXEC));
         table_lock = dbf_write_lock::acquire(file, "T");
       },
       [&] { return QString(write_locked(table) ? "locked" : "free"); }},
  };
  test::expect_reset_restores(cases);
}

TEST(safe_services, the_launcher_and_the_opener_refuse_and_fail_the_test) {
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(launcher().start("C:\\PROGRAMS\\KORVA-ADMIN.EXE")),
                          "the test started the program C:\\PROGRAMS\\KORVA-ADMIN.EXE without a launcher");
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(opener().open("C:\\DOCS\\guide.pdf", "C:\\")),
                          "the test opened the document C:\\DOCS\\guide.pdf without an opener");
}

TEST(safe_services, paths_stay_in_temporary_and_test_folders) {
  EXPECT_TRUE(QStandardPaths::isTestModeEnabled());
  const QString c_drive = active_drive_map().native_root("C:");
  EXPECT_EQ(c_drive, test::default_c_drive());
  EXPECT_TRUE(c_drive.startsWith(QDir::tempPath())) << c_drive.toStdString();
  EXPECT_TRUE(desktop_folder().startsWith(QDir::tempPath())) << desktop_folder().toStdString();
  EXPECT_TRUE(default_pdf_folder().startsWith(QDir::tempPath())) << default_pdf_folder().toStdString();
}

// Two tests that each find nothing left and then leave behind an open
// numbered file, a loaded window, a registered factory and a file on the
// default drive: whichever runs second (in any order) proves that the test
// main's reset keeps what one test leaves from the next.
void find_nothing_then_leave_everything() {
  EXPECT_FALSE(is_numbered_file_open(9));
  EXPECT_FALSE(is_loaded("leftover"));
  EXPECT_FALSE(has_form_factory("made"));
  EXPECT_FALSE(QFileInfo::exists(test::default_c_drive() + "/left.txt"));
  EXPECT_NE(dynamic_cast<test::refusing_launcher*>(&launcher()), nullptr);
  open_file(9, "C:\\left.txt", open_mode::output);
  load_form(new form(QStringLiteral("leftover")));
  register_form("made", [] { return new form(QStringLiteral("made")); });
  set_program_launcher(nullptr);
}

TEST(left_behind, first) { find_nothing_then_leave_everything(); }
TEST(left_behind, second) { find_nothing_then_leave_everything(); }

// The steps run stage by stage; the services are back at their defaults
// before the values stage, not before the windows and files close.
std::vector<QString>& step_log() {
  static std::vector<QString> log;
  return log;
}
QString clock_kind() { return dynamic_cast<fake_clock*>(&clock()) ? "fake" : "system"; }
const reset_step log_values{reset_stage::values, [] { step_log().push_back("values " + clock_kind()); }};
const reset_step log_files{reset_stage::open_files, [] { step_log().push_back("files " + clock_kind()); }};
const reset_step log_windows{reset_stage::windows, [] { step_log().push_back("windows " + clock_kind()); }};

TEST(reset_steps, run_by_stage_with_the_services_reset_before_the_values) {
  fake_clock fake;
  scoped_clock in_place(fake);
  step_log().clear();
  reset_for_tests();
  EXPECT_EQ(step_log(), (std::vector<QString>{"windows fake", "files fake", "values system"}));
}

}  // namespace
}  // namespace km::platform
