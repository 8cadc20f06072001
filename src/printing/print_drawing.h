#pragma once
// Frames and rules on the printer, in its current scale (after the page
// set-up: character columns across, lines down). Both draw in black and
// draw nothing while an Excel export is under way. Unless no_clip is set,
// the right end is kept half a column inside the page width
// (g_print_page_columns); y coordinates are never cut.

namespace km {

// The rectangle with corners (x1, y1) and (x2, y2). `bold` draws a second
// outline 0.5 column further right on the left, 0.25 column further right
// on the right and 0.25 line lower at top and bottom.
void print_box(double x1, double y1, double x2, double y2, bool bold = false, bool no_clip = false);

// The line from (x1, y1) to (x2, y2); `thick` makes it a filled bar down to
// y2 + 0.1 line. The print position ends at the line's end.
void print_line(double x1, double y1, double x2, double y2, bool thick = false, bool no_clip = false);

}  // namespace km
