// The clip text of a grid selection: cells joined by tabs, rows by
// carriage returns. Text put into a selection may come from any program,
// so its lines may end in CR LF, CR or LF alike.

#include <QStringList>
#include <algorithm>

#include "platform/model/grid/flex_grid.h"
#include "platform/model/grid/flex_grid_cell_format.h"

namespace km::platform {

namespace {

// The lines of a text; a line end after the last line starts no new line.
QStringList split_lines(const QString& text) {
  QStringList lines;
  QString line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text.at(i);
    if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
      lines.push_back(line);
      line.clear();
      if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ++i;
    } else {
      line.append(ch);
    }
  }
  if (!line.isEmpty() || lines.isEmpty()) lines.push_back(line);
  return lines;
}

}  // namespace

QString flex_grid::clip() const {
  if (rows() == 0 || cols() == 0) return QString();
  const grid_range sel = selection();
  QStringList lines;
  for (int r = sel.row; r < sel.row + sel.rows && r < rows(); ++r) {
    QStringList cells;
    for (int c = sel.col; c < sel.col + sel.cols && c < cols(); ++c) cells.push_back(rows_[r].cells[c].text);
    lines.push_back(cells.join(QLatin1Char('\t')));
  }
  return lines.join(QLatin1Char('\r'));
}

void flex_grid::set_clip(const QString& text) {
  if (rows() == 0 || cols() == 0) return;
  const grid_range sel = selection();
  const int last_row = std::min(sel.row + sel.rows, rows());
  const int last_col = std::min(sel.col + sel.cols, cols());
  const QStringList lines = split_lines(text);
  int r = sel.row;
  for (qsizetype i = 0; i < lines.size() && r < last_row; ++i, ++r) {
    const QStringList parts = lines[i].split(QLatin1Char('\t'));
    int c = sel.col;
    for (qsizetype j = 0; j < parts.size() && c < last_col; ++j, ++c) rows_[r].cells[c].text = parts[j];
  }
  if (may_notify()) observer_->grid_cells_changed({sel.row, sel.col, last_row - sel.row, last_col - sel.col});
}

}  // namespace km::platform
