#include "platform/ui/printer/print_device.h"

namespace km::platform {

namespace {
// A4 is 210 x 297 mm.
constexpr double a4_short_side = 210.0 / 25.4 * twips_per_inch;
constexpr double a4_long_side = 297.0 / 25.4 * twips_per_inch;
}  // namespace

page_geometry a4_geometry(page_orientation orientation, double margin) {
  page_geometry g;
  const bool portrait = orientation != page_orientation::landscape;
  g.paper_width = portrait ? a4_short_side : a4_long_side;
  g.paper_height = portrait ? a4_long_side : a4_short_side;
  g.printable = QRectF(margin, margin, g.paper_width - 2 * margin, g.paper_height - 2 * margin);
  return g;
}

page_geometry print_device::geometry(page_orientation orientation) const { return a4_geometry(orientation); }

QString print_error::text() const {
  QString message;
  switch (what) {
    case kind::none:
      return {};
    case kind::folder_not_writable:
      message = QStringLiteral("The folder %1 cannot be written to.");
      break;
    case kind::file_not_writable:
      message = QStringLiteral("The file %1 cannot be written.");
      break;
    case kind::no_printer:
      message = QStringLiteral("The printer %1 is not available.");
      break;
    case kind::printer_refused:
      message = QStringLiteral("The printer %1 did not accept the document.");
      break;
    case kind::job_failed:
      message = QStringLiteral("The printer %1 took the document but could not print it.");
      break;
    case kind::job_waiting:
      message = QStringLiteral("The document waits in the queue of the printer %1, which is stopped.");
      break;
    case kind::job_held:
      message = QStringLiteral("The document is held in the queue of the printer %1.");
      break;
  }
  message = message.arg(path);
  if (!detail.isEmpty()) message += u' ' + detail;
  return message;
}

}  // namespace km::platform
