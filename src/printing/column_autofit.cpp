#include "printing/column_autofit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/text_routines.h"
#include "platform/ui/grid/flex_grid.h"
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
      double widest = 0.0;
      for (int r = 0; r < grid.rows(); ++r) {
        if (grid.merge_row(r)) continue;
        const double width = cell_text_width(grid, r, c, cell_margin);
        if (width <= 0.0) continue;
        std::erase(spacers, c);
        widest = std::max(widest, width);
      }
      if (widest <= 0.0) continue;
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
