#include "platform/ui/printer/html_device.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtMath>
#include <cmath>

#include "platform/model/print/font_mapping.h"
#include "platform/sync_file.h"

namespace km::platform {

namespace {

// Lengths are written in points (20 twips), two decimals.
QString pt(double twips) { return QString::number(twips / twips_per_point, 'f', 2) + QStringLiteral("pt"); }

QString css_color(const QColor& c) { return c.name(QColor::HexRgb); }

QString generic_family(const QString& family) {
  if (family.contains(QStringLiteral("Mono"))) return QStringLiteral("monospace");
  if (family.contains(QStringLiteral("Serif")) && !family.contains(QStringLiteral("Sans")))
    return QStringLiteral("serif");
  return QStringLiteral("sans-serif");
}

QString quoted_family(const QString& name) {
  QString clean = name;
  clean.remove(u'\'').remove(u'"').remove(u'<').remove(u'>').remove(u';');
  return u'\'' + clean + u'\'';
}

QString text_span(const print_op& op, const QPointF& origin) {
  const QString family = installed_font_family(op.font.name);
  QString style = QStringLiteral("left:%1;top:%2;font-family:%3,%4,%5;font-size:%6;line-height:%7;color:%8")
                      .arg(pt(origin.x() + op.x1), pt(origin.y() + op.y1), quoted_family(family),
                           quoted_family(op.font.name), generic_family(family),
                           pt(op.font.size * twips_per_point), pt(op.y2 - op.y1), css_color(op.color));
  if (op.font.bold) style += QStringLiteral(";font-weight:bold");
  if (op.font.italic) style += QStringLiteral(";font-style:italic");
  if (op.font.underline || op.font.strikethrough) {
    style += QStringLiteral(";text-decoration:");
    if (op.font.underline) style += QStringLiteral(" underline");
    if (op.font.strikethrough) style += QStringLiteral(" line-through");
  }
  if (!op.transparent) style += QStringLiteral(";background:#ffffff");
  if (op.angle_tenths % 3600 != 0)
    style += QStringLiteral(";transform-origin:0 0;transform:rotate(%1deg)")
                 .arg(QString::number(-op.angle_tenths / 10.0, 'f', 1));
  return QStringLiteral("<span style=\"%1\">%2</span>\n").arg(style, op.text.toHtmlEscaped());
}

QString block(double left, double top, double width, double height, const QString& extra) {
  return QStringLiteral("<div style=\"left:%1;top:%2;width:%3;height:%4;%5\"></div>\n")
      .arg(pt(left), pt(top), pt(width), pt(height), extra);
}

QString rule(const print_op& op, const QPointF& origin) {
  const double x1 = origin.x() + op.x1, y1 = origin.y() + op.y1;
  const double x2 = origin.x() + op.x2, y2 = origin.y() + op.y2;
  const double pen = op.pen_width;
  const QString colour = QStringLiteral("background:") + css_color(op.color);
  if (y1 == y2) return block(std::min(x1, x2) - pen / 2, y1 - pen / 2, std::abs(x2 - x1) + pen, pen, colour);
  if (x1 == x2) return block(x1 - pen / 2, std::min(y1, y2) - pen / 2, pen, std::abs(y2 - y1) + pen, colour);
  const double length = std::hypot(x2 - x1, y2 - y1);
  const double degrees = qRadiansToDegrees(std::atan2(y2 - y1, x2 - x1));
  return block(x1, y1 - pen / 2, length, pen,
               colour + QStringLiteral(";transform-origin:0 50%;transform:rotate(%1deg)")
                            .arg(QString::number(degrees, 'f', 3)));
}

QString box(const print_op& op, const QPointF& origin) {
  const QRectF r = QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized().translated(origin);
  const double pen = op.pen_width;
  if (op.what == print_op::kind::filled_box)
    return block(r.left() - pen / 2, r.top() - pen / 2, r.width() + pen, r.height() + pen,
                 QStringLiteral("background:") + css_color(op.color));
  QString style =
      QStringLiteral("box-sizing:border-box;border:%1 solid %2").arg(pt(pen), css_color(op.color));
  if (op.filled_interior) style += QStringLiteral(";background:") + css_color(op.fill_color);
  return block(r.left() - pen / 2, r.top() - pen / 2, r.width() + pen, r.height() + pen, style);
}

QString picture(const print_op& op, const QPointF& origin) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  op.image.save(&buffer, "PNG");
  const QRectF r = QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized().translated(origin);
  return QStringLiteral(
             "<img style=\"left:%1;top:%2;width:%3;height:%4\" alt=\"\" src=\"data:image/png;base64,%5\">\n")
      .arg(pt(r.left()), pt(r.top()), pt(r.width()), pt(r.height()), QString::fromLatin1(png.toBase64()));
}

}  // namespace

QString document_html(const print_document& document) {
  QString html;
  html +=
      QStringLiteral(
          "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n<style>\n"
          "body { background: #808080; margin: 0; padding: 12pt 0; }\n"
          ".page { position: relative; background: #ffffff; margin: 0 auto 12pt auto; overflow: hidden; }\n"
          ".page span { position: absolute; white-space: pre; }\n"
          ".page div, .page img { position: absolute; }\n"
          "@media print { body { background: none; padding: 0; } "
          ".page { margin: 0; page-break-after: always; } }\n"
          "</style>\n</head>\n<body>\n")
          .arg(document.job_name.toHtmlEscaped());
  for (const print_page& page : document.pages) {
    html += QStringLiteral("<div class=\"page\" id=\"page-%1\" style=\"width:%2;height:%3\">\n")
                .arg(page.number)
                .arg(pt(page.geometry.paper_width), pt(page.geometry.paper_height));
    const QPointF origin = page.geometry.printable.topLeft();
    for (const print_op& op : page.ops) {
      switch (op.what) {
        case print_op::kind::text:
          html += text_span(op, origin);
          break;
        case print_op::kind::line:
          html += rule(op, origin);
          break;
        case print_op::kind::box:
        case print_op::kind::filled_box:
          html += box(op, origin);
          break;
        case print_op::kind::picture:
          html += picture(op, origin);
          break;
      }
    }
    html += QStringLiteral("</div>\n");
  }
  html += QStringLiteral("</body>\n</html>\n");
  return html;
}

bool html_device::write(const print_document& document, print_error& error) {
  output_path_.clear();
  const QString folder = QFileInfo(file_path_).absolutePath();
  if (!QDir().mkpath(folder)) {
    error = {print_error::kind::folder_not_writable, folder, {}};
    return false;
  }
  QSaveFile file(file_path_);
  if (!file.open(QIODevice::WriteOnly)) {
    error = {print_error::kind::file_not_writable, file_path_, file.errorString()};
    return false;
  }
  const QByteArray html = document_html(document).toUtf8();
  if (file.write(html) != html.size() || !file.commit()) {
    error = {print_error::kind::file_not_writable, file_path_, file.errorString()};
    return false;
  }
  sync_folder_of(file_path_);  // the new name outlasts a power cut
  output_path_ = file_path_;
  return true;
}

}  // namespace km::platform
