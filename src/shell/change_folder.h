#pragma once
// The change of data folder: the window change_folder does the whole
// exchange while it loads (the folder dialog, the check for the
// export-control file, last_drive.txt and user_info.txt, the main menu's
// folder label) and then unloads itself. The menus show it modally.

#include <QString>

#include "platform/ui/form.h"

namespace km {

enum class change_folder_outcome {
  cancelled,       // no folder chosen: g_data_folder is "" and no file is written
  no_marks_files,  // the folder lacks Exp_Mrk_control.txt: told, g_data_folder keeps it, nothing written
  changed          // g_data_folder set, both files written (as far as they could be)
};

// The exchange, in the current directory. owner: the window the dialog
// and messages belong to.
change_folder_outcome change_data_folder(QWidget* owner);

// "WYSIG DATA GIDS" / "CHANGE DATA FOLDER".
QString change_folder_title();
// "Gekose gids (<folder>) bevat nie punteleêrs nie ..." / "Selected folder (<folder>) does not
// contain marks files ...".
QString no_marks_files_text(const QString& folder);

class change_folder : public platform::form {
  Q_OBJECT

 public:
  explicit change_folder(QWidget* parent = nullptr);

  void on_load() override;
  bool on_key_down(QKeyEvent* event) override;

  change_folder_outcome outcome() const { return outcome_; }

 private:
  change_folder_outcome outcome_ = change_folder_outcome::cancelled;
};

}  // namespace km
