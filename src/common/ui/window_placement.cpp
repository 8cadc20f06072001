#include "common/ui/window_placement.h"

#include <QRegion>
#include <algorithm>
#include <cmath>

#include "platform/ui/form.h"

namespace km {

using platform::form;

void centre_form(form& window) {
  window.set_key_preview(true);
  // Centred on the size it shows with, not on the size before its layout ran.
  window.settle_size();
  window.set_left((platform::screen_width_twips() - window.width_twips()) / 2.0);
  window.set_top((platform::screen_height_twips() - window.height_twips()) / 2.0 - 480.0);
}

void remove_close_menu(form& window) { window.refuse_close_box(true); }

void round_form_corners(form& window, int diameter) {
  const int w = platform::twips_to_pixels(window.width_twips());
  const int h = platform::twips_to_pixels(window.height_twips());
  const double r = std::min({diameter / 2.0, w / 2.0, h / 2.0});
  // Row by row: each row is cut at both ends where it leaves the circle of
  // its corner, as a rounded-rectangle region is.
  QRegion region;
  int band_start = 0;
  int band_inset = -1;
  auto close_band = [&](int end_row) {
    if (band_inset >= 0 && end_row > band_start)
      region += QRect(band_inset, band_start, std::max(0, w - 2 * band_inset), end_row - band_start);
  };
  for (int y = 0; y < h; ++y) {
    const double centre = y + 0.5;
    double dy = 0.0;
    if (centre < r)
      dy = r - centre;
    else if (centre > h - r)
      dy = centre - (h - r);
    const int inset = r > 0 && dy > 0 ? int(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy)))) : 0;
    if (inset != band_inset) {
      close_band(y);
      band_start = y;
      band_inset = inset;
    }
  }
  close_band(h);
  window.setMask(region);
  window.update();
}

}  // namespace km
