#include "shell/statistics.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "common/shared_variables.h"
#include "platform/ui/system_info.h"
#include "platform/ui/window_registry.h"
#include "shell/side_windows.h"
#include "side_window_test_support.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::system_info_error;

// A workstation with fixed facts; a step can be made to fail.
class fixed_system : public platform::system_info_provider {
 public:
  fixed_system() { platform::set_system_info(this); }
  ~fixed_system() override { platform::set_system_info(nullptr); }

  QString user_name() override {
    if (fail_user) throw system_info_error(5, "Invalid procedure call or argument");
    return "teacher";
  }
  std::optional<platform::memory_status> memory() override { return memory_status; }
  QSize screen_pixels() override { return {1920, 1080}; }
  int colour_bits() override { return 24; }
  QString program_folder() override { return "C:\\Program Files\\KORVA-MARKS"; }
  std::optional<platform::disk_space> space_of(const QString& root) override {
    asked_root = root;
    return disk;
  }
  QList<platform::drive_entry> drives() override {
    if (fail_drives) throw system_info_error(71, "Disk not ready");
    return {{'A', false}, {'C', false}, {'D', false}, {'E', false}, {'S', true}};
  }
  platform::os_version version() override {
    if (fail_version) throw system_info_error(13, "Type mismatch");
    platform::os_version v;
    v.platform_id = 2;
    v.major = 5;
    v.minor = 1;
    v.build = 2600;
    v.service_pack_buffer = service_pack + QString(128 - service_pack.size(), QChar(0));
    return v;
  }
  int processor_type() override { return platform::processor_intel_pentium; }
  QStringList environment() override { return {}; }

  QString service_pack = "Service Pack 3";
  bool fail_user = false;
  bool fail_version = false;
  bool fail_drives = false;
  std::optional<platform::memory_status> memory_status =
      platform::memory_status{8589934592ull, 3221225472ull};
  std::optional<platform::disk_space> disk = platform::disk_space{500107862016ull, 987654321ull};
  QString asked_root;
};

class statistics_window : public test::side_window_test {
 protected:
  platform::form* load() {
    auto* w = platform::show_form("statistics");
    EXPECT_NE(w, nullptr);
    return w;
  }
  static QString box(platform::form* w, const char* name) {
    auto* edit = test::find_control_as<QLineEdit>(w, name);
    return edit ? edit->text() : QString("<no box>");
  }

  fixed_system system;
};

TEST_F(statistics_window, shows_the_workstation) {
  auto* w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->caption(), "STATISTICS");
  EXPECT_EQ(box(w, "txtUserName"), "teacher");
  EXPECT_EQ(box(w, "txtTotalPhysicalMemory"), "8,590 MB");
  EXPECT_EQ(box(w, "txtTotalAvailableMemory"), "3,221 MB");
  EXPECT_EQ(box(w, "txtScreenResolution"), "1920 x 1080");
  EXPECT_EQ(box(w, "txtColors"), "16,777,216");
  EXPECT_EQ(box(w, "txtCurrentDrive"), "C:");
  EXPECT_EQ(system.asked_root, "C:\\");
  EXPECT_EQ(box(w, "txtTotalDiskSpace"), "500 GB");
  EXPECT_EQ(box(w, "txtTotalFreeDiskSpace"), "988 MB");
  EXPECT_EQ(box(w, "txtLocalDrives"), "A:   D:   E: ");
  EXPECT_EQ(box(w, "txtNetworkDrives"), "S: ");
  EXPECT_EQ(box(w, "txtOperatingSystem"), "Windows XP");
  EXPECT_EQ(box(w, "txtVersion"), "5.1");
  EXPECT_EQ(box(w, "txtBuildNumber"), "2600");
  EXPECT_EQ(box(w, "txtServicePack"), "Service Pack 3");
  EXPECT_EQ(box(w, "txtProcessor"), "586");
  EXPECT_EQ(test::find_control_as<QLabel>(w, "lblTotalDiskSpace")->text(), "Total Disk Space (MB)");
  EXPECT_TRUE(test::placed_as_centred(w));
}

TEST_F(statistics_window, every_box_shows_its_whole_text) {
  system.service_pack = "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64 #1 SMP PREEMPT_DYNAMIC";
  auto* w = load();
  ASSERT_NE(w, nullptr);
  test::run_events();
  for (QLineEdit* b : w->findChildren<QLineEdit*>())
    EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text())) << b->objectName().toStdString();
  EXPECT_TRUE(test::placed_as_centred(w));
}

TEST_F(statistics_window, unknown_memory_and_disk_leave_their_boxes_empty) {
  system.memory_status.reset();
  system.disk.reset();
  auto* w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(box(w, "txtTotalPhysicalMemory"), "");
  EXPECT_EQ(box(w, "txtTotalAvailableMemory"), "");
  EXPECT_EQ(box(w, "txtTotalDiskSpace"), "");
  EXPECT_EQ(box(w, "txtTotalFreeDiskSpace"), "");
  EXPECT_EQ(box(w, "txtScreenResolution"), "1920 x 1080");
}

TEST_F(statistics_window, failing_steps_are_reported_and_the_rest_is_shown) {
  system.fail_user = true;
  system.fail_version = true;
  dialogs.expect_message("Stats.Form1.UserName5Invalid procedure call or argument").title("KORVA-MARKS");
  dialogs.expect_message("Stats.Form1.VersionInformation13Type mismatch");
  auto* w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(box(w, "txtUserName"), "");
  EXPECT_EQ(box(w, "txtOperatingSystem"), "");
  EXPECT_EQ(box(w, "txtProcessor"), "");
  EXPECT_EQ(box(w, "txtTotalPhysicalMemory"), "8,590 MB");
}

TEST_F(statistics_window, a_failing_system_step_is_reported_and_the_next_steps_run) {
  system.fail_drives = true;
  dialogs.expect_message("Stats.Form1.SystemInformation71Disk not ready");
  auto* w = load();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(box(w, "txtLocalDrives"), "");
  EXPECT_EQ(box(w, "txtNetworkDrives"), "");
  EXPECT_EQ(box(w, "txtTotalDiskSpace"), "500 GB");
  EXPECT_EQ(box(w, "txtOperatingSystem"), "Windows XP");
}

TEST_F(statistics_window, exit_unloads) {
  auto* w = load();
  ASSERT_NE(w, nullptr);
  test::click(w, "stat_exit");
  EXPECT_FALSE(platform::is_loaded("statistics"));
}

}  // namespace
}  // namespace km
