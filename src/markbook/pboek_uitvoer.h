#pragma once
// The mark-book export window: the teacher picks a subject combination,
// sees the 40 set-up rows of its mark book and double-clicks the task row
// to export; after the folder question and the confirmation every learner's
// mark of that row is appended, converted to the subject total, to the
// administration program's punte<N>.dbf and obe_p<N>.dbf (mark_export.h).
// Handlers are public so that tests reach them as the events do.
#include <QString>
#include <functional>

#include "platform/dbase/data_control.h"
#include "platform/ui/form.h"

class QProgressBar;

namespace km {

namespace platform {
class flex_grid;
class flex_grid_view;
}  // namespace platform

class pboek_uitvoer : public platform::form {
 public:
  explicit pboek_uitvoer(QWidget* parent = nullptr);

  void on_load() override;
  bool on_key_down(QKeyEvent* event) override;
  void request_close() override;

  // Double click or Enter on the list of combinations.
  void vak_grid_DblClick();
  // Double click on a set-up row: choose it and export at once.
  void msflexgrid2_DblClick();
  void pboek_uitvoer_Click();
  void pboek_uitvoer_exit_Click();
  void Timer1_Timer();

  // The chosen combination (0 = none), the key of its set-up file and the
  // chosen set-up row (0 = none), for tests.
  int combination() const { return combination_; }
  const QString& setup_key() const { return setup_key_; }
  int chosen_row() const { return chosen_row_; }

  // Runs before each write of an appended record (numbered from 1 over
  // both tables); a dbf_error thrown there fails the write. For tests.
  void set_before_write(std::function<void(int)> check) { before_write_ = std::move(check); }

 private:
  void build_controls();
  void set_texts();
  void load_setup_rows();
  void run_export();
  platform::flex_grid& subject_grid() const;
  platform::flex_grid& setup_grid() const;

  platform::flex_grid_view* vak_grid_ = nullptr;
  platform::flex_grid_view* msflexgrid2_ = nullptr;
  QProgressBar* progress_ = nullptr;
  platform::data_control* data1_ = nullptr;  // on the window, unused
  platform::data_control* data2_ = nullptr;  // punte<N>.dbf
  platform::data_control* data3_ = nullptr;  // marks<N>.dbf
  platform::data_control* obe_pnt_ = nullptr;

  int combination_ = 0;
  QString setup_key_;
  QString setup_path_;
  double subject_total_ = 0;
  int chosen_row_ = 0;
  double task_total_ = 0;
  std::function<void(int)> before_write_;
};

}  // namespace km
