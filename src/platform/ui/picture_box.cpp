#include "platform/ui/picture_box.h"

#include <QPainter>

namespace km::platform {

picture_box::picture_box(QWidget* parent, const QString& name) : QWidget(parent), canvas_(this) {
  setObjectName(name);
}

void picture_box::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  canvas_.paint(painter);
}

}  // namespace km::platform
