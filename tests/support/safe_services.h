#pragma once
// The services every test starts with, put in place by the test main and
// put back by platform::reset_for_tests() before and after every test:
// - the program launcher and the document opener refuse: a test that starts
//   a program or opens a document without installing a recorder
//   (desktop_recorders.h) fails with a message naming the path;
// - the print system has no printers, and a job handed to it fails the test
//   (a test of paper printing installs fake_cups);
// - the drive map has C: on a temporary folder, emptied at every reset, and
//   the desktop and PDF folders lie there too, so no test writes into the
//   user's own folders;
// - QStandardPaths runs in its test mode.

#include <QString>

#include "platform/program_launcher.h"
#include "platform/ui/document_opener.h"
#include "platform/ui/printer/cups_client.h"

namespace km::test {

class refusing_launcher : public platform::program_launcher {
 public:
  bool start(const QString& win_path) override;
};

class refusing_opener : public platform::document_opener {
 public:
  bool open(const QString& win_path, const QString& working_folder) override;
};

class no_printers_cups : public platform::cups_client {
 public:
  std::vector<platform::cups_queue> queues() override { return {}; }
  platform::cups_submission submit(const QString& printer, const QString& pdf_path, const QString& title,
                                   const std::vector<platform::cups_option>& options) override;
  platform::cups_job_status job_status(const QString&, int) override { return {}; }
};

// Makes the temporary folder, sets the safe services as the defaults of
// reset_for_tests() and puts them in place. Called once, by the test main.
void install_safe_services();

// The native folder of the default C: drive.
QString default_c_drive();

}  // namespace km::test
