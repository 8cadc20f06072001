#pragma once
// The small files in which the printer choice remembers itself:
// kleur_drukker.txt (colour or black printing, #TRUE# or #FALSE#) and
// excel_uitvoer_gids / html_uitvoer_gids (the last export folder, a quoted
// string, in the settings folder). Each is one value written with Write #
// and read back with Input #, through a short-lived number of the pool.

#include <QString>
#include <optional>

namespace km {

// g_user_folder followed by "\kleur_drukker.txt": with g_user_folder empty
// the file lies at the root of the current drive.
QString colour_file_path();
// g_settings_folder followed by "\excel_uitvoer_gids" / "\html_uitvoer_gids".
QString excel_folder_file_path();
QString html_folder_file_path();

// The colour choice kept in the colour file; nothing when the file is
// missing or its value cannot be read.
std::optional<bool> read_colour_file();
// Replaces the colour file. False when it could not be written.
[[nodiscard]] bool write_colour_file(bool colour);

// The folder kept in a last-folder file; "" when the file is missing or
// unreadable.
QString read_last_folder(const QString& file_path);
// Replaces a last-folder file with the folder as one quoted value. False
// when it could not be written.
[[nodiscard]] bool write_last_folder(const QString& file_path, const QString& folder);

}  // namespace km
