#pragma once
// What the work windows of this process hold open: a mark book in the
// mark-book capture window, or a subject combination in a cycle or
// outcomes-based capture window (which rewrite both of its marks tables).
// Another window refuses to change what is listed here. A folder is
// compared as the platform compares paths (letter case and a trailing "\"
// do not matter).
#include <QString>

namespace km {

enum class open_kind { mark_book, combination };

void register_open(open_kind kind, const QString& data_folder, int n);
void unregister_open(open_kind kind, const QString& data_folder, int n);
bool is_open(open_kind kind, const QString& data_folder, int n);

// "HIERDIE VAK IS REEDS OOP IN 'N ANDER VENSTER ... SLUIT DIT EERS !" in
// the chosen language.
QString combination_open_message();

}  // namespace km
