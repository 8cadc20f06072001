#include "printing/export_file_dialog.h"

#include <exception>

#include "common/file_not_written.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/win_path.h"
#include "printing/print_choice_files.h"
#include "printing/print_variables.h"

namespace km {

void choose_export_file() {
  platform::file_request request;
  request.kind = g_file_dialog_mode ? platform::file_dialog_kind::open : platform::file_dialog_kind::save;
  request.title = g_file_dialog_title;
  const QString folder = g_file_dialog_folder.trimmed();
  if (!folder.isEmpty() && platform::folder_exists(folder)) request.initial_folder = g_file_dialog_folder;
  const QString filter = g_file_dialog_filter.trimmed();
  if (!filter.isEmpty()) request.filter = filter;
  request.file_name = g_file_dialog_file_name;
  g_file_dialog_cancelled = false;

  std::optional<QString> chosen;
  try {
    chosen = platform::dialogs().file_dialog(request);
  } catch (const platform::program_ended&) {
    throw;
  } catch (const std::exception&) {
    // A dialog that could not be shown chose nothing: the caller must not
    // take the incoming values for the user's choice.
    chosen.reset();
  }
  if (!chosen) {
    g_file_dialog_cancelled = true;
    return;
  }

  QString chosen_folder = platform::parent_folder_name(*chosen);
  if (chosen_folder.endsWith(u'\\')) chosen_folder.chop(1);
  g_file_dialog_folder = chosen_folder;
  g_file_dialog_file_name =
      chosen_folder.isEmpty() ? *chosen : QString(*chosen).remove(chosen_folder + u'\\', Qt::CaseSensitive);
}

bool ask_export_file(const QString& folder_file, const QString& title, const QString& proposed_name) {
  const QString remembered = read_last_folder(folder_file);
  g_file_dialog_title = title;
  g_file_dialog_folder =
      !remembered.trimmed().isEmpty() && platform::folder_exists(remembered) ? remembered : QString();
  g_file_dialog_mode = false;
  g_file_dialog_file_name = proposed_name;
  g_file_dialog_filter.clear();
  choose_export_file();
  if (g_file_dialog_cancelled) return false;
  if (!write_last_folder(folder_file, g_file_dialog_folder)) report_file_not_written(folder_file);
  return true;
}

}  // namespace km
