#pragma once
// The status labels of the menus and work windows (date, time, the system's
// name and the published version) and the audit-trail record that every
// window's load leaves behind.

#include <QColor>
#include <QString>

#include "platform/ui/form.h"

namespace km {

// The background of the panels holding the status labels and the exit
// button: the colour of inactive title bars.
QColor status_panel_colour();

// Places, colours and fills the window's status labels (ops_datum,
// ops_tyd, prg_version, internet_version; a window need not carry them all),
// gives their panels and the exit button's panel the panel colour, turns
// key preview on, adds an internet_version label next to prg_version when
// the window has none, and appends the window's record to the audit trail.
// Returns the text of prg_version (a blank, then the system's name in
// brackets). Nothing here ends the program or throws: a step that fails is
// skipped.
QString show_status_labels(platform::form& window);

// The heading of a work window, once its texts are set: the data folder in
// dir_disp, the school's name in ops_ops1 (the window's caption for the
// maker's test school), and the status labels with the version text in
// prg_version (show_status_labels).
void show_window_heading(platform::form& window);

}  // namespace km
