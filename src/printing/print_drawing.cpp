#include "printing/print_drawing.h"

#include <algorithm>

#include "common/shared_variables.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/print_variables.h"

namespace km {

namespace {

using platform::line_shape;
using platform::printer;
using platform::scale_unit;

const QColor black(Qt::black);

// The furthest right a frame or rule may reach: half a column short of the
// page width, in the printer's current scale.
double clipped_right(double x2, bool no_clip) {
  if (no_clip) return x2;
  return std::min(x2, printer().scale_x(double(g_print_page_columns) - 0.5, scale_unit::characters));
}

void outline(double x1, double y1, double x2, double y2) {
  platform::printer_object& p = printer();
  p.line(x1, y1, x2, y1, line_shape::line, black);  // top
  p.line(x2, y1, x2, y2, line_shape::line, black);  // right
  p.line(x1, y2, x2, y2, line_shape::line, black);  // bottom
  p.line(x1, y1, x1, y2, line_shape::line, black);  // left
}

}  // namespace

void print_box(double x1, double y1, double x2, double y2, bool bold, bool no_clip) {
  if (g_export_excel) return;
  x2 = clipped_right(x2, no_clip);
  outline(x1, y1, x2, y2);
  if (bold) outline(x1 + 0.5, y1 + 0.25, x2 + 0.25, y2 + 0.25);
}

void print_line(double x1, double y1, double x2, double y2, bool thick, bool no_clip) {
  if (g_export_excel) return;
  x2 = clipped_right(x2, no_clip);
  if (!thick) {
    printer().line(x1, y1, x2, y2, line_shape::line, black);
    return;
  }
  y2 += printer().scale_y(0.1, scale_unit::characters);
  printer().line(x1, y1, x2, y2, line_shape::filled_box, black);
}

}  // namespace km
