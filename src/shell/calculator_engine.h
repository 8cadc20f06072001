#pragma once
// The arithmetic of the small four-function calculator: a display text, two
// operands, the pending operator and the start-new-number flag. The window
// feeds it button clicks and keys; everything it shows comes from here.

#include <QString>

namespace km {

// What a button or key asks the calculator to do.
enum class calc_action {
  none,
  close,
  digit,
  point,
  add,
  subtract,
  multiply,
  divide,
  equals,
  reciprocal,
  negate,
  clear
};

struct calc_key {
  calc_action action = calc_action::none;
  int digit = 0;  // 0 to 9 for calc_action::digit
};

// The action of a key-down code of the Windows virtual-key table (the shift
// state plays no part): Esc closes, the main keyboard's digits and "=" key,
// the keypad's "*", "+", "-" and "/", Delete for "." and C for clear. Any
// other code, the keypad digits among them, gives calc_action::none.
calc_key calculator_key(int virtual_key);

class calculator_engine {
 public:
  // Result of one step: ok, or an overflow (a value beyond the range of a
  // double). On overflow the display already shows "ERROR" and the next
  // digit starts a new number.
  enum class outcome { ok, overflow };

  outcome press(calc_action action, int digit = 0);
  outcome press(const calc_key& key) { return press(key.action, key.digit); }

  const QString& display() const { return display_; }
  double first_operand() const { return first_; }
  double second_operand() const { return second_; }
  QChar pending_operator() const { return pending_; }  // QChar() when none
  bool start_new_number() const { return start_new_; }

  // The platform's description of the error an overflow stands for.
  static QString overflow_description();

 private:
  void digit(int n);
  void point();
  outcome choose_operator(QChar op);
  outcome equals();
  outcome reciprocal();
  outcome negate();
  outcome fail();

  QString display_;
  double first_ = 0.0;
  double second_ = 0.0;
  QChar pending_;
  bool start_new_ = false;
};

// The text a result is shown as: the platform's number text with up to 15
// significant digits ("0.3" for 0.1 + 0.2), minus zero shown as "0".
QString calculator_text(double x);

}  // namespace km
