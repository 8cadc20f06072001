#include "platform/ui/printer/printer_dialog_paper.h"

#include <QPrintEngine>
#include <QStringList>

namespace km::platform {

namespace {

// Where Qt's printer dialog leaves the driver options the user set (as
// name, value, name, value ...), among them the driver's input slot.
constexpr auto driver_options_key = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QString driver_option(const QPrinter& printer, const QString& name) {
  const QPrintEngine* engine = printer.printEngine();
  if (!engine) return {};
  const QStringList options = engine->property(driver_options_key).toStringList();
  for (qsizetype i = 0; i + 1 < options.size(); i += 2)
    if (options.at(i) == name) return options.at(i + 1);
  return {};
}

}  // namespace

duplex_choice duplex_of(QPrinter::DuplexMode mode) {
  switch (mode) {
    case QPrinter::DuplexNone:
      return duplex_choice::one_sided;
    case QPrinter::DuplexAuto:
      return duplex_choice::automatic;
    case QPrinter::DuplexLongSide:
      return duplex_choice::long_edge;
    case QPrinter::DuplexShortSide:
      return duplex_choice::short_edge;
  }
  return duplex_choice::printer_default;
}

QString media_source_keyword(QPrinter::PaperSource source) {
  switch (source) {
    case QPrinter::Upper:
      return QStringLiteral("top");
    case QPrinter::Middle:
      return QStringLiteral("middle");
    case QPrinter::Lower:
      return QStringLiteral("bottom");
    case QPrinter::Manual:
      return QStringLiteral("manual");
    case QPrinter::Envelope:
      return QStringLiteral("envelope");
    case QPrinter::LargeCapacity:
      return QStringLiteral("large-capacity");
    default:
      return {};
  }
}

QString media_source_keyword(const QString& input_slot) {
  QString keyword;
  const QString name = input_slot.trimmed();
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar c = name.at(i);
    if (!c.isLetterOrNumber()) {
      if (!keyword.isEmpty() && !keyword.endsWith(u'-')) keyword += u'-';
      continue;
    }
    if (i > 0 && !keyword.isEmpty() && !keyword.endsWith(u'-')) {
      const QChar before = name.at(i - 1);
      const bool new_word = (c.isUpper() && (before.isLower() || before.isDigit())) ||
                            (c.isDigit() && before.isLetter()) || (c.isLetter() && before.isDigit());
      if (new_word) keyword += u'-';
    }
    keyword += c.toLower();
  }
  while (keyword.endsWith(u'-')) keyword.chop(1);
  return keyword;
}

paper_handling paper_handling_of(const QPrinter& printer) {
  paper_handling paper;
  paper.duplex = duplex_of(printer.duplex());
  paper.paper_source = media_source_keyword(printer.paperSource());
  if (paper.paper_source.isEmpty()) {
    const QString slot = driver_option(printer, QStringLiteral("InputSlot"));
    paper.paper_source = media_source_keyword(slot);
  }
  if (printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty())
    paper.page_ranges = printer.pageRanges().toString();
  return paper;
}

}  // namespace km::platform
