#include "printing/wys_druk_vordering.h"

#include <QVBoxLayout>

#include "common/ui/gradient_painting.h"
#include "platform/ui/window_registry.h"
#include "printing/rotated_text.h"

namespace km {

namespace {

const QString window_name = QStringLiteral("wys_druk_vordering");

QLabel* make_label(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

wys_druk_vordering::wys_druk_vordering() : form(window_name) {
  move_twips(0, 0, 5700, 2700);

  background_ = new platform::picture_box(this, QStringLiteral("Picture1"));
  background_->setGeometry(rect());
  shadow_ = new platform::picture_box(background_, QStringLiteral("Picture2"));

  frame_ = new QFrame(background_);
  frame_->setObjectName(QStringLiteral("druk_raam"));
  frame_->setFrameShape(QFrame::Box);
  frame_->setGeometry(platform::twips_to_pixels(240), platform::twips_to_pixels(240),
                      platform::twips_to_pixels(5100), platform::twips_to_pixels(2100));
  frame_->setAutoFillBackground(true);

  heading_ = new QLineEdit(frame_);
  heading_->setObjectName(QStringLiteral("wdv_opskrif"));
  heading_->setReadOnly(true);
  heading_->setAlignment(Qt::AlignCenter);
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  printer_name_ = make_label(frame_, QStringLiteral("wdv_drukker"));
  page_ = make_label(frame_, QStringLiteral("wdv_bladsy"));
  page_->setFont(bold);
  busy_ = new QProgressBar(frame_);
  busy_->setObjectName(QStringLiteral("Animation1"));
  busy_->setTextVisible(false);
  busy_->setRange(0, 1);
  busy_->setValue(0);

  auto* column = new QVBoxLayout(frame_);
  column->addWidget(heading_);
  column->addWidget(printer_name_);
  column->addWidget(page_);
  column->addWidget(busy_);
}

void wys_druk_vordering::on_load() { draw_gradient_frame(*shadow_, *frame_); }

void wys_druk_vordering::play_animation() {
  busy_->setVisible(true);
  busy_->raise();
  busy_->setRange(0, 0);  // no end: the bar runs to and fro
  playing_ = true;
}

void wys_druk_vordering::stop_animation() {
  busy_->setRange(0, 1);
  busy_->setValue(0);
  playing_ = false;
}

wys_druk_vordering* progress_window() {
  return qobject_cast<wys_druk_vordering*>(platform::find_form(window_name));
}

wys_druk_vordering* load_progress_window() {
  if (!platform::has_form_factory(window_name)) register_wys_druk_vordering();
  return qobject_cast<wys_druk_vordering*>(platform::load_form(window_name));
}

void reset_progress_window() { clear_rotated_pictures(); }

void register_wys_druk_vordering() {
  platform::register_form(window_name, [] { return new wys_druk_vordering; });
}

}  // namespace km
