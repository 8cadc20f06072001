#pragma once
// Last year's set-up files copied into a year's folder that has none.

#include <QString>
#include <optional>

namespace km {

// Last year's folder: every occurrence of the year's last two digits in the
// folder replaced by those of the year before (2017: "17" by "16"; 2000:
// "00" by "99"). Nothing when the year is not a number.
std::optional<QString> previous_year_folder(const QString& folder, const QString& year);

// Copies the PI files, the report-template files and the files with the
// grade as extension (no extension for an empty grade) from last year's
// folder into the folder, each only where the folder has no such file or an
// empty one. A file that cannot be copied is passed over
// (data_file_services hook of the same name).
void copy_previous_year_setup(const QString& folder);

}  // namespace km
