#pragma once
// Stand-ins for the desktop that record what the program asks of it: the
// programs it starts and the documents it opens. Each installs itself for
// its lifetime and then puts back the one it replaced (in tests, the
// refusing stand-in of the test main).

#include <QString>
#include <QStringList>

#include "platform/program_launcher.h"
#include "platform/ui/document_opener.h"

namespace km::test {

// Records each program started.
class recording_launcher : public platform::program_launcher {
 public:
  recording_launcher() : previous_(platform::set_program_launcher(this)) {}
  ~recording_launcher() override { platform::set_program_launcher(previous_); }
  recording_launcher(const recording_launcher&) = delete;
  recording_launcher& operator=(const recording_launcher&) = delete;
  bool start(const QString& win_path) override {
    started.append(win_path);
    return true;
  }
  QStringList started;

 private:
  platform::program_launcher* previous_;
};

// Records each document opened: its path, and the path with the working
// folder it was opened in.
class recording_opener : public platform::document_opener {
 public:
  recording_opener() : previous_(platform::set_document_opener(this)) {}
  ~recording_opener() override { platform::set_document_opener(previous_); }
  recording_opener(const recording_opener&) = delete;
  recording_opener& operator=(const recording_opener&) = delete;
  bool open(const QString& win_path, const QString& working_folder) override {
    opened.append(win_path);
    opened_in.append(win_path + " | " + working_folder);
    return true;
  }
  QStringList opened;     // "C:\DOCS\guide.pdf"
  QStringList opened_in;  // "C:\DOCS\guide.pdf | C:\"

 private:
  platform::document_opener* previous_;
};

}  // namespace km::test
