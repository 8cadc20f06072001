#pragma once
// How the reports of the work windows (the mark book, the merit list, the
// symbol distribution, the set-up and the mark lists) lay their grids out
// over pages.
#include <QString>
#include <vector>

namespace km {

namespace platform {
class flex_grid;
class platform_error;
}  // namespace platform

// How a full page of a report is closed: in Lucida Console 10, after an
// empty line, near the right edge, the next page's number then ".../"
// (the mark-book reports: "2.../"), or ".../" then the number (the mark
// lists: ".../2").
enum class continuation_mark { number_first, dots_first };
struct report_page_style {
  double left_margin = 120;  // twips from the left edge to the grid
  continuation_mark mark = continuation_mark::number_first;
  // When set, the table is kept inside the page frame (see
  // fit_columns_within): the columns of `widen` first get the width their
  // texts need, then the widest columns give way when the page is too
  // narrow.
  bool within_frame = false;
  std::vector<int> widen;
};

// A style that keeps the table inside the page frame, the columns of
// `widen` as wide as their texts.
report_page_style framed_page_style(continuation_mark mark, std::vector<int> widen = {});

// Closes the page with its continuation mark and starts the next page.
void close_page_with_continuation_mark(continuation_mark mark = continuation_mark::number_first);

// Prints the grid page after page under the report header (title, paper),
// with a continuation mark on every full page. In an Excel export the
// header moves the workbook to a fresh worksheet and the grid goes into it
// whole; nothing reaches the printer.
void print_report_pages(platform::flex_grid& grid, const QString& title, const QString& paper,
                        const report_page_style& style = {});

// The message of a print that failed in the platform's printer.
void report_print_error(const platform::platform_error& e);

// Moves the print position down by two units before the job is ended, as
// the reports do (nothing in an export).
void step_below_report();

// A closing line below the report: two units down on the printer, starting
// at the table's left edge (`left_margin`, twips from the page's left edge,
// as the page style has it), or two rows below the grid in an export.
void print_line_below_report(const QString& line, double left_margin);

}  // namespace km
