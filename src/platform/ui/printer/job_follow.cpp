#include "platform/ui/printer/job_follow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace km::platform {

namespace {

using state = cups_job_status::state;

// The first of the texts that says something.
QString first_said(std::initializer_list<QString> texts) {
  for (const QString& text : texts)
    if (!text.trimmed().isEmpty()) return text.trimmed();
  return {};
}

void wait_painting(std::chrono::milliseconds interval) {
  if (!QCoreApplication::instance()) {
    QThread::msleep(static_cast<unsigned long>(interval.count()));
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(interval, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

job_verdict judge_job(const cups_job_status& status, bool time_up) {
  switch (status.job_state) {
    case state::unknown:
    case state::completed:
      // A job the print system no longer knows of was taken; nothing says
      // it failed.
      return job_verdict::printing;
    case state::cancelled:
    case state::aborted:
      return job_verdict::failed;
    case state::held:
      return job_verdict::held;
    case state::stopped:
      return job_verdict::waiting_stopped;
    case state::pending:
    case state::processing:
      if (status.queue_stopped) return job_verdict::waiting_stopped;
      return time_up ? job_verdict::printing : job_verdict::keep_following;
  }
  return job_verdict::printing;
}

print_error job_outcome(job_verdict verdict, const QString& printer, const cups_job_status& status) {
  switch (verdict) {
    case job_verdict::keep_following:
    case job_verdict::printing:
      return {};
    case job_verdict::failed:
      return {print_error::kind::job_failed, printer,
              first_said({status.printer_message, status.queue_message, status.reasons})};
    case job_verdict::waiting_stopped:
      return {print_error::kind::job_waiting, printer,
              first_said({status.queue_message, status.printer_message})};
    case job_verdict::held:
      return {print_error::kind::job_held, printer, first_said({status.reasons, status.printer_message})};
  }
  return {};
}

print_error follow_job(cups_client& client, const QString& printer, int job_id,
                       std::chrono::milliseconds limit, std::chrono::milliseconds interval) {
  QElapsedTimer followed;
  followed.start();
  for (;;) {
    const bool time_up = followed.elapsed() >= limit.count();
    const cups_job_status status = client.job_status(printer, job_id);
    const job_verdict verdict = judge_job(status, time_up);
    if (verdict != job_verdict::keep_following) return job_outcome(verdict, printer, status);
    wait_painting(interval);
  }
}

}  // namespace km::platform
