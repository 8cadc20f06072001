#include "markbook/setup_file.h"

#include "common/file_number_pool.h"
#include "platform/numbered_files.h"

namespace km {

namespace {

// A value of the set-up file is the cell text between two double quotes.
QString quoted(const QString& text) { return QStringLiteral("\"") + text + QStringLiteral("\""); }

}  // namespace

void write_setup_file(const QString& win_path, const setup_rows& rows) {
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, win_path, platform::open_mode::output);
    for (const pboek_setup_line& row : rows)
      for (int column = 1; column <= setup_column_count; ++column)
        platform::print_line(number, quoted(row.cell(column)));
    close_file(number);
  } catch (...) {
    abandon_file(number);
    throw;
  }
}

setup_file_read read_setup_file(const QString& win_path) {
  setup_file_read read;
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, win_path, platform::open_mode::input);
    read.complete = true;
    for (pboek_setup_line& row : read.rows) {
      for (int column = 1; column <= setup_column_count; ++column) {
        if (platform::eof(number)) {
          read.complete = false;
          break;
        }
        row.cell(column) = platform::input_text(number);
      }
      if (!read.complete) break;
    }
    close_file(number);
  } catch (...) {
    abandon_file(number);
    throw;
  }
  return read;
}

}  // namespace km
