#pragma once
// The program's own version, the version list of the installed suite
// programs (Version_Numbers.txt, rewritten at most once a day, with the day
// in Version_Numbers.dte), and the version published for this program.

#include <QString>
#include <array>
#include <optional>

namespace km {

struct program_version_t {
  int major = 0;
  int minor = 0;
  int build = 0;
  int revision = 0;
};

// The version of this program.
program_version_t program_version();
// "Version 1.0.3": major, minor and revision joined by ".".
QString version_label_text();
// "1.0.0.3": the four numbers, as a program file's version text.
QString program_version_text();

// The version text of a suite program's file ("" when the file carries
// none: of the programs on this system only this program's own file does).
QString file_version_text(const QString& win_path);

// One entry of the version table: a folder below the program root and the
// program's file name without ".exe".
struct version_table_entry {
  QString folder;
  QString program;
};
// The fourteen programs whose versions are listed.
const std::array<version_table_entry, 14>& version_table();

// The day a version-list date text names, when it is a real date written
// yyyy.mm.dd, yyyy/mm/dd or yyyy-mm-dd (the same separator twice); nothing
// for any other text.
std::optional<double> version_list_date(const QString& text);

// Writes <settings folder>\Version_Numbers.txt (one line per installed
// program of the version table: its upper-case path and version) and then
// Version_Numbers.dte with today's date, unless Version_Numbers.dte already
// names today. A file that cannot be written is skipped: the list is then
// tried again at the next start.
void write_version_numbers();

// The version published for this program in a version list, or "" when no
// list is available. This system has no place for such a list, so the
// answer is "".
QString get_internet_version();

// The version a list names for the program: the list is pairs of (program
// name, version) separated by ","; for each pair whose trimmed name is the
// program's name, the program's major version, "." and the version without
// its double quotes; the last such pair wins. "" when none names it.
QString internet_version_from_list(const QString& list, const QString& program_name, int major);

}  // namespace km
