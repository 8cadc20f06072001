#include "platform/ui/printer/cups_client.h"

#include <cups/cups.h>

#include <QFile>
#include <QStringList>

#include "platform/services.h"

namespace km::platform {

namespace {

using job_state = cups_job_status::state;

job_state state_of(int ipp_state) {
  switch (ipp_state) {
    case IPP_JSTATE_PENDING:
      return job_state::pending;
    case IPP_JSTATE_HELD:
      return job_state::held;
    case IPP_JSTATE_PROCESSING:
      return job_state::processing;
    case IPP_JSTATE_STOPPED:
      return job_state::stopped;
    case IPP_JSTATE_CANCELED:
      return job_state::cancelled;
    case IPP_JSTATE_ABORTED:
      return job_state::aborted;
    case IPP_JSTATE_COMPLETED:
      return job_state::completed;
    default:
      return job_state::unknown;
  }
}

QString text_of(ipp_t* response, const char* name) {
  ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
  if (!attribute) return {};
  QStringList values;
  for (int i = 0; i < ippGetCount(attribute); ++i)
    if (const char* value = ippGetString(attribute, i, nullptr)) values << QString::fromUtf8(value);
  return values.join(QStringLiteral(", "));
}

// An IPP request about the queue `printer` with the attributes asked for;
// the answer, or nullptr when the scheduler could not give one.
ipp_t* ask_about_queue(ipp_op_t operation, const QString& printer, int job_id,
                       const std::vector<const char*>& attributes) {
  ipp_t* request = ippNewRequest(operation);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", printer.toUtf8().constData());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  if (job_id > 0) ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job_id);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(attributes.size()),
                nullptr, attributes.data());
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  if (response && ippGetStatusCode(response) >= IPP_STATUS_ERROR_BAD_REQUEST) {
    ippDelete(response);
    return nullptr;
  }
  return response;
}

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

  cups_job_status job_status(const QString& printer, int job_id) override {
    cups_job_status status;
    if (ipp_t* job = ask_about_queue(IPP_OP_GET_JOB_ATTRIBUTES, printer, job_id,
                                     {"job-state", "job-state-reasons", "job-printer-state-message"})) {
      if (ipp_attribute_t* state = ippFindAttribute(job, "job-state", IPP_TAG_ENUM))
        status.job_state = state_of(ippGetInteger(state, 0));
      status.reasons = text_of(job, "job-state-reasons");
      status.printer_message = text_of(job, "job-printer-state-message");
      ippDelete(job);
    }
    if (ipp_t* queue = ask_about_queue(IPP_OP_GET_PRINTER_ATTRIBUTES, printer, 0,
                                       {"printer-state", "printer-state-message"})) {
      if (ipp_attribute_t* state = ippFindAttribute(queue, "printer-state", IPP_TAG_ENUM))
        status.queue_stopped = ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
      status.queue_message = text_of(queue, "printer-state-message");
      ippDelete(queue);
    }
    return status;
  }
};

}  // namespace

cups_client& cups() {
  static libcups_client system;
  cups_client* replacement = services().cups;
  return replacement ? *replacement : system;
}

}  // namespace km::platform
