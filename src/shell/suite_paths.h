#pragma once
// The suite's folders found at start: the program root that holds the
// suite's program folders, this program's folder, the settings folder
// "\ProgramData\OSKAVEN" on the program's drive; and what the start keeps in
// order there: the desktop shortcuts to the suite's programs, the suite's
// network set-up files copied into the settings folder, the backup
// program's folder list and the version list.

#include <QString>
#include <QStringList>
#include <array>

namespace km {

struct shortcut_entry {
  QString name;          // the shortcut's name on the desktop
  QString program_path;  // below the program root, with a leading "\"
  bool remove = false;   // an old shortcut that is taken away
};

// The nine shortcuts kept on the desktop; four of them are old ones that
// are removed.
const std::array<shortcut_entry, 9>& shortcut_table();

// The eleven folders below the program root whose set-up files are copied
// into the settings folder: the suite's common folder first, the set-up
// folder tenth and the backup folder last.
const QStringList& setup_folder_table();
extern const QString setup_folder_name;   // "KORVA-SETUP"
extern const QString backup_folder_name;  // "KORVA-BACKUP"

// Finds the program root, the program folder and the settings folder
// (g_program_root, g_program_path, g_settings_folder, g_data_drive), keeps
// the desktop shortcuts, creates the settings folder, lets Explorer show
// hidden files, copies the suite's set-up files, writes the version list
// and creates "\OSKAVEN" on the program's drive. No step ends the program:
// a folder or file that cannot be made is passed over.
void set_up_suite_paths();

// The program root for a program folder: its drive and the name of the
// folder holding it; when that does not name a "PROGRAM FILES" folder, the
// first folder at the drive's root whose name holds "PROGRAM FILES (X86)",
// else the last one holding "PROGRAM FILES", else "".
QString find_program_root(const QString& program_folder);

// A shortcut to the program at target (Windows path) on the desktop, only
// when the program is there; with remove, the shortcut of that name is
// taken away instead and none is made.
void create_desktop_shortcut(const QString& name, const QString& target, bool remove = false);

// Copies the set-up files of each set-up folder that exists below the
// program root into the settings folder, then writes the backup program's
// path_names.txt when the backup folder exists.
void collect_suite_setup();

// Copies a program's set-up files (names holding ".TXT" or "NETWORK", never
// ".EXE") from its folder below the program root into its folder in the
// settings folder, once: only when that folder is new. An empty name copies
// the set-up folder's files into the settings folder itself, each file only
// when it is not there yet. Failures are ignored.
void copy_network_setup(const QString& name);

// The eleven folders of <settings folder>\KORVA-BACKUP\path_names.txt.
QStringList backup_path_names();

}  // namespace km
