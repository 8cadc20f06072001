#pragma once
// Fitting cell texts into report grid columns on the printer, in its
// current font and scale (twips when the grid printers call them).
//
// fit_text_to_width cuts a text from the right until it fits a column;
// print_multiline_cell prints a cell text as two or more lines inside one
// column. A cell splits at its first "~NL~" marker, or else at every
// carriage return plus line feed.

#include <QString>

namespace km {

// The text, cut from the right until its printed width is no more than
// `width`. Blank text gives the empty text. A text of two or more
// characters keeps at least its first character even when that is too
// wide; a single character that is too wide gives the empty text.
QString fit_text_to_width(const QString& text, double width);

// Prints `text` as lines starting at `x`, each line led by one blank, from
// the printer's current y down. With "~NL~" only its first occurrence
// splits: two lines, each fitted to `width`. Otherwise every line ended by
// CR LF is printed whole and only the last line is fitted; `text` keeps
// only that last line afterwards. Returns the printer's y after the last
// line (that line's own y unless the text ends with CR LF); the printer's
// current y is left where it was.
double print_multiline_cell(double x, QString& text, double width);

}  // namespace km
