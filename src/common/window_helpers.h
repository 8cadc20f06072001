#pragma once
// Small routines that many windows share: placing a window, the idle clock,
// the timed message call and its wait, the close box, the user name,
// rounded corners, gradient painting, the tray-icon record, unloading a
// window only when it is loaded, and the grade test.

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "platform/ui/canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/picture_box.h"

namespace km {

// Centres the window on the screen, 480 twips above the middle, and turns
// its key preview on (its key handler then sees the keys typed into its
// controls, which the idle clock rests on).
void centre_form(platform::form& window);

// The last activity is now (seconds since midnight).
void reset_idle_clock();
// When reset_idle_clock last ran, on the clock's monotonic milliseconds
// (0 before it ever ran): the idle watch measures idle time from it.
qint64 last_activity_monotonic_ms();

// Shows the timed message window "frmMessage" with the text (a "$" splits
// it into two lines; an empty text shows the closing-down count-down) and
// the title (empty: the program's title) for ms milliseconds, with the owner
// hidden meanwhile; then unloads it and gives the owner back the focus.
// Returns when the message has closed. The picture shows only with
// show_image. Events go on being processed while it waits.
//
// A message asked for while another is on the screen (from a handler that
// runs during the wait) is shown after it, in turn, and that call returns
// at once; the same message (owner, text and title) asked for again while
// it is shown or waiting is not repeated. So waits never nest.
void show_message_window(QWidget* owner, const QString& text, const QString& title, int ms,
                         bool show_image = false);

// Waits the given time while processing events (no wait for 0 or less).
void wait_milliseconds(int ms);

// The milliseconds still to count down in the message window. Kept in 32
// bits; the shared g_message_close_ms mirrors it, held to its 16-bit range.
std::int32_t message_close_ms();
void set_message_close_ms(std::int32_t ms);

// True while a message call is showing its window.
bool message_call_active();
// Messages waiting for their turn.
int queued_message_count();

// Refuses the window's close box (the window menu's Close is gone).
void remove_close_menu(platform::form& window);

// The login name of the user; "" when the system gives none.
QString get_user_name();

// Gives the window rounded corners: a rounded-rectangle region as large as
// the window (its twips turned into pixels) with this corner diameter.
void round_form_corners(platform::form& window, int diameter);

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

// The notification-icon record: six 32-bit fields and a 64-byte tip,
// 88 bytes in all.
struct tray_icon_data {
  static constexpr int record_size = 88;
  static constexpr int tip_size = 64;
  std::uint32_t size = 0;
  std::uint32_t window = 0;
  std::uint32_t icon_id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callback_message = 0;
  std::uint32_t icon = 0;
  std::array<char, tip_size> tip{};

  // The record's bytes, little-endian.
  QByteArray to_bytes() const;
  // The tip up to its NUL (all 64 characters when it has none).
  QString tip_text() const;
};

// Fills the record: its size, the caller's values, and the tip followed by
// one NUL, cut or padded with blanks to 64 characters (a tip of 64 or more
// characters is cut and carries no NUL).
void fill_tray_icon_data(tray_icon_data& out, std::uint32_t window, std::uint32_t icon_id,
                         std::uint32_t flags, std::uint32_t callback_message, std::uint32_t icon,
                         const QString& tip);

// Unloads the window when it is loaded; otherwise nothing happens. A
// failure is shown in a message box and the caller goes on.
void unload_form_if_loaded(platform::form* window);
void unload_form_if_loaded(const QString& name);

// True when the numeric value of g_grade is 10, 11 or 12 (empty counts as 0).
bool is_grade_10_to_12();

}  // namespace km
