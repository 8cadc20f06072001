// The running system's services behind the replaceable platform calls: the
// system information read from this machine, and the program launcher and
// document opener refusing paths that lead nowhere.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QStringList>

#include "platform/program_launcher.h"
#include "platform/ui/document_opener.h"
#include "platform/ui/system_info.h"
#include "platform/user_name.h"
#include "support/fixed_system_info.h"
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

// The user database names the user, whatever USER says: the system window
// and the audit trail read the same name.
TEST(system_info_running, the_user_is_named_by_the_user_database) {
  const passwd* pw = getpwuid(geteuid());
  ASSERT_NE(pw, nullptr);
  const QByteArray saved = qgetenv("USER");
  qputenv("USER", "someone-else");
  EXPECT_EQ(login_user_name(), QString::fromLocal8Bit(pw->pw_name));
  EXPECT_EQ(system_info().user_name(), QString::fromLocal8Bit(pw->pw_name));
  qputenv("USER", saved);
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

TEST(system_info_running, a_provider_replaces_the_system_until_restored) {
  test::fixed_system_info fixed;
  system_info_provider* running = &system_info();
  set_system_info(&fixed);
  EXPECT_EQ(&system_info(), &fixed);
  EXPECT_EQ(system_info().user_name(), "fixed");
  set_system_info(nullptr);
  EXPECT_EQ(&system_info(), running);
}

TEST_F(with_drives, launcher_and_opener_refuse_paths_on_no_drive) {
  // The program's own launcher and opener, in place of the test main's
  // stand-ins (the reset after the test puts those back).
  set_program_launcher(nullptr);
  set_document_opener(nullptr);
  EXPECT_FALSE(launcher().start("Q:\\KORVA-MARKS\\KORVA-MARKS.EXE"));
  EXPECT_FALSE(opener().open("Q:\\korva-manuals\\m_marks_eng.pdf", "C:\\"));
}

}  // namespace
}  // namespace km::platform
