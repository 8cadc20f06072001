#pragma once
// Stand-ins for the desktop that record what the program asks of it: the
// programs it starts and the documents it opens. Each installs itself for
// its lifetime.

#include <QString>
#include <QStringList>

#include "platform/program_launcher.h"
#include "platform/ui/document_opener.h"

namespace km::test {

// Records each program started.
class recording_launcher : public platform::program_launcher {
 public:
  recording_launcher() { platform::set_program_launcher(this); }
  ~recording_launcher() override { platform::set_program_launcher(nullptr); }
  bool start(const QString& win_path) override {
    started.append(win_path);
    return true;
  }
  QStringList started;
};

// Records each document opened: its path, and the path with the working
// folder it was opened in.
class recording_opener : public platform::document_opener {
 public:
  recording_opener() { platform::set_document_opener(this); }
  ~recording_opener() override { platform::set_document_opener(nullptr); }
  bool open(const QString& win_path, const QString& working_folder) override {
    opened.append(win_path);
    opened_in.append(win_path + " | " + working_folder);
    return true;
  }
  QStringList opened;     // "C:\DOCS\guide.pdf"
  QStringList opened_in;  // "C:\DOCS\guide.pdf | C:\"
};

}  // namespace km::test
