#pragma once
// The marks summary: a filled mark grid printed as a plain text list, one
// line per grid row (row 0 included), every mark converted to a chosen
// total, then a totals line (how many marks and their sum) and two average
// lines. It pages on its own, with a continuation mark ".../n" at the foot
// of each full page and the report header at the top of each page, and
// ends the job itself.
//
// Grid layout: column 0 a short number or code, column 1 a name, columns 2
// onwards marks as mark texts (blank, "A" or "a" for absent, or a number).
//
// While an Excel export is open the same lines go into the export's current
// worksheet instead, one worksheet row per printed line, and nothing goes
// to the printer.

#include <QString>

#include "platform/value.h"

namespace km::platform {
class flex_grid;
}

namespace km {

// The caller has chosen the printer (or the export) already. `subtitle`
// goes to the report header unchanged. `new_total` is the total every mark
// is converted to and the base of the percentage average; `old_total` the
// total the grid's marks are out of. A total given as text is replaced by
// its number in the caller's variable; the conversion is made only when
// both totals are non-zero.
void print_marks_report(QString& subtitle, platform::Value& new_total, platform::Value& old_total,
                        const platform::flex_grid& grid);

// One printed or exported mark: blank, absent ("A" or "a" as typed) or a
// number (already converted).
struct summary_mark {
  enum class kind { blank, absent, number };
  kind what = kind::blank;
  QString absent_text;  // the cell as typed, for an absent mark
  double value = 0.0;   // for a number
};

// The mark of one cell: a number is converted to new_total when both
// totals are non-zero; anything that is neither a number nor "A" is blank.
summary_mark read_summary_mark(const QString& cell, double new_total, double old_total);

// The mark's field on the printed line: five characters, a number with one
// decimal ("###.0"), the absent mark as typed, or five blanks.
QString summary_mark_field(const summary_mark& mark);

// The page the summary prints on, from the grid's column count: the width
// W = (cols - 2) x 6 + 38 in characters; up to 96 portrait at 93 characters
// a line in 10 points, wider landscape at 110 characters in 7 points. The
// scale is as wide as the larger of W and the characters per line.
struct summary_page {
  bool portrait = true;
  int chars_per_line = 93;
  int font_size = 10;
  double scale_width = 93;
};
summary_page summary_page_for(int grid_cols);

}  // namespace km
