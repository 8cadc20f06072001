#pragma once
// The page header of every page-headed report. Called at the top of each
// page: it repeats the page set-up, starts a new page when one is due,
// draws the page frame and the rule under the header band, and prints three
// header lines (date, time and page number at the left; school name and
// title in the middle; program title and system name at the right) and an
// optional subtitle. In an Excel export it moves the workbook on to a fresh
// worksheet and writes the same texts into its first three rows instead.
//
// A header is due on an untouched page, while a new document is pending
// (g_print_new_document) and when the print position lies in the last five
// lines of the page. A caller that has just started a new page itself sets
// g_print_new_document first, so that no second page is fed.

#include <QString>

#include "printing/print_job_start.h"

namespace km {

// title: printed centred on the third line. In landscape and in an export a
// non-blank subtitle is folded into it as "title [subtitle]" (the caller's
// variables change: the subtitle becomes ""); in portrait the subtitle
// prints on a line of its own half a line lower. bold_titles prints the
// title bold at 12 points and the subtitle bold. no_header: only the page
// set-up and the page break. paper and height_factor go to the page set-up.
//
// Returns the line the report body starts on: 6 when a header was printed,
// the position after the page break with no_header, the current line when
// no header was due, and 0 in an export.
double print_report_header(QString& title, QString* subtitle = nullptr,
                           const QString& paper = paper_a4_portrait, bool bold_titles = false,
                           bool no_header = false, double height_factor = 1.0);

}  // namespace km
