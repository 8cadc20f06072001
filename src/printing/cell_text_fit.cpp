#include "printing/cell_text_fit.h"

#include "common/text_routines.h"
#include "platform/ui/printer/printer_object.h"

namespace km {

namespace {

using platform::print_end;
using platform::printer;

const QString new_line_marker = QStringLiteral("~NL~");
const QString line_break = QStringLiteral("\r\n");

// One line of a cell at x: a blank, then the line.
void print_cell_line(double x, const QString& line, print_end end) {
  printer().set_current_x(x);
  printer().print(u' ' + line, end);
}

}  // namespace

QString fit_text_to_width(const QString& text, double width) {
  if (trim_blanks(text).isEmpty()) return {};
  QString fitted = text;
  for (;;) {
    if (printer().text_width(fitted) <= width) break;
    fitted.chop(1);
    if (fitted.size() == 1) break;
  }
  return fitted;
}

double print_multiline_cell(double x, QString& text, double width) {
  platform::printer_object& p = printer();
  const double start_y = p.current_y();
  const qsizetype marker = text.indexOf(new_line_marker);
  if (marker >= 0) {
    print_cell_line(x, fit_text_to_width(text.left(marker), width), print_end::line_end);
    print_cell_line(x, fit_text_to_width(text.mid(marker + new_line_marker.size()), width), print_end::stay);
  } else if (text.contains(line_break)) {
    // Every line but the last is printed whole, however wide.
    for (qsizetype end = text.indexOf(line_break); end >= 0; end = text.indexOf(line_break)) {
      print_cell_line(x, text.left(end), print_end::line_end);
      text.remove(0, end + line_break.size());
      p.set_current_y(p.current_y() + 1);
    }
    if (!text.isEmpty()) print_cell_line(x, fit_text_to_width(text, width), print_end::stay);
  } else {
    print_cell_line(x, fit_text_to_width(text, width), print_end::stay);
  }
  const double last_line_y = p.current_y();
  p.set_current_y(start_y);
  return last_line_y;
}

}  // namespace km
