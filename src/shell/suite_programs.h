#pragma once
// The other programs of the school-administration suite, as this program
// knows them: the buttons of the floating system menu with the program each
// starts, the suite folders that receive the network settings, and the
// suite's web address.

#include <QString>
#include <QStringList>
#include <optional>

namespace km {

// The suite's web site, named in the "please install" message.
extern const QString suite_web_address;

// The suite's common folder under the program root.
extern const QString suite_common_folder;

constexpr int floating_menu_button_count = 14;

struct suite_program {
  QString name;           // shown in the "please install" message
  QString relative_path;  // below the program root, with a leading "\"
};

// The caption of floating-menu button 1 to 14 ("" outside that range).
QString floating_menu_caption(int index);

// The program started by floating-menu button index; nothing for the buttons
// that start none (1, 8 and 9) and for indexes outside 1 to 14.
std::optional<suite_program> floating_menu_program(int index);

// Starts the program of floating-menu button index when it is installed
// under g_program_root (through the program launcher; nothing waits for
// it). Returns the message to show when it is not installed; nothing when
// it was started or the button starts no program.
std::optional<QString> start_suite_program(int index);

// The "please install" message for a program.
QString please_install_text(const QString& program_name);

// The folders under the program root that get a settings subfolder with the
// network settings: the common folder first, then eight program folders.
const QStringList& suite_settings_folders();

}  // namespace km
