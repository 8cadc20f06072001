#pragma once
// The example set-up a teacher can start from: four tasks, a practical and
// tests carried into summary rows, two sub-totals and a total of 100, with
// cycle names on the main tests and exams.
#include "markbook/pboek_setup_line.h"

namespace km {

// Writes the 21 example rows over rows 1..21 in the chosen language. The
// out-of and cycle-name cells the example leaves blank are not written (they
// keep what they held), nor are rows 22..40; row 21's result row is emptied.
void apply_example_setup(setup_rows& rows, bool afrikaans);

}  // namespace km
