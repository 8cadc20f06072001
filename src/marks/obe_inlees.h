#pragma once
// The outcomes-based capture window: per learner a summative mark, an
// effort key and up to four formative codes, in the columns of the input
// options the teacher ticks, with pick lists of the subject's codes beside
// the cell. The save copies every summative mark into the combination's
// cycle-marks table. What both capture windows do alike is in
// capture_form.
#include <QString>
#include <array>

#include "marks/capture_form.h"
#include "marks/code_lists.h"

class QCheckBox;
class QFrame;

namespace km {

class obe_inlees : public capture_form {
 public:
  explicit obe_inlees(QWidget* parent = nullptr);

  void on_load() override;

  void choose_subject(int row) override;
  void io_ok_Click();
  void go_to_learner(bool advance = false);
  void p_s_lys_DblClick();
  void f_e_lys_DblClick();
  void ps_info_Click();
  void fe_info_Click();
  void pnt_grid_HeadClick(int column);
  void paste_into_flex_Click();
  void pr_ok_Click();
  void marks_print_Click();

  // The state of the capture (for tests).
  const std::array<bool, 11>& editable_columns() const { return editable_columns_; }
  const code_list& effort_keys() const { return effort_keys_; }
  const code_list& formative_codes() const { return formative_codes_; }
  const QString& subject_number() const { return subject_number_; }
  const QString& subject_class() const { return subject_class_; }

 protected:
  void tell_converting(double from, double to) const override;
  QString undo_text() const override;
  QString scaling_text(double average) const override;
  void fill_grid() override;
  void print_saved_list() override;
  void show_subject_list() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  void set_texts();
  // Reads user_info.txt of the data folder: its folder becomes the data
  // folder when it holds the subject list's file; its two settings tick
  // the list check boxes.
  void take_user_info();
  void set_columns();
  // The column an edit may start in: the current one when it is editable,
  // else the cursor moves on to the next editable cell (-1).
  int edit_redirect(int column);
  // The check of a code typed or picked into an effort-key or formative
  // column: taken when the subject's list holds it (stored as the list
  // spells it), refused with a message naming the list when not.
  bool validate_code(int column, QString& text);
  // The focus to the shown pick list, else to the grid's cursor.
  void focus_cursor();
  // Shows the pick list of the current cell when that cell has one.
  void show_pick_list();
  void hide_pick_lists();
  void pick(bool formative);
  void load_code_lists();
  void fill_print_grid();
  void print_list(double old_total);

  QFrame* inlees_opsie_raam_ = nullptr;
  QFrame* paste_raam_ = nullptr;
  QCheckBox* ps_info_ = nullptr;
  QCheckBox* fe_info_ = nullptr;
  QListWidget* p_s_lys_ = nullptr;
  QListWidget* p_s_key_ = nullptr;
  QListWidget* f_e_lys_ = nullptr;
  QListWidget* f_e_key_ = nullptr;
  platform::data_control* pi4_p_s_ = nullptr;

  QString subject_number_;
  QString subject_class_;
  std::array<bool, 11> editable_columns_{};
  bool multi_assessment_ = false;
  code_list effort_keys_;
  code_list formative_codes_;
  int list_row_ = -1;  // the cell a shown pick list belongs to
  int list_col_ = -1;
  bool print_by_mark_ = false;
};

}  // namespace km
