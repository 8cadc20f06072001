#pragma once
// A print system for tests, put in place of CUPS for its lifetime: it
// offers the queues a test gives it and keeps every job handed to it (queue,
// title, options and the PDF file's bytes, read while the job is handed
// over), answering with a job id or, when a refusal is set, with that
// reason as CUPS gives it; asked about a job, it answers with the states a
// test scripted.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/services.h"
#include "platform/ui/printer/cups_client.h"

namespace km::test {

class fake_cups : public platform::cups_client {
 public:
  struct job {
    QString printer;
    QString pdf_path;
    QString title;
    std::vector<platform::cups_option> options;
    QByteArray pdf;  // the file's contents when the job was handed over

    // The value of an option; "<none>" when it was not passed.
    QString option(const QString& name) const {
      for (const auto& [key, value] : options)
        if (key == name) return value;
      return QStringLiteral("<none>");
    }
  };

  fake_cups() : previous_(std::exchange(platform::services().cups, this)) {}
  ~fake_cups() override { platform::services().cups = previous_; }
  fake_cups(const fake_cups&) = delete;
  fake_cups& operator=(const fake_cups&) = delete;

  std::vector<platform::cups_queue> queues() override {
    ++lookups;
    return installed;
  }

  platform::cups_submission submit(const QString& printer, const QString& pdf_path, const QString& title,
                                   const std::vector<platform::cups_option>& options) override {
    job j{printer, pdf_path, title, options, {}};
    QFile file(pdf_path);
    if (file.open(QIODevice::ReadOnly)) j.pdf = file.readAll();
    jobs.push_back(std::move(j));
    if (!refusal.isEmpty()) return {0, refusal};
    return {next_job_id++, {}};
  }

  // The job's states as the print system reports them, one per question,
  // the last repeated; without any, every job is done at once.
  platform::cups_job_status job_status(const QString& printer, int job_id) override {
    status_questions.emplace_back(printer, job_id);
    if (statuses.empty()) return {platform::cups_job_status::state::completed, {}, {}, false, {}};
    const std::size_t i = std::min(status_questions.size(), statuses.size()) - 1;
    return statuses[i];
  }

  std::vector<platform::cups_queue> installed;
  std::vector<platform::cups_job_status> statuses;
  std::vector<std::pair<QString, int>> status_questions;
  QString refusal;  // when set, every job is refused with this reason
  std::vector<job> jobs;
  int next_job_id = 17;
  int lookups = 0;

 private:
  platform::cups_client* previous_;
};

}  // namespace km::test
