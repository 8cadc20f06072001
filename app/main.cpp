// The program: wires the windows and hooks of every part together, loads the
// start-up window and runs until a menu ends the program.
#include <QApplication>

#include "common/record_file_hooks.h"
#include "common/record_lock.h"
#include "common/shared_variables.h"
#include "datafiles/datafile_services.h"
#include "markbook/markbook_windows.h"
#include "marks/marks_windows.h"
#include "platform/dialog_language.h"
#include "platform/drive_map.h"
#include "platform/file_error.h"
#include "platform/heap_settings.h"
#include "platform/number_locale.h"
#include "platform/program.h"
#include "platform/program_location.h"
#include "platform/ui/guarded_application.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "printing/printing_windows.h"
#include "shell/frm_message.h"
#include "shell/menu_windows.h"
#include "shell/side_windows.h"
#include "shell/startup.h"

namespace {

void register_windows() {
  km::register_frm_message();
  km::register_startup_windows();
  km::register_menu_windows();
  km::register_side_windows();
  km::register_printing_windows();
  km::register_markbook_windows();
  km::register_marks_windows();
}

void install_hooks() {
  km::install_record_file_hooks();
  // The builds of record files from older tables and text files, in place
  // before the splash asks for the school record.
  km::set_data_file_services(&km::program_datafile_services());
  km::install_record_lock_hook();
}

// A program started from its shortcut runs in its own folder.
void start_in_program_folder() {
  const QString folder = km::platform::parent_folder_name(km::platform::program_file_path());
  try {
    if (!folder.isEmpty()) km::platform::set_current_directory(folder);
  } catch (const km::platform::file_error&) {
    // The program's folder is not there: the start goes on from C:\.
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  km::platform::use_steady_heap();
  // A failure no window caught is shown and the program goes on.
  km::platform::guarded_application app(argc, argv);
  // The application object took the locale of the environment; numbers are
  // read and written with "." on every machine.
  km::platform::use_c_number_locale();
  QApplication::setApplicationName(QStringLiteral("korva-marks"));
  // The program ends only through its menus, never when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);

  km::platform::use_qt_dialogs();
  // The dialogs' buttons and messages speak the language the user chose.
  km::platform::set_dialog_language_source([] {
    return km::g_language ? km::platform::dialog_language::afrikaans : km::platform::dialog_language::english;
  });
  register_windows();
  install_hooks();
  start_in_program_folder();

  try {
    if (!km::platform::load_form(QStringLiteral("startup"))) return 1;
    const int code = QApplication::exec();
    if (km::platform::program_has_ended()) return 0;
    return code;
  } catch (const km::platform::program_ended&) {
    return 0;
  }
}
