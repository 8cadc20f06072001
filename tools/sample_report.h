#pragma once
// A mark list of the sample school as a report grid, for trying the grid
// printers and the workbook export on real-looking data. One heading row
// (the mark columns' headings turned on their side), then per subject
// combination a merged band naming grade, subject and class, followed by
// its learners with their cycle mark read from punte<N>.dbf, the subject
// total and the mark as a percentage.

#include <QString>

namespace km::platform {
class flex_grid;
}

namespace km {

struct sample_report_request {
  QString data_folder = QStringLiteral("C:\\KORVA-DATA");  // Windows form
  bool afrikaans = false;
  // The whole list is repeated this many times, so that a long report can
  // be made from a small school.
  int repeat = 1;
  // A "<PAGE>" row before every combination but the first, so that each
  // starts a page on the printer that honours it.
  bool page_per_combination = false;
};

// Fills the grid (its rows, columns and formats replaced). Throws
// platform::dbf_error when a learner table cannot be read.
void fill_sample_report_grid(platform::flex_grid& grid, const sample_report_request& request);

}  // namespace km
