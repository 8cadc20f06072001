// The crash test: every write path of the table is run once cleanly in a
// child process to count its file steps (opens for writing, writes, syncs,
// renames, removals, copies), then, for every step N, run again from the
// same starting files in a child process that ends at step N as a kill
// would (file_faults.h), followed by what the program does at the next
// opening in another child. An independent reader (python3-dbf, hashes of
// raw bytes) must then find the data folder in the state before the path
// or in the state after a clean run, with no temporary left. The same is
// done with a failing write at step N (a full disk) and with every write
// refused (a read-only folder).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>

#include "crash_paths.h"
#include "folder_snapshot.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::crash {
namespace {

namespace fs = std::filesystem;
using platform::file_step;

// The child processes answer every message with OK: what the next opening
// tells the teacher is checked by the tests of each step.
class answering_dialogs : public test::scripted_dialogs {
 public:
  platform::msg_answer message_box(const platform::message_request&) override {
    return platform::msg_answer::ok;
  }
};

constexpr int escaped_exception = 99;

// Runs f in a child process; its exit status (crash_point_exit_status when
// it ended at its crash point, escaped_exception when an exception left f).
int in_child(const std::function<void()>& f) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    int status = 0;
    try {
      f();
    } catch (...) {
      status = escaped_exception;
    }
    ::_exit(status);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

const char* step_name(file_step s) {
  switch (s) {
    case file_step::copy:
      return "copy";
    case file_step::table_rename:
      return "table rename";
    case file_step::text_write:
      return "text write";
    case file_step::record_write:
      return "record write";
    case file_step::file_move:
      return "move";
    case file_step::file_create:
      return "create";
    case file_step::open_write:
      return "open for writing";
    case file_step::write:
      return "write";
    case file_step::sync:
      return "sync";
    case file_step::rename:
      return "rename";
    case file_step::remove:
      return "remove";
    case file_step::folder_sync:
      return "folder sync";
  }
  return "step";
}

// The steps of a clean run, as the child saw them ("<kind> <file name>").
std::vector<std::string> clean_run_steps(const crash_path& path) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    std::string log;
    platform::set_file_fault_hook([&log](file_step step, const QString& p) {
      log += std::string(step_name(step)) + " " + QFileInfo(p).fileName().toStdString() + "\n";
    });
    platform::reset_file_step_count();
    try {
      path.run();
    } catch (...) {
      ::_exit(escaped_exception);
    }
    static_cast<void>(::write(fds[1], log.data(), log.size()));
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  std::vector<std::string> steps;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    steps.push_back(text.substr(at, end - at));
  return steps;
}

// The points a run stops at: every step when there are few; else the
// first step of each kind on each file, the last step, and points spread
// evenly between, at most `most` in all.
std::vector<std::size_t> crash_points(const std::vector<std::string>& steps, std::size_t most = 250) {
  std::vector<std::size_t> points;
  if (steps.size() <= most) {
    for (std::size_t n = 1; n <= steps.size(); ++n) points.push_back(n);
    return points;
  }
  std::set<std::string> kinds;
  std::set<std::size_t> chosen{steps.size()};
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (kinds.insert(steps[i]).second) chosen.insert(i + 1);
  const std::size_t stride =
      std::max<std::size_t>(1, steps.size() / (most - std::min(most - 1, chosen.size())));
  for (std::size_t n = stride; n <= steps.size(); n += stride) chosen.insert(n);
  return {chosen.begin(), chosen.end()};
}

const std::vector<crash_path>& all_paths() {
  static const std::vector<crash_path> paths = [] {
    std::vector<crash_path> all = markbook_paths();
    for (auto more : {engine_paths(), marks_paths(), datafiles_paths()})
      all.insert(all.end(), more.begin(), more.end());
    return all;
  }();
  return paths;
}

