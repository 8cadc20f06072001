#pragma once
// A print queue of the system (CUPS), chosen by name. A document is drawn
// into a PDF file exactly as the PDF writer draws it, and that file goes to
// CUPS as one job with the copies, orientation, colour mode and paper
// handling as job options; CUPS's answer says whether the job was taken,
// and the job's state in the following seconds whether it prints.
// The sheet and printable area are the ones the printer's driver reports
// for A4.

#include <QString>
#include <array>
#include <chrono>
#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "platform/ui/printer/cups_client.h"
#include "platform/ui/printer/print_device.h"

namespace km::platform {

class system_printer_device : public print_device {
 public:
  explicit system_printer_device(QString printer_name, paper_handling paper = {});

  QString name() const override { return printer_name_; }
  page_geometry geometry(page_orientation orientation) const override;
  [[nodiscard]] bool write(const print_document& document, print_error& error) override;

  const paper_handling& paper() const { return paper_; }

  // How long a job is followed after the print system took it (see
  // job_follow.h): long enough for a failing backend to show itself.
  static constexpr std::chrono::milliseconds default_follow_time{4000};
  void set_follow_time(std::chrono::milliseconds time) { follow_time_ = time; }

 private:
  QString printer_name_;
  paper_handling paper_;
  std::chrono::milliseconds follow_time_ = default_follow_time;
  mutable std::array<std::optional<page_geometry>, 2> geometry_;
};

// The job options a document goes to CUPS with: A4 paper, the copies, the
// orientation of its first page, the colour mode, and the paper handling
// the printer dialog chose (two-sided, paper source, page ranges).
std::vector<cups_option> cups_job_options(const print_document& document, const paper_handling& paper);

}  // namespace km::platform
