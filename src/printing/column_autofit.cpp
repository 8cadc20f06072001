#include "printing/column_autofit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/value.h"
#include "printing/grid_print_common.h"

namespace km {

namespace {

using platform::flex_grid;
using platform::printer;
using platform::scale_unit;

// A heading cell that leaves its column free for spare room: blank, or
// starting with a zero character.
bool is_blank_heading(const QString& text) {
  return trim_blanks(text).isEmpty() || text.startsWith(QChar(u'\0'));
}

// The columns among the first `count` that are visible and have a blank
// heading.
std::vector<int> spacer_columns(const flex_grid& grid, int count) {
  std::vector<int> spacers;
  for (int c = 0; c < count; ++c)
    if (grid.col_width(c) >= 1 && grid.rows() > 0 && is_blank_heading(grid.text_matrix(0, c)))
      spacers.push_back(c);
  return spacers;
}

// The printed width of a cell with its margins, in the cell's font; 0 for
// a blank cell.
double cell_text_width(const flex_grid& grid, int row, int col, double cell_margin) {
  const QString text = grid.text_matrix(row, col);
  const QString trimmed = trim_blanks(text);
  if (trimmed.isEmpty()) return 0.0;
  const platform::print_font& font = grid.style_at(row, col).font;
  printer().set_font_name(font.name);
  printer().set_font_size(font.size);
  // A rotated heading stands on its side: two characters wide, whatever its length.
  if (trimmed.contains(QStringView(rotated_heading_marker)))
    return 2.0 * printer().text_width(QStringLiteral("W")) + 2.0 * cell_margin;
  return printer().text_width(text) + 2.0 * cell_margin;
}

// Restores the printer's scale mode and font size and name at the end of
// the fit, however it ends.
class printer_settings_kept {
 public:
  printer_settings_kept()
      : mode_(printer().scale_mode()),
        left_(printer().scale_left()),
        top_(printer().scale_top()),
        width_(printer().scale_width()),
        height_(printer().scale_height()),
        name_(printer().font_name()),
        size_(printer().font_size()) {}
  ~printer_settings_kept() {
    platform::printer_object& p = printer();
    if (mode_ == scale_unit::user)
      p.scale(left_, top_, left_ + width_, top_ + height_);
    else
      p.set_scale_mode(mode_);
    p.set_font_name(name_);
    p.set_font_size(size_);
  }
  printer_settings_kept(const printer_settings_kept&) = delete;
  printer_settings_kept& operator=(const printer_settings_kept&) = delete;

 private:
  scale_unit mode_;
  double left_, top_, width_, height_;
  QString name_;
  double size_;
};

// The widest cell text of a column with its margins, measured in twips;
// cells of merged rows are not measured.
double widest_cell_width(const flex_grid& grid, int col, double cell_margin) {
  double widest = 0.0;
  for (int r = 0; r < grid.rows(); ++r)
    if (!grid.merge_row(r)) widest = std::max(widest, cell_text_width(grid, r, col, cell_margin));
  return widest;
}

// The narrowest a column is made while a widened column keeps its width:
// about ten characters of a small report font.
constexpr int least_width = 1200;

// The common width the widest columns are narrowed to so that their sum
// loses `excess`: the level where the parts above it add up to the excess.
double narrowing_level(std::vector<double> widths, double excess) {
  std::sort(widths.begin(), widths.end(), std::greater<>());
  double above = 0.0;  // the sum of the widths above the level
  for (std::size_t k = 0; k < widths.size(); ++k) {
    above += widths[k];
    const double next = k + 1 < widths.size() ? widths[k + 1] : 0.0;
    const double level = (above - excess) / double(k + 1);
    if (level >= next) return std::max(level, 0.0);
  }
  return 0.0;
}

}  // namespace

void autofit_flexgrid_columns(flex_grid& grid, double cell_margin, double /*spare_value*/, int last_column) {
  if (grid.tag() == QStringView(autofit_tag)) return;
  const int count = last_column < 0 ? grid.cols() : std::min(last_column, grid.cols());
  {
    const printer_settings_kept kept;
    printer().set_scale_mode(scale_unit::twips);
    printer().set_font_name(grid.font().name);
    printer().set_font_size(grid.font().size);

    std::vector<int> spacers = spacer_columns(grid, count);
    double total = 0.0;
    for (int c = 0; c < count; ++c) {
      if (grid.col_width(c) < 1) continue;
      const double widest = widest_cell_width(grid, c, cell_margin);
      if (widest <= 0.0) continue;
      std::erase(spacers, c);
      grid.set_col_width(c, int(platform::round_half_even(widest)));
      total += grid.col_width(c);
    }

    // What is left of the printable width goes to the spacers, 90 % of it.
    const double spare = printer().scale_width() - total;
    if (!spacers.empty() && spare > 0.0) {
      const double n = double(spacers.size());
      const double room = std::floor(spare - 2.0 * cell_margin * n);
      const int share = int(platform::round_half_even(0.9 * room / n));
      if (share > 0)
        for (int c : spacers) grid.set_col_width(c, share);
    }
  }
  grid.set_tag(QString::fromUtf16(autofit_tag));
}

}  // namespace km

namespace km {

void fit_columns_within(flex_grid& grid, const std::vector<int>& widen, double cell_margin,
                        double left_offset, double right_limit) {
  const auto widened = [&](int c) { return std::find(widen.begin(), widen.end(), c) != widen.end(); };
  // What each column's texts need: the text alone, with a gap before the
  // next column's rule.
  std::vector<int> needed(std::size_t(grid.cols()), 0);
  {
    const printer_settings_kept kept;
    printer().set_scale_mode(scale_unit::twips);
    for (int c = 0; c < grid.cols(); ++c)
      if (grid.col_width(c) >= 1)
        needed[std::size_t(c)] =
            int(std::ceil(widest_cell_width(grid, c, cell_margin) - 2.0 * cell_margin + right_aligned_gap));
  }
  for (const int c : widen)
    if (c >= 0 && c < grid.cols() && grid.col_width(c) >= 1)
      grid.set_col_width(c, std::max(grid.col_width(c), needed[std::size_t(c)]));
  const auto excess = [&] {
    double table = left_offset;
    for (int c = 0; c < grid.cols(); ++c)
      if (grid.col_width(c) >= 1) table += grid.col_width(c) + 2.0 * cell_margin;
    return table - right_limit;
  };
  // First the room the other columns hold beyond their texts, the roomiest
  // first; then those columns themselves down to a common width; the
  // widened columns last.
  const auto narrow = [&](bool widened_too, bool keep_texts) {
    const auto gives_way = [&](int c) { return grid.col_width(c) >= 1 && (widened_too || !widened(c)); };
    const auto floor_of = [&](int c) { return keep_texts ? needed[std::size_t(c)] : 0; };
    std::vector<double> spare;
    for (int c = 0; c < grid.cols(); ++c)
      if (gives_way(c)) spare.push_back(std::max(0, grid.col_width(c) - floor_of(c)));
    if (spare.empty()) return;
    const double level = std::floor(narrowing_level(spare, excess()));
    const int least = widened_too || keep_texts ? 1 : least_width;
    for (int c = 0; c < grid.cols(); ++c) {
      if (!gives_way(c)) continue;
      const int narrowed = std::max(floor_of(c) + int(level), std::min(grid.col_width(c), least));
      if (grid.col_width(c) > narrowed) grid.set_col_width(c, narrowed);
    }
  };
  if (excess() > 0) narrow(false, true);
  if (excess() > 0) narrow(false, false);
  if (excess() > 0) narrow(true, false);
}

}  // namespace km
