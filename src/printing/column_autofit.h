#pragma once
// Column widths of a report grid fitted to their texts as they will come
// out on the printer, before the grid printers print it.

#include <vector>

namespace km::platform {
class flex_grid;
}  // namespace km::platform

namespace km {

// The tag a fitted grid carries; a grid that has it is never fitted again.
inline constexpr char16_t autofit_tag[] = u"autofit";

// Sets every visible column among the first `last_column` (-1: all) to the
// width of its widest cell text in the cell's font on the printer, plus
// `cell_margin` twips on each side; cells of merged rows are not measured,
// and a rotated heading ("~~R~~") counts as two "W" wide. Visible columns
// with a blank heading (row 0) and no text measured are spacers: when the
// fitted columns leave room on the page, 90 % of it is shared out among
// them. The printer's scale mode and font are the same afterwards, and the
// grid is tagged as fitted. `spare_value` is not read; callers pass their
// left offset.
void autofit_flexgrid_columns(platform::flex_grid& grid, double cell_margin, double spare_value,
                              int last_column = -1);

// Keeps a report table inside the page frame: each column of `widen` gets
// at least the width its widest cell text needs (measured as
// autofit_flexgrid_columns measures, with a small gap before the next
// rule). When the table (from `left_offset`, every visible column with
// `cell_margin` on each side) would then pass `right_limit`, the other
// columns give up first the room they hold beyond their texts, then shrink
// to a common width (not below about ten characters); the widened columns
// give way last. Lengths are twips; the printer's scale mode and font are
// the same afterwards.
void fit_columns_within(platform::flex_grid& grid, const std::vector<int>& widen, double cell_margin,
                        double left_offset, double right_limit);

}  // namespace km
