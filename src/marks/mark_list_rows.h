#pragma once
// The mark list of the mark-lists print window: one row per learner of a
// combination's cycle-marks table with the mark and the running total of
// the marks down the list, and the effort key and the first formative code
// of the learner's outcomes-based record, each shown with its description
// from the subject's code lists. In name order or by mark, highest first;
// closed by the average and its percentage of a print total.
#include <QString>
#include <optional>
#include <vector>

#include "marks/code_lists.h"
#include "printing/report_pages.h"

namespace km {

namespace platform {
class flex_grid;
class recordset;
}  // namespace platform

// A learner of the cycle-marks table (EF_T_NR, EF_NAME, EF_PUNT, cleaned).
struct cycle_list_record {
  QString number;
  QString name;
  QString mark;
};
// A learner of the outcomes-based table (EO_T_NR, EO_NAME, EO_P_S,
// EO_FE_1, cleaned).
struct obe_list_record {
  QString number;
  QString name;
  QString effort_key;
  QString formative_code;
};

// The records of the open tables in table order; a field the table lacks
// reads as empty.
std::vector<cycle_list_record> read_cycle_list_records(const platform::recordset& table);
std::vector<obe_list_record> read_obe_list_records(const platform::recordset& table);

enum class mark_list_order { alphabetical, by_mark };

// The marks that count (plain numbers, 0 included; blank, "A" and "a" do
// not): their sum and how many.
struct mark_list_sums {
  double total = 0;
  int count = 0;
};

// Fills the grid: a heading row (font size 7, the columns NO, A.NO,
// LEARNER, MARK, TOTAL, E.K and FORMATIVE EVALUATION in the chosen
// language), then one row per learner with its place in the table, number,
// name and mark. Each outcomes-based record fills the row of the first
// learner with its number: the name where the learner has none, the effort
// key and the formative code, each replaced by its entry of the code list
// when the list holds it ("3" finds "03"). Alphabetical order is the
// case-sensitive order of the names by character code; by mark, the
// counted marks highest first, then the others, equal marks in table
// order. Every row shows the running total of the counted marks down to
// it. A table without learners leaves one empty row.
mark_list_sums fill_mark_list_rows(platform::flex_grid& grid, const std::vector<cycle_list_record>& learners,
                                   const std::vector<obe_list_record>& obe_records,
                                   const code_list& effort_keys, const code_list& formative,
                                   mark_list_order order);

// The lines that close the list: "GEMIDDELD := " / "AVERAGE := " with the
// average ("###.0"), and the average as a percentage of the print total
// ("###.0" and "%"). None when no mark counts or the print total is not a
// plain number above 0.
struct mark_list_average {
  QString label;
  QString average;
  QString percentage;
};
std::optional<mark_list_average> mark_list_average_lines(const mark_list_sums& sums,
                                                         const QString& print_total);

// How the mark list lies on its pages: inside the page frame, the effort
// keys' and the formative codes' columns as wide as their descriptions,
// ".../2" on full pages.
report_page_style mark_list_page_style();

}  // namespace km
