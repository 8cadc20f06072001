// Writes the empty mark-book template mrk_book.org that the program folder
// holds (resources/mrk_book.org is made with it):
//   make_mrk_book_template <path of mrk_book.org>
#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>

#include "markbook/marks_dbf_record.h"
#include "platform/number_locale.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  QTextStream err(stderr);
  if (argc != 2) {
    err << "usage: make_mrk_book_template <path of mrk_book.org>\n";
    return 2;
  }
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  const QByteArray bytes = km::mark_book_template_bytes();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.commit()) {
    err << "cannot write " << file.fileName() << ": " << file.errorString() << "\n";
    return 1;
  }
  return 0;
}
