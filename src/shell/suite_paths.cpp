#include "shell/suite_paths.h"

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/desktop_shortcut.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program_location.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "shell/environment.h"
#include "shell/settings_files.h"
#include "shell/suite_programs.h"
#include "shell/version_numbers.h"

namespace km {

const QString setup_folder_name = QStringLiteral("KORVA-SETUP");
const QString backup_folder_name = QStringLiteral("KORVA-BACKUP");

namespace {

using platform::Value;

// Creates a folder that is missing; a folder that cannot be made is passed
// over (what needs it later finds it missing and skips its step).
void create_if_missing(const QString& folder) {
  try {
    if (!platform::folder_exists(folder)) platform::create_folder(folder);
  } catch (const platform::file_error&) {
  }
}

void write_path_names() {
  const QString path =
      file_in_folder(file_in_folder(g_settings_folder, backup_folder_name), QStringLiteral("path_names.txt"));
  g_file_number = get_free_file_number(1);
  try {
    platform::open_file(g_file_number, path, platform::open_mode::output);
    for (const QString& folder : backup_path_names())
      platform::write_fields(g_file_number, {Value::text(folder)});
    close_file(g_file_number);
  } catch (const platform::file_error&) {
    abandon_file(g_file_number);
  }
}

}  // namespace

const std::array<shortcut_entry, 9>& shortcut_table() {
  static const std::array<shortcut_entry, 9> table{{
      {QStringLiteral("KORVA-SCOPE"), QStringLiteral("\\KORVA-SCOPE\\KORVA-SCOPE.EXE"), false},
      {QStringLiteral("KORVA-TOOLS"), QStringLiteral("\\KORVA-SCOPE\\KORVA-TOOLS.EXE"), false},
      {QStringLiteral("KORVA-SETTINGS"), QStringLiteral("\\KORVA-SCOPE\\KORVA-SETTINGS.EXE"), false},
      {QStringLiteral("KORVA-BACKUP"), QStringLiteral("\\KORVA-BACKUP\\KORVA-BACKUP.EXE"), false},
      {QStringLiteral("KORVA-SETUP"), QStringLiteral("\\KORVA-SETUP\\KORVA-SETUP.EXE"), false},
      {QStringLiteral("KORVA-MENU"), QStringLiteral("\\KORVA-SCOPE\\KORVA-MENU.EXE"), true},
      {QStringLiteral("KORVA-UPDATE"), QStringLiteral("\\KORVA-SCOPE\\KORVA-UPDATE.EXE"), true},
      {QStringLiteral("KORVA-NETWORK"), QStringLiteral("\\KORVA-SCOPE\\KORVA-NETWORK.EXE"), true},
      {QStringLiteral("KORVA-HELP"), QStringLiteral("\\KORVA-SCOPE\\KORVA-HELP.EXE"), true},
  }};
  return table;
}

const QStringList& setup_folder_table() {
  static const QStringList table = [] {
    QStringList folders = suite_settings_folders();
    folders << setup_folder_name << backup_folder_name;
    return folders;
  }();
  return table;
}

QString find_program_root(const QString& program_folder) {
  const QString drive = platform::drive_name(program_folder);
  const QString holder = platform::file_name_part(platform::parent_folder_name(program_folder));
  const QString root = drive + QLatin1Char('\\') + holder;
  if (upper_case_afrikaans(root).contains(QLatin1String("PROGRAM FILES"))) return root;
  QString last_program_files;
  for (const QString& folder : platform::list_folders(drive + QLatin1Char('\\'))) {
    const QString upper = upper_case_afrikaans(folder);
    if (upper.contains(QLatin1String("PROGRAM FILES (X86)"))) return file_in_folder(drive, folder);
    if (upper.contains(QLatin1String("PROGRAM FILES"))) last_program_files = folder;
  }
  return last_program_files.isEmpty() ? QString() : file_in_folder(drive, last_program_files);
}

void create_desktop_shortcut(const QString& name, const QString& target, bool remove) {
  // Passed over: a shortcut is a convenience beside the programs, and the
  // start reports nothing about shortcuts.
  if (remove)
    (void)platform::remove_desktop_shortcut(name);
  else
    (void)platform::write_desktop_shortcut(name, target);
}

void copy_network_setup(const QString& name) {
  const QString trimmed = name.trimmed();
  QString target;
  QString source;
  if (trimmed.isEmpty()) {
    target = g_settings_folder;
    source = file_in_folder(g_program_root, setup_folder_name);
  } else {
    target = file_in_folder(g_settings_folder, trimmed);
    if (platform::folder_exists(target)) return;
    source = file_in_folder(g_program_root, trimmed);
  }
  create_if_missing(target);
  for (const QString& file : platform::list_files(source)) {
    const QString upper = upper_case_afrikaans(file);
    if (upper.contains(QLatin1String(".EXE"))) continue;
    if (!upper.contains(QLatin1String(".TXT")) && !upper.contains(QLatin1String("NETWORK"))) continue;
    try {
      if (!platform::file_exists(file_in_folder(target, file)))
        platform::copy_file(file_in_folder(source, file), file_in_folder(target, file), false);
    } catch (const platform::file_error&) {
    }
  }
}

QStringList backup_path_names() {
  const auto parent = [](const QString& path) { return platform::parent_folder_name(path); };
  return {g_admin_folder,
          g_admin_folder,
          parent(g_network_folder_1),
          parent(g_network_folder_4),
          parent(g_network_folder_2),
          QString(),
          parent(g_network_folder_3),
          QString(),
          parent(g_network_folder_5),
          parent(g_user_folder),
          g_admin_folder};
}

void collect_suite_setup() {
  for (const QString& folder : setup_folder_table()) {
    if (!platform::folder_exists(file_in_folder(g_program_root, folder))) continue;
    copy_network_setup(folder == setup_folder_name ? QString() : folder);
    if (folder == backup_folder_name) write_path_names();
  }
}

void set_up_suite_paths() {
  g_program_path = platform::parent_folder_name(platform::program_file_path());
  g_data_drive = platform::drive_name(g_program_path);
  g_program_root = find_program_root(g_program_path);

  for (const auto& entry : shortcut_table())
    create_desktop_shortcut(entry.name, g_program_root + entry.program_path, entry.remove);

  g_settings_folder = g_data_drive + QStringLiteral("\\ProgramData");
  create_if_missing(g_settings_folder);
  g_settings_folder += QStringLiteral("\\OSKAVEN");
  create_if_missing(g_settings_folder);

  show_hidden_files();
  collect_suite_setup();
  write_version_numbers();

  QString own_folder_name = platform::program_file_base_name();
  own_folder_name.replace(QLatin1Char('_'), QLatin1Char('-'));
  if (platform::folder_exists(file_in_folder(g_program_root, own_folder_name)))
    g_program_path = file_in_folder(g_program_root, own_folder_name);

  g_data_drive = platform::drive_name(g_program_path);
  create_if_missing(g_data_drive + QStringLiteral("\\OSKAVEN"));
}

}  // namespace km
