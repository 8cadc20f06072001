#pragma once
// A job the print system took is not yet a job printed: the scheduler may
// abort it (its backend failed), hold it, or keep it waiting in the queue
// of a stopped printer. After handing a job over, the program follows its
// state for a short while and tells what became of it.

#include <QString>
#include <chrono>

#include "platform/model/print/print_types.h"
#include "platform/ui/printer/cups_client.h"

namespace km::platform {

enum class job_verdict {
  keep_following,   // pending or printing: it may still fail
  printing,         // done, or printing (or waiting on a working queue) when the time is up
  failed,           // aborted or cancelled by the print system
  waiting_stopped,  // waiting in the queue of a stopped printer
  held,             // held in the queue until someone releases it
};

// What a job's status says, `time_up` once the program has followed it for
// as long as it will.
job_verdict judge_job(const cups_job_status& status, bool time_up);

// The print_error that tells a verdict (kind none for printing), with the
// print system's own reason as its detail.
print_error job_outcome(job_verdict verdict, const QString& printer, const cups_job_status& status);

// Asks the print system about the job every `interval` until its verdict is
// known or `limit` has passed. Meanwhile windows keep painting; the user's
// input waits. The outcome as job_outcome gives it.
print_error follow_job(cups_client& client, const QString& printer, int job_id,
                       std::chrono::milliseconds limit,
                       std::chrono::milliseconds interval = std::chrono::milliseconds(200));

}  // namespace km::platform
