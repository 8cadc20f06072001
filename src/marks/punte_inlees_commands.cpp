// The commands of the cycle-marks capture window: save, undo, scaling,
// paste, the mark list, the calculator and the exit.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "common/capture_messages.h"
#include "common/combination_cells.h"
#include "common/language_text.h"
#include "common/mark_columns.h"
#include "common/open_combinations.h"
#include "common/shared_variables.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "marks/mark_list.h"
#include "marks/mark_values.h"
#include "marks/marks_messages.h"
#include "marks/marks_table_steps.h"
#include "marks/marks_tables.h"
#include "marks/punte_inlees.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/platform_error.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_pages.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

constexpr int number_field = 0;
constexpr int name_field = 1;
constexpr int mark_field = 2;
constexpr int code_field = 3;

QString field_text(const platform::recordset& rs, qint64 position, int field) {
  return platform::recordset_model::cell_text(rs.value_at(position, field));
}

// Two marks in the grid's terms that say the same: the same letter or
// blank, or numbers that show alike.
bool same_mark(const QString& a, const QString& b) {
  if (is_uncounted_mark(a) || is_uncounted_mark(b)) return trim_blanks(a) == trim_blanks(b);
  return mark_text(platform::val(trim_blanks(a))) == mark_text(platform::val(trim_blanks(b)));
}

}  // namespace

bool punte_inlees::write_marks(const std::vector<std::optional<QString>>& shown) {
  platform::recordset& rs = pnt_dta_->recordset();
  const bool converting = input_total_ != subject_total_;
  std::vector<std::optional<QString>> stored(shown.size());
  for (std::size_t i = 0; i < shown.size() && qint64(i) < rs.record_count(); ++i) {
    if (!shown[i]) continue;
    // A mark that comes out as it shows keeps its stored text.
    if (converting && same_mark(*shown[i], shown_mark(field_text(rs, qint64(i), mark_field)))) continue;
    stored[i] = stored_mark(*shown[i]);
  }
  const table_step written = write_mark_column(rs, field_ref::at(mark_field), stored);
  if (!written.ok) show_critical(written.message);
  recount_figures();
  return written.ok;
}

void punte_inlees::marks_save_Click() {
  if (!open_ || !finish_edit()) return;
  save_marks();
  pnt_dta_->close_database();
  obe_pnt_->close_database();
}

void punte_inlees::save_marks() {
  // Every accepted mark is already in the table relative to the subject
  // total; the teacher is still told of the way back.
  if (input_total_ != subject_total_)
    platform::message_box(converting_message(plain_number(input_total_), plain_number(subject_total_)),
                          msg_buttons::ok, msg_icon::exclamation);
  control<QPushButton>(QStringLiteral("marks_save"))->setEnabled(false);
  t_nr_lys_->clear();
  copy_result copied;
  try {
    obe_pnt_->set_database_name(g_data_folder);
    obe_pnt_->set_record_source(obe_table_name(combination_));
    obe_pnt_->refresh();
    copied = copy_marks(pnt_dta_->recordset(), field_ref::at(number_field), field_ref::at(mark_field),
                        obe_pnt_->recordset(), field_ref::named(QStringLiteral("EO_T_NR")),
                        field_ref::named(QStringLiteral("EO_PUNT")));
  } catch (const platform::dbf_error&) {
    copied.ok = false;
  }
  for (const double number : copied.numbers) t_nr_lys_->addItem(QString::number(number, 'g', 15));
  if (!copied.ok) show_critical(other_table_not_updated_message(obe_table_name(combination_)));
  unregister_open(open_kind::combination, g_data_folder, combination_);
  show_subject_list();
}

void punte_inlees::marks_undo_Click() {
  if (!open_) return;
  if (pnt_grid_->editing()) pnt_grid_->cancel_edit();  // the typed text goes with the undo
  if (platform::message_box(undo_question(), msg_buttons::ok_cancel, msg_icon::exclamation) != msg_answer::ok)
    return;
  const table_step restored = restore_backup(*pnt_dta_, g_data_folder, table_name_, backup_name_);
  if (!restored.ok) {
    show_critical(restored.message);
    if (!pnt_dta_->has_recordset()) show_subject_list();
    return;
  }
  // The backup holds the table as it was at the choice: prepared again
  // exactly as then, without a new backup and without the questions.
  unregister_open(open_kind::combination, g_data_folder, combination_);
  open_ = false;
  clear_figures();
  if (!prepare_capture()) show_subject_list();
}

