#pragma once
// Opening the record files of a folder by file code ("SKL" for the school
// record, "PUVAK", "PI3" ...), one code or every code at once ("*").
//
// For each code requested the opening builds a missing file from the older
// source it replaces, brings an old layout up to date, opens the file for
// record access under a number of the record pool (the code's file-number
// variable), counts its records into the code's count variable and fills
// some empty files with their defaults. A file already open for the same
// folder and code is rewound and counted instead of opened again. After a
// build or rebuild the codes are gone through again from the first, so
// that the new file is opened like an existing one; every such step runs at
// most once per code in one call.
//
// The folder and the drives are checked first: a missing folder is told to
// the user and nothing is opened; a data drive that is not available is
// told and the program ends (platform::program_ended).
//
// Failures of single steps are passed over: a file that cannot be opened
// leaves its number 0 and the opening goes on. A build or an upgrade that
// could not make its file (it tells the teacher why) leaves the code's file
// closed and unmade for the rest of the call, never created empty, so that
// the next opening tries again. A record file that stands beside the table
// it is built from is shown to the builds, which finish a conversion that
// was stopped before it retired its table. Once the PRMPROM rebuild or
// the S_B move has taken its file away, later failures of the same call
// reach the caller.

#include <QString>
#include <optional>

namespace km {

// code: one file code (exact, case-sensitive; anything else opens nothing)
// or "*" for every code. folder: the folder of the files, without a
// trailing "\"; when it is blank it becomes the default record folder and
// is written back into the caller's variable. drive_path: a second path
// whose drive must be available; omitted means the folder.
void open_random_files(const QString& code, QString& folder,
                       const std::optional<QString>& drive_path = std::nullopt);
// The same for a folder given as a value (nothing is written back).
void open_random_files(const QString& code, QString&& folder,
                       const std::optional<QString>& drive_path = std::nullopt);
// Folder omitted: the default record folder.
void open_random_files(const QString& code = QStringLiteral("*"));

// The default record folder: g_admin_folder & "\L" & g_grade & the last
// two characters of g_year.
QString default_record_folder();

}  // namespace km
