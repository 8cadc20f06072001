#pragma once
// The short text files of the menus (time_out.txt, last_drive.txt,
// user_info.txt): the Print # form of a number, whole-file writes that
// never end the program, and the message shown when one cannot be written.

#include <QString>
#include <QStringList>

namespace km {

// A number as Print # writes it: a blank in front of a number that is not
// negative, no zero before the point of a number below one, and a blank
// after it (" 600 ", " 2.5 ", " .5 ", "-3 "). The single-precision form
// (7 significant digits) is used.
QString print_number_text(float x);

// Writes the lines (each followed by CR LF, Windows-1252) as the whole new
// content of the file, under a short-lived file number; the old file is
// replaced only once the new text is complete. False when the file could
// not be written; the old file is then as it was.
[[nodiscard]] bool write_text_lines(const QString& win_path, const QStringList& lines);

// Writes the lines; when that fails, shows file_not_written_text
// (common/file_not_written.h) with the exclamation icon. Returns whether the
// file was written.
bool write_text_lines_or_report(const QString& win_path, const QStringList& lines);

}  // namespace km
