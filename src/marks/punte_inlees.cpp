#include "marks/punte_inlees.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/capture_messages.h"
#include "common/language_text.h"
#include "common/open_combinations.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "marks/mark_values.h"
#include "marks/marks_messages.h"
#include "marks/marks_tables.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/ui/click_label.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/win_path.h"
#include "shell/user_info.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

// The grid binds the first four fields: number, name, mark and code.
constexpr int cycle_bound_fields = 4;
constexpr int cycle_code_column = 3;

}  // namespace

punte_inlees::punte_inlees(QWidget* parent)
    : capture_form(QStringLiteral("punte_inlees"), QStringLiteral("pnt_dta"), QStringLiteral("obe_pnt"),
                   parent) {
  build_controls();
}

void punte_inlees::build_controls() {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column, QStringLiteral("vak_ops"), {"ops_ops1", "dir_disp", "ops_totale"});
  lay_out_middle(column);
  add_capture_buttons(
      column, [this] { marks_print_Click(); }, [this] { paste_into_flex_Click(); });
  model_->set_validator([this](int row, int col, QString& text) {
    return col != mark_column || validate_mark(row, text);  // the code column is stored as typed
  });
  pnt_grid_->set_shown_columns(cycle_bound_fields);
  pnt_grid_->set_edit_redirect([](int c) { return c < mark_column ? mark_column : c; });
  pnt_grid_->set_after_commit([this](int r, int c, int key) { return after_commit(r, c, key); });
  on_signal(pnt_grid_, &platform::bound_grid::head_click, [this](int c) { pnt_grid_HeadClick(c); });
  captured_fields_ = {field_ref::at(0), field_ref::at(mark_column)};
  other_fields_ = {field_ref::named(QStringLiteral("EO_T_NR")), field_ref::named(QStringLiteral("EO_PUNT"))};
  resize(860, 640);
}

void punte_inlees::set_texts() {
  set_caption(in_language(u"PUNTE INLEES", u"MARKS INPUT"));
  set_capture_texts(nullptr, nullptr);
}

void punte_inlees::on_load() {
  set_texts();
  load_common(caption());
  control<QLabel>(QStringLiteral("vak_ops"))->setText(caption());

  // The data folder goes into user_info.txt, the list settings kept. A
  // folder that cannot be written is passed over.
  const QString info_path = platform::join_win_path(g_data_folder, user_info_file_name);
  user_info_values values;
  values.data_folder = g_data_folder;
  if (const std::optional<user_info_read> read = read_user_info(info_path)) {
    values.effort_key_list = read->effort_key_list.value_or(1);
    values.formative_list = read->formative_list.value_or(1);
  }
  (void)write_user_info(values, info_path);
}

void punte_inlees::tell_converting(double from, double to) const {
  platform::message_box(converting_message(plain_number(from), plain_number(to)), msg_buttons::ok,
                        msg_icon::exclamation);
}

QString punte_inlees::undo_text() const { return undo_question(); }

QString punte_inlees::scaling_text(double average) const { return scaling_prompt(plain_number(average)); }

void punte_inlees::choose_subject(int row) {
  take_subject_row(row);
  table_name_ = cycle_table_name(combination_);
  backup_name_ = cycle_backup_name(combination_);
  other_table_name_ = obe_table_name(combination_);
  if (!platform::file_exists(platform::join_win_path(g_data_folder, table_name_))) {
    platform::beep();
    return;
  }
  if (is_open(open_kind::combination, g_data_folder, combination_)) {
    show_critical(combination_open_message());
    return;
  }
  if (!ask_input_total(input_total_prompt(plain_number(subject_total_)))) return;
  control<QLabel>(QStringLiteral("ops_totale"))
      ->setText(plain_number(subject_total_) + QStringLiteral(" -- ") + plain_number(input_total_));

  if (!open_with_backup(cycle_bound_fields)) return;
  clear_figures();
  if (converting()) tell_converting(subject_total_, input_total_);
  with_effort_keys_ = platform::message_box(effort_keys_question(), msg_buttons::yes_no) == msg_answer::yes;
  vak_grid_->hide();
  if (sort_captured_table())
    fill_grid();
  else
    show_subject_list();
}

void punte_inlees::fill_grid() {
  begin_capture();
  apply_column_layout();
  recount_figures();
}

void punte_inlees::apply_column_layout() {
  pnt_grid_->show();
  pnt_grid_->raise();
  model_->rebind();
  model_->set_header_caption(0, in_language(u"T-NR", u"A-NO"));
  model_->set_header_caption(1, in_language(u"LEERDER", u"LEARNER"));
  model_->set_header_caption(
      mark_column, in_language(u"PUNT(", u"MARK(") + plain_number(input_total_) + QStringLiteral(")"));
  model_->set_header_caption(cycle_code_column, in_language(u"PS/VO", u"EK/SR"));
  model_->set_column_alignment(mark_column, Qt::AlignRight | Qt::AlignVCenter);
  const int widths[cycle_bound_fields] = {1000, 6000, 1100, 800};
  // A heading that needs more room than its column has widens it.
  for (int c = 0; c < cycle_bound_fields; ++c)
    pnt_grid_->set_column_width(c, std::max(widths[c], pnt_grid_->heading_width_twips(c)));
  pnt_grid_->set_current(0, mark_column);
  pnt_grid_->current_view()->setFocus();
}

bool punte_inlees::after_commit(int row, int column, int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  if (column == mark_column && with_effort_keys_) {
    pnt_grid_->set_current(row, cycle_code_column);
    return true;
  }
  const int last = int(captured_set().record_count()) - 1;
  pnt_grid_->set_current(row < last ? row + 1 : row, mark_column);
  return true;
}

void punte_inlees::pnt_grid_HeadClick(int column) {
  if (column != mark_column || !open_ || !finish_edit()) return;
  print_mark_list(true, input_total_);
}

}  // namespace km
