#pragma once
// The folder-browse dialog with a title and a folder selected when it
// opens, through the dialog service (the answer comes back in Windows form
// through the drive map).

#include <QString>

class QWidget;

namespace km {

// The chosen folder without a trailing "\" (a drive root "C:\" comes back
// as "C:"), or "" when the dialog was cancelled. A blank start folder lets
// the dialog start where it likes. The owner is the window the dialog
// belongs to. include_files and new_dialog_style are the platform dialog's
// options; every caller passes false and the dialog of this program always
// shows folders only.
QString browse_for_folder(QWidget* owner, const QString& start_folder, const QString& title,
                          bool include_files = false, bool new_dialog_style = false);

}  // namespace km
