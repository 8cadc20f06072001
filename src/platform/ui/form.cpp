#include "platform/ui/form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/form_timer.h"
#include "platform/program.h"
#include "platform/ui/caption_width.h"
#include "platform/ui/window_registry.h"

namespace km::platform {

int twips_to_pixels(double twips) { return static_cast<int>(std::lround(twips / twips_per_pixel)); }

namespace {

QRect screen_geometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

}  // namespace

double screen_width_twips() { return double(screen_geometry().width()) * twips_per_pixel; }
double screen_height_twips() { return double(screen_geometry().height()) * twips_per_pixel; }

// Gives a window with key preview each key before the control it was typed
// into. One filter on the application sees every key event; a key that a
// control leaves unhandled travels on to the control's parents, and those
// later steps of the same event are recognised and not shown twice. A key
// belongs to the window the focused control sits in: one typed into a
// dialog, a message box or any other top-level window is never shown to the
// form that window happens to be parented to.
class key_preview_filter : public QObject {
 public:
  static void install() {
    static key_preview_filter* filter = nullptr;
    if (!filter && qApp) {
      filter = new key_preview_filter(qApp);
      qApp->installEventFilter(filter);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool same_event_moving_up = event == last_event_ && type == last_type_ && last_receiver_ &&
                                      widget == last_receiver_->parentWidget();
    last_event_ = event;
    last_type_ = type;
    last_receiver_ = widget;
    if (same_event_moving_up) return false;
    form* owner = key_owner(widget);
    if (!owner || !owner->key_preview_) return false;
    return owner->preview_key(static_cast<QKeyEvent*>(event));
  }

 private:
  using QObject::QObject;
  const QEvent* last_event_ = nullptr;
  QEvent::Type last_type_ = QEvent::None;
  QPointer<QWidget> last_receiver_;
};

form::form(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  key_preview_filter::install();
}

form::~form() = default;

int form::left() const { return pos().x() * twips_per_pixel; }
int form::top() const { return pos().y() * twips_per_pixel; }
int form::width_twips() const { return width() * twips_per_pixel; }
int form::height_twips() const { return height() * twips_per_pixel; }
void form::set_left(double twips) { move(twips_to_pixels(twips), pos().y()); }
void form::set_top(double twips) { move(pos().x(), twips_to_pixels(twips)); }
void form::set_width_twips(double twips) { resize(twips_to_pixels(twips), height()); }
void form::set_height_twips(double twips) { resize(width(), twips_to_pixels(twips)); }

void form::move_twips(double left, double top, double width, double height) {
  move(twips_to_pixels(left), twips_to_pixels(top));
  resize(twips_to_pixels(width), twips_to_pixels(height));
}

void form::settle_size() {
  if (QLayout* l = layout()) l->activate();
  if (!testAttribute(Qt::WA_Resized)) adjustSize();
  QSize needed = size().expandedTo(minimumSizeHint());
  if (isWindow() && !(windowFlags() & Qt::FramelessWindowHint))
    needed.setWidth(std::max(needed.width(), width_for_caption(caption())));
  if (needed != size()) resize(needed);
}

void form::set_key_preview(bool on) { key_preview_ = on; }

void form::refuse_close_box(bool refuse, std::function<void()> on_refused) {
  refuse_close_ = refuse;
  on_close_refused_ = std::move(on_refused);
  // Greys the frame's close button where the window system allows. Changing
  // the frame re-creates the window, which hides it: a window on the screen
  // keeps its button and refuses in its close handler alone.
  if (!isWindow() || isVisible()) return;
  if (refuse) {
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinMaxButtonsHint) &
                   ~Qt::WindowCloseButtonHint);
  } else if (windowFlags() & Qt::CustomizeWindowHint) {
    setWindowFlags((windowFlags() | Qt::WindowCloseButtonHint) & ~Qt::CustomizeWindowHint);
  }
}

void form::request_close() { unload_form(this); }

void form::show_modeless() {
  if (!is_loaded(this) && !load_form(this)) return;
  show();
  raise();
  activateWindow();
}

void form::show_modal() {
  if (!is_loaded(this) && !load_form(this)) return;
  QPointer<form> self(this);
  if (isVisible()) hide();
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  struct modality_reset {
    QPointer<form>& window;
    ~modality_reset() {
      if (window && !window->isVisible()) window->setWindowModality(Qt::NonModal);
    }
  } reset{self};
  while (self && is_loaded(self.data()) && self->isVisible()) pump_events();
}

form_timer* form::timer(const QString& timer_name) const { return findChild<form_timer*>(timer_name); }

QAbstractButton* form::on_click(QAbstractButton* button, std::function<void()> handler) {
  on_signal(button, &QAbstractButton::clicked, std::move(handler));
  return button;
}

QAbstractButton* form::on_click(const QString& control_name, std::function<void()> handler) {
  auto* button = control<QAbstractButton>(control_name);
  if (!button)
    throw std::logic_error("the window " + name().toStdString() + " has no button " +
                           control_name.toStdString());
  return on_click(button, std::move(handler));
}

void form::run_event_handler(const std::function<void()>& handler) { run_handler(handler); }

canvas& form::background() {
  if (!background_) background_ = std::make_unique<canvas>(this);
  return *background_;
}

bool form::preview_key(QKeyEvent* event) {
  bool swallow = false;
  run_handler([&] { swallow = event->type() == QEvent::KeyPress ? on_key_down(event) : on_key_up(event); });
  return swallow;
}

void form::closeEvent(QCloseEvent* event) {
  if (refuse_close_) {
    event->ignore();
    if (on_close_refused_) run_handler(on_close_refused_);
    return;
  }
  if (!is_loaded(this)) {
    event->accept();
    return;
  }
  bool unloaded = false;
  run_handler([&] { unloaded = unload_form(this, unload_reason::close_box); });
  if (unloaded)
    event->accept();
  else
    event->ignore();
}

void form::keyPressEvent(QKeyEvent* event) {
  // With key preview the application filter has shown the key already.
  if (!key_preview_ && preview_key(event)) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void form::keyReleaseEvent(QKeyEvent* event) {
  if (!key_preview_ && preview_key(event)) {
    event->accept();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void form::paintEvent(QPaintEvent* event) {
  if (!background_) {
    QWidget::paintEvent(event);
    return;
  }
  QPainter painter(this);
  background_->paint(painter);
}

QString control_name(const QString& name, int index) {
  return name + QLatin1Char('_') + QString::number(index);
}

form* key_owner(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (auto* f = qobject_cast<form*>(w)) return f;
    if (w->isWindow()) return nullptr;
  }
  return nullptr;
}

form* form_of(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* f = qobject_cast<form*>(w)) return f;
  return nullptr;
}

}  // namespace km::platform
