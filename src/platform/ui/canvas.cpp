#include "platform/ui/canvas.h"

#include <QPainter>
#include <QWidget>

#include "platform/ui/form.h"

namespace km::platform {

canvas::canvas(QWidget* owner) : owner_(owner) {}

double canvas::to_pixels(double length) const {
  return mode_ == scale_mode::twips ? length / twips_per_pixel : length;
}

double canvas::from_pixels(double pixels) const {
  return mode_ == scale_mode::twips ? pixels * twips_per_pixel : pixels;
}

int canvas::width_px() const { return owner_->width(); }
int canvas::height_px() const { return owner_->height(); }

QImage& canvas::image() {
  fit();
  return image_;
}

void canvas::keep_image() {
  fit();
  picture_ = image_;
}

void canvas::clear() {
  image_ = QImage();
  fit();
}

// The image always covers the owner: a new or larger image starts in the
// owner's background colour with the persistent picture and the earlier
// drawing on it.
void canvas::fit() {
  const QSize size(std::max(1, owner_->width()), std::max(1, owner_->height()));
  if (image_.size() == size) return;
  QImage fresh(size, QImage::Format_RGB32);
  fresh.fill(owner_->palette().color(QPalette::Window));
  QPainter painter(&fresh);
  if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
  painter.end();
  image_ = fresh;
}

void canvas::paint(QPainter& painter) const {
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

void canvas::refresh() { owner_->update(); }

}  // namespace km::platform
