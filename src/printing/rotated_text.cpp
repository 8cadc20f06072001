#include "printing/rotated_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/print/font_mapping.h"
#include "platform/services.h"
#include "platform/ui/printer/printer_object.h"

namespace km {

namespace {

constexpr double twips_per_dot = platform::twips_per_inch / print_picture::dots_per_inch;

std::vector<QImage>& pictures() {
  static std::vector<QImage> kept;
  return kept;
}

QStringList text_lines(const QString& text) {
  QString flat = text;
  flat.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  return flat.split(u'\n');
}

int dots(double twips) { return std::max(1, int(std::ceil(twips / twips_per_dot - 1e-9))); }

}  // namespace

print_picture::print_picture(double width_twips, double height_twips, std::uint32_t back_colour)
    : width_(std::max(0.0, width_twips)), height_(std::max(0.0, height_twips)) {
  image_ = QImage(dots(width_), dots(height_), QImage::Format_RGB32);
  const int dots_per_meter = int(std::lround(dots_per_inch / 0.0254));
  image_.setDotsPerMeterX(dots_per_meter);
  image_.setDotsPerMeterY(dots_per_meter);
  image_.fill(back_colour == 0 ? QColor(Qt::white) : platform::color_from_bgr(back_colour));
}

bool print_picture::print_rotated(const QString& text, double angle) {
  if (!std::isfinite(angle)) return false;
  const QFont qfont = platform::twips_font(font);
  const QFontMetricsF measures(qfont);
  QPainter painter(&image_);
  if (!painter.isActive()) return false;
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.scale(1.0 / twips_per_dot, 1.0 / twips_per_dot);
  painter.translate(current_x, current_y);
  painter.rotate(-angle);  // the painter turns clockwise
  painter.setFont(qfont);
  painter.setPen(fore_color);
  const QStringList lines = text_lines(text);
  for (qsizetype i = 0; i < lines.size(); ++i)
    painter.drawText(QPointF(0.0, double(i) * measures.lineSpacing() + measures.ascent()), lines.at(i));
  return true;
}

bool create_rotated_font(print_picture& target, double x, double y, double angle, const QString& text) {
  const double old_x = target.current_x;
  const double old_y = target.current_y;
  target.current_x = x;
  target.current_y = y;
  const bool printed = target.print_rotated(text, angle);
  target.current_x = old_x;
  target.current_y = old_y;
  return printed;
}

bool create_rotated_font(platform::printer_object& target, double x, double y, double angle,
                         const QString& text) {
  if (!std::isfinite(angle)) return false;
  const double old_x = target.current_x();
  const double old_y = target.current_y();
  bool printed = false;
  try {
    target.set_current_x(x);
    target.set_current_y(y);
    target.print_rotated(text, int(std::lround(angle * 10.0)));
    printed = true;
  } catch (const platform::printer_error&) {
    printed = false;
  }
  target.set_current_x(old_x);
  target.set_current_y(old_y);
  return printed;
}

double measure_heading_text(const QString& text) {
  const platform::printer_object& printer = platform::printer();
  double widest = 0.0;
  for (const QString& line : text_lines(text))
    widest = std::max(widest, printer.metrics().width(printer.font(), line));
  return widest;
}

QImage print_rotated_text(const QString& text, const platform::flex_grid& grid, std::uint32_t back_colour) {
  const platform::printer_object& printer = platform::printer();
  const platform::print_font& font = printer.font();
  const QStringList lines = text_lines(text);
  const double text_width = measure_heading_text(text);
  double row_height = 0.0;
  try {
    row_height = grid.row_height(grid.row());
  } catch (const platform::grid_error&) {
    row_height = 0.0;  // a grid without rows sets no minimum
  }
  const double height = get_max_value(platform::Value(text_width), platform::Value(row_height));
  const double width = printer.metrics().line_height(font) * double(lines.size());

  print_picture picture(width, height, back_colour);
  picture.font = font;
  create_rotated_font(picture, 0.0, picture.height(), 90.0, text);
  pictures().push_back(picture.image());
  return picture.image();
}

int rotated_picture_count() { return int(pictures().size()); }

const QImage& rotated_picture(int index) { return pictures().at(std::size_t(index)); }

void clear_rotated_pictures() { pictures().clear(); }

namespace {

const platform::reset_step no_rotated_pictures{platform::reset_stage::values, clear_rotated_pictures};

}  // namespace

}  // namespace km
