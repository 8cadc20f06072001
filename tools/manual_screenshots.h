#pragma once
// The pictures of the user manuals: the program's own windows, opened on
// the sample school in a temporary drive map and walked through the steps
// a manual describes, each grabbed as an image.
//
// The windows run as in the program (the same registrations and services);
// the prompts they show on the way are answered with their default button
// or default text, so that a walk never waits for a user.

#include <QImage>
#include <QMap>
#include <QString>

namespace km {

// Every picture of one language, by name ("setup_rows", "capture_grid",
// ...). The names are those the manual texts use in their <img> elements.
// The caller has a QApplication; `source_dir` is the repository (for the
// program folder's files).
QMap<QString, QImage> take_manual_screenshots(bool afrikaans, const QString& source_dir);

}  // namespace km
