// The old binary workbook (.xls): the compound file opened by our own
// reader, its workbook stream read as BIFF8 (or BIFF5) records. The 8-bit
// texts of BIFF5 are read as Windows-1252, the character set of every file
// of this system.
#include <QFile>

#include "platform/cp1252.h"
#include "platform/learner_workbook_parts.h"
#include "platform/xls/compound_file.h"
#include "platform/xls/sheet_cells.h"

namespace km::platform {

namespace {

constexpr qint64 largest_workbook = 256LL * 1024 * 1024;  // no learner list is that large

Value cell_value(const xls::sheet_cell& cell) {
  switch (cell.what) {
    case xls::sheet_cell::kind::number:
      return Value(cell.number);
    case xls::sheet_cell::kind::boolean:
      return Value(cell.number != 0);
    case xls::sheet_cell::kind::text:
      if (cell.eight_bit) {
        QByteArray bytes;
        for (const char16_t unit : cell.text) bytes.append(char(unit));
        return Value(decode_cp1252(bytes));
      }
      return Value(QString::fromUtf16(cell.text.data(), qsizetype(cell.text.size())));
    case xls::sheet_cell::kind::unreadable:
      return Value::null();
    case xls::sheet_cell::kind::empty:
      break;
  }
  return Value();
}

}  // namespace

std::optional<std::vector<learner_cells>> read_xls_learners(const QString& native_path) {
  QFile file(native_path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > largest_workbook) return std::nullopt;
  const QByteArray data = file.readAll();
  if (data.size() != file.size()) return std::nullopt;
  const auto compound = xls::compound_file::open(
      xls::bytes(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())));
  if (!compound) return std::nullopt;
  // Excel 97 and later keep the records in "Workbook", Excel 5 and 95 in "Book".
  auto stream = compound->stream(u"Workbook");
  if (!stream) stream = compound->stream(u"Book");
  if (!stream) return std::nullopt;
  const auto sheet = xls::first_sheet_columns(*stream);
  if (!sheet) return std::nullopt;
  std::vector<learner_cells> rows;
  for (std::size_t r = 1; r < sheet->size(); ++r)
    rows.push_back({cell_value((*sheet)[r][0]), cell_value((*sheet)[r][1])});
  return rows;
}

}  // namespace km::platform
