#include "shell/startup.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

#include "common/data_file_services.h"
#include "common/shared_variables.h"
#include "common/ui/window_placement.h"
#include "platform/clock.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "shell/environment.h"
#include "shell/marks_splash.h"
#include "shell/time_out_file.h"

namespace km {

const QString startup_caption =
    QStringLiteral("KORVA-MARKS  -  OSKAVEN  -  marks for every learner, every term");

void show_main_menu() { platform::show_form(QStringLiteral("punte_mnu")); }

startup::startup()
    : platform::form(QStringLiteral("startup")),
      data1_(new platform::data_control(this)),
      school_crest_(new platform::picture_box(this, QStringLiteral("skl_wapen"))),
      province_crest_(new platform::picture_box(this, QStringLiteral("prv_wapen"))),
      check_mouse_(new platform::form_timer(this, QStringLiteral("tmrCheckMouse"), 100, false)),
      watch_(*this) {
  data1_->setObjectName(QStringLiteral("Data1"));
  data1_->set_connect(QStringLiteral("dBASE III;"));
  // The record-file builds only read the older tables through it: opened
  // read-only, a table never keeps the administration program from writing it.
  data1_->set_read_only(true);
  school_crest_->hide();
  province_crest_->hide();
  set_caption(startup_caption);
  check_mouse_->set_handler([this] { tmrCheckMouse_Timer(); });
}

startup::~startup() {
  // The record files must not reach for a data control that is gone.
  set_startup_data_control_provider({});
}

void startup::on_load() {
  QPointer<startup> self(this);
  set_startup_data_control_provider(
      [self]() -> platform::data_control* { return self ? &self->Data1() : nullptr; });
  g_idle_timeout = load_idle_timeout();
  watch_.start();
  set_width_twips(platform::screen_width_twips());
  set_height_twips(platform::screen_height_twips());
  remove_close_menu(*this);
  refuse_close_box(true, [] { show_main_menu(); });
  g_windows_name = set_number_separators();
  enable_linked_connections();
  // The main window stands behind the windows it opens.
  move(0, 0);
  show();
  check_mouse_->set_enabled(true);
  platform::show_form(QStringLiteral("marks_splash"));
}

bool startup::query_unload(platform::unload_reason) {
  show_main_menu();
  return false;
}

void startup::tmrCheckMouse_Timer() { watch_.tick(); }

void startup::close_all_forms() { km::close_all_forms(); }

bool startup::event(QEvent* e) {
  const bool handled = platform::form::event(e);
  if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) keep_others_in_front();
  return handled;
}

void startup::keep_others_in_front() {
  if (raise_queued_) return;
  raise_queued_ = true;
  QTimer::singleShot(0, this, [this] {
    raise_queued_ = false;
    for (platform::form* window : platform::loaded_forms())
      if (window != this && window->isVisible()) window->raise();
  });
}

void register_startup_windows() {
  platform::register_form(QStringLiteral("startup"), [] { return new startup; });
  platform::register_form(QStringLiteral("marks_splash"), [] { return new marks_splash; });
}

bool idle_log_out_pending() {
  auto* window = dynamic_cast<startup*>(platform::find_form(QStringLiteral("startup")));
  return window && window->watch().log_out_pending();
}

}  // namespace km
