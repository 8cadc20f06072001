#include "shell/change_folder.h"

#include <QLabel>

#include "common/file_not_written.h"
#include "common/idle_clock.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "shell/browse_for_folder.h"
#include "shell/settings_files.h"
#include "shell/user_info.h"

namespace km {

namespace {

const QString last_drive_file_name = QStringLiteral("last_drive.txt");

// The main menu shows the accepted folder in Afrikaans upper case.
void show_folder_on_main_menu(const QString& folder) {
  if (platform::form* menu = platform::find_form(QStringLiteral("punte_mnu")))
    if (auto* label = menu->control<QLabel>(QStringLiteral("dir_disp")))
      label->setText(upper_case_afrikaans(folder));
}

}  // namespace

QString change_folder_title() {
  return g_language ? QStringLiteral("WYSIG DATA GIDS") : QStringLiteral("CHANGE DATA FOLDER");
}

QString no_marks_files_text(const QString& folder) {
  return g_language
             ? QStringLiteral("Gekose gids (") + folder + QStringLiteral(") bevat nie punteleêrs nie ...")
             : QStringLiteral("Selected folder (") + folder +
                   QStringLiteral(") does not contain marks files ...");
}

change_folder_outcome change_data_folder(QWidget* owner) {
  QString start_folder;
  if (const auto info = read_user_info(); info && info->data_folder) start_folder = *info->data_folder;
  // Without a remembered folder the dialog opens on the current one.
  if (start_folder.trimmed().isEmpty()) start_folder = g_data_folder;

  g_data_folder = browse_for_folder(owner, start_folder, change_folder_title(), false, false);
  if (g_data_folder.trimmed().isEmpty()) return change_folder_outcome::cancelled;

  if (!platform::file_exists(platform::join_win_path(g_data_folder, QStringLiteral("Exp_Mrk_control.txt")))) {
    platform::message_box(no_marks_files_text(g_data_folder), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
    return change_folder_outcome::no_marks_files;
  }

  user_info_values values;  // the two list settings start at 1
  write_text_lines_or_report(last_drive_file_name, {platform::drive_name(g_data_folder)});
  if (const auto info = read_user_info()) {
    if (info->effort_key_list) values.effort_key_list = *info->effort_key_list;
    if (info->formative_list) values.formative_list = *info->formative_list;
  }
  values.data_folder = g_data_folder;
  if (!write_user_info(values)) report_file_not_written(user_info_file_name);
  show_folder_on_main_menu(g_data_folder);
  return change_folder_outcome::changed;
}

change_folder::change_folder(QWidget* parent) : platform::form(QStringLiteral("change_folder"), parent) {
  set_caption(QStringLiteral("Form1"));
  resize(240, 120);
}

void change_folder::on_load() {
  centre_form(*this);
  outcome_ = change_data_folder(this);
  // The window has nothing to offer once the exchange is over, also after
  // the message about a folder without marks files.
  platform::unload_form(this);
}

bool change_folder::on_key_down(QKeyEvent*) {
  reset_idle_clock();
  return false;
}

}  // namespace km
