#include "common/ui/gradient_painting.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/shared_variables.h"
#include "platform/ui/form.h"

namespace km {

namespace {

int colour_component(float value) {
  // Whole numbers as the platform rounds them: halves to even.
  return std::clamp(int(std::nearbyint(value)), 0, 255);
}

}  // namespace

void paint_gradient(platform::canvas& target, float r1, float g1, float b1, float r2, float g2, float b2,
                    float top, float bottom, bool keep, int left_x, int right_x) {
  const float top_px = float(target.to_pixels(top));
  const float bottom_px = float(target.to_pixels(bottom));
  const int right = right_x != 0 ? right_x : target.width_px();
  // A height of 0 paints one line in the start colour.
  const float height = bottom_px - top_px;
  const float step_r = height != 0 ? (r2 - r1) / height : 0.0f;
  const float step_g = height != 0 ? (g2 - g1) / height : 0.0f;
  const float step_b = height != 0 ? (b2 - b1) / height : 0.0f;
  QPainter painter(&target.image());
  float r = r1, g = g1, b = b1;
  for (float y = top_px; y <= bottom_px; y += 1.0f) {
    painter.setPen(QColor(colour_component(r), colour_component(g), colour_component(b)));
    const int row = int(std::floor(y + 0.5f));
    painter.drawLine(left_x, row, right, row);
    r += step_r;
    g += step_g;
    b += step_b;
  }
  painter.end();
  if (keep) target.keep_image();
  target.refresh();
}

void draw_gradient_frame(platform::picture_box& picture, QWidget& control, double offset, bool red) {
  const float r = red ? 255.0f : float(g_frame_red);
  const float g = red ? 0.0f : float(g_frame_green);
  const float b = red ? 0.0f : float(g_frame_blue);
  const float grey = float(g_frame_blue);
  const double left = control.x() * double(platform::twips_per_pixel) + offset;
  const double top = control.y() * double(platform::twips_per_pixel) + offset;
  picture.setGeometry(platform::twips_to_pixels(left), platform::twips_to_pixels(top), control.width(),
                      control.height());
  if (picture.parentWidget() == control.parentWidget()) picture.stackUnder(&control);
  platform::canvas& surface = picture.surface();
  paint_gradient(surface, r, g, b, grey, grey, grey, 0.0f, float(surface.from_pixels(picture.height())),
                 false);
}

}  // namespace km
