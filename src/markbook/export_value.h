#pragma once
// A mark of the mark book as it goes into the administration marks tables:
// relative to the subject total instead of the task total.
#include <QString>

namespace km {

// "A", "a" and a blank mark go out as they are; with a subject total of 0
// the mark goes out as stored; otherwise Round(Val(mark) / task total x
// subject total, 1), halves to the even digit, written "##0.0". The task
// total must be above 0 when the subject total is not 0.
QString exported_mark(const QString& mark, double task_total, double subject_total);

}  // namespace km
