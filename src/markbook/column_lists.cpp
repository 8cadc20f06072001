#include "markbook/column_lists.h"

#include "common/text_routines.h"
#include "markbook/result_row.h"

namespace km {

namespace {

const QString no_target = QStringLiteral("99");

}  // namespace

column_lists make_column_lists(const setup_rows& rows) {
  column_lists lists;
  std::array<bool, setup_row_count> totals{};
  for (int r = 1; r <= setup_row_count; ++r)
    if (const auto t = result_target(r, rows[std::size_t(r - 1)].result_row))
      totals[std::size_t(*t - 1)] = true;
  for (QStringList& member : lists.rks_list) member << QString() << QString();
  for (int r = 1; r <= setup_row_count; ++r) {
    const pboek_setup_line& line = rows[std::size_t(r - 1)];
    const auto target = result_target(r, line.result_row);
    const QString target_text = target ? QString::number(*target - 1) : no_target;
    lists.rks_list[0] << line.task_project;
    lists.rks_list[1] << line.total;
    lists.rks_list[2] << (totals[std::size_t(r - 1)] ? QStringLiteral("True") : QStringLiteral("False"));
    lists.rks_list[3] << target_text;
    lists.rks_list[4] << line.out_of;
    lists.tot_rks << target_text;
    const QString name = trim_blanks(line.task_project);
    if (!name.isEmpty()) lists.kopieer_reeks.push_back({name, r + 1});
  }
  return lists;
}

int column_lists::target_field(int column) const {
  if (column < 2 || column >= rks_list[3].size() || rks_list[3][column] == no_target) return -1;
  return rks_list[3][column].toInt() + 2;
}

bool column_lists::is_total_column(int column) const {
  return column >= 2 && column < rks_list[2].size() && rks_list[2][column] == QStringLiteral("True");
}

}  // namespace km
