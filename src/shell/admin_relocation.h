#pragma once
// The one-off move of the school's shared administration folder from its
// old place (a path holding "\NW_ADMIN") to the new layout ("\OSKAVEN\ADMIN"
// in place of that part): the subfolders whose names begin with "L" or "F",
// and "FOTOS" and "ALUMNI", are copied across, the new folder is recorded
// in network_setup.dta and network.dta, and the old folder is given a dated
// name. The window that runs it only shows the progress.

#include <QString>

namespace km {

// What the window does while the relocation runs.
class relocation_view {
 public:
  virtual ~relocation_view() = default;
  // The relocation will go ahead: the window appears.
  virtual void show() {}
  // A message with the critical icon; returns when the user has answered.
  virtual void message(const QString& text) = 0;
  // A folder to move is added to the to-move list.
  virtual void listed(const QString& folder) { (void)folder; }
  // A folder leaves the to-move list for the moved list.
  virtual void moved(const QString& folder) { (void)folder; }
};

enum class relocation_outcome {
  nothing_to_do,       // no administration folder is set
  not_old_layout,      // its path holds no "\NW_ADMIN": a message, nothing changed
  old_folder_missing,  // the old folder is not there: nothing changed, no message
  new_drive_missing,   // the new folder's drive is not there: nothing changed, no message
  failed,              // a step failed and was reported; the old folder keeps its name
  completed
};

// The new place of an administration folder: the part before the first
// "\NW_ADMIN" (letter case not counted), then "\OSKAVEN\ADMIN"; "" when the
// path holds no "\NW_ADMIN".
QString new_admin_folder(const QString& old_folder);

// True for a subfolder that moves: a name beginning with "L" or "F", or
// "FOTOS" or "ALUMNI".
bool is_relocated_subfolder(const QString& name);

// Runs the relocation of g_admin_folder. On success g_admin_folder names
// the new folder. When a copy fails, nothing after the copies happens: the
// network files stay as they were and the old folder keeps its name.
relocation_outcome relocate_admin_folder(relocation_view& view);

}  // namespace km
