#include "platform/ui/printer/device_choice.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>

#include "platform/date_time.h"
#include "platform/services.h"
#include "platform/ui/printer/cups_client.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/system_printer_device.h"

namespace km::platform {

namespace {

// "yyyy-MM-dd HH.mm.ss" of a date value.
QString stamp(double now) {
  const date_parts p = split_date(now);
  return QStringLiteral("%1-%2-%3 %4.%5.%6")
      .arg(p.year, 4, 10, QChar(u'0'))
      .arg(p.month, 2, 10, QChar(u'0'))
      .arg(p.day, 2, 10, QChar(u'0'))
      .arg(p.hour, 2, 10, QChar(u'0'))
      .arg(p.minute, 2, 10, QChar(u'0'))
      .arg(p.second, 2, 10, QChar(u'0'));
}

bool listed(const std::vector<cups_queue>& queues, const QString& name) {
  return std::any_of(queues.begin(), queues.end(), [&](const cups_queue& q) { return q.name == name; });
}

// The default queue, else the first; "" when there is none.
QString default_queue(const std::vector<cups_queue>& queues) {
  for (const cups_queue& queue : queues)
    if (queue.is_default) return queue.name;
  return queues.empty() ? QString() : queues.front().name;
}

// The queue of that name among the queues given, else the PDF writer
// standing in for it.
std::shared_ptr<print_device> queue_device(const QString& name, const paper_handling& paper,
                                           const std::vector<cups_queue>& queues) {
  if (!name.isEmpty() && listed(queues, name)) return std::make_shared<system_printer_device>(name, paper);
  return pdf_device::in_place_of_printer();
}

}  // namespace

QString pdf_printer_name() { return QStringLiteral("KORVA-MARKS PDF"); }

QStringList available_printer_names() {
  QStringList names;
  for (const cups_queue& queue : cups().queues())
    if (queue.name != pdf_printer_name()) names << queue.name;
  names << pdf_printer_name();
  return names;
}

QString default_printer_name() {
  const QString queue = default_queue(cups().queues());
  return queue.isEmpty() ? pdf_printer_name() : queue;
}

std::shared_ptr<print_device> make_printer_device(const QString& name, const paper_handling& paper) {
  if (name == pdf_printer_name()) return std::make_shared<pdf_device>();
  return queue_device(name, paper, cups().queues());
}

std::shared_ptr<print_device> current_printer_device(std::shared_ptr<print_device> held) {
  const auto* queue = dynamic_cast<const system_printer_device*>(held.get());
  const auto* pdf = dynamic_cast<const pdf_device*>(held.get());
  const bool look_again = !held || queue || (pdf && pdf->stands_in_for_printer());
  if (!look_again) return held;
  const std::vector<cups_queue> queues = cups().queues();
  if (queue && listed(queues, queue->name())) return held;
  return queue_device(default_queue(queues), {}, queues);
}

QString default_pdf_folder() {
  if (const QString& chosen = services().pdf_folder; !chosen.isEmpty()) return chosen;
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return QDir(documents).filePath(QStringLiteral("KORVA-MARKS"));
}

void set_pdf_folder(const QString& folder) { services().pdf_folder = folder; }

QString pdf_file_name(const QString& job_name, double now) {
  QString name;
  for (const QChar c : job_name.trimmed()) {
    const bool refused = c.unicode() < 32 || QStringView(u"\\/:*?\"<>|").contains(c);
    name += refused ? QChar(u'_') : c;
  }
  // A name of dots alone would be a hidden or special file.
  if (name.isEmpty() || name.count(u'.') == name.size()) name = QStringLiteral("KORVA-MARKS");
  return name + u' ' + stamp(now) + QStringLiteral(".pdf");
}

}  // namespace km::platform
