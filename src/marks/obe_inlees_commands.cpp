// The commands of the outcomes-based capture window of its own: the
// paste into a chosen column, the printed mark list and the exit.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "common/capture_messages.h"
#include "common/combination_cells.h"
#include "common/mark_columns.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "marks/mark_list.h"
#include "marks/mark_values.h"
#include "marks/marks_messages.h"
#include "marks/obe_inlees.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/number_format.h"
#include "platform/platform_error.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "printing/marks_report.h"
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

constexpr int obe_number_field = 0;
constexpr int obe_name_field = 1;
constexpr int obe_effort_column = 3;
constexpr int obe_first_formative_column = 4;

}  // namespace

void obe_inlees::tell_converting(double from, double to) const {
  // The answer does not matter: the conversion goes on.
  platform::message_box(converting_message(plain_number(from), plain_number(to)),
                        msg_buttons::abort_retry_ignore);
}

QString obe_inlees::undo_text() const { return obe_undo_question(); }

QString obe_inlees::scaling_text(double average) const {
  return scaling_prompt(platform::str_number(average), QStringLiteral("\r"));
}

void obe_inlees::show_subject_list() {
  capture_form::show_subject_list();
  hide_pick_lists();
  paste_raam_->hide();
  ps_info_->setEnabled(false);
  fe_info_->setEnabled(false);
}

void obe_inlees::paste_into_flex_Click() {
  if (!open_ || !finish_edit()) return;
  if (platform::message_box(paste_warning(paste_wording::outcomes), msg_buttons::yes_no,
                            msg_icon::critical) != msg_answer::yes)
    return;
  paste_raam_->show();
  paste_raam_->raise();
}

void obe_inlees::pr_ok_Click() {
  paste_raam_->hide();
  if (!open_) return;
  int target = 0;  // the last ticked: 1 the mark, 2 the effort key, 3 the first formative code
  for (int i = 1; i <= 3; ++i)
    if (control<QCheckBox>(platform::control_name(QStringLiteral("pr_teks"), i))->isChecked()) target = i;
  if (target == 0) return;
  const int count = int(captured_set().record_count());
  const QString clipboard = platform::dialogs().clipboard_text();
  // A fresh paste grid each time: nothing of an earlier paste is left.
  const QStringList values = target == 1 ? pasted_marks(clipboard, count) : pasted_values(clipboard, count);
  platform::flex_grid& grid = paste_grid_->grid();
  grid.clear();
  grid.set_fixed_rows(0);
  grid.set_cols(1);
  grid.set_rows(std::max(count, 1));
  std::vector<std::optional<QString>> texts(static_cast<std::size_t>(count));
  for (qsizetype k = 0; k < values.size(); ++k) {
    grid.set_text_matrix(int(k), 0, values[k]);
    texts[std::size_t(k)] = values[k];
  }
  if (target == 1) {
    write_marks(texts);
  } else {
    const int column = target == 2 ? obe_effort_column : obe_first_formative_column;
    const table_step written = write_mark_column(captured_set(), field_ref::at(column), texts);
    if (!written.ok) show_critical(written.message);
    model_->refresh_cells();
  }
  pnt_grid_->set_current(0, std::max(pnt_grid_->col(), 0));
}

void obe_inlees::fill_print_grid() {
  platform::flex_grid& grid = drk_grid_->grid();
  grid.clear();
  grid.set_fixed_rows(0);
  grid.set_fixed_cols(0);
  grid.set_cols(3);
  grid.set_rows(0);
  const platform::recordset& rs = captured_set();
  for (qint64 p = 0; p < rs.record_count(); ++p)
    grid.add_item(clean_field_value(rs.value_at(p, obe_number_field)) + QStringLiteral("\t") +
                  clean_field_value(rs.value_at(p, obe_name_field)) + QStringLiteral("\t") + mark_at(p));
  if (print_by_mark_) {
    grid.set_col(2);
    grid.sort(platform::sort_order::numeric_descending);
  }
}

void obe_inlees::marks_print_Click() {
  if (!open_ || !finish_edit()) return;
  print_list(input_total_);
}

void obe_inlees::pnt_grid_HeadClick(int column) {
  if (column != mark_column || !open_ || !finish_edit()) return;
  print_by_mark_ = true;  // later prints keep this order
  print_list(input_total_);
}

void obe_inlees::print_list(double old_total) {
  // Filled afresh at every print, in the order last chosen.
  fill_print_grid();
  const QString title = combination_report_title(subject_cells_);
  g_print_title = title;
  g_excel_file_name = mark_list_file_name(title);
  if (!choose_printer()) return;
  list_printed_ = true;
  g_print_new_document = true;
  QString subtitle = control<QLabel>(QStringLiteral("ops_stelsel"))->text();
  platform::Value new_total(subject_total_);
  platform::Value shown_total(old_total);
  try {
    print_marks_report(subtitle, new_total, shown_total, drk_grid_->grid());
  } catch (const platform::platform_error& e) {
    report_print_error(e);
    end_print_job(false, false);
  }
}

void obe_inlees::print_saved_list() { print_list(subject_total_); }

}  // namespace km
