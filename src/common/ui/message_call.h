#pragma once
// The timed message call: the message window frmMessage shown for a while
// with its owner hidden, the queue of messages asked for meanwhile, and
// the wait that keeps events running.

#include <QString>
#include <cstdint>

class QWidget;

namespace km {

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

}  // namespace km
