#pragma once
// Opening a dBase table of a folder through a window's data control, with
// the checks and repairs every caller needs: the data drive must be there,
// the settings folder gets its networklock.txt, a missing folder is created
// when its drive is there, and a missing table (.dbf) or memo file (.dbt)
// is restored from the template copies (.org, .ort) of the program folder
// g_program_path. A table that cannot be read is copied aside into the
// repair folder (g_admin_folder & "\temp") and replaced by its template; a
// corrupt, read-only or busy table is reported to the user.
//
// Special table names of the administration data: "ppl_dta" opens
// "ppl_cmp" (and marks the control "ppl_cmp"), "Ppl_xtra" is skipped where
// Ppl_cmp.dbf exists, and "reg_dta" lives in g_user_folder. A control
// marked "acc_cnt" writes the layout code of the opened table and ends the
// program (a developer aid).

#include <QString>
#include <functional>

#include "platform/dbase/data_control.h"
#include "platform/value.h"

namespace km {

// Opens folder\table.dbf on the control. The result is True when the table
// is open with its records counted and the first record current; False when
// it cannot be opened (blank or missing folder, missing table without a
// template, an empty table while require_records, a damaged table that
// could not be repaired, a table in use); empty (neither) when a "Ppl_xtra"
// request is skipped or a step after the opening fails.
//
// Writes back into the caller's variables: folder gets "\" appended when it
// holds none ("D:" -> "D:\") and becomes g_user_folder for "reg_dta"; a
// blank table becomes the control's default table, "ppl_dta" becomes
// "ppl_cmp"; read_only becomes true for "ppl_cmp" tables of the
// administration folder, and for a table whose file system refuses locks,
// which opens read-only after the "in use" message. The read-only choice is
// applied to the control before the table is opened.
//
// A missing data drive shows the network-drive message and ends the
// program (platform::program_ended), as do a read-only table opened for
// writing and an engine failure of no known kind.
platform::Value open_dbf_table(QString& folder, platform::data_control& control, bool require_records,
                               QString& table, bool& read_only);
// The same for a caller that does not want the table name and read-only
// choice back (a blank table takes the control's default table).
platform::Value open_dbf_table(QString& folder, platform::data_control& control, bool require_records,
                               const QString& table = QString(), bool read_only = false);

// True when the folder exists.
bool check_folder_exists(const QString& folder);

// The Refresh the opening runs on the control. Tests put in one that fails
// the way they need; an empty function puts back the control's own.
using table_refresh = std::function<void(platform::data_control&)>;
void set_open_dbf_table_refresh(table_refresh refresh);

}  // namespace km
