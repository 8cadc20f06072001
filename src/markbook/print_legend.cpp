#include "markbook/print_legend.h"

#include "common/shared_variables.h"
#include "common/text_routines.h"

namespace km {

QStringList legend_entries(const setup_rows& rows) {
  const QString letter = g_language ? QStringLiteral("P") : QStringLiteral("M");
  QStringList entries;
  for (int r = 1; r <= setup_row_count; ++r) {
    const QString name = trim_blanks(rows[std::size_t(r - 1)].task_project);
    if (!name.isEmpty()) entries << letter + QString::number(r) + QStringLiteral(" ") + name;
  }
  return entries;
}

QStringList legend_lines(const setup_rows& rows, int entry_width) {
  QStringList lines;
  QString line;
  int on_line = 0;
  for (const QString& entry : legend_entries(rows)) {
    line += left_justify(platform::Value(entry), entry_width);
    if (++on_line == 4) {
      lines << line;
      line.clear();
      on_line = 0;
    }
  }
  if (on_line > 0) lines << line;
  return lines;
}

}  // namespace km
