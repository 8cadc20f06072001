#pragma once
// A developer aid: writes the record declaration and the field-reading code
// of a table opened on a data control, so that a record file can be laid out
// after an administration table.

#include <QString>
#include <QStringList>

#include "platform/dbase/data_control.h"

namespace km {

// One declaration line per field of the open table, in field order:
// "NAME as Integer" (numbers without decimals), "NAME as Single" (numbers
// with decimals), "NAME as Date", "NAME as Boolean" (logical fields), else
// "NAME as String * <width>".
QStringList record_layout_lines(const platform::recordset& rs);

// One line per field assigning its cleaned value to the record member of
// the same name: MyRecord.NAME = clean_field_value(<control>.Recordset("NAME")).
QStringList record_program_lines(const platform::recordset& rs, const QString& control_name);

// Writes the declaration lines to "C:\VB_PROJECT\" & table & "_layout.txt"
// and the reading lines to "C:\VB_PROJECT\" & table & "_program.txt" (the
// folder is made when missing), under numbers of the short pool in
// g_file_number2 and g_file_number3, gives both numbers back and closes
// every file (close-all). Throws platform::file_error when a file cannot be
// written, dbf_error when the control has no open table.
void generate_record_layout_code(platform::data_control& control, const QString& folder,
                                 const QString& table);

}  // namespace km
