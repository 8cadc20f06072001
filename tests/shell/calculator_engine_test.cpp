#include "shell/calculator_engine.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "support/value_printing.h"

namespace km {
namespace {

// Plays a sequence of clicks on the engine. Tokens are separated by blanks:
// "+", "-", "*", "/", "=", "C", "1/X" and "+/-" are their buttons; any other
// token is typed character by character on the digit and "." buttons.
struct played {
  QString display;
  int overflows = 0;
};

played play(calculator_engine& calc, const QString& sequence) {
  played out;
  for (const QString& token : sequence.split(' ', Qt::SkipEmptyParts)) {
    calc_action action = calc_action::none;
    if (token == "+")
      action = calc_action::add;
    else if (token == "-")
      action = calc_action::subtract;
    else if (token == "*")
      action = calc_action::multiply;
    else if (token == "/")
      action = calc_action::divide;
    else if (token == "=")
      action = calc_action::equals;
    else if (token == "C")
      action = calc_action::clear;
    else if (token == "1/X")
      action = calc_action::reciprocal;
    else if (token == "+/-")
      action = calc_action::negate;
    if (action != calc_action::none) {
      if (calc.press(action) == calculator_engine::outcome::overflow) ++out.overflows;
      continue;
    }
    for (QChar c : token) {
      const auto r =
          c == '.' ? calc.press(calc_action::point) : calc.press(calc_action::digit, c.digitValue());
      EXPECT_EQ(r, calculator_engine::outcome::ok);
    }
  }
  out.display = calc.display();
  return out;
}

played play(const QString& sequence) {
  calculator_engine calc;
  return play(calc, sequence);
}

struct sequence_case {
  const char* keys;
  const char* display;
  int overflows = 0;
};

void PrintTo(const sequence_case& c, std::ostream* os) {
  const QString keys = QString::fromLatin1(c.keys);
  *os << '"' << (keys.size() > 40 ? keys.left(20) + "..." + keys.right(20) : keys).toStdString() << '"';
}

class calculator_sequences : public ::testing::TestWithParam<sequence_case> {};

TEST_P(calculator_sequences, shows_the_expected_display) {
  const auto& c = GetParam();
  const auto result = play(QString::fromLatin1(c.keys));
  EXPECT_EQ(result.display, QString::fromLatin1(c.display)) << c.keys;
  EXPECT_EQ(result.overflows, c.overflows) << c.keys;
}

const QString digits_200 = "1" + QString(200, '0');  // 1E+200
const QString digits_400 = "1" + QString(400, '0');  // beyond a double

const QByteArray huge_times = (digits_200 + " * " + digits_200 + " =").toLatin1();
const QByteArray huge_times_then_digit = (digits_200 + " * " + digits_200 + " = 5").toLatin1();
const QByteArray huge_operator = (digits_400 + " +").toLatin1();
const QByteArray huge_operator_then_sum = (digits_400 + " + 2 + 3 =").toLatin1();
const QByteArray huge_negate = (digits_400 + " +/-").toLatin1();
const QByteArray huge_equals = ("2 + " + digits_400 + " =").toLatin1();
// 1 / 1E+200 / 1E+110 leaves 1E-310 on display, whose reciprocal overflows.
const QByteArray tiny_reciprocal = ("1 / " + digits_200 + " = / 1" + QString(110, '0') + " = 1/X").toLatin1();

INSTANTIATE_TEST_SUITE_P(
    cases, calculator_sequences,
    ::testing::Values(
        sequence_case{"", ""}, sequence_case{"7 / 0 =", "0"}, sequence_case{"=", "0"},
        sequence_case{"5 =", "0"}, sequence_case{"2 + 3 =", "5"}, sequence_case{"2 + 3 = =", "7"},
        sequence_case{"2 + 3 = = =", "9"}, sequence_case{"10 - 4 = =", "4"}, sequence_case{"2 * 3 = =", "12"},
        sequence_case{"7 / 0 = =", "0"}, sequence_case{"2 + 3 + 4 =", "7"},
        sequence_case{"6 * 2 - 3 =", "-1"}, sequence_case{"2 + 3 = * 4 =", "20"},
        sequence_case{"2 + 3 = 9", "9"}, sequence_case{"2 + 3 = .5", ".5"}, sequence_case{".5", ".5"},
        sequence_case{".5.", ".5"}, sequence_case{"1.2.3", "1.23"}, sequence_case{".5 + 1 =", "1.5"},
        sequence_case{"05", "05"}, sequence_case{"05 + 0 =", "5"}, sequence_case{"0.1 + 0.2 =", "0.3"},
        sequence_case{"1 / 3 =", "0.333333333333333"}, sequence_case{"2 / 3 =", "0.666666666666667"},
        sequence_case{"1 - 0.9 =", "0.1"}, sequence_case{"5 - 5 =", "0"}, sequence_case{"0 - 0 = +/-", "0"},
        sequence_case{"4 1/X", "0.25"}, sequence_case{"4 1/X 3", "0.253"}, sequence_case{"1/X", ""},
        sequence_case{"0 1/X", "0"}, sequence_case{"000 1/X", "000"}, sequence_case{"+/-", "0"},
        sequence_case{"0 +/-", "0"}, sequence_case{"5 +/-", "-5"}, sequence_case{"5 +/- +/-", "5"},
        sequence_case{"5 +/- 2", "-52"}, sequence_case{"5 + C 2 =", "7"}, sequence_case{"5 C", ""},
        sequence_case{"100000000000000000000 * 10 =", "1E+21"},
        sequence_case{huge_times.constData(), "ERROR", 1},
        sequence_case{huge_times_then_digit.constData(), "5", 1},
        sequence_case{huge_operator.constData(), "ERROR", 1},
        sequence_case{huge_operator_then_sum.constData(), "5", 1},
        sequence_case{huge_negate.constData(), "ERROR", 1},
        sequence_case{huge_equals.constData(), "ERROR", 1},
        sequence_case{tiny_reciprocal.constData(), "ERROR", 1}));

TEST(calculator_engine, state_after_an_operator_and_equals) {
  calculator_engine calc;
  play(calc, "12 +");
  EXPECT_EQ(calc.first_operand(), 12.0);
  EXPECT_EQ(calc.pending_operator(), QChar('+'));
  EXPECT_EQ(calc.display(), "");
  EXPECT_FALSE(calc.start_new_number());
  play(calc, "3 =");
  EXPECT_EQ(calc.second_operand(), 3.0);
  EXPECT_EQ(calc.first_operand(), 12.0);  // kept for a repeated "="
  EXPECT_TRUE(calc.start_new_number());
  // 1/X and +/- leave the flag as it is.
  play(calc, "1/X");
  EXPECT_TRUE(calc.start_new_number());
  play(calc, "7");
  EXPECT_EQ(calc.display(), "7");
}

TEST(calculator_engine, operators_on_error_read_it_as_zero) {
  calculator_engine calc;
  play(calc, digits_400);
  ASSERT_EQ(calc.press(calc_action::equals), calculator_engine::outcome::overflow);
  EXPECT_EQ(calc.display(), "ERROR");
  EXPECT_TRUE(calc.start_new_number());
  // The operator reads "ERROR" as 0 and keeps the flag, so "=" adds 0 to 0.
  EXPECT_EQ(calc.press(calc_action::add), calculator_engine::outcome::ok);
  EXPECT_EQ(calc.first_operand(), 0.0);
  EXPECT_EQ(play(calc, "4 =").display, "4");
}

TEST(calculator_engine, display_has_no_length_limit) {
  calculator_engine calc;
  const QString typed(300, '7');
  play(calc, typed);
  EXPECT_EQ(calc.display(), typed);
}

TEST(calculator_text, minus_zero_and_fifteen_digits) {
  EXPECT_EQ(calculator_text(-0.0), "0");
  EXPECT_EQ(calculator_text(0.1 + 0.2), "0.3");
  EXPECT_EQ(calculator_text(0.5), "0.5");
  EXPECT_EQ(calculator_text(4.0), "4");
  EXPECT_EQ(calculator_text(-2.5), "-2.5");
}

struct key_case {
  int virtual_key;
  calc_action action;
  int digit;
};

class calculator_keys : public ::testing::TestWithParam<key_case> {};

TEST_P(calculator_keys, map_to_their_buttons) {
  const auto& c = GetParam();
  const auto k = calculator_key(c.virtual_key);
  EXPECT_EQ(k.action, c.action) << c.virtual_key;
  if (c.action == calc_action::digit) {
    EXPECT_EQ(k.digit, c.digit);
  }
}

INSTANTIATE_TEST_SUITE_P(
    cases, calculator_keys,
    ::testing::Values(key_case{27, calc_action::close, 0}, key_case{48, calc_action::digit, 0},
                      key_case{53, calc_action::digit, 5}, key_case{57, calc_action::digit, 9},
                      key_case{187, calc_action::equals, 0}, key_case{106, calc_action::multiply, 0},
                      key_case{107, calc_action::add, 0}, key_case{109, calc_action::subtract, 0},
                      key_case{111, calc_action::divide, 0}, key_case{46, calc_action::point, 0},
                      key_case{67, calc_action::clear, 0},
                      // keypad digits, keypad point, main-keyboard minus, Enter: nothing
                      key_case{96, calc_action::none, 0}, key_case{105, calc_action::none, 0},
                      key_case{110, calc_action::none, 0}, key_case{189, calc_action::none, 0},
                      key_case{13, calc_action::none, 0}, key_case{47, calc_action::none, 0},
                      key_case{58, calc_action::none, 0}));

}  // namespace
}  // namespace km
