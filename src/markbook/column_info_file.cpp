#include "markbook/column_info_file.h"

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"

namespace km {

QString column_info_file_name() {
  return g_language ? QStringLiteral("kolom_info.afr") : QStringLiteral("kolom_info.eng");
}

QByteArray read_column_info(const QString& win_path) {
  if (!platform::file_exists(win_path)) return {};
  std::int16_t number = get_free_file_number(1);
  QString value;
  try {
    platform::open_file(number, win_path, platform::open_mode::input);
    if (!platform::eof(number)) value = platform::input_text(number);
    abandon_file(number);
  } catch (...) {
    abandon_file(number);
    throw;
  }
  return platform::encode_cp1252(value);
}

void write_column_info(const QString& win_path, const QByteArray& rtf) {
  QByteArray safe = rtf;
  safe.replace('"', "\\'22");
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, win_path, platform::open_mode::output);
    platform::print_line(number, QStringLiteral("\"") + platform::decode_cp1252(safe) + QStringLiteral("\""));
    close_file(number);
  } catch (...) {
    abandon_file(number);
    throw;
  }
}

}  // namespace km
