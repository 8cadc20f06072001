// The running system's services behind the replaceable platform calls: the
// system information read from this machine, and the program launcher and
// document opener refusing paths that lead nowhere.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/program_launcher.h"
#include "platform/ui/document_opener.h"
#include "platform/ui/system_info.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km::platform {
namespace {

using with_drives = test::temp_drives_test;

TEST(system_info_running, reads_this_machine) {
  auto& info = system_info();
  const auto memory = info.memory();
  ASSERT_TRUE(memory.has_value());
  EXPECT_GT(memory->total_physical, 0u);
  EXPECT_LE(memory->available_physical, memory->total_physical);
  qputenv("KM_SYSTEM_INFO_TEST", "present");
  EXPECT_TRUE(info.environment().contains("KM_SYSTEM_INFO_TEST=present"));
  qunsetenv("KM_SYSTEM_INFO_TEST");
  EXPECT_EQ(info.version().service_pack_buffer, QString(128, QChar(0)));
}

TEST_F(with_drives, running_system_lists_the_mapped_drives_and_their_space) {
  auto& info = system_info();
  const QList<drive_entry> list = info.drives();
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list[0].letter, QChar('C'));
  EXPECT_EQ(list[1].letter, QChar('D'));
  const auto space = info.space_of("C:\\");
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->total_bytes, 0u);
  EXPECT_LE(space->free_bytes, space->total_bytes);
  EXPECT_FALSE(info.space_of("Q:\\").has_value());
}

class fixed_name : public system_info_provider {
 public:
  QString user_name() override { return "fixed"; }
  std::optional<memory_status> memory() override { return std::nullopt; }
  QSize screen_pixels() override { return {}; }
  int colour_bits() override { return 0; }
  QString program_folder() override { return {}; }
  std::optional<disk_space> space_of(const QString&) override { return std::nullopt; }
  QList<drive_entry> drives() override { return {}; }
  os_version version() override { return {}; }
  int processor_type() override { return 0; }
  QStringList environment() override { return {}; }
};

TEST(system_info_running, a_provider_replaces_the_system_until_restored) {
  fixed_name fixed;
  system_info_provider* running = &system_info();
  set_system_info(&fixed);
  EXPECT_EQ(&system_info(), &fixed);
  EXPECT_EQ(system_info().user_name(), "fixed");
  set_system_info(nullptr);
  EXPECT_EQ(&system_info(), running);
}

TEST_F(with_drives, launcher_and_opener_refuse_paths_on_no_drive) {
  EXPECT_FALSE(launcher().start("Q:\\KORVA-MARKS\\KORVA-MARKS.EXE"));
  EXPECT_FALSE(opener().open("Q:\\korva-manuals\\m_marks_eng.pdf", "C:\\"));
}

}  // namespace
}  // namespace km::platform
