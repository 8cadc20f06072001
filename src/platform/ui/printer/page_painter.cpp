#include "platform/ui/printer/page_painter.h"

#include <QPen>

#include "platform/model/print/font_mapping.h"

namespace km::platform {

namespace {

QRectF corners(const print_op& op) {
  return QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized();
}

QPen line_pen(const print_op& op) {
  QPen pen(op.color, op.pen_width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  return pen;
}

void paint_text(QPainter& painter, const print_op& op, QFont& current_font, bool& font_set) {
  const QFont font = twips_font(op.font);
  if (!font_set || font != current_font) {
    painter.setFont(font);
    current_font = font;
    font_set = true;
  }
  const bool turned = op.angle_tenths % 3600 != 0;
  if (turned) {
    painter.save();
    painter.translate(op.x1, op.y1);
    painter.rotate(-op.angle_tenths / 10.0);  // the painter turns clockwise
    painter.translate(-op.x1, -op.y1);
  }
  if (!op.transparent) painter.fillRect(corners(op), Qt::white);
  painter.setPen(op.color);
  painter.drawText(QPointF(op.x1, op.y1 + op.ascent), op.text);
  if (turned) painter.restore();
}

}  // namespace

void paint_page(QPainter& painter, const print_page& page) {
  painter.save();
  painter.translate(page.geometry.printable.topLeft());
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  QFont current_font;
  bool font_set = false;
  for (const print_op& op : page.ops) {
    switch (op.what) {
      case print_op::kind::text:
        paint_text(painter, op, current_font, font_set);
        break;
      case print_op::kind::line:
        painter.setPen(line_pen(op));
        painter.drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
        break;
      case print_op::kind::box:
        painter.setPen(line_pen(op));
        painter.setBrush(op.filled_interior ? QBrush(op.fill_color) : QBrush(Qt::NoBrush));
        painter.drawRect(corners(op));
        painter.setBrush(Qt::NoBrush);
        break;
      case print_op::kind::filled_box: {
        // The box and its outline are filled, so a box of no height still
        // shows as a rule as wide as the pen.
        const double half = op.pen_width / 2;
        painter.fillRect(corners(op).adjusted(-half, -half, half, half), op.color);
        break;
      }
      case print_op::kind::picture:
        painter.drawImage(corners(op), op.image);
        break;
    }
  }
  painter.restore();
}

}  // namespace km::platform
