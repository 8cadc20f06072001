#pragma once
// A printed page read back as text lines: the text drawings that stand on
// one y make one line, each placed at its print column (its x divided by
// the column width of its font under the fixed test metrics), so a test can
// compare whole printed lines with the lines it expects.

#include <QString>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "platform/model/print/print_types.h"
#include "platform/model/print/text_metrics.h"

namespace km::test {

inline std::vector<QString> page_lines(const platform::print_page& page) {
  const platform::fixed_text_metrics metrics;
  std::map<long, std::vector<const platform::print_op*>> rows;
  for (const platform::print_op& op : page.ops)
    if (op.what == platform::print_op::kind::text && op.angle_tenths == 0)
      rows[std::lround(op.y1)].push_back(&op);
  std::vector<QString> lines;
  for (auto& [y, ops] : rows) {
    std::sort(ops.begin(), ops.end(), [](auto* a, auto* b) { return a->x1 < b->x1; });
    QString line;
    for (const platform::print_op* op : ops) {
      const int column = int(std::lround(op->x1 / metrics.column_width(op->font)));
      if (line.size() < column) line += QString(column - line.size(), u' ');
      line = line.left(column) + op->text;
    }
    lines.push_back(line);
  }
  return lines;
}

// The line that starts with `start`; empty when none does.
inline QString line_starting(const std::vector<QString>& lines, const QString& start) {
  for (const QString& line : lines)
    if (line.startsWith(start)) return line;
  return {};
}

}  // namespace km::test
