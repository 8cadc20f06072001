#pragma once
// The timed message window frmMessage: two message lines, a count-down
// number, a picture, and two timers. The message call (show_message_window)
// loads, fills, shows and unloads it; the window itself only switches its
// close timer off when it fires and counts the seconds down. With no text
// it shows the closing-down warning of the idle log-out as a count-down.

#include <QLabel>

#include "platform/form_timer.h"
#include "platform/ui/form.h"

namespace km {

class frmMessage : public platform::form {
  Q_OBJECT

 public:
  frmMessage();

  // The close timer fired: switch it off, which ends the message call's wait.
  void Timer1_Timer();
  // One count-down step, every 100 ms.
  void tmrLabel_Timer();

  QLabel* lblMessage(int index) const { return index == 0 ? line0_ : line1_; }
  QLabel* lblClose() const { return close_; }
  QLabel* Image1() const { return image_; }
  platform::form_timer* Timer1() const { return timer1_; }
  platform::form_timer* tmrLabel() const { return count_down_; }

 private:
  QLabel* line0_;
  QLabel* line1_;
  QLabel* close_;
  QLabel* image_;
  platform::form_timer* timer1_;
  platform::form_timer* count_down_;
};

// Registers frmMessage with the window registry; the program calls it at
// start, before the first message.
void register_frm_message();

}  // namespace km
