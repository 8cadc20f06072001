#include "platform/ui/click_label.h"

#include <QMouseEvent>

namespace km::platform {

click_label::click_label(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
}

void click_label::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace km::platform
