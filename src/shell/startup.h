#pragma once
// The start-up window "startup": the program's main window. It fills the
// screen for the whole run, never closes (asked to, it brings the main menu
// forward instead), carries the idle watch, and lends other windows its data
// control Data1, its common dialog CommonDialog1 and the crest pictures of
// the report header. Its load reads the idle time-out, prepares the number
// separators and the registry, and shows the splash.

#include "platform/dbase/data_control.h"
#include "platform/dialogs.h"
#include "platform/form_timer.h"
#include "platform/ui/form.h"
#include "platform/ui/picture_box.h"
#include "shell/idle_watch.h"

namespace km {

// The main window's caption.
extern const QString startup_caption;

class startup : public platform::form {
  Q_OBJECT

 public:
  startup();
  ~startup() override;

  // The load: time-out, idle clock, size, close box, separators, registry,
  // splash.
  void on_load() override;
  // Refuses every unload and shows the main menu instead.
  bool query_unload(platform::unload_reason reason) override;

  // One tick of the idle watch (every 100 ms).
  void tmrCheckMouse_Timer();
  // Closes every window but this one (see close_all_forms).
  void close_all_forms();

  platform::data_control& Data1() { return *data1_; }
  // The common dialog the other windows borrow (file, font and printer
  // dialogs): the program's one dialog service.
  platform::dialog_service& CommonDialog1() { return platform::dialogs(); }
  platform::picture_box* skl_wapen() const { return school_crest_; }
  platform::picture_box* prv_wapen() const { return province_crest_; }
  platform::form_timer* tmrCheckMouse() const { return check_mouse_; }
  idle_watch& watch() { return watch_; }

 protected:
  bool event(QEvent* event) override;

 private:
  // Puts the other windows back in front of this full-screen one.
  void keep_others_in_front();

  platform::data_control* data1_;
  platform::picture_box* school_crest_;
  platform::picture_box* province_crest_;
  platform::form_timer* check_mouse_;
  idle_watch watch_;
  bool raise_queued_ = false;
};

// True while the start-up window's idle watch is logging the user out: a
// prompt it dismissed was not answered by the user.
bool idle_log_out_pending();

// Shows the main menu modeless (the menu is registered by name).
void show_main_menu();

// Registers "startup" and "marks_splash" with the window registry.
void register_startup_windows();

}  // namespace km
