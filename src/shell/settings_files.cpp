#include "shell/settings_files.h"

#include "common/file_not_written.h"
#include "common/file_number_pool.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "platform/value.h"

namespace km {

QString print_number_text(float x) {
  QString text = platform::single_text(x);
  const bool negative = text.startsWith(u'-');
  if (negative) text.remove(0, 1);
  if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);
  return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + text + u' ';
}

bool write_text_lines(const QString& win_path, const QStringList& lines) {
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, win_path, platform::open_mode::output);
    for (const QString& line : lines) platform::print_line(number, line);
    // The new text takes the old file's place only here, when the number
    // is closed.
    close_file(number);
    return true;
  } catch (const platform::file_error&) {
    abandon_file(number);  // a text that failed part way never replaces the file
    return false;
  }
}

bool write_text_lines_or_report(const QString& win_path, const QStringList& lines) {
  if (write_text_lines(win_path, lines)) return true;
  report_file_not_written(win_path);
  return false;
}

}  // namespace km
