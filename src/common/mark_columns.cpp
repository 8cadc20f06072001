#include "common/mark_columns.h"

#include <QRegularExpression>
#include <algorithm>

#include "common/mark_text.h"
#include "common/text_routines.h"
#include "platform/value.h"

namespace km {

std::vector<std::optional<QString>> scale_marks(const std::vector<std::optional<QString>>& marks,
                                                double total, double current_average, double new_average) {
  std::vector<std::optional<QString>> scaled = marks;
  for (std::optional<QString>& mark : scaled) {
    if (!mark || is_uncounted_mark(*mark)) continue;
    double percent = platform::val(*mark) / total * 100 - current_average + new_average;
    percent = std::min(std::max(percent, 0.0), 100.0);
    mark = mark_text(percent * total / 100);
  }
  return scaled;
}

QStringList pasted_values(const QString& clipboard, int learners) {
  static const QRegularExpression line_end(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = clipboard.split(line_end);
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // a final line end
  QStringList values;
  for (const QString& line : lines) {
    if (values.size() >= learners) break;
    values << trim_blanks(line.section(QLatin1Char('\t'), 0, 0));
  }
  return values;
}

QStringList pasted_marks(const QString& clipboard, int learners) {
  QStringList marks;
  for (const QString& cell : pasted_values(clipboard, learners)) {
    if (cell.isEmpty())
      marks << QString();
    else if (cell == QStringLiteral("A") || cell == QStringLiteral("a"))
      marks << cell;
    else
      marks << mark_text(platform::val(cell));
  }
  return marks;
}

std::vector<int> merit_positions(const QStringList& marks) {
  std::vector<int> order(std::size_t(marks.size()));
  for (int i = 0; i < int(order.size()); ++i) order[std::size_t(i)] = i;
  const auto counted_end =
      std::stable_partition(order.begin(), order.end(), [&](int i) { return !is_uncounted_mark(marks[i]); });
  std::stable_sort(order.begin(), counted_end,
                   [&](int a, int b) { return platform::val(marks[a]) > platform::val(marks[b]); });
  return order;
}

}  // namespace km
