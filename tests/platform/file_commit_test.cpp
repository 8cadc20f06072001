// How the file layer commits a file: every way of putting a whole new file
// in place syncs the folder after its rename, so that a power cut after a
// completed save cannot bring the old file back; what a write killed part
// way left beside a file goes at the next opening of that file; and the
// crash point ends the process before the step it names.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>

#include "platform/dbase/dbf_file_io.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/folder_steps.h"
#include "platform/numbered_files.h"
#include "platform/registry.h"
#include "platform/win_path.h"
#include "support/temp_drives.h"

namespace km {
namespace {

using platform::file_step;

struct step_seen {
  file_step step;
  QString path;
};

class file_commit_test : public test::temp_drives_test {
 protected:
  void SetUp() override {
    drives.make_native_folder(QStringLiteral("C/DATA"));
    drives.write_native(QStringLiteral("C/DATA/old.txt"), "old");
    platform::set_file_fault_hook([this](file_step step, const QString& path) {
      seen.push_back({step, path});
    });
  }
  void TearDown() override { platform::set_file_fault_hook({}); }
  QString data() const { return c(QStringLiteral("DATA")); }
  std::vector<step_seen> seen;
};

struct commit_case {
  const char* name;
  std::function<void(const QString& native_folder)> commit;
  const char* file;  // the file put in place, in C:\DATA
};

class folder_sync : public file_commit_test, public ::testing::WithParamInterface<commit_case> {};

TEST_P(folder_sync, follows_the_rename_that_puts_the_file_in_place) {
  const commit_case& k = GetParam();
  k.commit(data());
  const QString target = data() + QLatin1Char('/') + QString::fromLatin1(k.file);
  ASSERT_TRUE(QFileInfo::exists(target));
  // The last rename onto the target, then a sync of its folder.
  std::ptrdiff_t renamed = -1;
  // A move or replace names its Windows destination.
  const auto file_name = [](const QString& path) { return path.section(QRegularExpression(R"([\\/])"), -1); };
  for (std::size_t i = 0; i < seen.size(); ++i)
    if ((seen[i].step == file_step::table_rename || seen[i].step == file_step::rename ||
         seen[i].step == file_step::file_move) &&
        file_name(seen[i].path) == QFileInfo(target).fileName())
      renamed = std::ptrdiff_t(i);
  ASSERT_GE(renamed, 0) << "no rename onto " << target.toStdString();
  bool synced = false;
  for (std::size_t i = std::size_t(renamed) + 1; i < seen.size(); ++i)
    synced = synced || (seen[i].step == file_step::folder_sync && QDir(seen[i].path) == QDir(data()));
  EXPECT_TRUE(synced);
}

INSTANTIATE_TEST_SUITE_P(
    commits, folder_sync,
    ::testing::Values(
        commit_case{"replaced_table",
                    [](const QString& folder) {
                      platform::dbf_io::replace_files({{folder + "/t.dbf", QByteArray("table")}});
                    },
                    "t.dbf"},
        commit_case{"copied_file",
                    [](const QString&) {
                      platform::copy_file(QStringLiteral("C:\\DATA\\old.txt"),
                                          QStringLiteral("C:\\DATA\\copy.txt"));
                    },
                    "copy.txt"},
        commit_case{"replaced_file",
                    [](const QString& folder) {
                      QFile made(folder + QStringLiteral("/old.new"));
                      ASSERT_TRUE(made.open(QIODevice::WriteOnly));
                      made.write("new");
                      made.close();
                      platform::replace_file(QStringLiteral("C:\\DATA\\old.new"),
                                             QStringLiteral("C:\\DATA\\old.txt"));
                    },
                    "old.txt"},
        commit_case{"moved_file",
                    [](const QString&) {
                      platform::move_file(QStringLiteral("C:\\DATA\\old.txt"),
                                          QStringLiteral("C:\\DATA\\moved.txt"));
                    },
                    "moved.txt"},
        commit_case{"renamed_folder",
                    [](const QString& folder) {
                      QDir().mkpath(folder + "/old_folder");
                      platform::rename_folder(QStringLiteral("C:\\DATA\\old_folder"),
                                              QStringLiteral("C:\\DATA\\new_folder"));
                    },
                    "new_folder"},
        commit_case{"numbered_output",
                    [](const QString&) {
                      platform::open_file(1, QStringLiteral("C:\\DATA\\out.txt"),
                                          platform::open_mode::output);
                      platform::print_line(1, QStringLiteral("text"));
                      platform::close_numbered_file(1);
                    },
                    "out.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- leftovers of killed writes ----------------------------------------------

struct leftover_case {
  const char* name;
  std::function<void()> open_next;
};

class leftovers : public file_commit_test, public ::testing::WithParamInterface<leftover_case> {};

TEST_P(leftovers, go_at_the_next_opening_of_their_file_unless_a_process_holds_them) {
  platform::set_file_fault_hook({});
  drives.write_native(QStringLiteral("C/DATA/setup_3.txt"), "\"a\"\r\n");
  const QString stale = drives.write_native(QStringLiteral("C/DATA/setup_3.txt.0123abcd.tmp"), "half");
  const QString held = drives.write_native(QStringLiteral("C/DATA/setup_3.txt.89abcdef.tmp"), "busy");
  const QString other = drives.write_native(QStringLiteral("C/DATA/setup_3.txt.backup"), "teacher's");
  // Another process writing the held one keeps its lock on it.
  int to_child[2];
  ASSERT_EQ(::pipe(to_child), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    const int fd = ::open(QFile::encodeName(held).constData(), O_RDWR);
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    ::fcntl(fd, F_OFD_SETLK, &fl);
    ::close(to_child[1]);
    char c;
    static_cast<void>(::read(to_child[0], &c, 1));  // until the parent closes its end
    ::_exit(0);
  }
  ::close(to_child[0]);
  ::usleep(200 * 1000);  // the child takes its lock
  GetParam().open_next();
  EXPECT_FALSE(QFileInfo::exists(stale));
  EXPECT_TRUE(QFileInfo::exists(held));
  EXPECT_TRUE(QFileInfo::exists(other));
  ::close(to_child[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    openings, leftovers,
    ::testing::Values(leftover_case{"read",
                                    [] {
                                      platform::open_file(1, QStringLiteral("C:\\DATA\\setup_3.txt"),
                                                          platform::open_mode::input);
                                      platform::close_numbered_file(1);
                                    }},
                      leftover_case{"written",
                                    [] {
                                      platform::open_file(1, QStringLiteral("C:\\DATA\\setup_3.txt"),
                                                          platform::open_mode::output);
                                      platform::close_numbered_file(1);
                                    }},
                      leftover_case{"read_as_the_registry",
                                    [] {
                                      platform::set_registry_file(QStringLiteral("C:\\DATA\\setup_3.txt"));
                                      platform::registry_read(QStringLiteral("HKCU\\Software\\Test\\Count"));
                                    }},
                      leftover_case{"copied_over",
                                    [] {
                                      platform::copy_file(QStringLiteral("C:\\DATA\\old.txt"),
                                                          QStringLiteral("C:\\DATA\\setup_3.txt"));
                                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the crash point -----------------------------------------------------------

TEST_F(file_commit_test, the_crash_point_ends_the_process_before_its_step) {
  platform::set_file_fault_hook({});
  const QString target = data() + QStringLiteral("/t.dbf");
  platform::reset_file_step_count();
  platform::dbf_io::replace_files({{target, QByteArray("first")}});
  const std::uint64_t steps = platform::file_steps_counted();
  ASSERT_GE(steps, 4u);  // made, written, synced, renamed, folder synced
  for (std::uint64_t n = 1; n <= steps; ++n) {
    const pid_t child = ::fork();
    if (child == 0) {
      platform::reset_file_step_count();
      platform::set_crash_point(n);
      platform::dbf_io::replace_files({{target, QByteArray("second")}});
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), platform::crash_point_exit_status) << n;
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray now = f.readAll();
    EXPECT_TRUE(now == "first" || now == "second") << n;
  }
}

}  // namespace
}  // namespace km
