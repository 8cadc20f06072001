#pragma once
// The assessment-settings record of pi11_random.txt: its build from the
// older pi1_random.txt and the two repairs of record 1.

#include <QString>
#include <optional>

#include "platform/record_layout.h"

namespace km {

// Cycle 5's name: cycle 4's with every "4" made "5" ("S4" gives "S5").
QString fifth_cycle_name(const QString& fourth);

// One PI1 record into a blank PI11 record: the bounds, 5 cycles (the fifth
// named after the fourth, with its weight) and tasks 1 to 8.
void carry_pi1_record(const platform::record_buffer& pi1, platform::record_buffer& pi11);

// Builds pi11_random.txt from pi1_random.txt: the new file is written aside,
// pi5_random.txt moves into the save folder and the PI11 upgrade is marked
// done (pi14_random.txt) before the new file takes its place, so that a run
// that breaks off is run again by the next opening (data_file_services hook
// of the same name).
void upgrade_pi1_to_pi11(const QString& folder);

// The task entry that the ANA repair names: scanning tasks task_count down
// to 1 until "ADJ", the largest free slot's number plus cycle_count, when
// that entry is at most 15 and free itself.
std::optional<int> ana_target(const platform::record_buffer& pi11, int task_count, int cycle_count);

// Repairs of record 1 of the open PI11 file (g_pi11_file_number); each
// writes only when it changes something, and never into an empty file
// (data_file_services hooks of the same names).
void fix_pi11_adj_ana();
void fix_pi11_zero_weights();

}  // namespace km
