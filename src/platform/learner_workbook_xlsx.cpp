// The zip container of an .xlsx workbook, read with minizip: the first
// sheet named in xl/workbook.xml, found through the workbook's
// relationships, its cells of columns A and B placed by their references,
// shared strings with their rich-text runs joined.
#include <minizip/unzip.h>

#include <QFile>
#include <QXmlStreamReader>
#include <map>
#include <memory>

#include "platform/learner_workbook_parts.h"

namespace km::platform {

namespace {

// The container, closed when it goes.
struct zip_closer {
  void operator()(void* zip) const { unzClose(zip); }
};
using zip_file = std::unique_ptr<void, zip_closer>;

// A part of the container by its name, matched without regard to case;
// nullopt when it is missing or does not unpack whole.
std::optional<QByteArray> part(const zip_file& zip, const QString& name) {
  if (unzLocateFile(zip.get(), name.toUtf8().constData(), 2) != UNZ_OK) return std::nullopt;
  unz_file_info64 info;
  if (unzGetCurrentFileInfo64(zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
    return std::nullopt;
  if (info.uncompressed_size > 256u * 1024 * 1024) return std::nullopt;  // no learner list is that large
  if (unzOpenCurrentFile(zip.get()) != UNZ_OK) return std::nullopt;
  QByteArray data(qsizetype(info.uncompressed_size), Qt::Uninitialized);
  const int read = data.isEmpty() ? 0 : unzReadCurrentFile(zip.get(), data.data(), unsigned(data.size()));
  const int closed = unzCloseCurrentFile(zip.get());  // checks the CRC of what was read
  if (read != data.size() || closed != UNZ_OK) return std::nullopt;
  return data;
}

// The relationship id of the first sheet of the workbook.
QString first_sheet_id(const QByteArray& workbook) {
  QXmlStreamReader xml(workbook);
  while (xml.readNextStartElement() || !xml.atEnd()) {
    if (xml.isStartElement() && xml.name() == u"sheet") {
      for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == u"id") return a.value().toString();
      return {};
    }
    if (!xml.isStartElement()) xml.readNext();
  }
  return {};
}

// The part a relationship of the workbook points at.
QString sheet_part(const QByteArray& rels, const QString& id) {
  QXmlStreamReader xml(rels);
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement() || xml.name() != u"Relationship") continue;
    if (xml.attributes().value(QLatin1String("Id")) != id) continue;
    const QString target = xml.attributes().value(QLatin1String("Target")).toString();
    return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
  }
  return {};
}

// The text of the element the reader stands on, with every <t> inside it
// joined (phonetic runs left out).
QString joined_text(QXmlStreamReader& xml) {
  const QString element = xml.name().toString();
  QString text;
  int phonetic = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      if (xml.name() == u"rPh") ++phonetic;
      if (xml.name() == u"t" && phonetic == 0) text += xml.readElementText();
    } else if (xml.isEndElement()) {
      if (xml.name() == u"rPh") --phonetic;
      if (xml.name() == element) break;
    }
  }
  return text;
}

QStringList shared_strings(const QByteArray& data) {
  QStringList strings;
  QXmlStreamReader xml(data);
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"si") strings << joined_text(xml);
  }
  return strings;
}

// Column (0 for A) and row (from 1) of a reference such as "B12".
std::pair<int, int> cell_place(const QString& ref) {
  int column = 0;
  qsizetype i = 0;
  while (i < ref.size() && ref[i].isLetter())
    column = column * 26 + (ref[i++].toUpper().unicode() - u'A' + 1);
  return {column - 1, ref.mid(i).toInt()};
}

Value cell_value(QXmlStreamReader& xml, const QString& type, const QStringList& strings) {
  QString raw;
  bool inline_text = false;
  bool formula = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"f")
      formula = true;
    else if (xml.isStartElement() && xml.name() == u"v")
      raw = xml.readElementText();
    else if (xml.isStartElement() && xml.name() == u"is") {
      raw = joined_text(xml);
      inline_text = true;
    } else if (xml.isEndElement() && xml.name() == u"c")
      break;
  }
  // An error value, or a formula saved without its result (as some
  // writers do, with no <v> or an empty one), has no value to give.
  if (type == u"e" || (formula && raw.isEmpty() && type != u"str")) return Value::null();
  if (inline_text || type == u"inlineStr" || type == u"str") return Value(raw);
  if (raw.isEmpty()) return Value();
  if (type == u"s") return Value(strings.value(raw.toInt()));
  if (type == u"b") return Value(raw == u"1");
  bool ok = false;
  const double number = raw.toDouble(&ok);
  return ok ? Value(number) : Value(raw);
}

}  // namespace

std::optional<std::vector<learner_cells>> read_xlsx_learners(const QString& native_path) {
  const zip_file zip(unzOpen64(QFile::encodeName(native_path).constData()));
  if (!zip) return std::nullopt;
  const std::optional<QByteArray> workbook = part(zip, QStringLiteral("xl/workbook.xml"));
  const std::optional<QByteArray> rels = part(zip, QStringLiteral("xl/_rels/workbook.xml.rels"));
  if (!workbook || !rels) return std::nullopt;
  const QString sheet_name = sheet_part(*rels, first_sheet_id(*workbook));
  const std::optional<QByteArray> sheet = sheet_name.isEmpty() ? std::nullopt : part(zip, sheet_name);
  if (!sheet) return std::nullopt;
  const std::optional<QByteArray> shared = part(zip, QStringLiteral("xl/sharedStrings.xml"));
  const QStringList strings = shared ? shared_strings(*shared) : QStringList();

  std::map<int, learner_cells> cells;  // by row
  QXmlStreamReader xml(*sheet);
  int row = 0;
  int next_column = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"row") {
      const QStringView r = xml.attributes().value(QLatin1String("r"));
      row = r.isEmpty() ? row + 1 : r.toInt();
      next_column = 0;
    } else if (xml.name() == u"c") {
      const QString ref = xml.attributes().value(QLatin1String("r")).toString();
      const QString type = xml.attributes().value(QLatin1String("t")).toString();
      auto [column, cell_row] = ref.isEmpty() ? std::pair(next_column, row) : cell_place(ref);
      next_column = column + 1;
      const Value v = cell_value(xml, type, strings);
      if (cell_row < 2 || column > 1) continue;
      (column == 0 ? cells[cell_row].a : cells[cell_row].b) = v;
    }
  }
  if (xml.hasError()) return std::nullopt;
  std::vector<learner_cells> rows;
  const int last = cells.empty() ? 1 : cells.rbegin()->first;
  for (int r = 2; r <= last; ++r) {
    const auto it = cells.find(r);
    rows.push_back(it == cells.end() ? learner_cells{} : it->second);
  }
  return rows;
}

}  // namespace km::platform
