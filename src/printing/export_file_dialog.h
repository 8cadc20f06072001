#pragma once
// The folder and file name of an export, asked in the save (or open) file
// dialog. The caller fills the parameter block of print_variables.h
// (g_file_dialog_title, _folder, _mode, _file_name, _filter) and reads the
// answer from the same variables: the chosen file's folder (without a
// trailing "\", so a drive root comes back as "C:") and its name without
// that folder. A cancelled dialog sets g_file_dialog_cancelled and leaves
// the folder and name as they were; so does a dialog that failed.

#include <QString>

namespace km {

void choose_export_file();

// The export dialog as the printer choice and the export routines ask it:
// the last folder kept in `folder_file` (a last-folder file of
// print_choice_files.h) is offered while it exists, the save dialog
// proposes `proposed_name`, and the chosen folder is kept in `folder_file`
// again. The answer is in g_file_dialog_folder and g_file_dialog_file_name;
// false when the dialog was cancelled.
bool ask_export_file(const QString& folder_file, const QString& title, const QString& proposed_name);

}  // namespace km
