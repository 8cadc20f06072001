#include "shell/calculator_engine.h"

#include <cmath>
#include <optional>

#include "platform/value.h"

namespace km {

namespace {

// The display read as the platform's leading number; nothing when it lies
// beyond the range of a double.
std::optional<double> display_value(const QString& text) {
  double x = 0.0;
  try {
    x = platform::val(text);
  } catch (const platform::value_error&) {
    return std::nullopt;
  }
  if (!std::isfinite(x)) return std::nullopt;
  return x;
}

}  // namespace

calc_key calculator_key(int virtual_key) {
  if (virtual_key >= 48 && virtual_key <= 57) return {calc_action::digit, virtual_key - 48};
  switch (virtual_key) {
    case 27:
      return {calc_action::close};
    case 187:
      return {calc_action::equals};
    case 106:
      return {calc_action::multiply};
    case 107:
      return {calc_action::add};
    case 109:
      return {calc_action::subtract};
    case 111:
      return {calc_action::divide};
    case 46:
      return {calc_action::point};
    case 67:
      return {calc_action::clear};
    default:
      return {};
  }
}

QString calculator_text(double x) {
  if (x == 0.0) x = 0.0;  // minus zero shows as "0"
  return platform::number_text(x);
}

QString calculator_engine::overflow_description() { return QStringLiteral("Overflow"); }

calculator_engine::outcome calculator_engine::press(calc_action action, int digit_value) {
  switch (action) {
    case calc_action::digit:
      digit(digit_value);
      return outcome::ok;
    case calc_action::point:
      point();
      return outcome::ok;
    case calc_action::add:
      return choose_operator('+');
    case calc_action::subtract:
      return choose_operator('-');
    case calc_action::multiply:
      return choose_operator('*');
    case calc_action::divide:
      return choose_operator('/');
    case calc_action::equals:
      return equals();
    case calc_action::reciprocal:
      return reciprocal();
    case calc_action::negate:
      return negate();
    case calc_action::clear:
      display_.clear();
      return outcome::ok;
    case calc_action::none:
    case calc_action::close:
      return outcome::ok;
  }
  return outcome::ok;
}

void calculator_engine::digit(int n) {
  if (n < 0 || n > 9) return;
  if (start_new_) {
    display_.clear();
    start_new_ = false;
  }
  display_ += QChar('0' + n);
}

void calculator_engine::point() {
  if (start_new_) {
    display_.clear();
    start_new_ = false;
  }
  if (!display_.contains('.')) display_ += '.';
}

// An operator takes the number on display as the first operand; it does not
// apply an operator chosen before (no chaining).
calculator_engine::outcome calculator_engine::choose_operator(QChar op) {
  const auto x = display_value(display_);
  if (!x) return fail();
  first_ = *x;
  pending_ = op;
  display_.clear();
  return outcome::ok;
}

// The pending operator and the first operand stay, so "=" again applies the
// same operator to the first operand and the value now on display. Division
// by zero is no error: the result stays 0.
calculator_engine::outcome calculator_engine::equals() {
  const auto x = display_value(display_);
  if (!x) return fail();
  second_ = *x;
  double result = 0.0;
  if (pending_ == '+')
    result = first_ + second_;
  else if (pending_ == '-')
    result = first_ - second_;
  else if (pending_ == '*')
    result = first_ * second_;
  else if (pending_ == '/' && second_ != 0.0)
    result = first_ / second_;
  if (!std::isfinite(result)) return fail();
  display_ = calculator_text(result);
  start_new_ = true;
  return outcome::ok;
}

calculator_engine::outcome calculator_engine::reciprocal() {
  const auto x = display_value(display_);
  if (!x) return fail();
  if (*x == 0.0) return outcome::ok;
  const double r = 1.0 / *x;
  if (!std::isfinite(r)) return fail();
  display_ = calculator_text(r);
  return outcome::ok;
}

calculator_engine::outcome calculator_engine::negate() {
  const auto x = display_value(display_);
  if (!x) return fail();
  display_ = calculator_text(-*x);
  return outcome::ok;
}

calculator_engine::outcome calculator_engine::fail() {
  display_ = QStringLiteral("ERROR");
  start_new_ = true;
  return outcome::overflow;
}

}  // namespace km
