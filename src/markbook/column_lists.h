#pragma once
// The lists the capture window keeps of an open book's set-up, so that
// list position c is grid column c and table field c: members 0 to 4 of
// rks_list hold the name, the total, "True"/"False" for a total column,
// the target (the 0-based line number of the result row, "99" for none)
// and the out-of mark, after two header items; tot_rks holds the targets
// without them; the copy lists name the named lines with their field
// position as item data.
#include <QStringList>
#include <array>
#include <vector>

#include "markbook/pboek_setup_line.h"

namespace km {

struct copy_list_item {
  QString name;   // the trimmed task name
  int field = 0;  // line index + 2
};

struct column_lists {
  std::array<QStringList, 5> rks_list;
  QStringList tot_rks;
  std::vector<copy_list_item> kopieer_reeks;

  // The target field of column c (2..41), or -1 when its line carries
  // nowhere.
  int target_field(int column) const;
  bool is_total_column(int column) const;
};

// A line carries only into another line from 1 to 40 (the result-row rule):
// "0", values above 40, the line's own number and other texts give "99".
column_lists make_column_lists(const setup_rows& rows);

}  // namespace km
