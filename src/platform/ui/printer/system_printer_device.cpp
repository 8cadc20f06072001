#include "platform/ui/printer/system_printer_device.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/ui/printer/page_painter.h"

namespace km::platform {

namespace {

QPageLayout::Orientation qt_orientation(page_orientation orientation) {
  return orientation == page_orientation::landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void prepare(QPrinter& printer, page_orientation orientation) {
  printer.setFullPage(true);  // painter origin at the sheet's corner
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(qt_orientation(orientation));
}

}  // namespace

system_printer_device::system_printer_device(QString printer_name) : printer_name_(std::move(printer_name)) {}

page_geometry system_printer_device::geometry(page_orientation orientation) const {
  auto& cached = geometry_[orientation == page_orientation::landscape ? 1 : 0];
  if (!cached) {
    QPrinter printer(QPrinterInfo::printerInfo(printer_name_), QPrinter::HighResolution);
    prepare(printer, orientation);
    const QPageLayout layout = printer.pageLayout();
    const QRectF sheet = layout.fullRectPoints();
    // The margins the driver reports are what the printer cannot reach;
    // without any, the program's usual quarter inch is kept.
    const QMarginsF margins = layout.minimumMargins();
    page_geometry g = a4_geometry(orientation);
    if (sheet.width() > 0 && sheet.height() > 0) {
      g.paper_width = sheet.width() * twips_per_point;
      g.paper_height = sheet.height() * twips_per_point;
      if (!margins.isNull())
        g.printable = QRectF(margins.left() * twips_per_point, margins.top() * twips_per_point,
                             g.paper_width - (margins.left() + margins.right()) * twips_per_point,
                             g.paper_height - (margins.top() + margins.bottom()) * twips_per_point);
      else
        g.printable = a4_geometry(orientation).printable;
    }
    cached = g;
  }
  return *cached;
}

double system_printer_device::dots_per_inch() const {
  if (!dpi_) {
    QPrinter printer(QPrinterInfo::printerInfo(printer_name_), QPrinter::HighResolution);
    dpi_ = printer.resolution() > 0 ? double(printer.resolution()) : 600.0;
  }
  return *dpi_;
}

bool system_printer_device::write(const print_document& document, print_error& error) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(printer_name_);
  if (info.isNull()) {
    error = {print_error::kind::no_printer, printer_name_, {}};
    return false;
  }
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setDocName(document.job_name);
  printer.setCopyCount(document.copies);
  printer.setColorMode(grayscale_ ? QPrinter::GrayScale : QPrinter::Color);
  prepare(printer, document.pages.empty() ? page_orientation::portrait : document.pages.front().orientation);

  QPainter painter;
  if (!painter.begin(&printer)) {
    error = {print_error::kind::printer_refused, printer_name_, {}};
    return false;
  }
  const double to_device = printer.resolution() / twips_per_inch;
  for (size_t i = 0; i < document.pages.size(); ++i) {
    const print_page& page = document.pages[i];
    if (i > 0) {
      printer.setPageOrientation(qt_orientation(page.orientation));
      printer.newPage();
    }
    painter.save();
    painter.scale(to_device, to_device);
    paint_page(painter, page);
    painter.restore();
  }
  painter.end();
  if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
    error = {print_error::kind::printer_refused, printer_name_, {}};
    return false;
  }
  return true;
}

}  // namespace km::platform
