#pragma once
// Gradient painting: the vertical gradients of window backgrounds and the
// shadow frames behind controls.

#include <QWidget>

#include "platform/ui/canvas.h"
#include "platform/ui/picture_box.h"

namespace km {

// Paints a vertical gradient on the surface from the start colour at top to
// the end colour at bottom (both on the surface's scale), one line per pixel
// row from left_x to right_x (pixels; right_x 0 = the full width). keep makes
// it the surface's persistent picture.
void paint_gradient(platform::canvas& target, float r1, float g1, float b1, float r2, float g2, float b2,
                    float top, float bottom, bool keep, int left_x = 0, int right_x = 0);

// Places the picture behind the control, offset (twips) down and to the
// right, as large as the control, and paints its gradient shadow: from red
// when red is set, else from the frame colour, down to the grey of
// g_frame_blue.
void draw_gradient_frame(platform::picture_box& picture, QWidget& control, double offset = 90,
                         bool red = false);

}  // namespace km
