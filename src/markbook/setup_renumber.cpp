#include "markbook/setup_renumber.h"

#include <algorithm>

#include "common/text_routines.h"
#include "markbook/result_row.h"

namespace km {

namespace {

bool named(const pboek_setup_line& line) { return !trim_blanks(line.task_project).isEmpty(); }

// The result row as a number, or 0 when it names no row of the set-up.
int target_of(const pboek_setup_line& line) {
  const QString trimmed = trim_blanks(line.result_row);
  bool ok = false;
  const int value = trimmed.toInt(&ok);
  return ok && value >= 1 && value <= setup_row_count ? value : 0;
}

}  // namespace

void insert_setup_row(setup_rows& rows, int line) {
  if (line < 1 || line > setup_row_count) return;
  for (pboek_setup_line& row : rows) {
    const int target = target_of(row);
    if (named(row) && target >= line) row.result_row = QString::number(target + 1);
  }
  std::move_backward(rows.begin() + (line - 1), rows.end() - 1, rows.end());
  rows[std::size_t(line - 1)] = pboek_setup_line{};
}

void delete_setup_row(setup_rows& rows, int row) {
  if (row < 1 || row > setup_row_count) return;
  std::move(rows.begin() + row, rows.end(), rows.begin() + (row - 1));
  rows.back() = pboek_setup_line{};
  for (pboek_setup_line& line : rows) {
    const int target = target_of(line);
    if (target == row)
      line.result_row.clear();
    else if (target > row)
      line.result_row = QString::number(target - 1);
  }
}

bool setup_row_40_named(const setup_rows& rows) { return named(rows.back()); }

}  // namespace km
