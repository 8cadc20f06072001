#pragma once
// The arithmetic of a cycle mark. The administration tables hold every mark
// relative to the subject total; the capture window shows and takes marks
// relative to the total the teacher chose to type against (the input
// total), so marks are converted in when a combination opens and out again
// when it is saved. What counts as a number is the shared rule of
// common/mark_text.h.
#include <QString>
#include <optional>

#include "common/mark_text.h"

namespace km {

// A number as the messages and headings show it: no leading blank, no
// trailing zeros (50, 37.5), the total's single precision.
QString plain_number(double x);

// A stored mark relative to the subject total as the window shows it,
// relative to the input total: "###.0" (no leading zero: ".6"). A letter
// or blank mark, and any mark when the subject total is not above 0, stay
// as they are.
QString mark_to_input_total(const QString& mark, double subject_total, double input_total);
// Back again: "##0.0" of mark / input total x subject total.
QString mark_to_subject_total(const QString& mark, double input_total, double subject_total);

// A mark typed into the capture grid.
struct typed_mark {
  bool accepted = false;
  QString stored;                // the text to store when accepted
  std::optional<double> number;  // its value when it is a numeric mark
};
// Blank, "A" and "a" are taken as typed (trimmed); a plain decimal from 0
// up to and including the input total is stored "##0.0"; anything else is
// refused (with mark_refusal_message of the input total's plain number).
typed_mark check_typed_mark(const QString& typed, double input_total);

// The teacher's answer to the input-total question: empty (or cancelled)
// keeps the subject total; a plain decimal above 0 is taken; anything else
// gives none, and the question is asked again.
std::optional<double> input_total_answer(const QString& answer, bool cancelled, double subject_total);

// The teacher's answer to the scaling question: a plain decimal; an
// empty, cancelled or other answer gives none and nothing is scaled.
std::optional<double> new_average_answer(const QString& answer, bool cancelled);

// The figures beside the grid, from the running sum and count.
struct average_figures {
  std::optional<QString> total_label;     // "####0.0" of the sum; none: keep what shows
  std::optional<QString> average_label;   // "##0.0" of the percentage; none: keep
  std::optional<double> average_percent;  // none: unchanged
};
// Nothing changes with an input total of 0, and the labels stay while no
// mark counts (marks that are all 0 show "0.0"). The sum enters through its single-precision text;
// the average and the percentage are each rounded to four decimals, halves
// to even.
average_figures compute_average(double marks_sum, int marks_count, double input_total);

}  // namespace km
