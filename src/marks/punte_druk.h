#pragma once
// The mark-lists print window: the teacher picks a subject combination
// from the list of the export-control file and prints (or exports) its
// mark list from the administration marks tables: the cycle mark of every
// learner with a running total, the effort key and the first formative
// code of the outcomes-based table with their descriptions, in name order
// or by mark, closed by the average and its percentage of a print total.
// The tables are only read. Handlers are public so that tests reach them
// as the events do.
#include <QString>

#include "marks/code_lists.h"
#include "platform/ui/form.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace km {

namespace platform {
class data_control;
class flex_grid;
class flex_grid_view;
}  // namespace platform

class punte_druk : public platform::form {
 public:
  explicit punte_druk(QWidget* parent = nullptr);

  void on_load() override;
  void on_unload() override;
  bool on_key_down(QKeyEvent* event) override;

  void subject_list_DblClick();
  void open_subject_marks(int index);
  void fill_mark_list();
  void punte_druk_print_Click();
  void punte_druk_exit_Click();
  void Timer1_Timer();

  // The window state (for tests).
  const QString& subject_number() const { return subject_number_; }
  const QString& subject_class() const { return subject_class_; }
  double mark_total() const { return mark_total_; }
  int mark_count() const { return mark_count_; }
  bool list_filled() const { return list_filled_; }
  int combination() const { return combination_; }
  platform::flex_grid& mark_list() const;

 private:
  void build_controls();
  void set_texts();
  void fill_subject_list();
  // Binds a marks table of the combination, read-only; false after telling
  // the user.
  bool bind_table(platform::data_control& control, const QString& table);
  void load_ps_codes();
  void load_fe_codes();
  // The code lists in the hidden list boxes.
  void show_code_lists();
  void show_subject_lists(bool shown);

  QListWidget* subject_list_[2] = {};
  QListWidget* p_s_key_ = nullptr;
  QListWidget* p_s_lys_ = nullptr;
  QListWidget* f_e_key_ = nullptr;
  QListWidget* f_e_lys_ = nullptr;
  QLineEdit* druk_tot_1_ = nullptr;
  QLineEdit* druk_tot_2_ = nullptr;
  QRadioButton* opsie_an_[2] = {};
  platform::flex_grid_view* pnt_grid_ = nullptr;
  platform::data_control* pnt_dta_ = nullptr;
  platform::data_control* obe_pnt_ = nullptr;
  platform::data_control* pi4_p_s_ = nullptr;

  QString subject_number_;
  QString subject_class_;
  double mark_total_ = 0;
  int mark_count_ = 0;
  bool list_filled_ = false;
  int combination_ = 0;  // N of the open combination, 0 when none
  code_list effort_keys_;
  code_list formative_;
};

}  // namespace km
