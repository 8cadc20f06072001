#include "platform/model/grid/format_string.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/model/grid/flex_grid_cell_format.h"

namespace km::platform {

namespace {

format_column parse_segment(const QString& segment) {
  format_column col;
  col.text = segment;
  if (segment.isEmpty()) return col;
  switch (segment.at(0).unicode()) {
    case '<':
      col.alignment = grid_alignment::left_center;
      break;
    case '^':
      col.alignment = grid_alignment::center_center;
      break;
    case '>':
      col.alignment = grid_alignment::right_center;
      break;
    default:
      return col;
  }
  col.text = segment.mid(1);
  return col;
}

}  // namespace

parsed_format parse_format_string(const QString& format) {
  parsed_format parsed;
  const qsizetype semicolon = format.indexOf(QLatin1Char(';'));
  const QString column_part = semicolon < 0 ? format : format.left(semicolon);
  if (!column_part.isEmpty())
    for (const QString& segment : column_part.split(QLatin1Char('|')))
      parsed.columns.push_back(parse_segment(segment));
  if (semicolon >= 0) {
    const QString row_part = format.mid(semicolon + 1);
    if (!row_part.isEmpty())
      for (const QString& segment : row_part.split(QLatin1Char('|')))
        parsed.row_headings.push_back(parse_segment(segment).text);
  }
  return parsed;
}

void flex_grid::set_format_string(const QString& format) {
  format_string_ = format;
  const parsed_format parsed = parse_format_string(format);
  if (parsed.columns.empty() && parsed.row_headings.empty()) return;

  // Grow to hold every heading; a heading needs row 0 and column 0.
  const int need_cols = std::max({cols(), static_cast<int>(parsed.columns.size()), 1});
  const int need_rows = std::max({rows(), static_cast<int>(parsed.row_headings.size()), 1});
  if (need_cols > cols()) {
    cols_.resize(need_cols);
    for (auto& r : rows_) r.cells.resize(need_cols);
  }
  while (rows() < need_rows) rows_.push_back(make_row());

  auto width_of = [&](const QString& text) {
    return static_cast<int>(std::lround(text_width(font_, text))) + format_string_padding;
  };
  for (int c = 0; c < static_cast<int>(parsed.columns.size()); ++c) {
    const format_column& fc = parsed.columns[c];
    rows_[0].cells[c].text = fc.text;
    if (fc.alignment) cols_[c].alignment = *fc.alignment;
    cols_[c].width = width_of(fc.text);
  }
  if (!parsed.row_headings.empty()) {
    int widest = parsed.columns.empty() ? 0 : cols_[0].width;
    for (int r = 0; r < static_cast<int>(parsed.row_headings.size()); ++r) {
      const QString& heading = parsed.row_headings[r];
      widest = std::max(widest, width_of(heading));
      if (r == 0 && heading.isEmpty()) continue;
      rows_[r].cells[0].text = heading;
    }
    cols_[0].width = widest;
  }
  if (may_notify()) observer_->grid_reset();
}

}  // namespace km::platform
