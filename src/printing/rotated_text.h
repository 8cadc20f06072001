#pragma once
// Text turned on its side. create_rotated_font prints a text at any angle
// on a drawing target: the printer itself (which turns text natively) or a
// picture. print_rotated_text renders a column heading of a report grid,
// reading upwards, into a new picture on its own back colour; the grid
// printers put that picture on the page or into the grid cell. The pictures
// of a job are kept until reset_progress_window() starts the next job.

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>

#include "platform/model/print/print_types.h"

namespace km::platform {
class flex_grid;
class printer_object;
}  // namespace km::platform

namespace km {

// A picture to draw turned text into. Its size and print position are in
// twips; it is drawn at dots_per_inch, and its image carries that
// resolution, so printed at its own size it keeps its size in twips.
class print_picture {
 public:
  static constexpr double dots_per_inch = 300.0;

  // back_colour is 0x00BBGGRR; 0 paints the picture white.
  print_picture(double width_twips, double height_twips, std::uint32_t back_colour = 0);

  double width() const { return width_; }
  double height() const { return height_; }
  const QImage& image() const { return image_; }

  platform::print_font font{QStringLiteral("Lucida Console"), 10.0};
  QColor fore_color = Qt::black;
  double current_x = 0.0;
  double current_y = 0.0;

  // Draws the text turned counter-clockwise by `angle` degrees about the
  // top-left corner of its first line, which lies at the print position;
  // further lines follow below the first, turned with it. The print
  // position does not move. False when the angle is not a number.
  bool print_rotated(const QString& text, double angle);

 private:
  double width_;
  double height_;
  QImage image_;
};

// Prints `text` on the target starting at (x, y), in the target's font,
// turned counter-clockwise by `angle` degrees; the target's print position
// is the same afterwards. True when the text was printed. On the printer,
// x and y are in its current scale.
bool create_rotated_font(print_picture& target, double x, double y, double angle, const QString& text);
bool create_rotated_font(platform::printer_object& target, double x, double y, double angle,
                         const QString& text);

// A new picture holding `text` in the printer's current font, turned by 90
// degrees so that it reads upwards from the bottom-left corner, on the back
// colour (0x00BBGGRR; 0 means white). The picture is one line of the font
// wide per text line and as tall as the larger of the text's printed width
// and the height of the grid's current row.
QImage print_rotated_text(const QString& text, const platform::flex_grid& grid,
                          std::uint32_t back_colour = 0);

// The width in twips of the text's widest line as print_rotated_text draws
// it (in the printer's current font): the measure the grid printers take
// for turned headings.
double measure_heading_text(const QString& text);

// The pictures print_rotated_text made since the last reset, in order.
int rotated_picture_count();
const QImage& rotated_picture(int index);
void clear_rotated_pictures();

}  // namespace km
