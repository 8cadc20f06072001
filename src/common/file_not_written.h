#pragma once
// The message of a file that could not be written, in the chosen language,
// shown with the exclamation icon: the windows' one way of telling the
// teacher that a settings or choice file was not saved.

#include <QString>

namespace km {

// "Kon nie <path> skryf nie ..." / "Could not write <path> ...".
QString file_not_written_text(const QString& win_path);

// Shows file_not_written_text with the exclamation icon and OK.
void report_file_not_written(const QString& win_path);

}  // namespace km
