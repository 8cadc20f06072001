#pragma once
// The cycle-marks capture window: the teacher chooses a subject
// combination, states the total to type against (the input total) and
// types or pastes one mark per learner into the bound grid, with the sum
// and average in view, scaling to a new average, undo back to the copy
// made at the choice and a printed mark list. The cycle-marks table holds
// every mark relative to the subject total at every moment: the grid shows
// marks relative to the input total and writes each accepted mark back
// converted, so an untouched mark is never rewritten and a window that is
// dropped leaves the table sound. The save copies the marks into the
// combination's outcomes-based table. Handlers are public so that tests
// reach them as the events do.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/ui/form.h"

class QLabel;
class QListWidget;
class QProgressBar;

namespace km {

struct mark_list_entry;

namespace platform {
class bound_grid;
class click_label;
class data_control;
class flex_grid;
class flex_grid_view;
class recordset_model;
}  // namespace platform

class punte_inlees : public platform::form {
 public:
  explicit punte_inlees(QWidget* parent = nullptr);

  void on_load() override;
  void on_unload() override;
  bool on_key_down(QKeyEvent* event) override;
  void request_close() override;

  void vak_grid_DblClick();
  void choose_subject(int row);
  void pnt_grid_HeadClick(int column);
  void punte_inlees_gem_Click();
  void scale_marks();
  void marks_save_Click();
  void marks_undo_Click();
  void paste_into_flex_Click();
  void marks_print_Click();
  void marks_calculator_Click();
  void marks_exit_Click();
  void Timer1_Timer();

  // The window state (for tests).
  bool combination_open() const { return open_; }
  int subject_row() const { return subject_row_; }
  double subject_total() const { return subject_total_; }
  double input_total() const { return input_total_; }
  double marks_sum() const { return marks_sum_; }
  int marks_count() const { return marks_count_; }
  double average_percent() const { return average_percent_; }
  bool with_effort_keys() const { return with_effort_keys_; }
  bool list_printed() const { return list_printed_; }
  const QString& table_name() const { return table_name_; }
  platform::bound_grid* capture_grid() const { return pnt_grid_; }
  platform::flex_grid& print_grid() const;

 private:
  void build_controls();
  void set_texts();
  // Opens the chosen table on pnt_dta; false after telling the user.
  bool open_cycle_table();
  // Everything a capture needs after the backup (and again after an undo):
  // the name order, the grid and the figures.
  bool prepare_capture();
  void apply_column_layout();
  void recount_figures();
  void clear_figures();
  // A mark as the grid shows it: relative to the input total.
  QString shown_mark(const QString& stored) const;
  // A mark in the grid's terms as the table stores it.
  QString stored_mark(const QString& shown) const;
  bool validate_cell(int row, int column, QString& text);
  bool after_commit(int row, int column, int key);
  // An open cell editor is finished first; false when its text was refused.
  bool finish_edit();
  // Writes the marks of the table (none: leave the record); false after
  // telling the user.
  bool write_marks(const std::vector<std::optional<QString>>& shown);
  // Copies the marks into the outcomes-based table and goes back to the
  // list; the tables stay open for the exit's mark list.
  void save_marks();
  void show_subject_list();
  std::vector<mark_list_entry> list_entries() const;
  // Prints the mark list of the open table against the total its marks
  // are shown in.
  void print_mark_list(bool by_mark, double total);

  platform::flex_grid_view* vak_grid_ = nullptr;
  platform::bound_grid* pnt_grid_ = nullptr;
  platform::flex_grid_view* pnt_sort_grid_ = nullptr;
  platform::flex_grid_view* paste_grid_ = nullptr;
  platform::flex_grid_view* drk_grid_ = nullptr;
  platform::data_control* pnt_dta_ = nullptr;
  platform::data_control* obe_pnt_ = nullptr;
  platform::recordset_model* model_ = nullptr;
  platform::click_label* average_label_ = nullptr;
  QLabel* total_label_ = nullptr;
  QListWidget* t_nr_lys_ = nullptr;
  QProgressBar* progress_ = nullptr;

  QStringList subject_cells_;
  int subject_row_ = -1;
  int combination_ = 0;  // N of the open combination, 0 when none
  bool open_ = false;
  double subject_total_ = 0;
  double input_total_ = 0;
  double marks_sum_ = 0;
  int marks_count_ = 0;
  double average_percent_ = 0;
  QString table_name_;
  QString backup_name_;
  bool with_effort_keys_ = false;
  bool list_printed_ = false;
};

}  // namespace km
