#pragma once
// A label that answers a click of the left mouse button, as a window's
// labels that start a command do.
#include <QLabel>

namespace km::platform {

class click_label : public QLabel {
  Q_OBJECT

 public:
  explicit click_label(const QString& name, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace km::platform
