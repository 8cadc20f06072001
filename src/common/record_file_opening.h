#pragma once
// The state of one call of open_random_files and the steps its codes share.
// Only the opening and its per-code steps use this header.

#include <QSet>
#include <QString>
#include <utility>

#include "common/file_code_table.h"

namespace km::platform {
class data_control;
}

namespace km {

struct opening_call {
  QString code;                            // the code requested, "*" for every file
  QString folder;                          // the folder opened
  const file_code_entry* entry = nullptr;  // the code whose steps are running
  int retry_count = 0;                     // raised by the empty-file steps of PI11, PI3 and SBI
  bool errors_reach_caller = false;        // set once a rebuild has removed a file
  QSet<QString> steps_done;

  // True the first time the named step of the running code is asked for in
  // this call, false afterwards: a step that did not bring the file into
  // line does not run again, so the opening cannot loop on it.
  bool first_time(const char* step);
  // True once the named step of the running code was asked for in this call.
  bool done(const char* step) const;
  // The path of a file in the folder.
  QString path(const QString& file_name) const;
  // The numeric value of the current year (g_year).
  double year() const;
};

// Called inside a catch block: returns when the failure is passed over and
// rethrows it when it must reach the caller (the program's end, a missing
// dialog service, anything that is not a std::exception, and every failure
// once errors_reach_caller is set).
void pass_over_or_rethrow(const opening_call& call);

// Runs a step whose failure is passed over; true when it ran through.
template <class Step>
bool run_guarded(opening_call& call, Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (...) {
    pass_over_or_rethrow(call);
    return false;
  }
}

// Takes a record-pool number into the code's variable, opens the code's
// file with its record length and, except for the school group, records
// the folder and requested code for the number. When the open fails the
// number is given back (the variable 0) and the result is false.
bool open_code_file(opening_call& call);

// The code's record count taken again from the open file (0 when the file
// is not open).
void recount(opening_call& call);

// Points the data control for builds at a table of the folder and refreshes
// it; a table that is missing or cannot be read leaves the control without
// a record set, which is never a failure of the opening.
platform::data_control& bind_table(opening_call& call, const QString& table);

// The steps of particular codes.
step_result rt_before_open(opening_call& call);
step_result pi3_before_open(opening_call& call);
step_result blank_first_record(opening_call& call);  // SKLADD, SKLHB
step_result sklepos_after_count(opening_call& call);
step_result ppladd_after_count(opening_call& call);
step_result pi11_after_count(opening_call& call);
step_result pi1sma_after_count(opening_call& call);
step_result pi2_after_count(opening_call& call);
step_result pi3_after_count(opening_call& call);
step_result psmb_after_count(opening_call& call);
step_result pi5_after_count(opening_call& call);
step_result pi4vh_after_count(opening_call& call);
step_result prmprom_after_count(opening_call& call);
step_result hw2_after_count(opening_call& call);
step_result hwk_after_count(opening_call& call);
step_result s_b_after_count(opening_call& call);
step_result sbi_after_count(opening_call& call);

}  // namespace km
