// Writes the column explanations of the mark-book set-up window into the
// program folder's files (resources/kolom_info.afr and .eng are made with
// it): each file holds one value between double quotes, the rich text of
// the explanations, then CR LF, in Windows-1252.
//   make_column_info <folder>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextStream>

#include "platform/cp1252.h"
#include "platform/model/rich_text/rtf_writer.h"
#include "platform/number_locale.h"

namespace {

struct explanation {
  const char16_t* title;
  const char16_t* introduction;
  const char16_t* columns[6][2];  // name, meaning
  const char16_t* closing;
};

const explanation afrikaans{
    u"DIE KOLOMME VAN DIE PUNTEBOEK OPSTELLING",
    u"Elke ry van die opstelling is een taak of projek van die punteboek: ry 1 is die eerste puntekolom van "
    u"die "
    u"boek, ry 2 die tweede, en só verder.",
    {{u"NR.",
      u"Die nommer van die ry (1 tot 40). Dit is ook die nommer wat u by VERWERK NA tik om punte na hierdie "
      u"ry te verwerk."},
     {u"TAAK/PROJEK", u"Die naam van die taak, toets of projek, soos dit bo sy puntekolom staan."},
     {u"TOTAAL", u"Die hoogste punt wat 'n leerder vir die ry kan kry."},
     {u"VERWERK NA",
      u"Die nommer van die ry waarheen die punt van hierdie ry verwerk word, byvoorbeeld 'n subtotaal "
      u"of die totaal. Laat dit leeg, of tik 0, as die punt nie verwerk word nie."},
     {u"UIT TOT",
      u"Vir 'n ry waarheen ander rye verwerk word: uit hoeveel hierdie ry in sy eie VERWERK NA-ry tel."},
     {u"SIKLUSNAAM", u"Die siklus (byvoorbeeld S1) waaraan die punt van die ry behoort; dit mag leeg bly."}},
    u"Klik VOORBEELD om 'n volledige opstelling te sien."};

const explanation english{
    u"THE COLUMNS OF THE MARK BOOK SETUP",
    u"Each row of the setup is one task or project of the mark book: row 1 is the first mark column of the "
    u"book, "
    u"row 2 the second, and so on.",
    {{u"NO.",
      u"The number of the row (1 to 40). It is also the number you type under RESULT to carry marks into "
      u"this row."},
     {u"TASK/PROJECT", u"The name of the task, test or project, as it heads its mark column."},
     {u"TOTAL", u"The highest mark a learner can get for the row."},
     {u"RESULT",
      u"The number of the row into which the mark of this row is carried, such as a sub-total or the "
      u"total. Leave it empty, or type 0, when the mark is not carried."},
     {u"OUT OF",
      u"For a row that other rows are carried into: the mark out of which this row counts in its own "
      u"RESULT row."},
     {u"CYCLE NAME", u"The cycle (for example S1) that the row's mark belongs to; it may stay empty."}},
    u"Click EXAMPLE to see a complete setup."};

QTextCharFormat format(double points, bool bold = false, bool italic = false) {
  QTextCharFormat f;
  f.setFontFamilies({QStringLiteral("Arial")});
  f.setFontPointSize(points);
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(italic);
  return f;
}

QByteArray file_of(const explanation& e) {
  QTextDocument document;
  QTextCursor c(&document);
  QTextCharFormat title = format(12, true);
  title.setForeground(QColor(0, 0, 128));
  c.insertText(QString::fromUtf16(e.title), title);
  c.insertBlock();
  c.insertText(QString::fromUtf16(e.introduction), format(10));
  QTextList* list = nullptr;
  for (const auto& column : e.columns) {
    c.insertBlock();
    if (list)
      list->add(c.block());
    else
      list = c.createList(QTextListFormat::ListDisc);
    c.insertText(QString::fromUtf16(column[0]), format(10, true));
    c.insertText(QStringLiteral("  ") + QString::fromUtf16(column[1]), format(10));
  }
  c.insertBlock();
  list->remove(c.block());
  c.insertText(QString::fromUtf16(e.closing), format(10, false, true));
  return '"' + km::platform::write_rtf(document) + "\"\r\n";
}

bool write(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  QTextStream err(stderr);
  if (argc != 2) {
    err << "usage: make_column_info <folder>\n";
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!write(folder + QStringLiteral("/kolom_info.afr"), file_of(afrikaans)) ||
      !write(folder + QStringLiteral("/kolom_info.eng"), file_of(english))) {
    err << "cannot write the explanations into " << folder << "\n";
    return 1;
  }
  return 0;
}
