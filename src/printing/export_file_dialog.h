#pragma once
// The folder and file name of an export, asked in the save (or open) file
// dialog. The caller fills the parameter block of print_variables.h
// (g_file_dialog_title, _folder, _mode, _file_name, _filter) and reads the
// answer from the same variables: the chosen file's folder (without a
// trailing "\", so a drive root comes back as "C:") and its name without
// that folder. A cancelled dialog sets g_file_dialog_cancelled and leaves
// the folder and name as they were; so does a dialog that failed.

namespace km {

void choose_export_file();

}  // namespace km