class crash_test : public test::temp_drives_test, public ::testing::WithParamInterface<std::size_t> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(drives.native_drive('C') + QStringLiteral("/DATA")));
    ASSERT_TRUE(QDir().mkpath(drives.native_drive('C') + QStringLiteral("/PROGRAM")));
    path().setup();
    pristine = drives.base().toStdString() + "/pristine";
    fs::copy(drive(), pristine, fs::copy_options::recursive);
    before = reader().snapshot(data());
    ASSERT_FALSE(before.isEmpty()) << "the reader (python3-dbf) did not answer";
  }
  void TearDown() override {
    platform::set_file_fault_hook({});
    test::temp_drives_test::TearDown();
  }

  const crash_path& path() const { return all_paths()[GetParam()]; }
  std::string drive() const { return drives.native_drive('C').toStdString(); }
  QString data() const { return drives.native_drive('C') + QStringLiteral("/DATA"); }
  static folder_snapshot_reader& reader() {
    static folder_snapshot_reader r;
    return r;
  }

  void restore() {
    fs::remove_all(drive());
    fs::copy(pristine, drive(), fs::copy_options::recursive);
  }

  // The state of a clean run, checked to stay as it is at the next opening.
  QString clean_state() {
    restore();
    EXPECT_EQ(in_child(path().run), 0);
    const QString after = reader().snapshot(data());
    if (path().changes_what_is_read) {
      EXPECT_NE(after, before) << "a clean run changed nothing";
    }
    EXPECT_EQ(in_child(path().next_opening), 0);
    EXPECT_EQ(reader().snapshot(data()), after) << "the next opening changed a complete run";
    return after;
  }

  // Runs the path with `arm` set up in the child, then the next opening
  // (with `arm_next` set up), and checks the folder.
  void check_point(const std::string& label, const std::function<void()>& arm, int expected_status,
                   const QString& after, const std::function<void()>& arm_next = {}) {
    restore();
    const int status = in_child([&] {
      arm();
      path().run();
    });
    EXPECT_EQ(status, expected_status) << label;
    EXPECT_EQ(in_child([&] {
                if (arm_next) arm_next();
                path().next_opening();
              }),
              0)
        << label;
    const QString now = reader().snapshot(data());
    EXPECT_TRUE(now == before || now == after)
        << label << "\nbefore: " << before.toStdString() << "\nafter:  " << after.toStdString()
        << "\nfound:  " << now.toStdString();
  }

  std::string pristine;
  QString before;
  answering_dialogs dialogs;
};

TEST_P(crash_test, a_kill_at_any_file_step_leaves_the_state_before_or_after) {
  const std::vector<std::string> steps = clean_run_steps(path());
  ASSERT_FALSE(steps.empty()) << "the path took no file step";
  const QString after = clean_state();
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::size_t> points = crash_points(steps);
  for (const std::size_t n : points)
    check_point(
        "killed at step " + std::to_string(n) + " of " + std::to_string(steps.size()) + ": " + steps[n - 1],
        [n] {
          platform::reset_file_step_count();
          platform::set_crash_point(n);
        },
        platform::crash_point_exit_status, after);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("crash_points", int(points.size()));
  std::printf("[ crash    ] %-32s %4zu steps, %4zu points killed, %.1f s\n", path().name.c_str(),
              steps.size(), points.size(), seconds);
}

TEST_P(crash_test, a_failing_write_at_any_file_step_leaves_the_state_before_or_after) {
  const std::vector<std::string> steps = clean_run_steps(path());
  const QString after = clean_state();
  for (const std::size_t n : crash_points(steps))
    check_point(
        "disk full at step " + std::to_string(n) + ": " + steps[n - 1],
        [n] {
          auto seen = std::make_shared<std::size_t>(0);
          platform::set_file_fault_hook([seen, n](file_step, const QString& p) {
            if (++*seen == n) throw platform::file_error(platform::file_error::kind::disk_full, p);
          });
        },
        0, after);
}

TEST_P(crash_test, a_read_only_folder_is_left_as_it_was) {
  const auto refuse_every_write = [] {
    platform::set_file_fault_hook([](file_step, const QString& p) {
      throw platform::file_error(platform::file_error::kind::permission_denied, p);
    });
  };
  check_point("read-only folder", refuse_every_write, 0, before, refuse_every_write);
}

INSTANTIATE_TEST_SUITE_P(paths, crash_test, ::testing::Range<std::size_t>(0, all_paths().size()),
                         [](const auto& info) { return all_paths()[info.param].name; });

}  // namespace
}  // namespace km::crash
