#include "shell/math_calc.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_registry.h"

namespace km {

namespace {

constexpr double calculator_width = 3180;   // twips
constexpr double calculator_height = 3420;  // twips

}  // namespace

MathCalc::MathCalc(QWidget* parent) : platform::form(QStringLiteral("MathCalc"), parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(4);
  display_ = new QLabel(this);
  display_->setMinimumSize(1, 1);
  display_->setObjectName("Display");
  display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  display_->setFrameShape(QFrame::Panel);
  display_->setFrameShadow(QFrame::Sunken);
  grid->addWidget(display_, 0, 0, 1, 4);

  // Digits 7 8 9 / 4 5 6 / 1 2 3 in rows, 0 below them.
  for (int n = 1; n <= 9; ++n) {
    auto* b = add_button(platform::control_name("Digits", n), QString::number(n), calc_action::digit, n);
    grid->addWidget(b, 1 + (9 - n) / 3, (n - 1) % 3);
  }
  grid->addWidget(add_button(platform::control_name("Digits", 0), "0", calc_action::digit, 0), 4, 0);
  grid->addWidget(add_button("DotBttn", ".", calc_action::point), 4, 1);
  grid->addWidget(add_button("PlusMinus", "+/-", calc_action::negate), 4, 2);
  grid->addWidget(add_button("Div", "/", calc_action::divide), 1, 3);
  grid->addWidget(add_button("Times", "*", calc_action::multiply), 2, 3);
  minus_ = add_button("Minus", "-", calc_action::subtract);
  grid->addWidget(minus_, 3, 3);
  grid->addWidget(add_button("Plus", "+", calc_action::add), 4, 3);
  grid->addWidget(add_button("ClearBttn", "C", calc_action::clear), 5, 0);
  grid->addWidget(add_button("Over", "1/X", calc_action::reciprocal), 5, 1);
  grid->addWidget(add_button("Equals", "=", calc_action::equals), 5, 2, 1, 2);
}

QPushButton* MathCalc::add_button(const QString& name, const QString& caption, calc_action action,
                                  int digit) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(name);
  b->setAutoDefault(false);
  // The buttons share the window's fixed size, however small.
  b->setMinimumSize(1, 1);
  on_click(b, [this, action, digit] { press(action, digit); });
  return b;
}

void MathCalc::on_load() {
  set_caption("Math Calculator");
  set_width_twips(calculator_width);
  set_height_twips(calculator_height);
  // The keys typed while a button has the focus reach the key handler.
  set_key_preview(true);
}

void MathCalc::press(calc_action action, int digit) {
  if (action == calc_action::close) {
    platform::unload_form(this);
    return;
  }
  if (engine_.press(action, digit) == calculator_engine::outcome::overflow) {
    platform::message_box(
        "The operation resulted in the following error\r\n" + calculator_engine::overflow_description(),
        platform::msg_buttons::ok);
  }
  display_->setText(engine_.display());
  if (action == calc_action::subtract) minus_->setFocus();
}

bool MathCalc::on_key_down(QKeyEvent* event) {
  const calc_key key = calculator_key(platform::virtual_key_code(*event));
  if (key.action == calc_action::none) return false;
  press(key.action, key.digit);
  return true;
}

}  // namespace km
