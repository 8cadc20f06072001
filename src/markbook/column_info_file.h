#pragma once
// The column explanations of the set-up window: kolom_info.afr and
// kolom_info.eng in the program folder (the current directory), each one
// value between double quotes followed by CR LF, the value being the rich
// text of the explanations box.
#include <QByteArray>
#include <QString>

namespace km {

// "kolom_info.afr" or "kolom_info.eng", by the chosen language.
QString column_info_file_name();

// The value of the file: its rich text, "" when the file is missing or
// holds nothing. Throws platform::file_error when it cannot be read.
QByteArray read_column_info(const QString& win_path);

// Writes the rich text as the file's value, every double quote in it as
// \'22 so that the value cannot end early, through a temporary file that
// replaces the old one only when complete. Throws platform::file_error.
void write_column_info(const QString& win_path, const QByteArray& rtf);

}  // namespace km
