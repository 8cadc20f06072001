#include "platform/ui/printer/cups_client.h"

#include <cups/cups.h>

#include <QFile>

#include "platform/services.h"

namespace km::platform {

namespace {

// The system's CUPS: the scheduler the user's CUPS settings name (the local
// one unless CUPS_SERVER or client.conf says otherwise).
class libcups_client : public cups_client {
 public:
  std::vector<cups_queue> queues() override {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<cups_queue> found;
    // An instance (a saved set of options, "queue/instance") is not a queue
    // of its own; when it is the default, its queue counts as the default.
    QString default_of_instance;
    for (int i = 0; i < count; ++i) {
      const cups_dest_t& dest = dests[i];
      const QString name = QString::fromUtf8(dest.name);
      if (dest.instance) {
        if (dest.is_default) default_of_instance = name;
        continue;
      }
      found.push_back({name, dest.is_default != 0});
    }
    cupsFreeDests(count, dests);
    for (cups_queue& queue : found)
      if (queue.name == default_of_instance) queue.is_default = true;
    return found;
  }

  cups_submission submit(const QString& printer, const QString& pdf_path, const QString& title,
                         const std::vector<cups_option>& options) override {
    int option_count = 0;
    cups_option_t* cups_options = nullptr;
    for (const auto& [name, value] : options)
      option_count =
          cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), option_count, &cups_options);
    const int job_id = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(),
                                      QFile::encodeName(pdf_path).constData(), title.toUtf8().constData(),
                                      option_count, cups_options);
    const ipp_status_t status = cupsLastError();
    cupsFreeOptions(option_count, cups_options);

    cups_submission answer;
    if (job_id > 0 && status < IPP_STATUS_ERROR_BAD_REQUEST) {
      answer.job_id = job_id;
      return answer;
    }
    const char* reason = cupsLastErrorString();
    answer.refusal = QString::fromUtf8(reason && *reason ? reason : ippErrorString(status));
    return answer;
  }
};

}  // namespace

cups_client& cups() {
  static libcups_client system;
  cups_client* replacement = services().cups;
  return replacement ? *replacement : system;
}

}  // namespace km::platform
