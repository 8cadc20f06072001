#pragma once
// The main menu punte_mnu: the two roads (cycle and OBE marks, the mark
// book), the side buttons (backup, change of data folder, the floating
// system menu, the idle time-out, the web button, EXIT), the school and
// data-folder labels, the status labels, the notification-area icon, and
// the hidden password list wagwoord_lys of all three menus.

#include <QString>

#include "platform/ui/notification_icon.h"
#include "shell/menu_form.h"

namespace km {

class punte_mnu : public menu_form {
  Q_OBJECT

 public:
  explicit punte_mnu(QWidget* parent = nullptr);
  ~punte_mnu() override;

  void on_load() override;
  void on_unload() override;
  bool on_key_down(QKeyEvent* event) override;

  // The handlers, as the events call them.
  void punte_menu_click(int index) override;
  void system_menu_click();
  void timeout_click();
  void punte_exit_click();
  // A top-row digit key (0 to 9): 1 and 2 act as the road buttons, 0 ends
  // the program.
  void key_down(int digit);

  // True while the notification icon is shown (false where the desktop has
  // no notification area).
  bool tray_icon_shown() const;

 private:
  void add_tray_icon();
  void remove_tray_icon();
  // Closes every other window the orderly way and ends the program; when a
  // window refuses to close, the program goes on.
  void end_after_closing_windows();

  platform::notification_icon tray_;
};

}  // namespace km
