#pragma once
// The print progress window wys_druk_vordering: the report's heading, the
// printer's name, the page number and a busy indicator that runs while a
// report prints. The page set-up shows it modeless; the end of the job
// hides it. The window only shows; printing never waits for it.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "platform/ui/form.h"
#include "platform/ui/picture_box.h"

namespace km {

class wys_druk_vordering : public platform::form {
  Q_OBJECT

 public:
  wys_druk_vordering();

  // Draws the gradient frame around druk_raam.
  void on_load() override;

  QLineEdit* wdv_opskrif() const { return heading_; }
  QLabel* wdv_bladsy() const { return page_; }
  QLabel* wdv_drukker() const { return printer_name_; }
  // The busy indicator in place of the printing animation.
  QProgressBar* Animation1() const { return busy_; }
  QFrame* druk_raam() const { return frame_; }

  void play_animation();
  void stop_animation();
  bool animation_playing() const { return playing_; }

 private:
  platform::picture_box* background_;
  platform::picture_box* shadow_;
  QFrame* frame_;
  QLineEdit* heading_;
  QLabel* page_;
  QLabel* printer_name_;
  QProgressBar* busy_;
  bool playing_ = false;
};

// The progress window when it is loaded, else nullptr.
wys_druk_vordering* progress_window();
// The progress window, loaded (not shown) when it was not.
wys_druk_vordering* load_progress_window();

// Clears the rotated headings of the last job, so that the next job's
// headings start again from the first picture.
void reset_progress_window();

void register_wys_druk_vordering();

}  // namespace km
