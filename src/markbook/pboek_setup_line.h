#pragma once
// One task row of a mark-book set-up, as the set-up grid shows it and the
// set-up file stores it: the task or project, its total, the row its mark is
// carried into, the mark it enters that row out of, and its cycle name.
#include <QString>
#include <array>

namespace km {

struct pboek_setup_line {
  QString task_project;
  QString total;
  QString result_row;
  QString out_of;
  QString cycle_name;

  // Column 1..5 as the set-up grid numbers them.
  QString& cell(int column);
  const QString& cell(int column) const;

  bool operator==(const pboek_setup_line&) const = default;
};

inline constexpr int setup_row_count = 40;
inline constexpr int setup_column_count = 5;

// The 40 rows of a set-up; [0] is row 1.
using setup_rows = std::array<pboek_setup_line, setup_row_count>;

}  // namespace km