void punte_inlees::punte_inlees_gem_Click() { scale_marks(); }

void punte_inlees::scale_marks() {
  if (!open_ || !finish_edit() || !(input_total_ > 0)) return;
  const QString current = plain_number(average_percent_);
  const platform::input_answer answer = platform::input_box(scaling_prompt(current), QString(), current);
  const std::optional<double> wanted = new_average_answer(answer.text, answer.cancelled);
  if (!wanted || *wanted == average_percent_) return;
  const platform::recordset& rs = pnt_dta_->recordset();
  std::vector<std::optional<QString>> marks;
  for (qint64 p = 0; p < rs.record_count(); ++p) {
    const QString stored = field_text(rs, p, mark_field);
    marks.push_back(stored.isEmpty() ? std::nullopt : std::optional<QString>(shown_mark(stored)));
  }
  std::vector<std::optional<QString>> scaled =
      km::scale_marks(marks, input_total_, average_percent_, *wanted);
  for (std::size_t i = 0; i < scaled.size(); ++i)
    if (!marks[i] || is_uncounted_mark(*marks[i])) scaled[i].reset();  // left as they are
  write_marks(scaled);
  pnt_grid_->set_current(0, mark_field);
}

void punte_inlees::paste_into_flex_Click() {
  if (!open_ || !finish_edit()) return;
  if (platform::message_box(paste_warning(), msg_buttons::yes_no, msg_icon::critical) != msg_answer::yes)
    return;
  const qint64 count = pnt_dta_->recordset().record_count();
  // A fresh paste grid each time: nothing of an earlier paste is left.
  const QStringList pasted = pasted_marks(platform::dialogs().clipboard_text(), int(count));
  platform::flex_grid& grid = paste_grid_->grid();
  grid.clear();
  grid.set_fixed_rows(0);
  grid.set_cols(1);
  grid.set_rows(int(std::max<qint64>(count, 1)));
  std::vector<std::optional<QString>> marks(static_cast<std::size_t>(count));
  for (qsizetype k = 0; k < pasted.size(); ++k) {
    grid.set_text_matrix(int(k), 0, pasted[k]);
    marks[std::size_t(k)] = pasted[k];
  }
  write_marks(marks);
  pnt_grid_->set_current(0, mark_field);
}

void punte_inlees::marks_calculator_Click() {
  platform::show_form(QStringLiteral("MathCalc"));
  model_->refresh_cells();
}

void punte_inlees::marks_print_Click() {
  if (!open_ || !finish_edit()) return;
  print_mark_list(false, input_total_);
}

std::vector<mark_list_entry> punte_inlees::list_entries() const {
  std::vector<mark_list_entry> entries;
  if (!pnt_dta_->has_recordset()) return entries;
  const platform::recordset& rs = pnt_dta_->recordset();
  for (qint64 p = 0; p < rs.record_count(); ++p)
    entries.push_back({clean_field_value(rs.value_at(p, number_field)), field_text(rs, p, name_field),
                       shown_mark(field_text(rs, p, mark_field)), field_text(rs, p, code_field)});
  return entries;
}

void punte_inlees::print_mark_list(bool by_mark, double total) {
  platform::flex_grid& grid = drk_grid_->grid();
  const mark_list_figures figures = fill_mark_list(grid, list_entries(), by_mark);
  const QString title = combination_report_title(subject_cells_);
  g_print_title = title;
  g_excel_file_name = mark_list_file_name(title);
  if (!choose_printer()) return;
  list_printed_ = true;
  g_print_new_document = true;
  try {
    print_report_pages(grid, title, paper_a4_portrait, {0, continuation_mark::dots_first});
    if (figures.count > 0 && total > 0) print_line_below_report(mark_list_average_line(figures, total));
  } catch (const platform::platform_error& e) {
    report_print_error(e);
  }
  end_print_job(false, false);
}

void punte_inlees::marks_exit_Click() {
  if (!finish_edit()) return;
  if (!open_) {
    platform::unload_form(this);
    platform::show_form(QStringLiteral("punte_menu1"));
    return;
  }
  save_marks();
  // The list now shows the saved marks, relative to the subject total.
  if (!list_printed_ && platform::message_box(print_list_question(), msg_buttons::yes_no) == msg_answer::yes)
    print_mark_list(false, subject_total_);
  pnt_dta_->close_database();
  obe_pnt_->close_database();
}

}  // namespace km
