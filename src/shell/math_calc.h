#pragma once
// The calculator window: a display and the buttons of a four-function
// calculator, shown beside the capture and set-up grids. Its arithmetic is
// the calculator_engine; the window only passes clicks and keys on and
// shows the display. Closing it (Esc or the close box) loses the
// calculation; hiding it keeps it.

#include <QString>

#include "platform/ui/form.h"
#include "shell/calculator_engine.h"

class QLabel;
class QPushButton;

namespace km {

class MathCalc : public platform::form {
  Q_OBJECT

 public:
  explicit MathCalc(QWidget* parent = nullptr);

  void on_load() override;
  bool on_key_down(QKeyEvent* event) override;

  // One button or key: passes it to the engine, reports an overflow and
  // shows the display.
  void press(calc_action action, int digit = 0);

  const calculator_engine& engine() const { return engine_; }

 private:
  QPushButton* add_button(const QString& name, const QString& caption, calc_action action, int digit = 0);

  calculator_engine engine_;
  QLabel* display_ = nullptr;
  QPushButton* minus_ = nullptr;
};

}  // namespace km
