#pragma once
// Opening the export-control file exp_mrk_control.txt (code "E_C"): one
// 44-byte record per subject combination, written by the administration
// program. Record n is combination N = n, which names marks<N>.dbf,
// punte<N>.dbf and obe_p<N>.dbf.

#include <QString>

namespace km {

// For code "*" or "E_C": closes whatever g_exp_mrk_control_file_number
// holds, opens folder\exp_mrk_control.txt under a new record-pool number in
// that variable and sets g_exp_mrk_control_count to its record count. The
// caller reads the records into g_exp_mrk_control_rec and closes the number
// when done.
//
// A missing file counts 0 records and is not created (the variable stays
// 0): an empty export-control file would make any folder pass for a data
// folder. Any other code does nothing. Failures reach the caller
// (platform::file_error).
void open_exp_mrk_control(const QString& code, const QString& folder);

}  // namespace km
