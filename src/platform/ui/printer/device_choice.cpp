#include "platform/ui/printer/device_choice.h"

#include <QDir>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/date_time.h"
#include "platform/services.h"
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

}  // namespace

QString pdf_printer_name() { return QStringLiteral("KORVA-MARKS PDF"); }

QStringList available_printer_names() {
  QStringList names = QPrinterInfo::availablePrinterNames();
  names.removeAll(pdf_printer_name());
  names << pdf_printer_name();
  return names;
}

QString default_printer_name() {
  const QString name = QPrinterInfo::defaultPrinterName();
  return name.isEmpty() ? pdf_printer_name() : name;
}

std::shared_ptr<print_device> make_printer_device(const QString& name) {
  if (name.isEmpty() || name == pdf_printer_name() || !QPrinterInfo::availablePrinterNames().contains(name))
    return std::make_shared<pdf_device>();
  return std::make_shared<system_printer_device>(name);
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
