#include "markbook/result_row.h"

#include "common/text_routines.h"

namespace km {

std::optional<int> result_target(int row, const QString& text) {
  const QString trimmed = trim_blanks(text);
  if (trimmed.isEmpty() || trimmed.size() > 2) return std::nullopt;
  for (const QChar c : trimmed)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  const int target = trimmed.toInt();
  if (target < 1 || target > setup_row_count || target == row) return std::nullopt;
  return target;
}

std::array<bool, setup_row_count> carried_into_rows(const setup_rows& rows) {
  std::array<bool, setup_row_count> carried{};
  for (int r = 1; r <= setup_row_count; ++r) {
    const pboek_setup_line& line = rows[std::size_t(r - 1)];
    if (trim_blanks(line.task_project).isEmpty()) continue;
    if (const auto target = result_target(r, line.result_row)) carried[std::size_t(*target - 1)] = true;
  }
  return carried;
}

}  // namespace km
