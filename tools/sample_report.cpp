#include "tools/sample_report.h"

#include <memory>

#include "common/text_routines.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/number_format.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "tools/sample_school.h"

namespace km {

namespace {

using platform::flex_grid;
using platform::grid_alignment;

enum column { col_number, col_name, col_mark, col_total, col_percent, col_count };

QString text(bool afrikaans, const char* af, const char* en) {
  return QString::fromUtf8(afrikaans ? af : en);
}

void fill_heading(flex_grid& grid, bool afrikaans) {
  grid.set_text_matrix(0, col_number, text(afrikaans, "NR", "NO"));
  grid.set_text_matrix(0, col_name, text(afrikaans, "NAAM", "NAME"));
  grid.set_text_matrix(0, col_mark, QStringLiteral("~~R~~") + text(afrikaans, "PUNT", "MARK"));
  grid.set_text_matrix(0, col_total, QStringLiteral("~~R~~") + text(afrikaans, "TOTAAL", "TOTAL"));
  grid.set_text_matrix(0, col_percent,
                       QStringLiteral("~~R~~") + text(afrikaans, "PERSENTASIE", "PERCENTAGE"));
  grid.set_row(0);
  for (int c = 0; c < col_count; ++c) {
    grid.set_col(c);
    grid.set_cell_font_bold(true);
  }
}

// A band row over all columns: the same text in each, merged into one.
void add_band(flex_grid& grid, const QString& band) {
  const int r = grid.rows();
  grid.set_rows(r + 1);
  for (int c = 0; c < col_count; ++c) grid.set_text_matrix(r, c, band);
  grid.set_merge_row(r, true);
  grid.set_row(r);
  for (int c = 0; c < col_count; ++c) {
    grid.set_col(c);
    grid.set_cell_font_bold(true);
    grid.set_cell_back_color(flex_grid::rgb(230, 230, 230));
  }
}

void add_learners(flex_grid& grid, const QString& table_path, float total) {
  auto table = std::make_unique<platform::dbf_table>(platform::to_native_path(table_path),
                                                     platform::dbf_table::access::read_only);
  platform::recordset rs(std::move(table));
  for (rs.move_first(); !rs.eof(); rs.move_next()) {
    const int r = grid.rows();
    grid.set_rows(r + 1);
    const QString mark = clean_field_value(rs.value(QStringLiteral("EF_PUNT"))).trimmed();
    grid.set_text_matrix(r, col_number, clean_field_value(rs.value(QStringLiteral("EF_T_NR"))).trimmed());
    grid.set_text_matrix(r, col_name, clean_field_value(rs.value(QStringLiteral("EF_NAME"))));
    grid.set_text_matrix(r, col_mark, mark);
    grid.set_text_matrix(r, col_total, platform::format_number(total, QStringLiteral("##0")));
    if (platform::is_number_text(mark) && total > 0)
      grid.set_text_matrix(
          r, col_percent,
          platform::format_number(platform::val(mark) / total * 100.0, QStringLiteral("##0.0")));
  }
}

}  // namespace

void fill_sample_report_grid(flex_grid& grid, const sample_report_request& request) {
  grid.set_tag(QString());
  grid.set_cols(col_count);
  grid.set_rows(1);
  grid.set_fixed_rows(1);
  grid.set_fixed_cols(0);
  grid.set_merge_cells(platform::merge_mode::free);
  for (int c = 0; c < col_count; ++c) grid.set_merge_col(c, true);
  const int widths[col_count] = {700, 3600, 700, 700, 900};
  for (int c = 0; c < col_count; ++c) grid.set_col_width(c, widths[c]);
  grid.set_col_alignment(col_name, grid_alignment::left_center);
  for (int c : {col_mark, col_total, col_percent}) grid.set_col_alignment(c, grid_alignment::right_center);
  fill_heading(grid, request.afrikaans);

  const auto& combinations = sample_combinations();
  bool first = true;
  for (int pass = 0; pass < request.repeat; ++pass) {
    for (std::size_t i = 0; i < combinations.size(); ++i) {
      const sample_combination& c = combinations[i];
      if (request.page_per_combination && !first) {
        const int r = grid.rows();
        grid.set_rows(r + 1);
        grid.set_text_matrix(r, 0, QStringLiteral("<PAGE>"));
      }
      first = false;
      add_band(grid, text(request.afrikaans, "GRAAD ", "GRADE ") + c.grade + QStringLiteral("   ") +
                         c.subject_code + QStringLiteral("   ") + c.subject_class);
      add_learners(grid, request.data_folder + QStringLiteral("\\punte%1.dbf").arg(i + 1), c.total);
    }
  }
}

}  // namespace km
