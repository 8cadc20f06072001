#pragma once
// The mark books that a capture window has open in this process. The set-up
// window refuses to save, update, insert or delete on a book listed here,
// because those steps add, delete or shift the records under the capture
// window's grid.
#include <QString>

namespace km {

void register_open_book(const QString& data_folder, int n);
void unregister_open_book(const QString& data_folder, int n);
// The folder is compared as the platform compares paths (letter case and a
// trailing "\" do not matter).
bool is_book_open(const QString& data_folder, int n);

// "PUNTEBOEK IS OOP IN 'PUNTEBOEK INLEES' ... SLUIT DIT EERS" in the chosen
// language.
QString book_open_message();

}  // namespace km
