#pragma once
// The subject list of the mark-book and marks windows (vak_grid): one row
// per record of the export-control file exp_mrk_control.txt of the data
// folder, in file order, so that grid row r shows record r + 1 and the
// combination chosen on row r is number r + 1 (marks<N>.dbf ...).

#include <QStringList>

#include "platform/model/grid/flex_grid.h"
#include "platform/record_layout.h"

namespace km {

// The nine cell texts of one export-control record, in field order: grade,
// subject, total, class, second class, class used when the class is blank,
// number, code, date. Texts are as stored (blanks kept); the total is its
// shortest decimal text (100, 62.5); the date is its text in the short date
// form ("" for a value that is no date).
QStringList subject_grid_cells(const platform::record_buffer& rec);

// Empties the grid and gives it nine columns, no fixed row or column and no
// rows; then opens the export-control file of g_data_folder
// (open_exp_mrk_control), reads every record into g_exp_mrk_control_rec and
// adds a row for it. A grade whose number is above 9 has its total set to
// 100 in the record read (the file is never written).
//
// The file is left open under g_exp_mrk_control_file_number for the caller
// to close. A missing file gives no rows (and is not made). A file that
// cannot be read is reported in a message and leaves the grid without rows
// and the file closed.
void fill_subject_grid(platform::flex_grid& grid);

}  // namespace km
