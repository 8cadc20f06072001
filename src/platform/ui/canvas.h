#pragma once
// A drawing surface with a persistent picture, as a window or picture box
// has: drawing goes into the image that is shown; keep_image makes what is
// drawn the persistent picture, which clear() goes back to. Positions are
// given in the surface's scale (twips or pixels) and turned into pixels.

#include <QImage>

class QPainter;
class QWidget;

namespace km::platform {

enum class scale_mode { twips, pixels };

class canvas {
 public:
  explicit canvas(QWidget* owner);

  scale_mode mode() const { return mode_; }
  void set_scale_mode(scale_mode mode) { mode_ = mode; }
  // A length on the surface's scale in pixels (unrounded), and back.
  double to_pixels(double length) const;
  double from_pixels(double pixels) const;
  // The owner's size in pixels.
  int width_px() const;
  int height_px() const;

  // What is drawn and shown; grown to the owner's size on each call.
  QImage& image();
  const QImage& picture() const { return picture_; }
  void keep_image();
  void clear();

  // Draws the image into the owner's paint event.
  void paint(QPainter& painter) const;
  // Asks the owner to repaint.
  void refresh();

 private:
  void fit();

  QWidget* owner_;
  scale_mode mode_ = scale_mode::twips;
  QImage image_;
  QImage picture_;
};

}  // namespace km::platform
