#pragma once
// Tests on the current grade.

namespace km {

// True when the numeric value of g_grade is 10, 11 or 12 (empty counts as 0).
bool is_grade_10_to_12();

}  // namespace km
