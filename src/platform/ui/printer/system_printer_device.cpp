#include "platform/ui/printer/system_printer_device.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "platform/ui/printer/job_follow.h"
#include "platform/ui/printer/pdf_device.h"

namespace km::platform {

namespace {

QString sides_keyword(duplex_choice duplex, page_orientation orientation) {
  switch (duplex) {
    case duplex_choice::printer_default:
      return {};
    case duplex_choice::one_sided:
      return QStringLiteral("one-sided");
    case duplex_choice::long_edge:
      return QStringLiteral("two-sided-long-edge");
    case duplex_choice::short_edge:
      return QStringLiteral("two-sided-short-edge");
    case duplex_choice::automatic:
      return orientation == page_orientation::landscape ? QStringLiteral("two-sided-short-edge")
                                                        : QStringLiteral("two-sided-long-edge");
  }
  return {};
}

}  // namespace

system_printer_device::system_printer_device(QString printer_name, paper_handling paper)
    : printer_name_(std::move(printer_name)), paper_(std::move(paper)) {}

page_geometry system_printer_device::geometry(page_orientation orientation) const {
  auto& cached = geometry_[orientation == page_orientation::landscape ? 1 : 0];
  if (cached) return *cached;
  page_geometry g = a4_geometry(orientation);
  // The margins the driver reports are what the printer cannot reach;
  // without any (or without a driver), the program's usual quarter inch.
  const QPrinterInfo info = QPrinterInfo::printerInfo(printer_name_);
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation == page_orientation::landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    const QPageLayout layout = printer.pageLayout();
    const QRectF sheet = layout.fullRectPoints();
    const QMarginsF margins = layout.minimumMargins();
    if (sheet.width() > 0 && sheet.height() > 0) {
      g.paper_width = sheet.width() * twips_per_point;
      g.paper_height = sheet.height() * twips_per_point;
      if (!margins.isNull())
        g.printable = QRectF(margins.left() * twips_per_point, margins.top() * twips_per_point,
                             g.paper_width - (margins.left() + margins.right()) * twips_per_point,
                             g.paper_height - (margins.top() + margins.bottom()) * twips_per_point);
    }
  }
  cached = g;
  return g;
}

std::vector<cups_option> cups_job_options(const print_document& document, const paper_handling& paper) {
  const page_orientation orientation =
      document.pages.empty() ? page_orientation::portrait : document.pages.front().orientation;
  // The PDF's pages are A4 sheets already turned for landscape; the
  // orientation tells CUPS to lay a landscape sheet across the paper.
  std::vector<cups_option> options{
      {QStringLiteral("media"), QStringLiteral("A4")},
      {QStringLiteral("copies"), QString::number(std::max(1, document.copies))},
      {QStringLiteral("orientation-requested"),
       orientation == page_orientation::landscape ? QStringLiteral("4") : QStringLiteral("3")},
      {QStringLiteral("print-color-mode"),
       document.colors == color_mode::monochrome ? QStringLiteral("monochrome") : QStringLiteral("color")},
  };
  if (const QString sides = sides_keyword(paper.duplex, orientation); !sides.isEmpty())
    options.emplace_back(QStringLiteral("sides"), sides);
  if (const QString source = paper.paper_source.trimmed(); !source.isEmpty())
    options.emplace_back(QStringLiteral("media-source"), source);
  if (const QString ranges = paper.page_ranges.trimmed(); !ranges.isEmpty())
    options.emplace_back(QStringLiteral("page-ranges"), ranges);
  return options;
}

bool system_printer_device::write(const print_document& document, print_error& error) {
  // The PDF lives only until CUPS has taken it: CUPS reads the whole file
  // while the job is submitted.
  const QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("korva-marks-print-XXXXXX")));
  if (!folder.isValid()) {
    error = {print_error::kind::folder_not_writable, QDir::tempPath(), folder.errorString()};
    return false;
  }
  const QString pdf = folder.filePath(QStringLiteral("job.pdf"));
  if (!write_pdf_file(document, pdf, error)) return false;

  const QString title =
      document.job_name.trimmed().isEmpty() ? QStringLiteral("KORVA-MARKS") : document.job_name;
  const cups_submission answer = cups().submit(printer_name_, pdf, title, cups_job_options(document, paper_));
  if (!answer.accepted()) {
    error = {print_error::kind::printer_refused, printer_name_, answer.refusal};
    return false;
  }
  // Taken is not yet printed: the job may be aborted or left waiting.
  error = follow_job(cups(), printer_name_, answer.job_id, follow_time_);
  return !error.failed();
}

}  // namespace km::platform
