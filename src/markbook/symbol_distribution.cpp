#include "markbook/symbol_distribution.h"

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/report_grid_layout.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

namespace {

// A task column takes an average such as "77.5" in the grid's 6-point
// font without cutting its decimal (200 twips held only "77").
constexpr int task_column_width = 300;

}  // namespace

void fill_symbol_distribution(platform::flex_grid& grid, const setup_rows& rows,
                              const std::vector<symbol_range>& symbols,
                              const std::vector<mark_record>& records) {
  std::array<bool, setup_row_count + 1> named{};
  for (int r = 1; r <= setup_row_count; ++r) named[std::size_t(r)] = row_named(rows, r);
  const int cols = std::max(43, last_named_row(rows) + 1);
  reset_report_grid(grid, cols);
  grid.set_format_string(
      task_headings(g_language ? QStringLiteral("^SIMBOOL") : QStringLiteral("^SYMBOL"), rows));
  grid.set_cols(cols);
  grid.set_col_width(0, 1000);
  for (int c = 1; c < cols; ++c) {
    const bool shown = c <= setup_row_count && named[c];
    grid.set_col_width(c, shown ? task_column_width : 0);
    if (shown) grid.set_text_matrix(1, c, trim_blanks(rows[std::size_t(c - 1)].total));
  }
  for (const symbol_range& s : symbols) {
    const int row = grid.rows();
    grid.set_rows(row + 1);
    grid.set_text_matrix(
        row, 0,
        s.symbol + QStringLiteral(" (") + s.lower + QStringLiteral("-") + s.upper + QStringLiteral(")"));
  }

  std::array<double, setup_row_count + 1> sum{};
  std::array<int, setup_row_count + 1> count{};
  std::vector<std::array<int, setup_row_count + 1>> per_symbol(symbols.size());
  for (const mark_record& record : records) {
    for (int r = 1; r <= setup_row_count; ++r) {
      if (!named[r]) continue;
      const std::optional<QString>& field = record[std::size_t(r + 1)];
      if (!field) continue;
      const QString mark = trim_blanks(*field);
      if (mark.isEmpty() || upper_case_afrikaans(mark) == QStringLiteral("A")) continue;
      const double total = platform::val(rows[std::size_t(r - 1)].total);
      const double percent = total > 0 ? platform::val(mark) / total * 100 : platform::val(mark);
      sum[std::size_t(r)] += percent;
      ++count[std::size_t(r)];
      for (std::size_t s = 0; s < symbols.size(); ++s) {
        if (platform::val(symbols[s].lower) <= percent && platform::val(symbols[s].upper) >= percent) {
          ++per_symbol[s][std::size_t(r)];
          break;
        }
      }
    }
  }
  for (std::size_t s = 0; s < symbols.size(); ++s)
    for (int r = 1; r <= setup_row_count; ++r)
      if (per_symbol[s][std::size_t(r)] > 0)
        grid.set_text_matrix(int(s) + 2, r, QString::number(per_symbol[s][std::size_t(r)]));
  const int average_row = grid.rows() + 1;
  grid.set_rows(average_row + 1);
  grid.set_text_matrix(average_row, 0, g_language ? QStringLiteral("GEMIDDELD") : QStringLiteral("AVERAGE"));
  for (int r = 1; r <= setup_row_count; ++r)
    if (named[r] && sum[std::size_t(r)] > 0)
      grid.set_text_matrix(
          average_row, r,
          platform::format_number(sum[std::size_t(r)] / count[std::size_t(r)], QStringLiteral("#,##0.0")));
}

}  // namespace km
