#pragma once
// The settings file setup.txt in the settings folder, shared with the other
// programs of the suite. Three lines of Write # fields:
//   1: the school's name, g_setup_line1_value
//   2: the language, #TRUE# (Afrikaans) or #FALSE# (English)
//   3: g_setup_line3_value1, g_setup_line3_value2
// The values of lines 1 and 3 belong to the other programs: this program
// keeps them and writes them back unchanged.

#include <QString>

namespace km {

extern QString g_setup_line1_value;
extern QString g_setup_line3_value1;
extern QString g_setup_line3_value2;

// <g_settings_folder>\setup.txt.
QString setup_txt_path();

// Fills g_setup_line1_value, g_language and the two values of line 3 from
// <g_settings_folder>\setup.txt, after copying the program folder's
// setup.txt there when only that one exists. No file: nothing changes. A
// file that cannot be read whole is rebuilt (school name, line 1 value,
// language, and four NUL characters for each value of line 3), keeping the
// values read before the failure. Never throws a file failure.
void read_setup_txt();

// Rewrites the settings file with the trimmed school name, the kept line 1
// value, the language given and the values of line 3 (re-read from the file
// first). Returns false, leaving the old file whole, when it cannot be
// written; never ends the program.
[[nodiscard]] bool write_setup_txt(bool& language);

}  // namespace km
