#include "marks/mark_list_rows.h"

#include <QHash>
#include <QStringList>
#include <array>

#include "common/language_text.h"
#include "common/mark_columns.h"
#include "common/mark_text.h"
#include "common/text_routines.h"
#include "platform/dbase/recordset.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

namespace {

enum column : int {
  place_col,
  number_col,
  name_col,
  mark_col,
  total_col,
  effort_col,
  formative_col,
  columns
};

constexpr int name_width = 4000;
constexpr int formative_width = 5000;
constexpr int total_width = 7;

using row_cells = std::array<QString, columns>;

// The cleaned texts of the named fields of every record.
template <std::size_t N>
std::vector<std::array<QString, N>> read_fields(const platform::recordset& table,
                                                const std::array<const char*, N>& names) {
  std::array<int, N> index{};
  for (std::size_t f = 0; f < N; ++f) index[f] = table.field_index(QLatin1String(names[f]));
  std::vector<std::array<QString, N>> records(std::size_t(table.record_count()));
  for (qint64 p = 0; p < table.record_count(); ++p)
    for (std::size_t f = 0; f < N; ++f)
      if (index[f] >= 0) records[std::size_t(p)][f] = clean_field_value(table.value_at(p, index[f]));
  return records;
}

// The position of each code of a list by its trimmed text (the first one
// when a code comes twice).
QHash<QString, int> code_positions(const code_list& list) {
  QHash<QString, int> positions;
  for (int i = int(list.codes.size()) - 1; i >= 0; --i) positions[trim_blanks(list.codes[i])] = i;
  return positions;
}

// The code as its list shows it: the entry when the list holds the code.
QString shown_code(const QString& code, const QHash<QString, int>& positions, const code_list& list) {
  const auto found = positions.constFind(code);
  return found == positions.cend() ? QString() : list.entries.value(*found);
}

// Each outcomes-based record into the row of the first learner with its
// number.
void join_obe_records(std::vector<row_cells>& rows, const std::vector<obe_list_record>& obe_records,
                      const code_list& effort_keys, const code_list& formative) {
  QHash<double, std::size_t> row_of_number;  // the first row of each number
  for (std::size_t r = rows.size(); r-- > 0;) row_of_number[platform::val(rows[r][number_col])] = r;
  const QHash<QString, int> effort_positions = code_positions(effort_keys);
  const QHash<QString, int> formative_positions = code_positions(formative);
  for (const obe_list_record& obe : obe_records) {
    const auto found = row_of_number.constFind(platform::val(obe.number));
    if (found == row_of_number.cend()) continue;
    row_cells& row = rows[*found];
    if (trim_blanks(row[name_col]).isEmpty()) row[name_col] = obe.name;
    row[effort_col] = obe.effort_key;
    row[formative_col] = obe.formative_code;
    if (const QString key = trim_blanks(obe.effort_key); !key.isEmpty())
      if (QString entry = shown_code(key, effort_positions, effort_keys); !entry.isNull())
        row[effort_col] = entry;
    if (const QString code = trim_blanks(obe.formative_code); !code.isEmpty())
      if (QString entry =
              shown_code(right_justify(Value(code), 2, QStringLiteral("0")), formative_positions, formative);
          !entry.isNull())
        row[formative_col] = entry;
  }
}

void lay_out_grid(platform::flex_grid& grid, int learners) {
  grid.clear();
  grid.set_rows(2);
  grid.set_cols(columns);
  grid.set_fixed_rows(1);
  grid.set_font_size(7);
  grid.set_format_string(in_language(u"<NR|^  T.NR|<LEERDER|>  PUNT|>  TOTAAL|P.S|<FORMATIEWE EVALUERING",
                                     u"<NO|^  A.NO|<LEARNER|>  MARK|>   TOTAL|E.K|<FORMATIVE EVALUATION"));
  grid.set_rows(1 + std::max(learners, 1));
  grid.set_col_width(name_col, name_width);
  grid.set_col_width(formative_col, formative_width);
}

// The running total of the counted marks down the grid, on every row.
mark_list_sums write_running_totals(platform::flex_grid& grid) {
  mark_list_sums sums;
  for (int r = grid.fixed_rows(); r < grid.rows(); ++r) {
    if (const std::optional<double> mark = plain_decimal(grid.text_matrix(r, mark_col))) {
      sums.total += *mark;
      ++sums.count;
    }
    grid.set_text_matrix(
        r, total_col,
        right_justify(Value(platform::format_number(sums.total, QStringLiteral("######.0"))), total_width));
  }
  return sums;
}

QString format_one_decimal(double x) { return platform::format_number(x, QStringLiteral("###.0")); }

}  // namespace

std::vector<cycle_list_record> read_cycle_list_records(const platform::recordset& table) {
  std::vector<cycle_list_record> records;
  records.reserve(std::size_t(table.record_count()));
  for (auto& f : read_fields(table, std::array{"EF_T_NR", "EF_NAME", "EF_PUNT"}))
    records.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2])});
  return records;
}

std::vector<obe_list_record> read_obe_list_records(const platform::recordset& table) {
  std::vector<obe_list_record> records;
  records.reserve(std::size_t(table.record_count()));
  for (auto& f : read_fields(table, std::array{"EO_T_NR", "EO_NAME", "EO_P_S", "EO_FE_1"}))
    records.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3])});
  return records;
}

mark_list_sums fill_mark_list_rows(platform::flex_grid& grid, const std::vector<cycle_list_record>& learners,
                                   const std::vector<obe_list_record>& obe_records,
                                   const code_list& effort_keys, const code_list& formative,
                                   mark_list_order order) {
  std::vector<row_cells> rows(learners.size());
  QStringList marks;
  for (std::size_t i = 0; i < learners.size(); ++i) {
    rows[i][place_col] = QString::number(i + 1);
    rows[i][number_col] = learners[i].number;
    rows[i][name_col] = learners[i].name;
    rows[i][mark_col] = learners[i].mark;
    marks << learners[i].mark;
  }
  join_obe_records(rows, obe_records, effort_keys, formative);

  lay_out_grid(grid, int(rows.size()));
  std::vector<int> sequence;
  if (order == mark_list_order::by_mark) {
    sequence = merit_positions(marks);
  } else {
    for (int i = 0; i < int(rows.size()); ++i) sequence.push_back(i);
  }
  int r = grid.fixed_rows();
  for (const int i : sequence) {
    for (int c = 0; c < columns; ++c) grid.set_text_matrix(r, c, rows[std::size_t(i)][std::size_t(c)]);
    ++r;
  }
  if (order == mark_list_order::alphabetical && !rows.empty()) {
    grid.set_row(grid.fixed_rows());
    grid.set_col(name_col);
    grid.sort(platform::sort_order::string_ascending);
  }
  if (rows.empty()) return {};
  return write_running_totals(grid);
}

std::optional<mark_list_average> mark_list_average_lines(const mark_list_sums& sums,
                                                         const QString& print_total) {
  const std::optional<double> total = plain_decimal(print_total);
  if (sums.count == 0 || !total || !(*total > 0)) return std::nullopt;
  const double average = sums.total / sums.count;
  return mark_list_average{in_language(u"GEMIDDELD := ", u"AVERAGE := "), format_one_decimal(average),
                           format_one_decimal(average / (*total / 100)) + QStringLiteral("%")};
}

report_page_style mark_list_page_style() {
  return framed_page_style(continuation_mark::dots_first, {effort_col, formative_col});
}

}  // namespace km
