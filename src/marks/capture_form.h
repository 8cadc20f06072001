#pragma once
// What the two capture windows of a combination's administration tables
// share: the subject list, the bound marks grid over the captured table
// with the marks shown against the input total, the running sum and
// average, the checked mark column, scaling, the save that copies every
// mark into the other table of the combination, undo from the backup made
// when the capture began, and the orderly ways out. The captured table
// holds every mark relative to the subject total at every moment: an
// accepted mark is converted back and written at once, an untouched mark is
// never rewritten. Handlers are public so that tests reach them as the
// events do.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "marks/marks_table_steps.h"
#include "platform/ui/form.h"

class QGridLayout;
class QLabel;
class QListWidget;
class QProgressBar;
class QVBoxLayout;

namespace km {

namespace platform {
class bound_grid;
class click_label;
class data_control;
class flex_grid;
class flex_grid_view;
class recordset_model;
}  // namespace platform

class capture_form : public platform::form {
 public:
  // captured / other: the object names of the data controls of the table
  // the grid shows and of the other table of the combination.
  capture_form(const QString& name, const QString& captured, const QString& other, QWidget* parent);

  bool on_key_down(QKeyEvent* event) override;
  void on_unload() override;
  void request_close() override;

  void vak_grid_DblClick();
  virtual void choose_subject(int row) = 0;
  void punte_inlees_gem_Click();
  void scale_marks();
  void marks_save_Click();
  void marks_undo_Click();
  void marks_calculator_Click();
  // EXIT: with a combination open, the save and the question whether to
  // print a mark list (when none was printed); else the window closes.
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
  bool list_printed() const { return list_printed_; }
  const QString& table_name() const { return table_name_; }
  platform::bound_grid* capture_grid() const { return pnt_grid_; }
  platform::flex_grid& print_grid() const;

 protected:
  // How the captured table's learner number and mark, and the other
  // table's, are found.
  struct table_fields {
    field_ref number;
    field_ref mark;
  };

  // The texts and boxes in which the two windows differ.
  virtual void tell_converting(double from, double to) const = 0;
  virtual QString undo_text() const = 0;
  virtual QString scaling_text(double average) const = 0;
  // The grid of the captured table once it stands in name order (after the
  // backup, and again after an undo): the columns, the figures converted to
  // the input total, the current cell.
  virtual void fill_grid() = 0;
  // The mark list after the save, against the subject total.
  virtual void print_saved_list() = 0;

  // The captions and tool tips of the buttons and the average label, with
  // the paste button's tip (none when null).
  void set_capture_texts(const char16_t* paste_tip_af, const char16_t* paste_tip_en);

  // The row of buttons at the foot, with the window's own print and paste.
  void add_capture_buttons(QVBoxLayout* column, std::function<void()> print, std::function<void()> paste);
  // The labels, the status panel and the subject list at load.
  void load_common(const QString& caption);
  // The marks grid and the hidden helpers in the window's middle, the
  // figures under them.
  void lay_out_middle(QVBoxLayout* column);
  // The subject list of the row chosen: the cells, the totals, N.
  void take_subject_row(int row);
  // Asks the input total until it is empty, cancelled or a plain number
  // above 0; false when the log-out dismissed the question.
  bool ask_input_total(const QString& prompt);
  // Opens the table on the control, refusing one with fewer fields than
  // the grid binds; false after telling the user.
  bool open_table(platform::data_control& control, const QString& table, int least_fields);
  // Opens the captured table, copies it to its backup and tells whether it
  // holds records; false (the table closed, nothing changed) after telling
  // the user why it cannot be captured.
  bool open_with_backup(int least_fields);
  // The name order of the captured table, with the progress bar.
  bool sort_captured_table();
  // Marks the combination open and registered, and the commands usable.
  void begin_capture();
  void clear_figures();
  void recount_figures();
  // True when the marks are shown against another total than they are
  // stored against: the input total differs from a subject total above 0
  // (with a subject total of 0 every mark stands as typed).
  bool converting() const;
  QString shown_mark(const QString& stored) const;
  QString stored_mark(const QString& shown) const;
  // The check of a typed mark in the mark column; false refuses it.
  bool validate_mark(int row, QString& text);
  // An open cell editor is finished first; false when its text was refused.
  bool finish_edit();
  // Writes a whole mark column given in the grid's terms (none: leave the
  // record); false after telling the user.
  bool write_marks(const std::vector<std::optional<QString>>& shown);
  // Copies the marks into the other table and goes back to the list; the
  // tables stay open for a mark list printed from the exit.
  void save_marks();
  void close_tables();
  virtual void show_subject_list();
  // The marks of the captured table as the grid shows them.
  QString mark_at(qint64 position) const;
  platform::recordset& captured_set() const;

  // Controls.
  QGridLayout* middle_ = nullptr;  // the grids, and the panels laid over them
  platform::flex_grid_view* vak_grid_ = nullptr;
  platform::bound_grid* pnt_grid_ = nullptr;
  platform::flex_grid_view* pnt_sort_grid_ = nullptr;
  platform::flex_grid_view* paste_grid_ = nullptr;
  platform::flex_grid_view* drk_grid_ = nullptr;
  platform::data_control* captured_ = nullptr;
  platform::data_control* other_ = nullptr;
  platform::recordset_model* model_ = nullptr;
  platform::click_label* average_label_ = nullptr;
  QLabel* total_label_ = nullptr;
  QListWidget* t_nr_lys_ = nullptr;
  QProgressBar* progress_ = nullptr;

  // State.
  QStringList subject_cells_;
  int subject_row_ = -1;
  int combination_ = 0;  // N of the chosen combination, 0 before a choice
  bool open_ = false;
  double subject_total_ = 0;
  double input_total_ = 0;
  double marks_sum_ = 0;
  int marks_count_ = 0;
  double average_percent_ = 0;
  QString table_name_;
  QString backup_name_;
  QString other_table_name_;
  table_fields captured_fields_;
  table_fields other_fields_;
  bool list_printed_ = false;

  static constexpr int mark_column = 2;
};

}  // namespace km
