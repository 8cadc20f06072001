#pragma once
// The mark-book set-up window: the teacher picks a subject combination,
// edits its 40 task rows one at a time, saves them (which also brings the
// mark book into line with the learner list), prints them, copies them to
// other combinations, inserts and deletes rows, and can start from the
// example. Handlers are public so that tests reach them as the events do.
#include <QString>
#include <QStringList>

#include "markbook/pboek_setup_line.h"
#include "platform/dbase/data_control.h"
#include "platform/ui/form.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace km {

class column_explanations;

namespace platform {
class flex_grid;
class flex_grid_view;
}  // namespace platform

class pboek_opstel : public platform::form {
 public:
  explicit pboek_opstel(QWidget* parent = nullptr);

  void on_load() override;
  bool on_key_down(QKeyEvent* event) override;
  void request_close() override;

  // The list of combinations.
  void vak_grid_DblClick();
  void choose_subject_combination(int row);
  void load_setup();

  // One row in the edit boxes.
  void pboek_grid_DblClick();
  void pboek_data_ok_Click();
  // Leaving box 2, 3 or 4: the numeric check; false when it refused.
  bool pboek_data_LostFocus(int index);

  void pboek_opstel_save_Click();
  void pboek_opstel_stoor_Click();
  void pboek_opstel_help_Click();
  void pboek_opstel_print_Click();
  void pboek_opstel_calculator_Click();
  void pboek_opstel_exit_Click();
  void Timer1_Timer();
  void fill_example_setup();

  // A mouse button on the set-up grid: the right one shows the column
  // explanations.
  void pboek_grid_MouseDown(Qt::MouseButton button);

  // Copy, insert and delete of rows.
  void pboek_copy_Click();
  void kopieer_vaklys_Click(int index);
  void copy_ok_Click();
  void pboek_data_ins_Click();
  void pboek_data_del_Click();

  // The open set-up (for tests): its key, file and combination number.
  const QString& setup_key() const { return setup_key_; }
  const QString& setup_path() const { return setup_path_; }
  int combination() const { return combination_; }
  bool setup_shown() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  void set_texts();
  void fill_copy_lists();
  void show_list_view();
  platform::flex_grid& setup_grid() const;
  platform::flex_grid& subject_grid() const;
  QLineEdit* data_box(int index) const;
  // Refuses a change to a book the capture window has open; true when refused.
  bool refused_while_open() const;
  // The subject-grid cells of export-control record n (1-based).
  QStringList combination_cells(int n) const;
  // The text of a copy list item (upper-cased for the questions).
  QString list_text(int list, int position) const;
  void grid_rows_changed(const setup_rows& rows);

  platform::flex_grid_view* vak_grid_ = nullptr;
  platform::flex_grid_view* pboek_grid_ = nullptr;
  QFrame* pboek_item_ = nullptr;
  QFrame* kopieer_raam_ = nullptr;
  column_explanations* kb_raam_ = nullptr;
  QListWidget* kopieer_vaklys_[2] = {nullptr, nullptr};
  platform::data_control* pnt_dta_ = nullptr;
  platform::data_control* mrk_book_ = nullptr;

  QString setup_key_;
  QString setup_path_;
  int combination_ = 0;
  int chosen_row_ = 0;
};

}  // namespace km
