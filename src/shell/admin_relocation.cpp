#include "shell/admin_relocation.h"

#include <vector>

#include "common/file_error_reason.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/folder_steps.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "shell/suite_programs.h"
#include "shell/write_form_file.h"

namespace km {

namespace {

using platform::file_error;
using platform::join_win_path;
using platform::Value;

const QString old_part = QStringLiteral("\\NW_ADMIN");
const QString new_part = QStringLiteral("\\OSKAVEN\\ADMIN");
constexpr int network_dta_blank_lines = 7;
constexpr int network_setup_blank_lines = 3;

QString failure_text(const file_error& e) { return file_error_reason(e); }

QString not_old_layout_text(const QString& old_folder) {
  return in_language("Die gids '" + old_folder + "' bevat nie '\\NW_ADMIN' nie: niks is verskuif nie.",
                     "The folder '" + old_folder + "' does not contain '\\NW_ADMIN': nothing was moved.");
}

QString announce_text(const QString& old_folder, const QString& new_folder) {
  return in_language(
      "Alle gidse van die '" + old_folder + "' gids sal nou na die nuwe '" + new_folder + "' geskuif word !",
      "All folders from the '" + old_folder + "' folder will now be moved to the new '" + new_folder +
          "' folder !");
}

QString create_failed_text(const QString& new_folder) {
  return in_language("Die gids '" + new_folder + "' kon nie geskep word nie: niks is verskuif nie.",
                     "The folder '" + new_folder + "' could not be created: nothing was moved.");
}

QString copy_failed_text(const QString& old_folder, const QString& name, const QString& new_folder,
                         const file_error& e) {
  return in_language(
      "Die gids '" + name + "' kon nie na '" + new_folder + "' gekopieer word nie (" + failure_text(e) +
          ").\r\n\r\nDie verskuiwing is gestaak: die netwerklêers is nie verander nie en die '" + old_folder +
          "' gids se naam is nie verander nie.",
      "The folder '" + name + "' could not be copied to '" + new_folder + "' (" + failure_text(e) +
          ").\r\n\r\nThe relocation was stopped: the network files were not changed and the '" + old_folder +
          "' folder was not renamed.");
}

QString settings_failed_text(const QString& old_folder, const QString& path, const file_error& e) {
  return in_language(
      "Die netwerklêer '" + path + "' kon nie geskryf word nie (" + failure_text(e) +
          ").\r\n\r\nDie verskuiwing is gestaak: die '" + old_folder + "' gids se naam is nie verander nie.",
      "The network file '" + path + "' could not be written (" + failure_text(e) +
          ").\r\n\r\nThe relocation was stopped: the '" + old_folder + "' folder was not renamed.");
}

QString rename_failed_text(const QString& old_folder, const QString& renamed, const file_error& e) {
  return in_language("Die '" + old_folder + "' gids se naam kon nie na " + renamed + " verander word nie (" +
                         failure_text(e) + ").\r\n\r\nDie gidse is gekopieer en die netwerklêers is geskryf.",
                     "The " + old_folder + " folder could not be renamed to " + renamed + " (" +
                         failure_text(e) +
                         ").\r\n\r\nThe folders were copied and the network files were written.");
}

QString completed_text(const QString& old_folder, const QString& new_folder, const QString& renamed) {
  return in_language("Die verskuiwing van " + old_folder + " na " + new_folder +
                         " is voltooi ...\r\n\r\nDie " + old_folder + " gids se naam is verander na " +
                         renamed,
                     "The relocation of " + old_folder + " to " + new_folder +
                         " is complete ...\r\n\r\nThe " + old_folder + " folder was renamed to " + renamed);
}

// network.dta: the new administration folder, then seven empty lines.
void write_network_dta(const QString& folder, const QString& new_folder) {
  std::vector<Value> lines{Value(new_folder)};
  lines.resize(1 + network_dta_blank_lines, Value(QString()));
  write_form_lines(join_win_path(folder, "network.dta"), lines);
}

// network_setup.dta: today as yyyy.mm.dd, the new folder, three empty lines.
void write_network_setup_dta(const QString& folder, const QString& new_folder, const QString& today_text) {
  std::vector<Value> lines{Value(today_text), Value(new_folder)};
  lines.resize(2 + network_setup_blank_lines, Value(QString()));
  write_form_lines(join_win_path(folder, "network_setup.dta"), lines);
}

// The settings subfolder of one suite program, made when missing, with its
// network.dta. Throws file_error with the path that failed.
void create_folder(const QString& name, const QString& new_folder) {
  const QString folder = join_win_path(g_settings_folder, name);
  if (!platform::folder_exists(folder) && !platform::ensure_folder(folder))
    throw file_error(file_error::kind::path_not_found, folder);
  write_network_dta(folder, new_folder);
}

}  // namespace

QString new_admin_folder(const QString& old_folder) {
  const qsizetype at = old_folder.indexOf(old_part, 0, Qt::CaseInsensitive);
  if (at < 0) return {};
  return old_folder.left(at) + new_part;
}

bool is_relocated_subfolder(const QString& name) {
  return name.startsWith('L') || name.startsWith('F') || name == "FOTOS" || name == "ALUMNI";
}

relocation_outcome relocate_admin_folder(relocation_view& view) {
  const QString old_folder = g_admin_folder;
  if (old_folder.isEmpty()) return relocation_outcome::nothing_to_do;
  const QString new_folder = new_admin_folder(old_folder);
  if (new_folder.isEmpty()) {
    view.message(not_old_layout_text(old_folder));
    return relocation_outcome::not_old_layout;
  }
  if (!platform::folder_exists(old_folder)) return relocation_outcome::old_folder_missing;
  if (!platform::drive_exists(platform::drive_name(new_folder))) return relocation_outcome::new_drive_missing;

  view.show();
  if (!platform::ensure_folder(new_folder)) {
    view.message(create_failed_text(new_folder));
    return relocation_outcome::failed;
  }
  view.message(announce_text(old_folder, new_folder));
  // What copies cut off by an earlier run left in the new place goes first.
  platform::remove_partial_copies(new_folder);

  QStringList to_move;
  for (const QString& name : platform::list_folders(old_folder)) {
    if (!is_relocated_subfolder(name)) continue;
    to_move.append(name);
    view.listed(name);
  }
  // A folder passes to the moved list once it is in the new place; one that
  // fails to copy stays on the to-move list. A folder appears in the new
  // place only once its copy is complete, so one found there is whole.
  for (const QString& name : to_move) {
    const QString target = join_win_path(new_folder, name);
    if (!platform::folder_exists(target)) {
      try {
        platform::copy_folder_whole(join_win_path(old_folder, name), target);
      } catch (const file_error& e) {
        view.message(copy_failed_text(old_folder, name, new_folder, e));
        return relocation_outcome::failed;
      }
    }
    view.moved(name);
  }

  const double today = platform::today();
  const QString today_text = platform::ymd_text(today, '.');
  QString written = join_win_path(g_settings_folder, "network_setup.dta");
  try {
    write_network_setup_dta(g_settings_folder, new_folder, today_text);
    written = join_win_path(g_settings_folder, "network.dta");
    write_network_dta(g_settings_folder, new_folder);
    for (const QString& name : suite_settings_folders()) {
      if (!platform::folder_exists(join_win_path(g_program_root, name))) continue;
      written = join_win_path(join_win_path(g_settings_folder, name), "network.dta");
      create_folder(name, new_folder);
    }
  } catch (const file_error& e) {
    view.message(settings_failed_text(old_folder, written, e));
    return relocation_outcome::failed;
  }
  g_admin_folder = new_folder;

  QString bare_old = old_folder;
  while (bare_old.endsWith('\\') || bare_old.endsWith('/')) bare_old.chop(1);
  const QString renamed = bare_old + '_' + QString(today_text).remove('.');
  try {
    platform::rename_folder(bare_old, renamed);
  } catch (const file_error& e) {
    view.message(rename_failed_text(old_folder, renamed, e));
    return relocation_outcome::failed;
  }
  view.message(completed_text(old_folder, new_folder, renamed));
  return relocation_outcome::completed;
}

}  // namespace km
