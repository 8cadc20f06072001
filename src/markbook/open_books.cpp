#include "markbook/open_books.h"

#include <QStringList>

#include "common/language_text.h"
#include "markbook/marks_dbf_record.h"
#include "platform/name_case.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km {

namespace {

QStringList& open_books() {
  static QStringList books;
  return books;
}

const platform::reset_step no_open_books_at_reset{platform::reset_stage::values,
                                                  [] { open_books().clear(); }};

// The book's table as one comparable name.
QString book_key(const QString& data_folder, int n) {
  return platform::fold_name_case(
      platform::full_win_path(platform::join_win_path(data_folder, marks_table_file(n))));
}

}  // namespace

void register_open_book(const QString& data_folder, int n) { open_books().append(book_key(data_folder, n)); }

void unregister_open_book(const QString& data_folder, int n) {
  open_books().removeOne(book_key(data_folder, n));
}

bool is_book_open(const QString& data_folder, int n) {
  return open_books().contains(book_key(data_folder, n));
}

QString book_open_message() {
  return in_language(u"PUNTEBOEK IS OOP IN 'PUNTEBOEK INLEES' ... SLUIT DIT EERS",
                     u"MARK BOOK IS OPEN IN 'MARK BOOK INPUT' ... CLOSE IT FIRST");
}

}  // namespace km
