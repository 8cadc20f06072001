#pragma once
// Where the program itself lies, as a Windows path: the suite's programs
// find their root folder, their settings and each other from it. On this
// system the program file is wherever it was built, so its Windows place is
// given in drives.ini (the drive map's file in the config folder):
//
//   [program]
//   file=C:\Program Files (x86)\KORVA-MARKS\KORVA-MARKS.EXE
//
// Without that entry the running binary's own path is used when a mapped
// drive holds it, else the standard place above.

#include <QString>

namespace km::platform {

// The program file's Windows path ("C:\Program Files (x86)\KORVA-MARKS\KORVA-MARKS.EXE").
QString program_file_path();

// The file name without its folder and extension ("KORVA-MARKS").
QString program_file_base_name();

// Reads the [program] file entry of a drives.ini; "" when there is none.
QString read_program_file_entry(const QString& ini_path);

// For tests and start-up options: puts a Windows path in place of the one
// found; "" forgets it.
void set_program_file_path(const QString& win_path);

}  // namespace km::platform
