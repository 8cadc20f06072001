#pragma once
// Paths of files in a folder, built as the program builds them everywhere:
// folder & "\" & name. An empty folder gives "\name", a file at the root of
// the current drive; a folder that ends in "\" gives a doubled "\", which
// the path layer collapses.

#include <QString>

namespace km {

inline QString file_in_folder(const QString& folder, const QString& name) { return folder + u'\\' + name; }

}  // namespace km
