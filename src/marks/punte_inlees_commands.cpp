// The commands of the cycle-marks capture window of its own: paste, the
// mark list and the exit.
#include <QPushButton>

#include "common/capture_messages.h"
#include "common/combination_cells.h"
#include "common/mark_columns.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "marks/mark_list.h"
#include "marks/marks_messages.h"
#include "marks/punte_inlees.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/platform_error.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_pages.h"

namespace km {

namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

constexpr int cycle_number_field = 0;
constexpr int cycle_name_field = 1;
constexpr int cycle_code_field = 3;

QString field_text(const platform::recordset& rs, qint64 position, int field) {
  return platform::recordset_model::cell_text(rs.value_at(position, field));
}

}  // namespace

void punte_inlees::paste_into_flex_Click() {
  if (!open_ || !finish_edit()) return;
  if (platform::message_box(paste_warning(), msg_buttons::yes_no, msg_icon::critical) != msg_answer::yes)
    return;
  const qint64 count = captured_set().record_count();
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
  pnt_grid_->set_current(0, mark_column);
}

void punte_inlees::marks_print_Click() {
  if (!open_ || !finish_edit()) return;
  print_mark_list(false, input_total_);
}

std::vector<mark_list_entry> punte_inlees::list_entries() const {
  std::vector<mark_list_entry> entries;
  if (!captured_->has_recordset()) return entries;
  const platform::recordset& rs = captured_set();
  for (qint64 p = 0; p < rs.record_count(); ++p)
    entries.push_back({clean_field_value(rs.value_at(p, cycle_number_field)),
                       field_text(rs, p, cycle_name_field), mark_at(p), field_text(rs, p, cycle_code_field)});
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
    const report_page_style style = framed_page_style(continuation_mark::dots_first);
    print_report_pages(grid, title, paper_a4_portrait, style);
    if (figures.count > 0 && total > 0)
      print_line_below_report(mark_list_average_line(figures, total), style.left_margin);
  } catch (const platform::platform_error& e) {
    report_print_error(e);
  }
  end_print_job(false, false);
}

void punte_inlees::print_saved_list() { print_mark_list(false, subject_total_); }

}  // namespace km
