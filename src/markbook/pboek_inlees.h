#pragma once
// The mark-book capture window: the teacher chooses a subject combination,
// its book opens in the bound grid (made whole first: checked, filled from
// the learner workbook when empty, rebuilt in name order), and marks are
// typed with the checks of their columns. Totals, scaling, the merit list,
// copy and paste of mark sets, the calculator and undo work on the open
// book. Handlers are public so that tests reach them as the events do.
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "markbook/column_lists.h"
#include "platform/ui/form.h"

class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;

namespace km {

namespace platform {
class bound_grid;
class data_control;
class flex_grid;
class flex_grid_view;
class recordset_model;
}  // namespace platform

class pboek_inlees : public platform::form {
 public:
  explicit pboek_inlees(QWidget* parent = nullptr);

  void on_load() override;
  void on_unload() override;
  bool on_key_down(QKeyEvent* event) override;
  void request_close() override;

  void vak_grid_DblClick();
  void open_mark_book(int row);
  void refresh_marks_display();
  void apply_column_layout();
  void DBGrid1_HeadClick(int column);
  void Timer1_Timer();

  void pboek_inlees_totale_Click();
  void kol_opsie_Click(int option);
  void scale_column();
  void copy_marks_to_grid(int column);
  void marks_copy_Click();
  void copy_ok_Click();
  void paste_into_flex_Click();
  void pboek_inlees_calculator_Click();
  void pboek_inlees_print_Click();
  void pboek_inlees_undo_Click();
  void marks_exit_Click();
  void skuif_leerders_Click();
  void ppl_skuif_lys_Click(int index);

  // The open book (for tests).
  bool book_open() const;
  int combination() const { return combination_; }
  const QString& book_table() const { return book_table_; }
  const column_lists& lists() const { return lists_; }
  double column_average(int column) const { return column_average_[std::size_t(column)]; }
  int chosen_column() const { return chosen_column_; }
  platform::bound_grid* capture_grid() const { return grid_; }
  platform::flex_grid& merit_grid() const;
  const QString& merit_title() const { return merit_title_; }

 private:
  void build_controls();
  void set_texts();
  // Tells the user (when there is a text), closes the window and shows the
  // main marks menu.
  void close_to_menu(const QString& message = QString());
  bool validate_cell(int row, int column, QString& text);
  int edit_column(int column) const;
  // Writes field values of the current record set's records, changed ones
  // only; false after telling the user when a write failed.
  bool write_fields(qint64 position, const QHash<int, std::optional<QString>>& values);
  // What to tell of a write the book refused: a record another program
  // holds locked is "in use"; anything else in the engine's words.
  QString write_refusal(const QString& reason, int number) const;
  std::optional<QString> field(qint64 position, int column) const;
  void keep_opening_marks();
  void show_subject_list();
  // ProgressBar1 over the records of the book while a command walks them.
  void show_progress(qint64 records);
  void advance_progress();
  void hide_progress();

  platform::flex_grid_view* vak_grid_ = nullptr;
  platform::bound_grid* grid_ = nullptr;
  platform::flex_grid_view* msflexgrid2_ = nullptr;
  platform::data_control* data2_ = nullptr;
  platform::data_control* data1_ = nullptr;
  platform::recordset_model* model_ = nullptr;
  QFrame* kol_opsies_ = nullptr;
  QFrame* kopieer_raam_ = nullptr;
  QListWidget* kopieer_reeks_[2] = {nullptr, nullptr};
  QFrame* skuif_raam_ = nullptr;
  QProgressBar* progress_ = nullptr;
  // The records a command has done, and when the bar last showed them.
  static constexpr qint64 progress_step_ms = 40;
  int progress_done_ = 0;
  qint64 progress_drawn_ms_ = 0;
  QListWidget* ppl_skuif_lys_ = nullptr;
  QString move_from_group_;
  QString move_to_group_;

  QString book_table_;
  int combination_ = 0;
  int chosen_column_ = 0;
  bool layout_done_ = false;
  std::array<double, 43> column_average_{};
  column_lists lists_;
  QString merit_title_;
  // The marks of every learner as the book opened, by learner number.
  QHash<QString, std::array<std::optional<QString>, 40>> opening_marks_;
};

}  // namespace km
