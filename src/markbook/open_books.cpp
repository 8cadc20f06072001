#include "markbook/open_books.h"

#include "common/language_text.h"
#include "common/open_combinations.h"

namespace km {

void register_open_book(const QString& data_folder, int n) {
  register_open(open_kind::mark_book, data_folder, n);
}

void unregister_open_book(const QString& data_folder, int n) {
  unregister_open(open_kind::mark_book, data_folder, n);
}

bool is_book_open(const QString& data_folder, int n) { return is_open(open_kind::mark_book, data_folder, n); }

QString book_open_message() {
  return in_language(u"PUNTEBOEK IS OOP IN 'PUNTEBOEK INLEES' ... SLUIT DIT EERS",
                     u"MARK BOOK IS OPEN IN 'MARK BOOK INPUT' ... CLOSE IT FIRST");
}

}  // namespace km
