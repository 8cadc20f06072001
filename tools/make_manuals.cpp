// Writes the program's user manuals: the texts of docs/manuals/ with
// pictures of the program's own windows, taken on the sample school, as the
// PDF files the sub-menus' help buttons open from the program folder.
//   make_manuals --source <repository> --out <folder> [--pictures <folder>]
// --pictures also keeps each picture as a PNG file, to look at.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "platform/number_locale.h"
#include "tools/manual_document.h"
#include "tools/manual_screenshots.h"

namespace {

struct manual {
  const char* text;  // docs/manuals/<text>.<language>.html
  bool afrikaans;
  const char* pdf;  // the file name the sub-menu opens
  const char* title;
};

// The names the two sub-menus open.
const manual manuals[] = {
    {"markbook", true, "m_punteboek.pdf", "KORVA-MARKS: PUNTEBOEK"},
    {"markbook", false, "m_markbook.pdf", "KORVA-MARKS: MARK BOOK"},
    {"marks", true, "m_marks_afr.pdf", "KORVA-MARKS: SIKLUS- EN UGO-PUNTE"},
    {"marks", false, "m_marks_eng.pdf", "KORVA-MARKS: CYCLE AND OBE MARKS"},
};

QString read_text(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  km::platform::use_c_number_locale();
  QCommandLineParser options;
  options.addOption({QStringLiteral("source"), QStringLiteral("The repository."), QStringLiteral("folder")});
  options.addOption(
      {QStringLiteral("out"), QStringLiteral("Where the PDF files go."), QStringLiteral("folder")});
  options.addOption(
      {QStringLiteral("pictures"), QStringLiteral("Also keep the pictures here."), QStringLiteral("folder")});
  options.addHelpOption();
  options.process(app);
  const QString source = options.value(QStringLiteral("source"));
  const QString out = options.value(QStringLiteral("out"));
  if (source.isEmpty() || out.isEmpty()) options.showHelp(2);
  QDir().mkpath(out);

  for (const bool afrikaans : {true, false}) {
    const QMap<QString, QImage> pictures = km::take_manual_screenshots(afrikaans, source);
    const QString language = afrikaans ? QStringLiteral("af") : QStringLiteral("en");
    if (options.isSet(QStringLiteral("pictures"))) {
      const QString folder = options.value(QStringLiteral("pictures")) + "/" + language;
      QDir().mkpath(folder);
      for (auto it = pictures.begin(); it != pictures.end(); ++it)
        it.value().save(folder + "/" + it.key() + ".png");
    }
    for (const manual& m : manuals) {
      if (m.afrikaans != afrikaans) continue;
      const QString text_path = source + "/docs/manuals/" + m.text + "." + language + ".html";
      const QString html = read_text(text_path);
      if (html.isEmpty()) {
        std::fprintf(stderr, "make_manuals: %s cannot be read\n", qPrintable(text_path));
        return 1;
      }
      if (!km::write_manual_pdf(html, pictures, QString::fromUtf8(m.title), out + "/" + m.pdf)) {
        std::fprintf(stderr, "make_manuals: %s/%s was not written\n", qPrintable(out), m.pdf);
        return 1;
      }
    }
  }
  return 0;
}
