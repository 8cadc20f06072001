#include "common/window_helpers.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <stdexcept>

#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/dialogs.h"
#include "platform/form_timer.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"

namespace km {

using platform::form;

void centre_form(form& window) {
  window.set_key_preview(true);
  window.set_left((platform::screen_width_twips() - window.width_twips()) / 2.0);
  window.set_top((platform::screen_height_twips() - window.height_twips()) / 2.0 - 480.0);
}

namespace {
qint64 g_last_activity_ms = 0;
}  // namespace

void reset_idle_clock() {
  g_last_activity = platform::clock().timer();
  g_last_activity_ms = platform::clock().monotonic_ms();
}

qint64 last_activity_monotonic_ms() { return g_last_activity_ms; }

// ---- the timed message call -------------------------------------------------

namespace {

struct message_call {
  QPointer<QWidget> owner;
  QString text;
  QString title;
  int ms = 0;
  bool show_image = false;

  bool same_message(const message_call& other) const {
    return owner == other.owner && text == other.text && title == other.title;
  }
};

bool g_message_active = false;
message_call g_current_message;
std::deque<message_call> g_waiting_messages;
std::int32_t g_close_ms_left = 0;

// An owner that was unloaded meanwhile (the idle log-out unloads windows
// during the wait) is not shown again.
bool owner_still_there(const QPointer<QWidget>& owner) {
  if (!owner) return false;
  if (auto* f = qobject_cast<form*>(owner.data())) return platform::is_loaded(f);
  return true;
}

void fill_message_lines(form& window, const QString& text) {
  auto* first = window.control<QLabel>(platform::control_name(QStringLiteral("lblMessage"), 0));
  auto* second = window.control<QLabel>(platform::control_name(QStringLiteral("lblMessage"), 1));
  const qsizetype dollar = text.indexOf(QLatin1Char('$'));
  if (dollar >= 0) {
    if (first) first->setText(text.left(dollar));
    if (second) second->setText(text.mid(dollar + 1));
  } else if (first) {
    first->setText(text);
  }
}

void show_one_message(const message_call& call) {
  // A message window that no call is waiting for would otherwise be found
  // by the load below and never closed.
  if (form* stray = platform::find_form(QStringLiteral("frmMessage"))) platform::unload_form(stray);
  QPointer<form> window = platform::load_form(QStringLiteral("frmMessage"));
  if (!window) throw std::runtime_error("the message window frmMessage is not registered");

  // Whatever ends the wait (the close timer, the window unloaded by someone
  // else, the program ending), the window goes and the owner comes back.
  struct finish {
    const QPointer<form>& window;
    const QPointer<QWidget>& owner;
    ~finish() {
      if (window && platform::is_loaded(window.data())) platform::unload_form(window.data());
      if (owner_still_there(owner)) {
        owner->show();
        owner->raise();
        owner->activateWindow();
        owner->setFocus(Qt::OtherFocusReason);
      }
    }
  } finish_call{window, call.owner};

  window->set_caption(call.title.isEmpty() ? platform::program_title() : call.title);
  fill_message_lines(*window, call.text);
  QPointer<platform::form_timer> close_timer = window->timer(QStringLiteral("Timer1"));
  platform::form_timer* count_down = window->timer(QStringLiteral("tmrLabel"));
  if (close_timer) close_timer->set_interval(call.ms);
  set_message_close_ms(call.ms);
  if (close_timer) close_timer->set_enabled(true);
  if (count_down) count_down->set_enabled(true);
  if (owner_still_there(call.owner)) call.owner->hide();
  if (!call.show_image)
    if (auto* image = window->control<QWidget>(QStringLiteral("Image1"))) image->hide();
  window->show_modeless();
  // A time of 0 or less never starts the close timer: the window closes at once.
  while (window && platform::is_loaded(window.data()) && close_timer && close_timer->running())
    platform::pump_events();
}

}  // namespace

void show_message_window(QWidget* owner, const QString& text, const QString& title, int ms, bool show_image) {
  message_call call{owner, text, title, ms, show_image};
  if (g_message_active) {
    const auto same = [&call](const message_call& m) { return m.same_message(call); };
    if (!call.same_message(g_current_message) &&
        std::none_of(g_waiting_messages.begin(), g_waiting_messages.end(), same))
      g_waiting_messages.push_back(call);
    return;
  }
  g_message_active = true;
  struct end_of_calls {
    ~end_of_calls() {
      g_message_active = false;
      g_waiting_messages.clear();
      g_current_message = message_call();
    }
  } end_guard;
  g_current_message = call;
  show_one_message(call);
  while (!g_waiting_messages.empty()) {
    g_current_message = g_waiting_messages.front();
    g_waiting_messages.pop_front();
    show_one_message(g_current_message);
  }
}

bool message_call_active() { return g_message_active; }
int queued_message_count() { return int(g_waiting_messages.size()); }

std::int32_t message_close_ms() { return g_close_ms_left; }

void set_message_close_ms(std::int32_t ms) {
  g_close_ms_left = ms;
  g_message_close_ms = static_cast<std::int16_t>(std::clamp<std::int32_t>(
      ms, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

void wait_milliseconds(int ms) {
  if (ms <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  // Each wait has a timer of its own, so a wait inside a wait leaves the
  // outer one's time alone.
  platform::form_timer timer(nullptr, QStringLiteral("wait"), ms, false);
  timer.set_handler([&timer] { timer.set_enabled(false); });
  timer.set_enabled(true);
  while (timer.running()) platform::pump_events();
}

// ---- window frame ------------------------------------------------------------

void remove_close_menu(form& window) { window.refuse_close_box(true); }

QString get_user_name() {
  QString name;
  if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) name = QString::fromLocal8Bit(pw->pw_name);
  if (name.isEmpty()) name = qEnvironmentVariable("USER");
  // The name must fit the 255-character buffer with its NUL.
  return name.size() < 255 ? name : QString();
}

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

// ---- painting ----------------------------------------------------------------

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

// ---- tray icon ---------------------------------------------------------------

QByteArray tray_icon_data::to_bytes() const {
  QByteArray out;
  out.reserve(record_size);
  for (std::uint32_t v : {size, window, icon_id, flags, callback_message, icon})
    for (int shift = 0; shift < 32; shift += 8) out.append(char((v >> shift) & 0xFF));
  out.append(tip.data(), tip_size);
  return out;
}

QString tray_icon_data::tip_text() const {
  const auto end = std::find(tip.begin(), tip.end(), '\0');
  return platform::decode_cp1252(tip.data(), qsizetype(end - tip.begin()));
}

void fill_tray_icon_data(tray_icon_data& out, std::uint32_t window, std::uint32_t icon_id,
                         std::uint32_t flags, std::uint32_t callback_message, std::uint32_t icon,
                         const QString& tip) {
  out.size = tray_icon_data::record_size;
  out.window = window;
  out.icon_id = icon_id;
  out.flags = flags;
  out.callback_message = callback_message;
  out.icon = icon;
  QByteArray bytes = platform::encode_cp1252(tip);
  bytes.append('\0');
  bytes = bytes.left(tray_icon_data::tip_size);
  bytes = bytes.leftJustified(tray_icon_data::tip_size, ' ');
  std::copy(bytes.cbegin(), bytes.cend(), out.tip.begin());
}

// ---- loaded windows ------------------------------------------------------------

void unload_form_if_loaded(form* window) {
  try {
    for (int i = 0; i < platform::loaded_count(); ++i) {
      if (platform::loaded_form(i) == window) {
        platform::unload_form(window);
        break;
      }
    }
  } catch (const platform::program_ended&) {
    throw;
  } catch (const std::exception& e) {
    platform::message_box(QString::fromUtf8(e.what()));
  }
}

void unload_form_if_loaded(const QString& name) { unload_form_if_loaded(platform::find_form(name)); }

bool is_grade_10_to_12() {
  const double grade = platform::val(g_grade);
  return grade >= 10 && grade <= 12;
}

}  // namespace km
