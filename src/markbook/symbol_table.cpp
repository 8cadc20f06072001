#include "markbook/symbol_table.h"

#include <cstring>

#include "common/file_number_pool.h"
#include "common/text_routines.h"
#include "markbook/book_table.h"
#include "platform/cp1252.h"
#include "platform/dbase/data_control.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/win_path.h"

namespace km {

namespace {

constexpr int pi2_record_length = 10;

QString cleaned(const platform::Value& value) { return trim_blanks(clean_field_value(value)); }

void add_symbol(std::vector<symbol_range>& symbols, const symbol_range& s) {
  if (!s.symbol.isEmpty()) symbols.push_back(s);
}

std::vector<symbol_range> read_symbol_dbf(const QString& data_folder) {
  std::vector<symbol_range> symbols;
  platform::data_control table;
  if (open_book_table(table, data_folder, QStringLiteral("pi2_dta.dbf"), true).state != table_state::open)
    return symbols;
  platform::recordset& rs = table.recordset();
  const int symbol = rs.field_index(QStringLiteral("pi2_simbl"));
  const int lower = rs.field_index(QStringLiteral("pi2_grns_o"));
  const int upper = rs.field_index(QStringLiteral("pi2_grns_b"));
  if (symbol < 0 || lower < 0 || upper < 0) return symbols;
  for (qint64 p = 0; p < rs.record_count(); ++p)
    add_symbol(symbols, {cleaned(rs.value_at(p, symbol)), cleaned(rs.value_at(p, lower)),
                         cleaned(rs.value_at(p, upper))});
  return symbols;
}

float single_at(const QByteArray& record, int offset) {
  float v = 0;
  std::memcpy(&v, record.constData() + offset, sizeof v);  // little-endian, as the file is written
  return v;
}

std::vector<symbol_range> read_symbol_records(const QString& path) {
  std::vector<symbol_range> symbols;
  std::int16_t number = get_free_file_number(0);
  try {
    platform::open_file(number, path, platform::open_mode::binary);
    const qint64 count = platform::lof(number) / pi2_record_length;
    for (qint64 k = 0; k < count; ++k) {
      const QByteArray record = platform::get_bytes(number, k * pi2_record_length + 1, pi2_record_length);
      add_symbol(symbols, {trim_blanks(platform::decode_cp1252(record.left(2))),
                           cleaned(platform::Value(single_at(record, 6))),
                           cleaned(platform::Value(single_at(record, 2)))});
    }
    close_file(number);
  } catch (const platform::file_error&) {
    abandon_file(number);
    symbols.clear();
  }
  return symbols;
}

}  // namespace

std::vector<symbol_range> read_symbol_table(const QString& data_folder) {
  if (platform::file_exists(platform::join_win_path(data_folder, QStringLiteral("pi2_dta.dbf"))))
    return read_symbol_dbf(data_folder);
  const QString records = platform::join_win_path(data_folder, QStringLiteral("pi2_random.txt"));
  if (platform::file_exists(records)) return read_symbol_records(records);
  return {};
}

}  // namespace km
