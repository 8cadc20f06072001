#pragma once
// A picture box: a control that shows a canvas (gradients, frames drawn
// behind other controls).

#include <QWidget>

#include "platform/ui/canvas.h"

namespace km::platform {

class picture_box : public QWidget {
  Q_OBJECT

 public:
  explicit picture_box(QWidget* parent, const QString& name = QString());

  canvas& surface() { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  canvas canvas_;
};

}  // namespace km::platform
