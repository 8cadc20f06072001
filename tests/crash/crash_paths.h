#pragma once
// The write paths the crash test stops at every file step: each is one
// entry of a table, so another path is one more entry.
//
// setup writes the starting files (the data folder C:\DATA, the program
// folder C:\PROGRAM) in the parent process; run takes the path as the
// program takes it, in a child process, passing over the failures the
// program reports (a full disk, a read-only folder); next_opening is what
// the program does when it next opens the files of the path, in a fresh
// child process after run was stopped.
#include <functional>
#include <string>
#include <vector>

namespace km::crash {

struct crash_path {
  std::string name;
  std::function<void()> setup;
  std::function<void()> run;
  std::function<void()> next_opening;
  // False where a clean run leaves what the reader sees as it was (a
  // roll-back, a pack of a table without deleted records).
  bool changes_what_is_read = true;
};

std::vector<crash_path> markbook_paths();
std::vector<crash_path> engine_paths();
std::vector<crash_path> marks_paths();
std::vector<crash_path> datafiles_paths();

// The data folder of every path, Windows form and native.
inline constexpr const char* data_folder = "C:\\DATA";
inline constexpr const char* program_folder = "C:\\PROGRAM";

}  // namespace km::crash
