#include "shell/suite_programs.h"

#include <array>

#include "common/shared_variables.h"
#include "platform/file_system.h"
#include "platform/program_launcher.h"

namespace km {

const QString suite_web_address = QStringLiteral("www.korva-scope.co.za");
const QString suite_common_folder = QStringLiteral("KORVA-SCOPE");

namespace {

struct menu_entry {
  const char* caption;
  const char* program;  // "" when the button starts nothing
  bool in_common_folder;
};

// Buttons 1 to 14. Most programs live in a folder named like themselves;
// the tools and the settings program lie in the common folder.
constexpr std::array<menu_entry, floating_menu_button_count> menu{{
    {"KORVA-SCOPE", "", false},
    {"KORVA-ADMIN", "KORVA-ADMIN", false},
    {"KORVA-LEARNERS", "KORVA-LEARNERS", false},
    {"KORVA-ATTEND", "KORVA-ATTEND", false},
    {"KORVA-CONDUCT", "KORVA-CONDUCT", false},
    {"KORVA-EXTRA", "KORVA-EXTRA", false},
    {"KORVA-TIMETABLE", "KORVA-TIMETABLE", false},
    {"SYSTEM", "", false},
    {"INTERNET", "", false},
    {"KORVA-TOOLS", "KORVA-TOOLS", true},
    {"KORVA-ANA", "KORVA-ANA", false},
    {"KORVA-MARKS", "KORVA-MARKS", false},
    {"KORVA-FINANCE", "KORVA-FINANCE", false},
    {"KORVA-SETTINGS", "KORVA-SETTINGS", true},
}};

}  // namespace

QString floating_menu_caption(int index) {
  if (index < 1 || index > floating_menu_button_count) return {};
  return QString::fromLatin1(menu[index - 1].caption);
}

std::optional<suite_program> floating_menu_program(int index) {
  if (index < 1 || index > floating_menu_button_count) return std::nullopt;
  const auto& e = menu[index - 1];
  const QString name = QString::fromLatin1(e.program);
  if (name.isEmpty()) return std::nullopt;
  const QString folder = e.in_common_folder ? suite_common_folder : name;
  return suite_program{name, '\\' + folder + '\\' + name + ".EXE"};
}

QString please_install_text(const QString& program_name) {
  return g_language ? "Installeer asb '" + program_name + "' (sien " + suite_web_address + ")"
                    : "Please install '" + program_name + "' (see " + suite_web_address + ")";
}

std::optional<QString> start_suite_program(int index) {
  const auto program = floating_menu_program(index);
  if (!program) return std::nullopt;
  const QString path = g_program_root + program->relative_path;
  if (!platform::file_exists(path)) return please_install_text(program->name);
  platform::launcher().start(path);
  return std::nullopt;
}

const QStringList& suite_settings_folders() {
  static const QStringList folders{suite_common_folder, "KORVA-ADMIN",   "KORVA-LEARNERS",
                                   "KORVA-ATTEND",      "KORVA-CONDUCT", "KORVA-EXTRA",
                                   "KORVA-TIMETABLE",   "KORVA-ANA",     "KORVA-FINANCE"};
  return folders;
}

}  // namespace km
