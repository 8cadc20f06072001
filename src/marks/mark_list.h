#pragma once
// The mark list of the cycle-marks capture window: one line per learner
// with the mark, the code column and the running total of the numeric
// marks, then an average line. Ordered by mark (a click on the mark
// heading), the line numbers travel with their learners and the running
// total is counted down the printed order.
#include <QString>
#include <vector>

namespace km {

namespace platform {
class flex_grid;
}

// One learner as the table holds it (each field cleaned).
struct mark_list_entry {
  QString number;
  QString name;
  QString mark;
  QString code;
};

struct mark_list_figures {
  double sum = 0;  // of the numeric marks
  int count = 0;
};

// Fills the print grid (heading row, font size 7, column 2 4000 twips) and
// gives the sum and count of the numeric marks.
mark_list_figures fill_mark_list(platform::flex_grid& grid, const std::vector<mark_list_entry>& entries,
                                 bool by_mark);

// "AVERAGE := " with the average mark and its percentage of the total
// ("###.0", then "%"); the label alone when there is no numeric mark or the
// total is not above 0.
QString mark_list_average_line(const mark_list_figures& figures, double total);

// The Excel file name of a list with this title: "MARKS " / "PUNTE " and the
// title.
QString mark_list_file_name(const QString& title);

}  // namespace km
