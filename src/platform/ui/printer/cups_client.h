#pragma once
// The program's link to the print system (CUPS): the installed print queues
// and the submission of a finished PDF file as a job. The program talks to
// CUPS through libcups; tests put a stand-in in the services object
// (services().cups) and see exactly what would have reached CUPS.

#include <QString>
#include <utility>
#include <vector>

namespace km::platform {

// An installed print queue.
struct cups_queue {
  QString name;
  bool is_default = false;  // the system's (or the user's) default printer
};

// A job option as CUPS takes it: an IPP attribute name and its value
// ("copies" "2", "print-color-mode" "monochrome").
using cups_option = std::pair<QString, QString>;

// What CUPS answered to a submission: the id of the job it made, or 0 and
// the reason it gave (an IPP error or a failed connection).
struct cups_submission {
  int job_id = 0;
  QString refusal;
  bool accepted() const { return job_id > 0; }
};

// What the print system says of a job it took: its state, why it is in that
// state (the job's state reasons), the last thing the printer said while
// the job was in hand, and whether the job's queue is stopped (with what
// the queue says of itself).
struct cups_job_status {
  // The IPP job states, and unknown when the job could not be asked about.
  enum class state { unknown, pending, held, processing, stopped, cancelled, aborted, completed };
  state job_state = state::unknown;
  QString reasons;          // the job-state-reasons keywords, joined by ", "
  QString printer_message;  // job-printer-state-message
  bool queue_stopped = false;
  QString queue_message;  // printer-state-message of the job's queue
};

class cups_client {
 public:
  virtual ~cups_client() = default;
  // The installed queues, asked afresh at every call.
  virtual std::vector<cups_queue> queues() = 0;
  // Hands the PDF file at `pdf_path` (native) to the queue `printer` as the
  // job `title` with the options given.
  virtual cups_submission submit(const QString& printer, const QString& pdf_path, const QString& title,
                                 const std::vector<cups_option>& options) = 0;
  // The state of the job `job_id` on the queue `printer`, asked afresh.
  virtual cups_job_status job_status(const QString& printer, int job_id) = 0;
};

// The client in use: services().cups, or the system's CUPS through libcups.
cups_client& cups();

}  // namespace km::platform
