#pragma once
// The base of the program's windows. A window carries its name (the
// objectName, which the window registry finds it by), its placement in
// twips, key preview, an optional refusal of the close box, and the load,
// unload and close hooks that the windows override. Controls carry their
// names as objectName; a control of an array is named "<name>_<index>".

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <type_traits>

#include "platform/model/screen_twips.h"
#include "platform/program.h"
#include "platform/ui/canvas.h"

class QAbstractButton;
class QKeyEvent;

namespace km::platform {

class form_timer;

// Wires a signal to a handler of a window (or of a part of one, which is no
// form) for the life of context: the handler takes the signal's arguments,
// or none, and runs as every event handler runs (run_handler): a failure in
// it is reported and the program goes on.
template <class Sender, class Base, class... Args, class Handler>
void connect_handler(QObject* context, Sender* sender, void (Base::*signal)(Args...), Handler handler) {
  QObject::connect(sender, signal, context, [handler = std::move(handler)](Args... args) {
    run_handler([&] {
      if constexpr (std::is_invocable_v<const Handler&, Args...>)
        handler(args...);
      else
        handler();
    });
  });
}

// Screen measures are kept in twips, 15 to a pixel (screen_twips.h).
int twips_to_pixels(double twips);
double screen_width_twips();
double screen_height_twips();

// Why an unload was asked for: by the program's code, or by the user's
// close box.
enum class unload_reason { code, close_box };

class form : public QWidget {
  Q_OBJECT

 public:
  explicit form(const QString& name, QWidget* parent = nullptr);
  ~form() override;

  QString name() const { return objectName(); }

  // Placement in twips (a pixel is 15 twips); width and height are the
  // window's own area.
  int left() const;
  int top() const;
  int width_twips() const;
  int height_twips() const;
  void set_left(double twips);
  void set_top(double twips);
  void set_width_twips(double twips);
  void set_height_twips(double twips);
  void move_twips(double left, double top, double width, double height);

  QString caption() const { return windowTitle(); }
  void set_caption(const QString& text) { setWindowTitle(text); }

  // Gives the window, before it is first shown, the size it will show
  // with: a window never sized takes its layout's size, and no window is
  // smaller than its layout needs or narrower than its caption needs. The
  // size set in twips stays the least size.
  void settle_size();

  // With key preview on, on_key_down and on_key_up see every key typed
  // into the window's controls before the control does.
  bool key_preview() const { return key_preview_; }
  void set_key_preview(bool on);

  // Refuses the close box (and the platform's close request): the window
  // stays; the handler, when given, runs instead.
  void refuse_close_box(bool refuse, std::function<void()> on_refused = {});
  bool close_box_refused() const { return refuse_close_; }

  // The window's orderly way out, which the log-out and EXIT use. A work
  // window overrides it to run its own exit path; the default unloads.
  virtual void request_close();

  // Shows the window modally: returns when it is hidden or unloaded. Other
  // windows take no input meanwhile; timers and other events run on.
  void show_modal();
  void show_modeless();

  // The first child control with this objectName, or nullptr.
  template <class T = QWidget>
  T* control(const QString& control_name) const {
    return findChild<T*>(control_name);
  }
  form_timer* timer(const QString& timer_name) const;

  // Wires a click of a button to a handler of the window. The handler runs
  // as every event handler runs (run_handler): a failure is reported and
  // the program goes on. The button is the one given, or the control of
  // that name (which must exist: a missing one throws std::logic_error).
  QAbstractButton* on_click(QAbstractButton* button, std::function<void()> handler);
  QAbstractButton* on_click(const QString& control_name, std::function<void()> handler);
  template <class T>
  QAbstractButton* on_click(const QString& control_name, void (T::*handler)()) {
    static_assert(std::is_base_of_v<form, T>, "the handler must be one of the window's own");
    return on_click(control_name,
                    std::function<void()>([this, handler] { (static_cast<T*>(this)->*handler)(); }));
  }
  // The same for any other signal of a control or object (Enter in a box,
  // a click on a label, a grid's key, a model's write): the handler takes
  // the signal's arguments, or none. Every handler of a window is wired
  // this way, so that no failure in it reaches the event loop.
  template <class Sender, class Base, class... Args, class Handler>
  void on_signal(Sender* sender, void (Base::*signal)(Args...), Handler handler) {
    connect_handler(this, sender, signal, std::move(handler));
  }

  // The persistent drawing surface of the window's background.
  canvas& background();

  // Hooks run by the window registry.
  virtual void on_load() {}
  // Return false to keep the window loaded.
  virtual bool query_unload(unload_reason) { return true; }
  virtual void on_unload() {}
  // Key handlers; return true to swallow the key (the control never sees it).
  virtual bool on_key_down(QKeyEvent*) { return false; }
  virtual bool on_key_up(QKeyEvent*) { return false; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class key_preview_filter;
  bool preview_key(QKeyEvent* event);
  static void run_event_handler(const std::function<void()>& handler);

  bool key_preview_ = false;
  bool refuse_close_ = false;
  std::function<void()> on_close_refused_;
  std::unique_ptr<canvas> background_;
};

// A control's objectName within an array: "lblMessage", 0 -> "lblMessage_0".
QString control_name(const QString& name, int index);

// The form that holds a widget (the widget itself when it is a form), or
// nullptr.
form* form_of(QWidget* widget);

// The form whose key preview sees keys typed into the widget: the form the
// widget sits in, within the widget's own top-level window. nullptr for a
// control of a dialog, a message box or any top-level window that is not a
// form, even when that window is parented to a form.
form* key_owner(QWidget* widget);

}  // namespace km::platform
